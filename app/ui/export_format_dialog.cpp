#include "app/ui/export_format_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "config/properties.h"
#include "render/ui/display_text.h"

namespace lumora::ui {

TDlgExportFormat::TDlgExportFormat(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DlgExportFormat"));
  setWindowTitle(QStringLiteral("Verse Export Formatting"));
  auto* layout = new QVBoxLayout(this);

  auto* style_box = new QGroupBox(QStringLiteral(" Style "), this);
  auto* grid = new QGridLayout(style_box);
  styles_ = new QButtonGroup(this);
  // Eight letters in four columns, A..D above E..H.
  for (int style = 0; style < 8; ++style) {
    auto* button = new QRadioButton(QString(QChar('A' + style)), style_box);
    button->setObjectName(QStringLiteral("Style%1").arg(QChar('A' + style)));
    styles_->addButton(button, style);
    grid->addWidget(button, style / 4, style % 4);
  }
  layout->addWidget(style_box);

  brackets_ = new QCheckBox(QStringLiteral("Include Brackets for Italic Words (if any)"), this);
  brackets_->setObjectName(QStringLiteral("IncludeBrackets"));
  footnotes_ = new QCheckBox(QStringLiteral("Include Footnotes (if any)"), this);
  footnotes_->setObjectName(QStringLiteral("IncludeFootnotes"));
  version_tag_ = new QCheckBox(QStringLiteral("Include Version Tag"), this);
  version_tag_->setObjectName(QStringLiteral("IncludeVersionTag"));
  for (QCheckBox* box : {brackets_, footnotes_, version_tag_}) layout->addWidget(box);

  auto* example_box = new QGroupBox(QStringLiteral(" Example "), this);
  auto* example_layout = new QVBoxLayout(example_box);
  example_ = new QPlainTextEdit(example_box);
  example_->setObjectName(QStringLiteral("Example"));
  example_->setReadOnly(true);
  example_->setMinimumSize(420, 180);
  example_layout->addWidget(example_);
  layout->addWidget(example_box, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  help_ = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  help_->setObjectName(QStringLiteral("Help"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    Store();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help_, &QPushButton::clicked, this, [this] {
    if (show_help) show_help(QString::fromLatin1(kHelpTopic));
  });
  connect(styles_, &QButtonGroup::idClicked, this, [this] {
    style_touched_ = true;
    Redraw();
  });
  for (QCheckBox* box : {brackets_, footnotes_, version_tag_})
    connect(box, &QCheckBox::toggled, this, [this] { Redraw(); });
}

void TDlgExportFormat::Open(const TLMBibleModule* kjv, const ExportBibleView& view,
                            std::function<void()> stored) {
  kjv_ = kjv;
  view_ = view;
  stored_ = std::move(stored);
  help_->setEnabled(static_cast<bool>(show_help));
  style_touched_ = false;
  ShowSettings(ExportFormatFrom(config::GlobalProperties()));
  open();
}

void TDlgExportFormat::ShowSettings(const ExportFormatSettings& s) {
  const QSignalBlocker block_brackets(brackets_), block_footnotes(footnotes_),
      block_tag(version_tag_);
  // A stored style outside A..H formats as A, and shows so.
  const int style = s.style >= 0 && s.style <= 7 ? s.style : 0;
  styles_->button(style)->setChecked(true);
  brackets_->setChecked(s.include_brackets);
  footnotes_->setChecked(s.include_footnotes);
  version_tag_->setChecked(s.include_version_tag);
  Redraw();
}

ExportFormatSettings TDlgExportFormat::Chosen() const {
  return {std::max(styles_->checkedId(), 0), brackets_->isChecked(), footnotes_->isChecked(),
          version_tag_->isChecked()};
}

QString TDlgExportFormat::ExampleText() const { return example_->toPlainText(); }

void TDlgExportFormat::Redraw() {
  if (kjv_ == nullptr) {
    example_->clear();
    return;
  }
  const std::string text = FormatVerses(kExampleFirst, kExampleLast, *kjv_, false, Chosen(), view_);
  QString shown = ToDisplayText(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  example_->setPlainText(shown);
}

void TDlgExportFormat::Store() {
  const ExportFormatSettings s = Chosen();
  config::Properties& p = config::GlobalProperties();
  // A stored style outside A..H that the user left alone stays as stored.
  if (style_touched_ || (p.verse_export_style >= 0 && p.verse_export_style <= 7))
    p.verse_export_style = s.style;
  p.include_brackets = s.include_brackets;
  p.include_footnotes = s.include_footnotes;
  p.include_version_tag = s.include_version_tag;
  if (stored_) stored_();
}

}  // namespace lumora::ui
