// A first Commentary pane: tabs and the comment's text. The full pane
// (resource view, entry box, history, commands) replaces it.
#include "views/comment_view.h"

#include <QVBoxLayout>

#include "render/ui/html_view.h"
#include "views/actions.h"
#include "views/library.h"
#include "views/resource_tabs.h"

namespace lumora::ui {

TFrameCommentView::TFrameCommentView(const TPaneContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("FrameCommentView"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  tabs_ = new TResourceTabs(this);
  tabs_->setObjectName(QStringLiteral("TabsCommentary"));
  layout->addWidget(tabs_);
  html_view_ = new THtmlView(this);
  layout->addWidget(html_view_, 1);
  setFocusProxy(html_view_);
  ActionMax = context_.actions.Add(this, QStringLiteral("ActionMax"),
                                   QStringLiteral("Maximize Commentary View"),
                                   QStringLiteral("Maximize Commentary View"),
                                   QKeySequence(Qt::SHIFT | Qt::Key_F12), Qt::WindowShortcut);
  connect(ActionMax, &QAction::triggered, this,
          [this] { context_.host.MaximizePane(TPane::kCommentary); });
  connect(tabs_, &TResourceTabs::currentTabChanged, this, [this](int) {
    if (current_position_ >= 0) ShowCommentAt(current_position_);
  });
}

TFrameCommentView::~TFrameCommentView() = default;

void TFrameCommentView::SetCommentaries() {
  std::vector<TResourceTabs::Entry> entries;
  for (const TLMCommentaryModule* c : context_.library.Commentaries())
    entries.push_back({c->GetAbbreviation(), c->GetTitle(), &c->tab_visible});
  tabs_->SetEntries(std::move(entries));
  current_position_ = -1;
  html_view_->Clear();
}

const TLMCommentaryModule* TFrameCommentView::CurrentCommentary() const {
  const auto& list = context_.library.Commentaries();
  const int i = tabs_->currentIndex();
  return i >= 0 && i < static_cast<int>(list.size()) ? list[static_cast<size_t>(i)] : nullptr;
}

THtmlView* TFrameCommentView::HTMLView() const { return html_view_; }

void TFrameCommentView::ShowComment(int k, int position, int, int, bool) {
  if (k < 0 || k >= tabs_->count()) return;
  tabs_->SetCurrentSilently(k);
  ShowCommentAt(position);
}

void TFrameCommentView::ShowCommentAt(int position) {
  const TLMCommentaryModule* c = CurrentCommentary();
  if (c == nullptr || position < 0 || position > kLastCommentaryPosition) return;
  context_.host.ShowPane(TPane::kCommentary);
  current_position_ = position;
  html_view_->LoadHtml(c->GetEntryText(position));
  Q_EMIT stateChanged();
}

void TFrameCommentView::ShowCommentEntry(int) {}

void TFrameCommentView::RefreshView() {
  if (current_position_ >= 0) ShowCommentAt(current_position_);
}

}  // namespace lumora::ui
