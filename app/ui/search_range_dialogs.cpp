#include "app/ui/search_range_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QVBoxLayout>

#include "render/ui/display_text.h"

namespace lumora::ui {

namespace {
constexpr int kRangeRows = 12;
}

TFrameSelectVerseRange::TFrameSelectVerseRange(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("FrameSelectVerseRange"));
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("First Verse:"), this), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Last Verse:"), this), 1, 0);
  for (int i = 0; i < 6; ++i) {
    auto* box = new QComboBox(this);
    box->setMaxVisibleItems(kRangeRows);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    grid->addWidget(box, i / 3, 1 + i % 3);
    connect(box, &QComboBox::activated, this, [this, i](int index) { Apply(i, index); });
    choices_[i] = box;
  }
}

TFrameSelectVerseRange::~TFrameSelectVerseRange() = default;

void TFrameSelectVerseRange::SetRange(const TLMBibleModule& bible, int first, int last) {
  if (rules_ == nullptr)
    rules_ = std::make_unique<VerseRangeFrameRules>(bible);
  else
    rules_->SetBible(bible);
  rules_->SetRange(first, last);
  Show();
}

int TFrameSelectVerseRange::FirstVerse() const { return rules_ ? rules_->First() : 1; }
int TFrameSelectVerseRange::LastVerse() const { return rules_ ? rules_->Last() : 1; }

void TFrameSelectVerseRange::Apply(int which, int index) {
  if (rules_ == nullptr || showing_ || index < 0) return;
  const int n = index + 1;  // books, chapters and verses count from 1
  switch (which) {
    case 0: rules_->ChooseFirstBook(n); break;
    case 1: rules_->ChooseFirstChapter(n); break;
    case 2: rules_->ChooseFirstVerse(n); break;
    case 3: rules_->ChooseLastBook(n); break;
    case 4: rules_->ChooseLastChapter(n); break;
    default: rules_->ChooseLastVerse(n); break;
  }
  Show();
}

// Number lists are refilled only when their count changes.
void TFrameSelectVerseRange::Fill(QComboBox* box, int count, int current) {
  if (box->count() != count) {
    box->clear();
    QStringList numbers;
    numbers.reserve(count);
    for (int i = 1; i <= count; ++i) numbers << QString::number(i);
    box->addItems(numbers);
  }
  box->setCurrentIndex(current - 1);
}

void TFrameSelectVerseRange::Show() {
  showing_ = true;
  const TLMBibleModule& bible = rules_->Bible();
  if (books_of_ != &bible) {
    books_of_ = &bible;
    for (int i : {0, 3}) {
      choices_[i]->clear();
      for (int b = 1; b <= bible.BookCount(); ++b)
        choices_[i]->addItem(ToDisplayText(bible.GetShortBookTitle(b)));
    }
  }
  const TVerseLocation ends[2] = {rules_->FirstLocation(), rules_->LastLocation()};
  for (int e = 0; e < 2; ++e) {
    const TVerseLocation& at = ends[e];
    choices_[e * 3]->setCurrentIndex(at.book - 1);
    Fill(choices_[e * 3 + 1], bible.GetChapterCount(at.book), at.chapter);
    Fill(choices_[e * 3 + 2], bible.GetVerseCount(at.book, at.chapter), at.verse);
  }
  showing_ = false;
}

TSetSearchRangeDlg::TSetSearchRangeDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SetSearchRangeDlg"));
  setWindowTitle(QStringLiteral("Set Custom Search Range"));
  auto* layout = new QVBoxLayout(this);
  frame_ = new TFrameSelectVerseRange(this);
  layout->addWidget(frame_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

TDlgWordList::TDlgWordList(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DlgWordList"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Select a word to add to your search list."), this));
  line_ = new QLineEdit(this);
  list_ = new QListView(this);
  model_ = new QStringListModel(this);
  list_->setModel(model_);
  list_->setUniformItemSizes(true);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(line_);
  layout->addWidget(list_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { Remember(current); });
  connect(list_, &QListView::clicked, this, [this](const QModelIndex& i) { Remember(i); });
  connect(list_, &QListView::doubleClicked, this, [this](const QModelIndex& i) {
    Remember(i);
    if (!word_.empty()) accept();
  });
  connect(line_, &QLineEdit::textEdited, this, &TDlgWordList::SelectByPrefix);
  resize(260, 420);
}

void TDlgWordList::SetBible(const TLMBibleModule& bible) {
  // The file name tells a reloaded module apart from one at the same address.
  if (shown_ == &bible && shown_file_ == bible.FileName()) return;
  shown_ = &bible;
  shown_file_ = bible.FileName();
  setWindowTitle(ToDisplayText(bible.GetAbbreviation() + " Word List"));
  const PackedStrings& words = bible.Words();
  QStringList items;
  items.reserve(static_cast<qsizetype>(words.size()));
  for (size_t i = 0; i < words.size(); ++i) items << ToDisplayText(words[i]);
  model_->setStringList(items);
}

void TDlgWordList::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  word_.clear();
  line_->clear();
  list_->clearSelection();
  list_->setCurrentIndex(QModelIndex());
  word_.clear();
  list_->setFocus();
}

void TDlgWordList::Remember(const QModelIndex& index) {
  word_ = index.isValid() ? FromDisplayText(index.data().toString()) : std::string();
  if (!selecting_ && index.isValid()) line_->setText(index.data().toString());
}

// The first word that begins with the typed text, without regard to case.
void TDlgWordList::SelectByPrefix(const QString& typed) {
  if (typed.isEmpty()) return;
  const QStringList& items = model_->stringList();
  for (qsizetype i = 0; i < items.size(); ++i) {
    if (items[i].startsWith(typed, Qt::CaseInsensitive)) {
      selecting_ = true;
      const QModelIndex index = model_->index(static_cast<int>(i));
      list_->setCurrentIndex(index);
      list_->scrollTo(index, QAbstractItemView::PositionAtTop);
      selecting_ = false;
      return;
    }
  }
}

}  // namespace lumora::ui
