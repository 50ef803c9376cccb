// TFrameVerseListView: the verse list pane. Any list of verses of one Bible
// (search results, typed references, the verses an entry references),
// rendered in pages of 100 with the search words highlighted, with commands
// on the whole list and on the verse under the pointer.
#pragma once

#include <QWidget>
#include <string>

#include "render/verse_list.h"
#include "views/pane_host.h"
#include "views/settings.h"

class QAction;

namespace lumora::ui {

class TFrameTextView;
class TResourceTabs;

class TFrameVerseListView : public QWidget {
  Q_OBJECT

 public:
  TFrameVerseListView(const TPaneContext& context, QWidget* parent = nullptr);
  ~TFrameVerseListView() override;

  // Sets the Bible (no render).
  void SetBible(const TLMBibleModule* bible);
  const TLMBibleModule* Bible() const;
  void SetCompareBible(const TLMBibleModule* bible);
  const TLMBibleModule* CompareBible() const;
  // Shows the pane and the list from page 1.
  void LoadList(const TVerseList& verses, const TKeyArray& keys, const std::string& title,
                bool case_sensitive);
  // The stored list again at the same place (settings, Bible changes).
  void Rerender();

  const TVerseList& List() const { return verses_; }
  const std::string& Title() const { return title_; }
  TFrameTextView* TextView() const { return text_view_; }
  TResourceTabs* Tabs() const { return tabs_; }

  QAction* ActionMax = nullptr;

 Q_SIGNALS:
  void stateChanged();

 private:
  TPaneContext context_;
  TResourceTabs* tabs_ = nullptr;
  TFrameTextView* text_view_ = nullptr;
  TVerseList verses_;
  std::string title_;
};

}  // namespace lumora::ui
