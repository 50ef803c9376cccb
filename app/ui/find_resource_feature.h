// Find in a resource: "Find in Active Boo&k..." (F3) and "Find in Active
// &Commentary..." (F4) walk the occurrences of a text through the Book or
// Commentary shown in its pane, first inside the entry on screen (the
// widget's find), then entry by entry from the next one (the scan of
// search/find_in_resource.h). The dialog comes back after every hit, so
// repeated Find Next visits every occurrence; a pass that reaches the end
// asks before starting again from the beginning, never by itself.
#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <functional>

class QCheckBox;
class QPushButton;

namespace lumora::ui {

class THistoryComboBox;
class TMain;

inline constexpr const char* kSearchResourceHistoryId = "SearchResource";

// "Search Resource": the text with its history, "Case Sensitive", and the
// three ways out.
class TDlgSearchResource : public QDialog {
  Q_OBJECT

 public:
  enum Choice { kCancel = 0, kFindNext = 1, kFindFirst = 2 };

  TDlgSearchResource(THistoryComboBox* text_box, std::function<void(const QString&)> help,
                     QWidget* parent = nullptr);

  // The button Enter presses: Find First when a command starts, Find Next
  // after a hit.
  void SetDefaultChoice(Choice choice);
  Choice Result() const { return choice_; }
  QString Text() const;
  void SetText(const QString& text);
  bool CaseSensitive() const;

  THistoryComboBox* TextBox() const { return text_box_; }
  QCheckBox* CaseBox() const { return case_; }
  QPushButton* NextButton() const { return next_; }
  QPushButton* FirstButton() const { return first_; }
  // Closes with `choice` as a button of the dialog does.
  void Choose(Choice choice);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  THistoryComboBox* text_box_ = nullptr;
  QCheckBox* case_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* first_ = nullptr;
  Choice choice_ = kCancel;
};

class TFindResourceFeature : public QObject {
  Q_OBJECT

 public:
  enum class Target { kBook, kCommentary };

  explicit TFindResourceFeature(TMain& main);

  bool CanFind(Target target) const;
  // The command: caption, then the dialog.
  void FindCommand(Target target);
  TDlgSearchResource* Dialog();
  // What a choice of the dialog does (the dialog's finished signal).
  void Run(TDlgSearchResource::Choice choice);

  // Information messages with OK and Help; tests record them.
  std::function<void(const QString& text, const QString& help_topic)> info_message;

 private:
  // One pass from `first_item`; true when a hit is shown.
  bool Pass(int first_item, const std::string& text, bool case_sensitive, bool& stopped);
  bool FindInShownEntry(const std::string& text, bool case_sensitive);
  void ShowHit(int item, const std::string& text, bool case_sensitive);
  int CurrentItem() const;
  void ShowInfo(const QString& text);
  void Reopen(TDlgSearchResource::Choice default_choice);

  TMain& main_;
  QPointer<TDlgSearchResource> dialog_;
  Target target_ = Target::kBook;
};

void InstallFindResource(TMain& main);

}  // namespace lumora::ui
