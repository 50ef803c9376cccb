// A first verse list pane: the fixed tab and the text view. The full pane
// (tool bar, status bar, commands, menus) replaces it.
#include "views/verse_list_view.h"

#include <QVBoxLayout>

#include "config/properties.h"
#include "views/actions.h"
#include "views/library.h"
#include "views/resource_tabs.h"
#include "views/text_view_frame.h"

namespace lumora::ui {

TFrameVerseListView::TFrameVerseListView(const TPaneContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("FrameVerseListView"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  tabs_ = new TResourceTabs(this);
  tabs_->setObjectName(QStringLiteral("TabsVerseList"));
  tabs_->SetEntries({{"Verse List", "Verse List", nullptr}});
  layout->addWidget(tabs_);
  text_view_ = new TFrameTextView(context_.host, context_.library, this);
  layout->addWidget(text_view_, 1);
  setFocusProxy(text_view_->HTMLView());
  ActionMax = context_.actions.Add(this, QStringLiteral("ActionMax"),
                                   QStringLiteral("Maximize Verse List View"),
                                   QStringLiteral("Maximize Verse List View"),
                                   QKeySequence(Qt::SHIFT | Qt::Key_F9), Qt::WindowShortcut);
  connect(ActionMax, &QAction::triggered, this,
          [this] { context_.host.MaximizePane(TPane::kVerseList); });
}

TFrameVerseListView::~TFrameVerseListView() = default;

void TFrameVerseListView::SetBible(const TLMBibleModule* bible) { text_view_->SetBible(bible); }
const TLMBibleModule* TFrameVerseListView::Bible() const { return text_view_->Bible(); }
void TFrameVerseListView::SetCompareBible(const TLMBibleModule* bible) {
  text_view_->SetCompareBible(bible);
}
const TLMBibleModule* TFrameVerseListView::CompareBible() const {
  return text_view_->Renderer().CompareBible();
}

void TFrameVerseListView::LoadList(const TVerseList& verses, const TKeyArray& keys,
                                   const std::string& title, bool case_sensitive) {
  context_.host.ShowPane(TPane::kVerseList);
  verses_ = verses;
  title_ = title;
  TPassageRenderer& r = text_view_->Renderer();
  r.SetSettings(config::GlobalProperties().verse_list_view);
  r.SetPaged(true);
  r.SetPageFirst(0);
  text_view_->AttachLibrary(config::GlobalProperties().exclude_from_linking);
  text_view_->ShowVerses(verses_, keys, case_sensitive, true);
  Q_EMIT stateChanged();
}

void TFrameVerseListView::Rerender() {
  if (!verses_.empty()) text_view_->Rerender();
}

}  // namespace lumora::ui
