// The system clipboard behind a small interface, so commands can be tested
// with a double.
#pragma once

#include <QString>

namespace lumora::ui {

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  virtual QString Text() const = 0;
  virtual void SetText(const QString& text) = 0;
  // HTML with its plain-text form, both offered to the receiving program.
  virtual void SetHtml(const QString& html, const QString& plain_text) = 0;
};

class TSystemClipboard : public IClipboard {
 public:
  QString Text() const override;
  void SetText(const QString& text) override;
  void SetHtml(const QString& html, const QString& plain_text) override;
};

// The process-wide instance the commands use (a TSystemClipboard unless a
// test installs another; the caller keeps ownership of what it installs and
// installs nullptr again before destroying it).
IClipboard& Clipboard();
void InstallClipboard(IClipboard* clipboard);

}  // namespace lumora::ui
