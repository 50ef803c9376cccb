// TMain: the pane layout. Which panes show follows the show and hide rules
// of app/pane_layout.h; every size comes from the three stored fractions,
// applied whenever a pane shows or hides and whenever the client area
// changes size. Only a user's splitter drag changes a fraction.
#include <QSplitter>

#include "app/ui/main_window.h"
#include "config/properties.h"
#include "views/actions.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

LayoutPane ToLayout(TPane pane) {
  switch (pane) {
    case TPane::kVerseList: return LayoutPane::kVerseList;
    case TPane::kBook: return LayoutPane::kBook;
    case TPane::kBible: return LayoutPane::kBible;
    case TPane::kCommentary: break;
  }
  return LayoutPane::kCommentary;
}

TPane FromLayout(LayoutPane pane) {
  switch (pane) {
    case LayoutPane::kVerseList: return TPane::kVerseList;
    case LayoutPane::kBook: return TPane::kBook;
    case LayoutPane::kBible: return TPane::kBible;
    case LayoutPane::kCommentary: break;
  }
  return TPane::kCommentary;
}

}  // namespace

QWidget* TMain::PaneWidget(TPane pane) const {
  switch (pane) {
    case TPane::kVerseList: return verse_list_view_;
    case TPane::kBook: return dict_view_;
    case TPane::kBible: return bible_view_;
    case TPane::kCommentary: break;
  }
  return comment_view_;
}

bool TMain::PaneVisible(TPane pane) const {
  const QWidget* w = PaneWidget(pane);
  // Hidden columns hide their panes; "visible" means shown in the layout.
  // (Null while the panes are being made.)
  return w != nullptr && !w->isHidden() && !w->parentWidget()->isHidden();
}

PaneVisibility TMain::Visibility() const {
  PaneVisibility v;
  v.verse_list = PaneVisible(TPane::kVerseList);
  v.book = PaneVisible(TPane::kBook);
  v.bible = PaneVisible(TPane::kBible);
  v.commentary = PaneVisible(TPane::kCommentary);
  return v;
}

int TMain::VisiblePaneCount() const { return Visibility().Count(); }

int TMain::PaneHeight(TPane pane) const {
  return PaneVisible(pane) ? PaneWidget(pane)->height() : 0;
}

void TMain::SetPaneShown(TPane pane, bool shown) {
  QWidget* w = PaneWidget(pane);
  auto* column = static_cast<QSplitter*>(w->parentWidget());
  if (shown) {
    if (column->isHidden()) column->show();
    w->show();
  } else {
    w->hide();
    bool any = false;
    for (int i = 0; i < column->count(); ++i) any = any || !column->widget(i)->isHidden();
    if (!any) column->hide();
  }
}

void TMain::ShowPane(TPane pane) {
  if (pane_showing_locked_) return;
  if (pane == TPane::kBook && library_->Books().empty()) return;
  if (pane == TPane::kCommentary && library_->Commentaries().empty()) return;
  if (PaneVisible(pane)) return;
  SetPaneShown(pane, true);
  ApplyLayout();
  actions_->Invalidate();
}

void TMain::HidePane(TPane pane) {
  if (!PaneVisible(pane)) return;
  SetPaneShown(pane, false);
  ApplyLayout();
  actions_->Invalidate();
}

void TMain::MaximizePane(TPane pane) {
  for (const PaneStep& step : MaximizeSteps(ToLayout(pane))) {
    if (step.show)
      ShowPane(FromLayout(step.pane));
    else
      HidePane(FromLayout(step.pane));
  }
}

void TMain::ApplyLayout() {
  if (splitter_lr_ == nullptr || applying_layout_) return;
  applying_layout_ = true;
  const config::Properties& p = config::GlobalProperties();
  const PaneFractions f{p.left_panel_pct, p.left_top_pct, p.right_bottom_pct};
  const PaneVisibility v = Visibility();
  const int width = splitter_lr_->width();
  const int height = splitter_lr_->height();
  const PaneSizes s = ComputePaneSizes(v, f, width, height);
  // Every size is set, also where a pane or column is hidden (its share is
  // then 0), so a splitter never keeps the share of a pane that went.
  splitter_lr_->setSizes({s.left_width, width - s.left_width});
  panel_left_->setSizes({s.verse_list_height, height - s.verse_list_height});
  panel_right_->setSizes({height - s.commentary_height, s.commentary_height});
  applying_layout_ = false;
}

void TMain::OnSplitterMoved(QSplitter* splitter) {
  if (applying_layout_) return;
  config::Properties& p = config::GlobalProperties();
  if (splitter == splitter_lr_) {
    p.left_panel_pct =
        FractionAfterDrag(panel_left_->width(), splitter_lr_->width(), p.left_panel_pct);
  } else if (splitter == panel_left_) {
    p.left_top_pct =
        FractionAfterDrag(verse_list_view_->height(), panel_left_->height(), p.left_top_pct);
  } else if (splitter == panel_right_) {
    p.right_bottom_pct =
        FractionAfterDrag(comment_view_->height(), panel_right_->height(), p.right_bottom_pct);
  }
}

void TMain::RestoreDefaultSizes() {
  config::Properties& p = config::GlobalProperties();
  p.left_panel_pct = p.left_top_pct = p.right_bottom_pct = 0.45;
  ApplyLayout();
  for (TPane pane : {TPane::kBible, TPane::kVerseList, TPane::kBook, TPane::kCommentary})
    ShowPane(pane);
}

}  // namespace lumora::ui
