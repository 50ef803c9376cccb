#include "app/ui/book_range_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QStringList>
#include <QVBoxLayout>

#include "app/output_texts.h"
#include "core/modules/book_module.h"
#include "render/ui/display_text.h"

namespace lumora::ui {

TDlgBookRange::TDlgBookRange(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DlgBookRange"));
  setWindowTitle(QStringLiteral("Copy Range of Book Entries"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  from_ = new QComboBox(this);
  from_->setObjectName(QStringLiteral("CopyFrom"));
  through_ = new QComboBox(this);
  through_->setObjectName(QStringLiteral("Through"));
  for (QComboBox* box : {from_, through_}) {
    box->setMaxVisibleItems(20);
    box->setMinimumWidth(260);
  }
  form->addRow(QStringLiteral("Copy From:"), from_);
  form->addRow(QStringLiteral("Through:"), through_);
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(this, &QDialog::finished, this, [this](int result) {
    TDone done = std::move(done_);
    done_ = nullptr;
    const int from = from_->currentIndex();
    const int through = through_->currentIndex();
    // Without an entry chosen in both lists there is no range: as Cancel.
    if (result != QDialog::Accepted || !done || from < 0 || through < 0) return;
    const auto [first, last] = OrderedEntryRange(from, through);
    done(first, last);
  });
}

void TDlgBookRange::Open(const QString& caption, const TLMDictionaryModule& book, TDone done) {
  done_ = std::move(done);
  setWindowTitle(caption);
  QStringList titles;
  titles.reserve(static_cast<qsizetype>(book.EntryTitles().size()));
  for (const std::string& title : book.EntryTitles()) titles << ToDisplayText(title);
  for (QComboBox* box : {from_, through_}) {
    box->clear();
    box->addItems(titles);
    box->setCurrentIndex(titles.isEmpty() ? -1 : 0);
  }
  open();
}

}  // namespace lumora::ui
