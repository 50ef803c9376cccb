#include "app/ui/verse_entry_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/history_box.h"
#include "core/refs/reference_parser.h"
#include "render/ui/display_text.h"
#include "views/library.h"

namespace lumora::ui {

TDlgVerseEntry::TDlgVerseEntry(TLibrary& library, config::SettingsStorage& storage, QWidget* parent)
    : QDialog(parent), library_(library) {
  setObjectName(QStringLiteral("DlgVerseEntry"));
  setWindowTitle(QStringLiteral("Copy Verses"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  auto* specify = new QLabel(QStringLiteral("Specify Verse(s):"), this);
  reference_box_ = new THistoryBox(config::MruId::kExport, storage, this);
  reference_box_->setObjectName(QStringLiteral("ReferenceBox"));
  reference_box_->setMinimumWidth(300);
  specify->setBuddy(reference_box_);
  grid->addWidget(specify, 0, 0);
  grid->addWidget(reference_box_, 0, 1);
  bible_label_ = new QLabel(QStringLiteral("Bible text:"), this);
  bible_list_ = new QComboBox(this);
  bible_list_->setObjectName(QStringLiteral("BibleList"));
  bible_label_->setBuddy(bible_list_);
  grid->addWidget(bible_label_, 1, 0);
  grid->addWidget(bible_list_, 1, 1);
  layout->addLayout(grid);
  auto* examples = new QLabel(
      QStringLiteral(
          "For example:\n1) Joh 3:16\n2) Eph 6:17 Heb 4:12\n3) 2Ti 2:15 3:16-17 Isa 28:9-10"),
      this);
  layout->addWidget(examples);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  help_ = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  help_->setObjectName(QStringLiteral("Help"));
  formatting_ =
      buttons->addButton(QStringLiteral("Configure &Formatting..."), QDialogButtonBox::ActionRole);
  formatting_->setObjectName(QStringLiteral("ConfigureFormatting"));
  // Enter in the reference box is OK, not the formatting button.
  formatting_->setAutoDefault(false);
  help_->setAutoDefault(false);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Every way out (OK, Cancel, Escape, the window's close button).
  connect(this, &QDialog::finished, this,
          [this](int result) { Finish(result == QDialog::Accepted); });
  connect(help_, &QPushButton::clicked, this, [this] {
    if (show_help) show_help(help_topic_);
  });
  connect(formatting_, &QPushButton::clicked, this, [this] {
    if (configure_formatting) configure_formatting();
  });
}

void TDlgVerseEntry::Open(const TRequest& request, TDone done) {
  done_ = std::move(done);
  ranges_.clear();
  setWindowTitle(request.caption);
  help_topic_ = request.help_topic.isEmpty() ? QStringLiteral("Scribble240") : request.help_topic;
  help_->setEnabled(static_cast<bool>(show_help));
  for (QWidget* w : {static_cast<QWidget*>(help_), static_cast<QWidget*>(formatting_),
                     static_cast<QWidget*>(bible_list_), static_cast<QWidget*>(bible_label_)})
    w->setVisible(!request.display_only);
  FillBibles(request.preselect);
  reference_box_->Reload();
  open();
  reference_box_->setFocus(Qt::OtherFocusReason);
  reference_box_->lineEdit()->selectAll();
}

void TDlgVerseEntry::FillBibles(const TLMBibleModule* preselect) {
  bible_list_->clear();
  int selected = 0;
  const auto& bibles = library_.Bibles();
  for (size_t i = 0; i < bibles.size(); ++i) {
    const TLMBibleModule* b = bibles[i];
    bible_list_->addItem(QStringLiteral("%1 (%2)").arg(ToDisplayText(b->GetAbbreviation()),
                                                       ToDisplayText(b->GetTitle())));
    if (b == preselect) selected = static_cast<int>(i);
  }
  if (!bibles.empty()) bible_list_->setCurrentIndex(selected);
}

void TDlgVerseEntry::Finish(bool accepted) {
  ranges_.clear();
  const TLMBibleModule* bible = nullptr;
  if (accepted) {
    if (const TLMBibleModule* kjv = library_.Kjv())
      ranges_ = ParseReferences(reference_box_->Text(), *kjv).ranges;
    const int i = bible_list_->currentIndex();
    if (i >= 0 && i < static_cast<int>(library_.Bibles().size()))
      bible = library_.Bibles()[static_cast<size_t>(i)];
  }
  // The callback may open the next dialog (the save dialog, the print
  // dialog); the controls are restored before it runs.
  for (QWidget* w : {static_cast<QWidget*>(help_), static_cast<QWidget*>(formatting_),
                     static_cast<QWidget*>(bible_list_), static_cast<QWidget*>(bible_label_)})
    w->setVisible(true);
  TDone done = std::move(done_);
  done_ = nullptr;
  if (done) done(ranges_, bible);
}

void TDlgVerseEntry::hideEvent(QHideEvent* event) {
  reference_box_->Commit();
  QDialog::hideEvent(event);
}

}  // namespace lumora::ui
