// TDlgResourceLink2: the "Reference Links" chooser. When several entries of
// a Book reference a verse, the window lists their titles; a click (or
// Enter) opens the entry with the verse marked, and the window stays open.
// It is a tool window of the main window: not modal, above the main window
// only, Esc closes it.
//
// Geometry: placed at the stored "StateResourceLink" record when that lies
// on a screen (the main window's rule), else centred on the main window;
// the record follows every move and resize while the window shows, so the
// settings saved at close hold its last place.
//
// The Book is the library's: on modulesAboutToChange the window empties
// and hides, so it never acts on a module that went.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace lumora {
class TLMBibleModule;
class TLMDictionaryModule;
}  // namespace lumora

namespace lumora::ui {

class TLibrary;

inline constexpr const char* kEntryTitleNotFoundMessage = "Error: Entry title not found.";

class TDlgResourceLink2 : public QDialog {
  Q_OBJECT

 public:
  TDlgResourceLink2(TLibrary& library, QWidget* main_window);
  ~TDlgResourceLink2() override;

  // Fills the window for `verse` of `book` with the titles of `entries`
  // (entry numbers of `book`, in its stored order); `titles` names the verse
  // in the caption and LabelRef. Does not show the window.
  void Fill(const TLMDictionaryModule& book, int verse, const TLMBibleModule& titles,
            const std::vector<int>& entries);
  // Shows (placed on its first show), raises and activates the window.
  void Present();
  // No Book, no verse, an empty list.
  void Empty();

  const TLMDictionaryModule* Book() const { return book_; }
  int Verse() const { return verse_; }
  QLabel* LabelTitle() const { return label_title_; }
  QLabel* LabelRef() const { return label_ref_; }
  QListWidget* ListBox() const { return list_; }

  // Opens list row `row`: the Book view shows the entry of that title,
  // marking the verse; a title the Book no longer has gives
  // kEntryTitleNotFoundMessage.
  void OpenRow(int row);

  // What opening a title does: show `entry` of `book` marking `verse`.
  std::function<void(const TLMDictionaryModule& book, int entry, int verse)> on_open;
  // The chooser's message (plain text).
  std::function<void(const QString& text)> on_message;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void PlaceWindow();
  void StoreGeometry();

  TLibrary& library_;
  QLabel* label_title_ = nullptr;
  QLabel* label_ref_ = nullptr;
  QListWidget* list_ = nullptr;
  const TLMDictionaryModule* book_ = nullptr;
  int verse_ = 0;
  bool placed_ = false;
};

}  // namespace lumora::ui
