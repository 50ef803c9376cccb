#include "app/ui/search_bible_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

#include "app/ui/history_combo_box.h"
#include "app/ui/search_range_dialogs.h"
#include "render/ui/display_text.h"
#include "search/bible_search_text.h"
#include "views/library.h"

namespace lumora::ui {

namespace {

constexpr int kVersionRows = 20;

QPushButton* NamedButton(const QString& caption, const char* name, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

// The book popup's column of book `b` (1-based): 1-20, 21-39, 40-59, 60-.
int BookColumn(int b) { return b >= 60 ? 3 : b >= 40 ? 2 : b >= 21 ? 1 : 0; }
int BookColumnStart(int column) {
  static constexpr int kStarts[] = {1, 21, 40, 60};
  return kStarts[column];
}

}  // namespace

TSearchBibleDlg::TSearchBibleDlg(TLibrary& library, THistoryComboBox* search_box,
                                 std::function<void(const QString& topic)> help, QWidget* parent)
    : QDialog(parent), library_(library), help_(std::move(help)), search_box_(search_box) {
  setObjectName(QStringLiteral("SearchBibleDlg"));
  setWindowTitle(QStringLiteral("Search Bible Text"));
  auto* layout = new QVBoxLayout(this);

  layout->addWidget(new QLabel(
      QStringLiteral("Search for text:  (separate words with a space, do not include punctuation)"),
      this));
  auto* text_row = new QHBoxLayout;
  search_box_->setParent(this);
  search_box_->setObjectName(QStringLiteral("SearchBox"));
  text_row->addWidget(search_box_, 1);
  QPushButton* words = NamedButton(QStringLiteral("Word &List..."), "WordListButton", this);
  connect(words, &QPushButton::clicked, this, &TSearchBibleDlg::OpenWordList);
  text_row->addWidget(words);
  layout->addLayout(text_row);

  auto* version_row = new QHBoxLayout;
  version_row->addWidget(new QLabel(QStringLiteral("Search in Bible:"), this));
  versions_ = new QComboBox(this);
  versions_->setObjectName(QStringLiteral("ComboBoxVersion"));
  versions_->setMaxVisibleItems(kVersionRows);
  connect(versions_, &QComboBox::currentIndexChanged, this, [this] { BibleChanged(); });
  version_row->addWidget(versions_, 1);
  layout->addLayout(version_row);

  auto* type_box = new QGroupBox(QStringLiteral(" Find verses with: "), this);
  type_box->setObjectName(QStringLiteral("RadioGroupType"));
  auto* type_grid = new QGridLayout(type_box);
  types_ = new QButtonGroup(this);
  const char* const kTypes[] = {"All of the words", "Any of the words", "Only one of the words",
                                "The exact phrase"};
  for (int i = 0; i < 4; ++i) {
    auto* radio = new QRadioButton(QString::fromLatin1(kTypes[i]), type_box);
    types_->addButton(radio, i);
    // Two columns, filled down first.
    type_grid->addWidget(radio, i % 2, i / 2);
  }
  types_->button(0)->setChecked(true);
  layout->addWidget(type_box);

  auto* options = new QHBoxLayout;
  case_ = new QCheckBox(QStringLiteral("Case Sensitive"), this);
  footnotes_ = new QCheckBox(QStringLiteral("Exclude Footnotes"), this);
  substring_ = new QCheckBox(QStringLiteral("Substring Search"), this);
  options->addWidget(case_);
  options->addWidget(footnotes_);
  options->addWidget(substring_);
  layout->addLayout(options);

  auto* range_box = new QGroupBox(QStringLiteral(" Search Range: "), this);
  auto* range_layout = new QVBoxLayout(range_box);
  range_label_ = new QLabel(range_box);
  range_label_->setObjectName(QStringLiteral("RangeLabel"));
  QFont bold = range_label_->font();
  bold.setBold(true);
  range_label_->setFont(bold);
  range_layout->addWidget(range_label_);
  auto* range_buttons = new QHBoxLayout;
  QPushButton* ot = NamedButton(QStringLiteral("&O. T."), "OldTestamentButton", range_box);
  QPushButton* nt = NamedButton(QStringLiteral("&N. T."), "NewTestamentButton", range_box);
  QPushButton* all = NamedButton(QStringLiteral("&All"), "AllButton", range_box);
  QPushButton* book = NamedButton(QStringLiteral("&Book..."), "BookButton", range_box);
  QPushButton* custom = NamedButton(QStringLiteral("&Custom..."), "CustomButton", range_box);
  connect(ot, &QPushButton::clicked, this, &TSearchBibleDlg::ChooseOldTestament);
  connect(nt, &QPushButton::clicked, this, &TSearchBibleDlg::ChooseNewTestament);
  connect(all, &QPushButton::clicked, this, &TSearchBibleDlg::ChooseAll);
  connect(book, &QPushButton::clicked, this, [this, book] {
    if (QMenu* menu = BookMenu()) menu->popup(book->mapToGlobal(QPoint(0, book->height())));
  });
  connect(custom, &QPushButton::clicked, this, &TSearchBibleDlg::OpenCustomRange);
  for (QPushButton* b : {ot, nt, all, book, custom}) range_buttons->addWidget(b);
  range_layout->addLayout(range_buttons);
  layout->addWidget(range_box);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* help_button = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  help_button->setObjectName(QStringLiteral("HelpButton"));
  help_button->setEnabled(static_cast<bool>(help_));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help_button, &QPushButton::clicked, this, [this] {
    if (help_) help_(QString::fromLatin1(kBibleSearchHelpTopic));
  });
  layout->addWidget(buttons);
}

TSearchBibleDlg::~TSearchBibleDlg() = default;

QPushButton* TSearchBibleDlg::Button(const QString& object_name) const {
  return findChild<QPushButton*>(object_name);
}

void TSearchBibleDlg::FillVersions() {
  const auto& bibles = library_.Bibles();
  bool same = versions_->count() == static_cast<int>(bibles.size());
  for (int i = 0; same && i < versions_->count(); ++i)
    same = FromDisplayText(versions_->itemData(i).toString()) == bibles[i]->GetAbbreviation();
  if (same) return;
  const QSignalBlocker block(versions_);
  versions_->clear();
  for (const TLMBibleModule* b : bibles)
    versions_->addItem(ToDisplayText(b->GetAbbreviation() + " (" + b->GetTitle() + ")"),
                       ToDisplayText(b->GetAbbreviation()));
  versions_->setCurrentIndex(-1);
}

void TSearchBibleDlg::Prepare(const TLMBibleModule* handed, const TLMBibleModule* active,
                              int preference) {
  FillVersions();
  const TLMBibleModule* choice = handed;
  if (choice == nullptr && preference == 1) choice = active;
  if (choice == nullptr && preference != 1) choice = Bible();
  if (choice == nullptr) choice = library_.Kjv();
  const int index = library_.IndexOf(choice);
  if (index >= 0) versions_->setCurrentIndex(index);
  BibleChanged();
  if (const TLMBibleModule* kjv = library_.Kjv()) {
    if (!range_set_) {
      range_ = WholeBibleRange(*kjv);
      range_set_ = true;
    }
    range_ = ClampSearchRange(range_, *kjv);
  }
  ShowRange();
}

void TSearchBibleDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  search_box_->setFocus();
  if (QLineEdit* edit = search_box_->lineEdit()) edit->selectAll();
}

const TLMBibleModule* TSearchBibleDlg::Bible() const {
  if (versions_->currentIndex() < 0) return nullptr;
  return library_.FindBible(FromDisplayText(versions_->currentData().toString()));
}

QString TSearchBibleDlg::Text() const { return search_box_->currentText(); }
void TSearchBibleDlg::SetText(const QString& text) { search_box_->setEditText(text); }
int TSearchBibleDlg::SearchType() const { return types_->checkedId(); }
bool TSearchBibleDlg::CaseSensitive() const { return case_->isChecked(); }
bool TSearchBibleDlg::ExcludeFootnotes() const {
  return footnotes_->isEnabled() && footnotes_->isChecked();
}
bool TSearchBibleDlg::Substring() const { return substring_->isChecked(); }

void TSearchBibleDlg::SetRange(SearchRange range) {
  range_ = range;
  range_set_ = true;
  ShowRange();
}

void TSearchBibleDlg::BibleChanged() {
  const TLMBibleModule* bible = Bible();
  footnotes_->setEnabled(bible != nullptr && bible->HasFootnotes());
  ShowRange();
}

void TSearchBibleDlg::ShowRange() {
  const TLMBibleModule* bible = Bible();
  if (bible == nullptr) bible = library_.Kjv();
  range_label_->setText(bible != nullptr ? ToDisplayText(SearchRangeLabel(*bible, range_))
                                         : QString());
}

void TSearchBibleDlg::ChooseOldTestament() { SetRange(OldTestamentRange()); }

void TSearchBibleDlg::ChooseNewTestament() {
  if (const TLMBibleModule* kjv = library_.Kjv()) SetRange(NewTestamentRange(*kjv));
}

void TSearchBibleDlg::ChooseAll() {
  if (const TLMBibleModule* kjv = library_.Kjv()) SetRange(WholeBibleRange(*kjv));
}

void TSearchBibleDlg::ChooseBook(int book) {
  const TLMBibleModule* bible = Bible();
  if (bible == nullptr || book < 1 || book > bible->BookCount()) return;
  SetRange(BookSearchRange(*bible, book));
}

// One button per book of the selected Bible, in the four columns of the
// book list (a separator bar before the third).
QMenu* TSearchBibleDlg::BookMenu() {
  const TLMBibleModule* bible = Bible();
  if (bible == nullptr) return nullptr;
  if (book_menu_ != nullptr && book_menu_of_ == bible) return book_menu_;
  delete book_menu_;
  book_menu_ = new QMenu(this);
  book_menu_->setObjectName(QStringLiteral("BookMenu"));
  book_menu_of_ = bible;
  auto* grid_widget = new QWidget(book_menu_);
  auto* grid = new QGridLayout(grid_widget);
  grid->setSpacing(0);
  grid->setContentsMargins(2, 2, 2, 2);
  for (int b = 1; b <= bible->BookCount(); ++b) {
    const int column = BookColumn(b);
    auto* item = new QToolButton(grid_widget);
    item->setObjectName(QStringLiteral("Book%1").arg(b));
    item->setText(ToDisplayText(bible->GetShortBookTitle(b)));
    item->setAutoRaise(true);
    item->setToolButtonStyle(Qt::ToolButtonTextOnly);
    item->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Grid columns: 0, 1, (bar), 3, 4.
    grid->addWidget(item, b - BookColumnStart(column), column >= 2 ? column + 1 : column);
    connect(item, &QToolButton::clicked, this, [this, b] {
      book_menu_->close();
      ChooseBook(b);
    });
  }
  auto* bar = new QFrame(grid_widget);
  bar->setFrameShape(QFrame::VLine);
  grid->addWidget(bar, 0, 2, std::max(1, grid->rowCount()), 1);
  auto* action = new QWidgetAction(book_menu_);
  action->setDefaultWidget(grid_widget);
  book_menu_->addAction(action);
  return book_menu_;
}

TSetSearchRangeDlg* TSearchBibleDlg::RangeDialog() {
  if (range_dialog_ == nullptr) {
    range_dialog_ = new TSetSearchRangeDlg(this);
    connect(range_dialog_, &QDialog::accepted, this, [this] {
      SetRange({range_dialog_->Frame()->FirstVerse(), range_dialog_->Frame()->LastVerse()});
    });
  }
  return range_dialog_;
}

void TSearchBibleDlg::OpenCustomRange() {
  const TLMBibleModule* kjv = library_.Kjv();
  if (kjv == nullptr) return;
  TSetSearchRangeDlg* dialog = RangeDialog();
  dialog->Frame()->SetRange(*kjv, range_.first, range_.last);
  dialog->open();
}

TDlgWordList* TSearchBibleDlg::WordList() {
  if (word_list_ == nullptr) {
    word_list_ = new TDlgWordList(this);
    connect(word_list_, &QDialog::finished, this, [this] {
      if (!word_list_->Word().empty()) AppendWord(word_list_->Word());
    });
  }
  return word_list_;
}

void TSearchBibleDlg::OpenWordList() {
  const TLMBibleModule* bible = Bible();
  if (bible == nullptr) return;
  TDlgWordList* dialog = WordList();
  dialog->SetBible(*bible);
  dialog->open();
}

void TSearchBibleDlg::AppendWord(const std::string& word) {
  QString text = search_box_->currentText();
  if (!text.isEmpty() && !text.endsWith(QLatin1Char(' '))) text += QLatin1Char(' ');
  search_box_->setEditText(text + ToDisplayText(word));
}

}  // namespace lumora::ui
