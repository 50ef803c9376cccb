// TFrameDictView: the Book pane. One entry of one Book at a time: a tab per
// Book, a tool bar with history and the entry box of the Book's titles, and
// the resource view, which it fills through the entry renderer. It keeps the
// topic across Books, adds Strong's search links under lexicon articles and
// offers the user-Book commands.
#pragma once

#include <QWidget>
#include <string>

#include "views/pane_host.h"
#include "views/settings.h"

class QAction;

namespace lumora::ui {

class THtmlView;
class TResourceTabs;

class TFrameDictView : public QWidget {
  Q_OBJECT

 public:
  TFrameDictView(const TPaneContext& context, QWidget* parent = nullptr);
  ~TFrameDictView() override;

  // The library's Books: tabs rebuilt, history emptied, entry list cleared.
  void SetBooks();
  // Selects `book`'s tab (revealed if hidden); the tab change keeps the
  // topic. Nothing when it is current or not loaded.
  void ShowBook(const TLMDictionaryModule* book);
  // The first Book whose abbreviation or title equals `name` (no case).
  void ShowBookByName(const std::string& name);
  // Entry `entry` of the current Book, marking verses first..last
  // (kNoMarkedVerse: none, and always redrawn).
  void ShowEntry(int entry, int first, int last);
  // The first entry whose title begins with `word` (no case).
  void LookUpWord(const std::string& word);
  // The display settings again; the current entry redrawn.
  void RefreshView();

  const TLMDictionaryModule* CurrentBook() const;
  // Entry shown, -1 for none.
  int CurrentEntry() const { return current_entry_; }
  THtmlView* HTMLView() const;
  TResourceTabs* Tabs() const { return tabs_; }

  QAction* ActionMax = nullptr;

 Q_SIGNALS:
  void stateChanged();

 private:
  TPaneContext context_;
  TResourceTabs* tabs_ = nullptr;
  THtmlView* html_view_ = nullptr;
  int current_entry_ = -1;
};

}  // namespace lumora::ui
