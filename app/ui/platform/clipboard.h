// The system clipboard behind a small interface, so commands can be tested
// with a double.
#pragma once

#include <QString>

class QImage;

namespace lumora::ui {

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  virtual QString Text() const = 0;
  virtual void SetText(const QString& text) = 0;
  // HTML with its plain-text form, both offered to the receiving program.
  virtual void SetHtml(const QString& html, const QString& plain_text) = 0;
  // A picture (the image viewer's copy). Test doubles that only look at
  // text may leave it as it is: it does nothing.
  virtual void SetImage(const QImage& image) { (void)image; }
};

class TSystemClipboard : public IClipboard {
 public:
  QString Text() const override;
  void SetText(const QString& text) override;
  void SetHtml(const QString& html, const QString& plain_text) override;
  void SetImage(const QImage& image) override;
};

// The process-wide instance the commands use (a TSystemClipboard unless a
// test installs another; the caller keeps ownership of what it installs and
// installs nullptr again before destroying it).
IClipboard& Clipboard();
void InstallClipboard(IClipboard* clipboard);

}  // namespace lumora::ui
