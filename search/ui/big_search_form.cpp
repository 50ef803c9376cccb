#include "search/ui/big_search_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>

#include "app/ui/history_combo_box.h"
#include "config/properties.h"
#include "core/modules/bible_module.h"
#include "render/ui/display_text.h"
#include "render/ui/html_view.h"
#include "render/ui/window_placement.h"
#include "search/full_search_match.h"
#include "search/full_search_page.h"
#include "search/full_search_results.h"
#include "search/full_search_scan.h"
#include "search/full_search_texts.h"
#include "search/search_text_trim.h"
#include "search/ui/big_search_progress.h"
#include "search/ui/tree_menu.h"
#include "views/library.h"

namespace lumora::ui {

namespace {

constexpr int kNodeRole = Qt::UserRole;

// Every way out of a scan (its end, Stop, a reader's error, an exception)
// gives the cursor back, hides the progress window, ends the long work and
// clears the status text.
class TScanScope {
 public:
  TScanScope(bool& scanning, TFormBigProgress& progress, QStatusBar& status,
             std::function<void()> end)
      : scanning_(scanning), progress_(progress), status_(status), end_(std::move(end)) {
    scanning_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~TScanScope() {
    QApplication::restoreOverrideCursor();
    progress_.hide();
    scanning_ = false;
    status_.clearMessage();
    if (end_) end_();
  }
  TScanScope(const TScanScope&) = delete;
  TScanScope& operator=(const TScanScope&) = delete;

 private:
  bool& scanning_;
  TFormBigProgress& progress_;
  QStatusBar& status_;
  std::function<void()> end_;
};

}  // namespace

TFormBigSearch::TFormBigSearch(TLibrary& library, config::SettingsStorage& storage,
                               TBigSearchHost host, QWidget* parent)
    : QWidget(parent, Qt::Tool), library_(library), host_(std::move(host)) {
  setObjectName(QStringLiteral("FormBigSearch"));
  setWindowTitle(QString::fromLatin1(kFullSearchCaption));
  text_ = new THistoryComboBox(kFullSearchMruId, storage,
                               &config::GlobalProperties().Mru(config::MruId::kBigSearch), this);
  BuildControls();
  progress_ = new TFormBigProgress(this);
  view_->LoadHtml(kFullSearchTipsHtml);
  // Results never outlive their modules.
  connect(&library_, &TLibrary::modulesAboutToChange, this, [this] {
    if (scanning_) StopScan();
    DropResults();
  });
  // Entry numbers of a Book that gains or loses an entry go stale.
  connect(&library_, &TLibrary::bookEntriesAboutToChange, this,
          [this](const TLMDictionaryModule* book) {
            for (const TBigSearchNode& node : job_)
              if (node.module.book == book) {
                if (scanning_) StopScan();
                ClearResults();
                status_->clearMessage();
                return;
              }
          });
  connect(&library_, &TLibrary::modulesChanged, this, [this] {
    if (isVisible()) RebuildLists({});
  });
}

TFormBigSearch::~TFormBigSearch() = default;

TFormBigProgress* TFormBigSearch::Progress() const { return progress_; }

void TFormBigSearch::BuildControls() {
  auto* layout = new QVBoxLayout(this);

  auto* text_row = new QHBoxLayout;
  text_row->addWidget(new QLabel(QStringLiteral("Text:"), this));
  text_->setObjectName(QStringLiteral("BigSearchText"));
  text_->setMinimumWidth(220);
  text_row->addWidget(text_, 1);
  search_ = new QPushButton(QStringLiteral("Search"), this);
  search_->setObjectName(QStringLiteral("BigSearchButton"));
  QFont bold = search_->font();
  bold.setBold(true);
  search_->setFont(bold);
  search_->setDefault(true);
  text_row->addWidget(search_);
  layout->addLayout(text_row);
  connect(search_, &QPushButton::clicked, this, [this] { Search(); });
  connect(text_, &THistoryComboBox::returnPressed, this, [this] { Search(); });

  auto* set_row = new QHBoxLayout;
  set_radio_ = new QRadioButton(QStringLiteral("Search set of modules:"), this);
  ref_set_ = new QComboBox(this);
  ref_set_->setObjectName(QStringLiteral("ComboBoxRefSet"));
  define_sets_ = new QPushButton(QStringLiteral("Define Sets..."), this);
  set_row->addWidget(set_radio_);
  set_row->addWidget(ref_set_, 1);
  set_row->addWidget(define_sets_);
  layout->addLayout(set_row);
  auto* single_row = new QHBoxLayout;
  single_radio_ = new QRadioButton(QStringLiteral("Search single module:"), this);
  single_ = new QComboBox(this);
  single_->setObjectName(QStringLiteral("ComboBoxSingle"));
  single_row->addWidget(single_radio_);
  single_row->addWidget(single_, 1);
  layout->addLayout(single_row);
  connect(set_radio_, &QRadioButton::toggled, this, [this] { UpdateRadioState(); });
  connect(single_radio_, &QRadioButton::toggled, this, [this] { UpdateRadioState(); });
  connect(define_sets_, &QPushButton::clicked, this, [this] { DefineSets(); });

  auto* options = new QHBoxLayout;
  case_ = new QCheckBox(QStringLiteral("Case Sensitive"), this);
  substring_ = new QCheckBox(QStringLiteral("Allow Substring Matches"), this);
  options->addWidget(case_);
  options->addWidget(substring_);
  options->addStretch(1);
  layout->addLayout(options);

  splitter_ = new QSplitter(Qt::Vertical, this);
  tree_ = new QTreeWidget(splitter_);
  tree_->setObjectName(QStringLiteral("BigSearchTree"));
  tree_->setHeaderHidden(true);
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { OnTreeSelection(); });
  connect(tree_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { ShowExpandCollapseMenu(*tree_, at); });
  auto* results = new QWidget(splitter_);
  auto* results_layout = new QVBoxLayout(results);
  results_layout->setContentsMargins(0, 0, 0, 0);
  index_ = new QComboBox(results);
  index_->setObjectName(QStringLiteral("ComboBoxIndex"));
  index_->setMaxVisibleItems(30);
  connect(index_, &QComboBox::activated, this,
          [this](int item) { ShowPage(item * kFullSearchPageSize); });
  results_layout->addWidget(index_);
  view_ = new THtmlView(results);
  view_->setObjectName(QStringLiteral("BigSearchView"));
  view_->OnHotSpotClick = [this](const std::string& href, bool& handled) {
    handled = true;
    // After the click has been handled: opening a hit may show other panes.
    QMetaObject::invokeMethod(
        this, [this, href] { OpenLink(href); }, Qt::QueuedConnection);
  };
  results_layout->addWidget(view_, 1);
  splitter_->setStretchFactor(1, 1);
  layout->addWidget(splitter_, 1);

  status_ = new QStatusBar(this);
  status_->setSizeGripEnabled(false);
  layout->addWidget(status_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  help->setEnabled(static_cast<bool>(host_.show_help));
  buttons->addWidget(close);
  buttons->addWidget(help);
  layout->addLayout(buttons);
  connect(close, &QPushButton::clicked, this, [this] { this->close(); });
  connect(help, &QPushButton::clicked, this, [this] {
    if (host_.show_help) host_.show_help(QString::fromLatin1(kFullSearchHelpTopic));
  });
}

// --- State ----------------------------------------------------------------------

void TFormBigSearch::RestoreState() {
  const config::Properties& p = config::GlobalProperties();
  if (const auto stored = StoredGeometryOnScreen(p.state_big_search)) {
    setGeometry(*stored);
  } else {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    resize(std::max(width(), 520), desktop.height() > 490 ? 565 : height());
    QRect r = geometry();
    r.moveCenter(desktop.center());
    move(r.topLeft());
  }
  if (p.big_search_tree_height >= 0) {
    const int total = std::max(splitter_->height(), p.big_search_tree_height + 100);
    splitter_->setSizes({p.big_search_tree_height, total - p.big_search_tree_height});
  }
  case_->setChecked(p.big_search_case);
  substring_->setChecked(p.big_search_substring);
  (p.big_search_set_type ? set_radio_ : single_radio_)->setChecked(true);
  UpdateRadioState();
}

void TFormBigSearch::StoreState() {
  config::Properties& p = config::GlobalProperties();
  if (geometry().isValid()) p.state_big_search = GeometryState(*this);
  p.big_search_tree_height = tree_->height();
  p.big_search_case = case_->isChecked();
  p.big_search_substring = substring_->isChecked();
  p.big_search_set_type = set_radio_->isChecked();
  if (ref_set_->currentIndex() >= 0) p.big_search_ref_set = ref_set_->currentIndex();
  if (single_->currentIndex() >= 0) p.big_search_single_module = single_->currentIndex();
}

void TFormBigSearch::hideEvent(QHideEvent* event) {
  text_->Commit();
  StoreState();
  QWidget::hideEvent(event);
}

void TFormBigSearch::closeEvent(QCloseEvent* event) {
  // A close while a scan runs (the session ending) stops it; the window
  // hides once the scan has returned.
  if (scanning_) StopScan();
  QWidget::closeEvent(event);
}

// --- Lists ----------------------------------------------------------------------

void TFormBigSearch::ShowWindow() {
  RebuildLists({});
  ApplyViewFont();
  show();
  raise();
  activateWindow();
  text_->setFocus();
}

void TFormBigSearch::RebuildLists(const std::string& select_set) {
  const config::Properties& p = config::GlobalProperties();
  const int previous_single = lists_built_ ? single_->currentIndex() : -1;
  const int previous_set = lists_built_ ? ref_set_->currentIndex() : -1;
  single_modules_.clear();
  if (library_.IsLoaded()) single_modules_ = SingleModuleList(library_.Catalogue());
  single_->clear();
  for (const ModuleRef& m : single_modules_) single_->addItem(ToDisplayText(m.Title()));
  single_->setCurrentIndex(
      ChooseListIndex(previous_single, p.big_search_single_module, single_modules_.size()));

  const std::vector<std::string> sets = FullSearchSetList(p.ref_sets);
  ref_set_->clear();
  for (const std::string& s : sets) ref_set_->addItem(ToDisplayText(s));
  int set_index = ChooseListIndex(previous_set, p.big_search_ref_set, sets.size());
  if (!select_set.empty()) {
    const int chosen = SetListIndexOf(p.ref_sets, select_set);
    if (chosen >= 0) set_index = chosen;
  }
  ref_set_->setCurrentIndex(set_index);
  lists_built_ = true;
  UpdateRadioState();
}

void TFormBigSearch::UpdateRadioState() {
  ref_set_->setEnabled(set_radio_->isChecked());
  define_sets_->setEnabled(static_cast<bool>(host_.define_sets));
  single_->setEnabled(single_radio_->isChecked());
}

void TFormBigSearch::DefineSets() {
  if (!host_.define_sets) return;
  const std::string chosen = host_.define_sets();
  RebuildLists(chosen);
  set_radio_->setChecked(true);
}

// --- Searching ------------------------------------------------------------------

void TFormBigSearch::StopScan() {
  if (progress_) progress_->RequestStop();
}

void TFormBigSearch::ClearResults() {
  const QSignalBlocker block_tree(tree_);
  tree_->clear();
  index_->clear();
  view_->Clear();
  job_.clear();
  current_node_ = -1;
  results_.clear();
  page_html_.clear();
}

void TFormBigSearch::DropResults() {
  ClearResults();
  single_modules_.clear();
  {
    const QSignalBlocker block(single_);
    single_->clear();
  }
  lists_built_ = false;
  status_->clearMessage();
}

void TFormBigSearch::Search() {
  if (scanning_ || !library_.IsLoaded()) return;
  const QString typed = text_->currentText();
  const std::string text = TrimSearchText(FromDisplayText(typed));
  if (text.empty()) {
    if (host_.message) host_.message(QString::fromLatin1(kFullSearchEnterTextMessage));
    return;
  }
  text_->Commit();
  ClearResults();
  if (!lists_built_) RebuildLists({});

  const config::Properties& p = config::GlobalProperties();
  if (single_radio_->isChecked()) {
    const int chosen = single_->currentIndex();
    if (chosen < 0 || static_cast<size_t>(chosen) >= single_modules_.size()) {
      if (host_.message) host_.message(QString::fromLatin1(kFullSearchNoModulesMessage));
      return;
    }
    job_ = BuildSingleModuleJob(single_modules_[static_cast<size_t>(chosen)]);
  } else {
    Result<TBigSearchArray> job =
        BuildSetJob(library_.Catalogue(), ref_set_->currentIndex(), p.ref_sets);
    if (!job) {
      if (host_.message) host_.message(ToDisplayText(job.status().message()));
      return;
    }
    job_ = std::move(job).value();
  }

  const bool case_sensitive = case_->isChecked();
  // A character the code page lacks is in no module: nothing is scanned.
  const bool searchable = FitsCodePage(typed);
  if (searchable && !RunScan(text, case_sensitive, substring_->isChecked())) {
    job_.clear();
    return;
  }
  searched_text_ = text;
  searched_case_ = case_sensitive;
  int found = 0;
  for (const TBigSearchNode& node : job_) found += node.hit_count;
  status_->showMessage(ToDisplayText(FullSearchFoundText(found)));
  if (found == 0) {
    view_->LoadHtml(kFullSearchNoMatches);
    tree_->setFocus();
    return;
  }
  BuildTree();
  tree_->setFocus();
}

bool TFormBigSearch::RunScan(const std::string& text, bool case_sensitive, bool substring) {
  const TLMBibleModule* kjv = library_.Kjv();
  Result<FullSearchMatcher> matcher = FullSearchMatcher::Create(text, case_sensitive, substring);
  if (kjv == nullptr || !matcher) return false;
  if (host_.begin_scan && !host_.begin_scan([this] { StopScan(); })) return false;
  std::string failure;
  std::vector<std::string> damaged;
  {
    TScanScope scope(scanning_, *progress_, *status_, host_.end_scan);
    status_->clearMessage();
    progress_->Reset(FullSearchMaximum(job_));
    progress_->show();
    progress_->raise();
    try {
      (void)RunFullSearch(job_, *matcher, *kjv, progress_);
    } catch (const std::exception& e) {
      failure = e.what();
    } catch (...) {
      failure = "The search stopped on an unexpected error.";
    }
    damaged = progress_->DamagedModules();
  }
  // After the windows are back: what could not be read, in one box.
  std::string report;
  if (!damaged.empty()) {
    report = "These resources could not be read completely; their damaged entries were skipped:";
    for (const std::string& d : damaged) report += "\n" + d;
  }
  if (!failure.empty()) report += (report.empty() ? "" : "\n\n") + failure;
  if (!report.empty() && host_.error) host_.error(ToDisplayText(report));
  return true;
}

// --- Results --------------------------------------------------------------------

void TFormBigSearch::BuildTree() {
  const QSignalBlocker block(tree_);
  tree_->clear();
  QTreeWidgetItem* first = nullptr;
  for (const FullSearchTreeRoot& root : BuildFullSearchTree(job_)) {
    auto* root_item = new QTreeWidgetItem(tree_, {ToDisplayText(root.caption)});
    root_item->setData(0, kNodeRole, -1);
    for (const FullSearchTreeModule& m : root.modules) {
      auto* item = new QTreeWidgetItem(root_item, {ToDisplayText(m.caption)});
      item->setData(0, kNodeRole, static_cast<int>(m.node));
      if (first == nullptr) first = item;
    }
  }
  tree_->expandAll();
  if (first != nullptr) {
    tree_->setCurrentItem(first);
    ShowModule(static_cast<size_t>(first->data(0, kNodeRole).toInt()));
  }
}

bool TFormBigSearch::SelectModule(size_t node) {
  for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it) {
    const int n = (*it)->data(0, kNodeRole).toInt();
    if (n >= 0 && static_cast<size_t>(n) == node) {
      tree_->setCurrentItem(*it);  // shows the module through the selection
      return true;
    }
  }
  return false;
}

void TFormBigSearch::OnTreeSelection() {
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  const int node = selected.isEmpty() ? -1 : selected.front()->data(0, kNodeRole).toInt();
  if (node < 0 || static_cast<size_t>(node) >= job_.size()) {
    // A root node: nothing to show.
    current_node_ = -1;
    results_.clear();
    index_->clear();
    view_->Clear();
    page_html_.clear();
    return;
  }
  ShowModule(static_cast<size_t>(node));
}

void TFormBigSearch::ShowModule(size_t node) {
  const TLMBibleModule* kjv = library_.Kjv();
  if (node >= job_.size() || kjv == nullptr) return;
  current_node_ = static_cast<int>(node);
  results_ = job_[node].HitList();
  index_->clear();
  for (const std::string& item : FullSearchPageChooser(job_[node], results_, *kjv))
    index_->addItem(ToDisplayText(item));
  index_->setCurrentIndex(results_.empty() ? -1 : 0);
  ShowPage(0);
}

void TFormBigSearch::ApplyViewFont() {
  const config::Properties& p = config::GlobalProperties();
  view_->SetDefFontName(p.verse_list_view.main_font);
  view_->SetDefFontSize(p.verse_list_view.main_size);
  view_->SetDefFontColor(p.verse_list_view.text_color);
  view_->SetDefBackground(p.verse_list_view.background_color);
}

void TFormBigSearch::ShowPage(int start) {
  if (current_node_ < 0 || static_cast<size_t>(current_node_) >= job_.size()) return;
  const TLMBibleModule* kjv = library_.Kjv();
  if (kjv == nullptr) return;
  ApplyViewFont();
  FullSearchPageRequest request;
  request.node = &job_[static_cast<size_t>(current_node_)];
  request.results = &results_;
  request.start = start;
  request.search_text = searched_text_;
  request.case_sensitive = searched_case_;
  request.kjv = kjv;
  request.highlight = config::GlobalProperties().key_hilight_color;
  std::string html = FullSearchPageHtml(request);
  if (html.empty()) return;
  page_html_ = std::move(html);
  view_->LoadHtml(page_html_);
}

void TFormBigSearch::OpenLink(const std::string& href) {
  if (current_node_ < 0 || static_cast<size_t>(current_node_) >= job_.size()) return;
  const TBigSearchNode& node = job_[static_cast<size_t>(current_node_)];
  const FullSearchLink link = ResolveFullSearchLink(href, node, results_);
  switch (link.kind) {
    case FullSearchLink::kNone:
      return;
    case FullSearchLink::kShowPage:
      index_->setCurrentIndex(link.chooser_item);
      ShowPage(link.start);
      return;
    case FullSearchLink::kOpenVerse:
      if (node.module.bible != nullptr && host_.open_verse)
        host_.open_verse(*node.module.bible, link.target);
      return;
    case FullSearchLink::kOpenComment:
      if (node.module.commentary != nullptr && host_.open_comment)
        host_.open_comment(*node.module.commentary, link.target, searched_text_, searched_case_);
      return;
    case FullSearchLink::kOpenEntry:
      if (node.module.book != nullptr && host_.open_entry)
        host_.open_entry(*node.module.book, link.target, searched_text_, searched_case_);
      return;
  }
}

}  // namespace lumora::ui
