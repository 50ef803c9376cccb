// "Verse Export Formatting": the copy and export style (A to H) and the
// three include options. The dialog works on a copy of the four settings
// taken when it opens; its example (John 1:1-13 of the KJV Bible as plain
// text) is redrawn after every change; OK copies the settings back to the
// store and announces them, Cancel drops them.
#pragma once

#include <QDialog>
#include <functional>

#include "render/export_procs.h"

class QButtonGroup;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace lumora {
class TLMBibleModule;
}

namespace lumora::ui {

class TDlgExportFormat : public QDialog {
  Q_OBJECT

 public:
  explicit TDlgExportFormat(QWidget* parent = nullptr);

  // Opens (window-modal, returns at once) on a copy of the store's
  // settings; `kjv` formats the example, `view` gives its Strong's words.
  // On OK the settings go back to the store and `stored` runs.
  void Open(const TLMBibleModule* kjv, const ExportBibleView& view, std::function<void()> stored);

  // The settings as currently chosen in the dialog.
  ExportFormatSettings Chosen() const;
  // The example as shown.
  QString ExampleText() const;

  // The help topic of the dialog; the "&Help" button calls show_help with
  // it (disabled while show_help is unset).
  static constexpr const char* kHelpTopic = "Scribble230";
  std::function<void(const QString& topic)> show_help;

  // The first and last verse of the example (John 1:1-13).
  static constexpr int kExampleFirst = 26046;
  static constexpr int kExampleLast = 26058;

 private:
  void ShowSettings(const ExportFormatSettings& s);
  void Redraw();
  void Store();

  QButtonGroup* styles_ = nullptr;
  QCheckBox* brackets_ = nullptr;
  QCheckBox* footnotes_ = nullptr;
  QCheckBox* version_tag_ = nullptr;
  QPlainTextEdit* example_ = nullptr;
  QPushButton* help_ = nullptr;
  const TLMBibleModule* kjv_ = nullptr;
  ExportBibleView view_;
  std::function<void()> stored_;
  bool style_touched_ = false;
};

}  // namespace lumora::ui
