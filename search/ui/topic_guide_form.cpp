#include "search/ui/topic_guide_form.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>

#include "config/properties.h"
#include "render/ui/display_text.h"
#include "render/ui/window_placement.h"
#include "search/search_text_trim.h"
#include "search/ui/tree_menu.h"
#include "views/library.h"

namespace lumora::ui {

namespace {

constexpr int kHitRole = Qt::UserRole;

// The cursor, the busy mark and the box's selection come back on every way
// out of a search.
class TGuideBusyScope {
 public:
  TGuideBusyScope(bool& busy, QLineEdit& edit) : busy_(busy), edit_(edit) {
    busy_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~TGuideBusyScope() {
    busy_ = false;
    edit_.selectAll();
    QApplication::restoreOverrideCursor();
  }
  TGuideBusyScope(const TGuideBusyScope&) = delete;
  TGuideBusyScope& operator=(const TGuideBusyScope&) = delete;

 private:
  bool& busy_;
  QLineEdit& edit_;
};

}  // namespace

TTopicGuideForm::TTopicGuideForm(TLibrary& library, TTopicGuideHost host, QWidget* parent)
    : QWidget(parent, Qt::Tool), library_(library), host_(std::move(host)) {
  setObjectName(QStringLiteral("TopicGuideForm"));
  setWindowTitle(QString::fromLatin1(kTopicGuideCaption));
  resize(360, 460);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Enter topic OR verse reference:"), this));
  auto* row = new QHBoxLayout;
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("EditTopic"));
  edit_->setToolTip(QStringLiteral("Enter topic or fully formed verse reference to look up."));
  row->addWidget(edit_, 1);
  search_ = new QPushButton(QStringLiteral("Search"), this);
  search_->setDefault(true);
  row->addWidget(search_);
  layout->addLayout(row);
  connect(search_, &QPushButton::clicked, this, [this] { Search(); });
  connect(edit_, &QLineEdit::returnPressed, this, [this] { Search(); });

  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("TopicGuideTree"));
  tree_->setHeaderHidden(true);
  tree_->setMouseTracking(true);
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(tree_, 1);
  connect(tree_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { (void)OpenItem(item); });
  connect(tree_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { (void)OpenItem(item); });
  connect(tree_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { ShowExpandCollapseMenu(*tree_, at); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  help->setEnabled(static_cast<bool>(host_.show_help));
  auto* done = new QPushButton(QStringLiteral("Done"), this);
  buttons->addWidget(help);
  buttons->addWidget(done);
  layout->addLayout(buttons);
  connect(help, &QPushButton::clicked, this, [this] {
    if (host_.show_help) host_.show_help(QString::fromLatin1(kTopicGuideHelpTopic));
  });
  connect(done, &QPushButton::clicked, this, [this] { close(); });

  status_ = new QStatusBar(this);
  status_->setSizeGripEnabled(false);
  layout->addWidget(status_);

  // Hits never outlive their modules.
  connect(&library_, &TLibrary::modulesAboutToChange, this, [this] { DropResults(); });
  connect(&library_, &TLibrary::bookEntriesAboutToChange, this,
          [this](const TLMDictionaryModule* book) {
            for (const TopicGuideHit& hit : result_.hits)
              if (hit.module.book == book) {
                tree_->clear();
                result_ = TopicGuideResult{};
                status_->clearMessage();
                return;
              }
          });
}

TTopicGuideForm::~TTopicGuideForm() = default;

void TTopicGuideForm::RestoreState() {
  if (const auto stored = StoredGeometryOnScreen(config::GlobalProperties().state_topic_guide)) {
    setGeometry(*stored);
    return;
  }
  // Never placed: over the middle of the main window.
  if (const QWidget* main = parentWidget()) {
    QRect r = geometry();
    r.moveCenter(main->geometry().center());
    move(r.topLeft());
  }
}

void TTopicGuideForm::StoreState() {
  if (geometry().isValid()) config::GlobalProperties().state_topic_guide = GeometryState(*this);
}

void TTopicGuideForm::hideEvent(QHideEvent* event) {
  StoreState();
  QWidget::hideEvent(event);
}

void TTopicGuideForm::ApplyTreeFont() {
  const config::Properties& p = config::GlobalProperties();
  QFont font(ToDisplayText(p.bible_view.main_font));
  font.setPointSize(std::max(1, p.bible_view.main_size));
  tree_->setFont(font);
}

void TTopicGuideForm::ShowWindow() {
  ApplyTreeFont();
  show();
  raise();
  activateWindow();
  edit_->setFocus();
}

void TTopicGuideForm::SearchFor(const QString& text) {
  if (busy_) return;
  edit_->setText(text);
  ShowWindow();
  Search();
}

void TTopicGuideForm::DropResults() {
  tree_->clear();
  result_ = TopicGuideResult{};
  guide_.reset();
  status_->clearMessage();
}

void TTopicGuideForm::Search() {
  // No nested search: Enter, Search and the panes' items wait for this one.
  if (busy_ || !library_.IsLoaded()) return;
  const QString typed = edit_->text();
  const std::string text = FromDisplayText(typed);
  if (TrimSearchText(text).empty()) {
    if (host_.message) host_.message(QString::fromLatin1(kTopicGuideEmptyMessage));
    return;
  }
  TGuideBusyScope busy(busy_, *edit_);
  status_->showMessage(QString::fromLatin1(kTopicGuideSearching));
  tree_->clear();
  result_ = TopicGuideResult{};
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  // A copy: the hook may replace itself.
  if (const std::function<void()> hook = on_events) hook();
  // The library may have changed while events ran.
  if (!library_.IsLoaded()) return;
  // A character the code page lacks is in no title and no reference.
  if (!FitsCodePage(typed)) {
    status_->showMessage(QString::fromLatin1(kTopicGuideNoMatches));
    return;
  }
  if (!guide_) guide_ = std::make_unique<TopicGuide>(library_.Catalogue());
  Result<TopicGuideResult> found = Result<TopicGuideResult>(TopicGuideResult{});
  try {
    found = guide_->Search(
        text, [this](const std::string& status) { status_->showMessage(ToDisplayText(status)); });
  } catch (const std::exception& e) {
    status_->clearMessage();
    if (host_.message) host_.message(QString::fromLocal8Bit(e.what()));
    return;
  }
  if (!found) {
    status_->clearMessage();
    if (host_.message) host_.message(ToDisplayText(found.status().message()));
    return;
  }
  result_ = std::move(found).value();
  if (result_.verse_mode) edit_->setText(ToDisplayText(result_.reference));
  status_->showMessage(QString::fromLatin1(kTopicGuideBuildingTree));
  BuildTree();
  status_->showMessage(ToDisplayText(result_.StatusText()));
}

void TTopicGuideForm::BuildTree() {
  std::function<void(QTreeWidgetItem*, const TopicGuideNode&)> add_children =
      [&](QTreeWidgetItem* parent, const TopicGuideNode& node) {
        for (const TopicGuideNode& child : node.children) {
          auto* item = new QTreeWidgetItem(parent, {ToDisplayText(child.caption)});
          item->setData(0, kHitRole, child.hit);
          add_children(item, child);
        }
      };
  QTreeWidgetItem* selected = nullptr;
  for (size_t i = 0; i < result_.roots.size(); ++i) {
    const TopicGuideNode& root = result_.roots[i];
    auto* item = new QTreeWidgetItem(tree_, {ToDisplayText(root.caption)});
    item->setData(0, kHitRole, root.hit);
    add_children(item, root);
    // A verse's few groups all show open; of the topic groups only the one
    // named as typed.
    if (result_.verse_mode) item->setExpanded(true);
    if (static_cast<int>(i) == result_.selected_root) selected = item;
  }
  if (selected != nullptr) {
    selected->setExpanded(true);
    tree_->setCurrentItem(selected);
    tree_->scrollToItem(selected);
  }
}

bool TTopicGuideForm::OpenItem(QTreeWidgetItem* item) {
  if (busy_ || item == nullptr) return false;
  const int hit = item->data(0, kHitRole).toInt();
  if (hit < 0 || static_cast<size_t>(hit) >= result_.hits.size()) return false;
  const TopicGuideHit& h = result_.hits[static_cast<size_t>(hit)];
  switch (h.module.kind) {
    case ModuleKind::kBook:
      if (h.module.book == nullptr || !host_.open_entry) return false;
      host_.open_entry(*h.module.book, h.item, h.first_verse, h.last_verse);
      return true;
    case ModuleKind::kBible:
      if (h.module.bible == nullptr || !host_.open_verse) return false;
      host_.open_verse(*h.module.bible, h.item);
      return true;
    case ModuleKind::kCommentary:
      if (h.module.commentary == nullptr || !host_.open_comment) return false;
      host_.open_comment(*h.module.commentary, h.item, h.first_verse, h.last_verse);
      return true;
  }
  return false;
}

}  // namespace lumora::ui
