// TTopicGuideForm: the topic and verse guide window. One text box: a verse
// reference lists what every resource says about the verse, any other text
// the Book entries titled with it; a click opens the item in its pane with
// the looked-up verses marked. The last search's items stay clickable until
// the next search, or until the library changes (they are dropped first).
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "search/topic_guide.h"

class QLineEdit;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumora::ui {

class TLibrary;

struct TTopicGuideHost {
  std::function<void(const TLMBibleModule& bible, int verse)> open_verse;
  // `first`..`last`: the verses to mark; 0 and 0 mark nothing.
  std::function<void(const TLMCommentaryModule& commentary, int slot, int first, int last)>
      open_comment;
  std::function<void(const TLMDictionaryModule& book, int entry, int first, int last)> open_entry;
  std::function<void(const QString& topic)> show_help;
  std::function<void(const QString& text)> message;
};

class TTopicGuideForm : public QWidget {
  Q_OBJECT

 public:
  TTopicGuideForm(TLibrary& library, TTopicGuideHost host, QWidget* parent = nullptr);
  ~TTopicGuideForm() override;

  void RestoreState();
  void StoreState();
  // Shows the window (the tree in the Bible view's font) and raises it.
  void ShowWindow();
  // "Search" with the box's text; ignored while a search runs.
  void Search();
  // The panes' way in: the text into the box, the window shown, searched.
  void SearchFor(const QString& text);
  bool Busy() const { return busy_; }
  // Hits and tree gone (the library is about to change).
  void DropResults();

  QLineEdit* TopicBox() const { return edit_; }
  QPushButton* SearchButton() const { return search_; }
  QTreeWidget* Tree() const { return tree_; }
  QStatusBar* StatusBar() const { return status_; }
  const TopicGuideResult& LastResult() const { return result_; }
  // Opens the item of a tree node as a click does; false for nodes
  // without an item.
  bool OpenItem(QTreeWidgetItem* item);

  // Called while a search lets events run (tests act there).
  std::function<void()> on_events;

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildTree();
  void ApplyTreeFont();

  TLibrary& library_;
  TTopicGuideHost host_;
  QLineEdit* edit_ = nullptr;
  QPushButton* search_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QStatusBar* status_ = nullptr;
  bool busy_ = false;
  // The engine (its reference parser is built on first use), made again
  // after every change of the library.
  std::unique_ptr<TopicGuide> guide_;
  TopicGuideResult result_;
};

}  // namespace lumora::ui
