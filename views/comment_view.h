// TFrameCommentView: the Commentary pane. The comment of one Commentary on
// one verse: a tab per Commentary, a tool bar with history, the entry box
// of the Commentary's titles and the resource view, which it fills through
// the entry renderer. It moves on Commentary links, the Bible view's and
// verse list's "Go to" items, bookmarks, searches and its own controls; it
// does not follow the Bible view by itself.
#pragma once

#include <QWidget>

#include "views/pane_host.h"
#include "views/settings.h"

class QAction;

namespace lumora::ui {

class THtmlView;
class TResourceTabs;

class TFrameCommentView : public QWidget {
  Q_OBJECT

 public:
  TFrameCommentView(const TPaneContext& context, QWidget* parent = nullptr);
  ~TFrameCommentView() override;

  // The library's Commentaries: tabs, history emptied, no position shown.
  void SetCommentaries();
  // Commentary k of the library's list at slot `position`, marking verses
  // first..last; `force` re-selects the tab even when it is current.
  void ShowComment(int k, int position, int first, int last, bool force);
  // The current Commentary at slot `position` (tabs untouched).
  void ShowCommentAt(int position);
  // The entry whose title is item n of the entry box.
  void ShowCommentEntry(int n);
  // The display settings again, the current position re-shown (always
  // redrawn), no history recorded.
  void RefreshView();

  const TLMCommentaryModule* CurrentCommentary() const;
  // Slot shown, -1 for none.
  int CurrentPosition() const { return current_position_; }
  THtmlView* HTMLView() const;
  TResourceTabs* Tabs() const { return tabs_; }

  QAction* ActionMax = nullptr;

 Q_SIGNALS:
  void stateChanged();

 private:
  TPaneContext context_;
  TResourceTabs* tabs_ = nullptr;
  THtmlView* html_view_ = nullptr;
  int current_position_ = -1;
};

}  // namespace lumora::ui
