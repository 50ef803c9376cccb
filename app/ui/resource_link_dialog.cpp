#include "app/ui/resource_link_dialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

#include "app/ui/main_window.h"
#include "config/properties.h"
#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "render/ui/display_text.h"
#include "views/library.h"

namespace lumora::ui {
namespace {

constexpr const char* kChooserCaption = "Reference Links";
constexpr const char* kDesignedTitleLabel = "Book title";
constexpr const char* kDesignedRefLabel = "Verse Ref";
constexpr int kChooserWidth = 320;
constexpr int kChooserHeight = 260;
// The stored title of a row, byte for byte (the list shows its display form).
constexpr int kTitleRole = Qt::UserRole;

}  // namespace

TDlgResourceLink2::TDlgResourceLink2(TLibrary& library, QWidget* main_window)
    : QDialog(main_window, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      library_(library) {
  setObjectName(QStringLiteral("DlgResourceLink2"));
  setModal(false);
  setWindowTitle(QString::fromLatin1(kChooserCaption));
  auto* layout = new QVBoxLayout(this);
  label_title_ = new QLabel(QString::fromLatin1(kDesignedTitleLabel), this);
  label_title_->setObjectName(QStringLiteral("LabelTitle"));
  label_ref_ = new QLabel(QString::fromLatin1(kDesignedRefLabel), this);
  label_ref_->setObjectName(QStringLiteral("LabelRef"));
  for (QLabel* label : {label_title_, label_ref_}) {
    // Titles are data: "&" and "<" show as they are.
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
  }
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("ListBox"));
  list_->setAccessibleName(QStringLiteral("Entries referencing the verse"));
  QFont font = list_->font();
  font.setFamily(ToDisplayText("Arial"));
  list_->setFont(font);
  list_->installEventFilter(this);
  layout->addWidget(list_, 1);
  resize(kChooserWidth, kChooserHeight);

  connect(list_, &QListWidget::clicked, this,
          [this](const QModelIndex& index) { OpenRow(index.row()); });
  // A list built for the old modules names titles of Books that may go.
  connect(&library_, &TLibrary::modulesAboutToChange, this, [this] {
    Empty();
    hide();
  });
  // Its rows are entry numbers, which a Book's added or deleted entry moves.
  connect(&library_, &TLibrary::bookEntriesAboutToChange, this, [this] {
    Empty();
    hide();
  });
}

TDlgResourceLink2::~TDlgResourceLink2() = default;

void TDlgResourceLink2::Fill(const TLMDictionaryModule& book, int verse,
                             const TLMBibleModule& titles, const std::vector<int>& entries) {
  const TVerseLocation at = titles.GetVerseLocation(verse);
  const std::string chapter_verse =
      " " + std::to_string(at.chapter) + ":" + std::to_string(at.verse);
  setWindowTitle(ToDisplayText(book.GetAbbreviation() + ": " + titles.GetLongBookTitle(at.book) +
                               chapter_verse));
  label_title_->setText(ToDisplayText(book.GetTitle()));
  label_ref_->setText(ToDisplayText(titles.GetShortBookTitle(at.book) + chapter_verse));
  list_->clear();
  list_->setCurrentRow(-1);
  list_->clearSelection();
  const std::vector<std::string>& all = book.EntryTitles();
  for (const int entry : entries) {
    if (entry < 0 || static_cast<size_t>(entry) >= all.size()) continue;
    const std::string& title = all[static_cast<size_t>(entry)];
    auto* item = new QListWidgetItem(ToDisplayText(title), list_);
    item->setData(kTitleRole, QByteArray(title.data(), static_cast<qsizetype>(title.size())));
  }
  book_ = &book;
  verse_ = verse;
}

void TDlgResourceLink2::Empty() {
  book_ = nullptr;
  verse_ = 0;
  list_->clear();
  setWindowTitle(QString::fromLatin1(kChooserCaption));
  label_title_->setText(QString::fromLatin1(kDesignedTitleLabel));
  label_ref_->setText(QString::fromLatin1(kDesignedRefLabel));
}

void TDlgResourceLink2::Present() {
  if (!placed_) {
    PlaceWindow();
    placed_ = true;
  }
  show();
  raise();
  activateWindow();
  list_->setFocus(Qt::OtherFocusReason);
}

void TDlgResourceLink2::PlaceWindow() {
  if (const auto stored = StoredGeometryOnScreen(config::GlobalProperties().state_resource_link)) {
    setGeometry(*stored);
    return;
  }
  QRect rect(0, 0, width(), height());
  if (const QWidget* main = parentWidget())
    rect.moveCenter(main->geometry().center());
  else if (const QScreen* screen = QGuiApplication::primaryScreen())
    rect.moveCenter(screen->availableGeometry().center());
  setGeometry(rect);
}

void TDlgResourceLink2::StoreGeometry() {
  if (!placed_) return;
  const QRect g = geometry();
  if (g.isValid())
    config::GlobalProperties().state_resource_link = {g.left(), g.top(), g.height(), g.width()};
}

void TDlgResourceLink2::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  if (isVisible()) StoreGeometry();
}

void TDlgResourceLink2::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (isVisible()) StoreGeometry();
}

void TDlgResourceLink2::hideEvent(QHideEvent* event) {
  StoreGeometry();
  QDialog::hideEvent(event);
}

void TDlgResourceLink2::OpenRow(int row) {
  const QListWidgetItem* item = list_->item(row);
  if (item == nullptr || book_ == nullptr || !library_.Contains(book_)) return;
  const QByteArray bytes = item->data(kTitleRole).toByteArray();
  const int entry = book_->FindTitle(std::string_view(bytes.constData(), bytes.size()));
  if (entry < 0) {
    if (on_message) on_message(QString::fromLatin1(kEntryTitleNotFoundMessage));
    return;
  }
  if (on_open) on_open(*book_, entry, verse_);
}

bool TDlgResourceLink2::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      OpenRow(list_->currentRow());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace lumora::ui
