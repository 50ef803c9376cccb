// A first Book pane: tabs and the entry's text. The full pane (resource
// view, entry box, history, commands) replaces it.
#include "views/dict_view.h"

#include <QVBoxLayout>

#include "core/text/cp1252.h"
#include "render/ui/html_view.h"
#include "views/actions.h"
#include "views/library.h"
#include "views/resource_tabs.h"

namespace lumora::ui {

TFrameDictView::TFrameDictView(const TPaneContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("FrameDictView"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  tabs_ = new TResourceTabs(this);
  tabs_->setObjectName(QStringLiteral("TabsBook"));
  layout->addWidget(tabs_);
  html_view_ = new THtmlView(this);
  layout->addWidget(html_view_, 1);
  setFocusProxy(html_view_);
  ActionMax = context_.actions.Add(this, QStringLiteral("ActionMax"),
                                   QStringLiteral("Maximize Book View"),
                                   QStringLiteral("Maximize Book View"),
                                   QKeySequence(Qt::SHIFT | Qt::Key_F11), Qt::WindowShortcut);
  connect(ActionMax, &QAction::triggered, this,
          [this] { context_.host.MaximizePane(TPane::kBook); });
  connect(tabs_, &TResourceTabs::currentTabChanged, this, [this](int) {
    current_entry_ = -1;
    ShowEntry(0, 0, 0);
  });
}

TFrameDictView::~TFrameDictView() = default;

void TFrameDictView::SetBooks() {
  std::vector<TResourceTabs::Entry> entries;
  for (const TLMDictionaryModule* b : context_.library.Books())
    entries.push_back({b->GetAbbreviation(), b->GetTitle(), &b->tab_visible});
  tabs_->SetEntries(std::move(entries));
  current_entry_ = -1;
  html_view_->Clear();
}

const TLMDictionaryModule* TFrameDictView::CurrentBook() const {
  const auto& list = context_.library.Books();
  const int i = tabs_->currentIndex();
  return i >= 0 && i < static_cast<int>(list.size()) ? list[static_cast<size_t>(i)] : nullptr;
}

THtmlView* TFrameDictView::HTMLView() const { return html_view_; }

void TFrameDictView::ShowBook(const TLMDictionaryModule* book) {
  const int i = context_.library.IndexOf(book);
  if (i >= 0 && i != tabs_->currentIndex()) tabs_->setCurrentIndex(i);
}

void TFrameDictView::ShowBookByName(const std::string& name) {
  for (const TLMDictionaryModule* b : context_.library.Books()) {
    if (cp1252::EqualNoCase(b->GetAbbreviation(), name) || cp1252::EqualNoCase(b->GetTitle(), name))
      return ShowBook(b);
  }
}

void TFrameDictView::ShowEntry(int entry, int, int) {
  const TLMDictionaryModule* b = CurrentBook();
  if (b == nullptr) return;
  context_.host.ShowPane(TPane::kBook);
  if (entry < 0 || entry >= b->EntryCount()) {
    html_view_->Clear();
    current_entry_ = -1;
    return;
  }
  current_entry_ = entry;
  html_view_->LoadHtml(b->GetEntryText(entry));
  Q_EMIT stateChanged();
}

void TFrameDictView::LookUpWord(const std::string&) {}

void TFrameDictView::RefreshView() {
  if (current_entry_ >= 0) ShowEntry(current_entry_, 0, 0);
}

}  // namespace lumora::ui
