// The verse-entry dialog of "Copy Verse(s)...", "Export Verses to File...",
// "Print Verse(s)..." and "Display Verse(s)...": a reference box with the
// "Export" history list, the Bible to take the text from, examples, and the
// "Configure &Formatting..." button.
//
// On every opening the result is emptied, the Bible list refilled (the
// preselected Bible is the Bible view's) and the reference box focused
// with its text selected. OK parses the text with the KJV Bible's book
// titles; the result (empty when nothing was recognised) goes to the
// caller's callback. Cancel gives an empty result. Hiding the dialog
// commits the box's history.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/refs/verse_range.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace lumora {
class TLMBibleModule;
}

namespace lumora::config {
class SettingsStorage;
}

namespace lumora::ui {

class THistoryBox;
class TLibrary;

class TDlgVerseEntry : public QDialog {
  Q_OBJECT

 public:
  TDlgVerseEntry(TLibrary& library, config::SettingsStorage& storage, QWidget* parent = nullptr);

  struct TRequest {
    QString caption;            // "Copy Verse(s)"
    QString help_topic;         // "Scribble240" when empty
    bool display_only = false;  // "Display Verse(s)...": Help, Formatting and the Bible list hidden
    const TLMBibleModule* preselect = nullptr;  // the Bible view's Bible
  };
  // The recognised ranges (possibly empty) and the chosen Bible (null when
  // cancelled or no Bible is loaded).
  using TDone = std::function<void(const TVerseRangeList& ranges, const TLMBibleModule* bible)>;

  // Opens window-modally and returns at once; `done` runs when it closes.
  void Open(const TRequest& request, TDone done);

  THistoryBox* ReferenceBox() const { return reference_box_; }
  QComboBox* BibleList() const { return bible_list_; }
  QPushButton* FormattingButton() const { return formatting_; }
  QPushButton* HelpButton() const { return help_; }
  const TVerseRangeList& Ranges() const { return ranges_; }

  // "&Help" shows the request's topic through show_help (disabled while
  // unset); "Configure &Formatting..." runs configure_formatting.
  std::function<void(const QString& topic)> show_help;
  std::function<void()> configure_formatting;

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void FillBibles(const TLMBibleModule* preselect);
  void Finish(bool accepted);

  TLibrary& library_;
  THistoryBox* reference_box_ = nullptr;
  QLabel* bible_label_ = nullptr;
  QComboBox* bible_list_ = nullptr;
  QPushButton* help_ = nullptr;
  QPushButton* formatting_ = nullptr;
  QString help_topic_;
  TVerseRangeList ranges_;
  TDone done_;
};

}  // namespace lumora::ui
