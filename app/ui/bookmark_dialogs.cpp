#include "app/ui/bookmark_dialogs.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "render/ui/display_text.h"
#include "views/resource_tabs.h"

namespace lumora::ui {
namespace {

QString Plain(const std::string& cp1252) { return ToDisplayText(cp1252); }

}  // namespace

// --- Set Bookmark -------------------------------------------------------------------

TDlgSetBookmark::TDlgSetBookmark(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DlgSetBookmark"));
  setWindowTitle(QStringLiteral("Set Bookmark"));
  auto* layout = new QVBoxLayout(this);
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("Heading"));
  heading_->setTextFormat(Qt::PlainText);
  QFont bold = heading_->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  heading_->setFont(bold);
  layout->addWidget(heading_);
  currently_ = new QLabel(this);
  currently_->setObjectName(QStringLiteral("Currently"));
  currently_->setTextFormat(Qt::PlainText);
  layout->addWidget(currently_);

  auto* box = new QGroupBox(QStringLiteral(" Set To: "), this);
  auto* choices = new QVBoxLayout(box);
  group_ = new QButtonGroup(this);
  for (int k = 0; k < 3; ++k) {
    auto* button = new QRadioButton(box);
    button->setObjectName(QStringLiteral("Choice%1").arg(k));
    group_->addButton(button, k);
    choices->addWidget(button);
  }
  layout->addWidget(box);

  auto* note = new QLabel(
      QStringLiteral("Note: see the help file for tips on more easily setting bookmarks."), this);
  note->setWordWrap(true);
  layout->addWidget(note);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  help_ = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  help_->setObjectName(QStringLiteral("Help"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help_, &QPushButton::clicked, this, &TDlgSetBookmark::helpRequested);
  layout->addWidget(buttons);
}

void TDlgSetBookmark::Prepare(int index, const config::BookmarkRecord& current,
                              const BookmarkChoices& choices, int preselected, bool help) {
  index_ = index;
  heading_->setText(Plain(BookmarkDialogHeading(index)));
  currently_->setText(Plain(BookmarkCurrentlyText(current)));
  for (int k = 0; k < 3; ++k) {
    QRadioButton* button = ChoiceButton(k);
    const BookmarkChoice& choice = choices[static_cast<size_t>(k)];
    button->setText(EscapeMnemonic(Plain(choice.caption)));
    button->setEnabled(choice.available);
  }
  ChoiceButton(preselected >= 0 && preselected < 3 ? preselected : 0)->setChecked(true);
  help_->setEnabled(help);
}

int TDlgSetBookmark::Choice() const { return std::max(group_->checkedId(), 0); }

QRadioButton* TDlgSetBookmark::ChoiceButton(int k) const {
  return static_cast<QRadioButton*>(group_->button(k));
}

// --- Bookmark Titles ------------------------------------------------------------------

TDlgBookmarkTitles::TDlgBookmarkTitles(QWidget* parent, std::function<bool(const QString&)> ask,
                                       std::function<void(const QString&)> tell)
    : QDialog(parent), ask_(std::move(ask)), tell_(std::move(tell)) {
  setObjectName(QStringLiteral("DlgBookmarkTitles"));
  setWindowTitle(QStringLiteral("Bookmark Titles"));
  auto* layout = new QVBoxLayout(this);
  grid_ = new QTableWidget(config::kBookmarkCount, 2, this);
  grid_->setObjectName(QStringLiteral("TitlesGrid"));
  grid_->setHorizontalHeaderLabels({QStringLiteral("Bookmark"), QStringLiteral("Title")});
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  for (int row = 0; row < config::kBookmarkCount; ++row) {
    auto* description = new QTableWidgetItem;
    description->setFlags(Qt::ItemIsEnabled);
    grid_->setItem(row, 0, description);
    grid_->setItem(row, 1, new QTableWidgetItem);
  }
  grid_->setMinimumSize(520, 330);
  layout->addWidget(grid_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  help_ = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
  help_->setObjectName(QStringLiteral("Help"));
  clear_all_ = buttons->addButton(QStringLiteral("Clear All"), QDialogButtonBox::ResetRole);
  clear_all_->setObjectName(QStringLiteral("ClearAll"));
  connect(buttons, &QDialogButtonBox::accepted, this, &TDlgBookmarkTitles::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help_, &QPushButton::clicked, this, &TDlgBookmarkTitles::helpRequested);
  connect(clear_all_, &QPushButton::clicked, this, &TDlgBookmarkTitles::ClearAll);
  layout->addWidget(buttons);
}

void TDlgBookmarkTitles::Prepare(const BookmarkRecords& records, const BookmarkTitles& titles,
                                 bool help) {
  for (int index = 0; index < config::kBookmarkCount; ++index) {
    const int row = RowOf(index);
    grid_->item(row, 0)->setText(
        Plain(BookmarkTitlesRowText(index, records[static_cast<size_t>(index)])));
    grid_->item(row, 1)->setText(Plain(titles[static_cast<size_t>(index)]));
  }
  grid_->setCurrentCell(0, 1);
  help_->setEnabled(help);
}

BookmarkTitles TDlgBookmarkTitles::Titles() const {
  BookmarkTitles titles;
  for (int index = 0; index < config::kBookmarkCount; ++index)
    titles[static_cast<size_t>(index)] =
        TrimmedBookmarkTitle(FromDisplayText(grid_->item(RowOf(index), 1)->text()));
  return titles;
}

void TDlgBookmarkTitles::ClearAll() {
  if (!ask_ || !ask_(QString::fromLatin1(kClearTitlesQuestion))) return;
  for (int row = 0; row < config::kBookmarkCount; ++row) grid_->item(row, 1)->setText(QString());
}

void TDlgBookmarkTitles::accept() {
  // A cell still being edited gives its text to the grid first.
  grid_->setFocus();
  for (int row = 0; row < config::kBookmarkCount; ++row) {
    if (FitsCodePage(grid_->item(row, 1)->text())) continue;
    grid_->setCurrentCell(row, 1);
    if (tell_)
      tell_(QStringLiteral("The title of bookmark %1 holds characters that cannot be stored. "
                           "Titles may use the Western European (Windows-1252) characters only.")
                .arg(row + 1));
    return;
  }
  QDialog::accept();
}

}  // namespace lumora::ui
