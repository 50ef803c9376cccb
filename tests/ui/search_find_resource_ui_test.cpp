// Find First / Find Next through the shown Book and Commentary of a real
// main window over the synthetic library: occurrences inside the entry on
// screen, entry by entry after it, the question at the end and the
// messages, case, and a search that follows the pane when it moves.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QStatusBar>

#include "app/ui/find_resource_feature.h"
#include "app/ui/history_combo_box.h"
#include "render/ui/html_view.h"
#include "search/bible_search_text.h"
#include "search/find_in_resource.h"
#include "tests/support/test_bible.h"
#include "tests/ui/synthetic_main_window.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"

namespace lumora::ui {
namespace {

class SearchFindResourceUiTest : public test::SyntheticMainWindowTest {
 protected:
  TMain& StartShown() {
    TMain& w = Start();
    ShowActive();
    feature_ = w.findChild<TFindResourceFeature*>(QStringLiteral("FindResourceFeature"));
    EXPECT_NE(feature_, nullptr);
    feature_->info_message = [this](const QString& text, const QString& topic) {
      infos_ << text;
      EXPECT_EQ(topic, QStringLiteral("Scribble290"));
    };
    return w;
  }
  TDlgSearchResource* Open(const char* command) {
    QAction* action = Main(command);
    test::Settle();
    EXPECT_TRUE(action->isEnabled()) << command;
    action->trigger();
    TDlgSearchResource* dialog = feature_->Dialog();
    EXPECT_TRUE(dialog->isVisible());
    return dialog;
  }
  // Types `text` and presses the dialog's button for `choice`.
  void Find(TDlgSearchResource* dialog, const char* text, TDlgSearchResource::Choice choice) {
    ASSERT_TRUE(dialog->isVisible());
    dialog->SetText(QString::fromLatin1(text));
    (choice == TDlgSearchResource::kFindFirst ? dialog->FirstButton() : dialog->NextButton())
        ->click();
    test::Settle();
    EXPECT_TRUE(dialog->isVisible()) << "the dialog comes back after " << text;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window_->statusBar()->currentMessage().isEmpty());
  }

  TFindResourceFeature* feature_ = nullptr;
  QStringList infos_;
};

using Choice = TDlgSearchResource::Choice;

TEST_F(SearchFindResourceUiTest, BookOccurrencesInTheEntryThenLaterEntriesThenAgainFromTheTop) {
  TMain& w = StartShown();
  const TLMDictionaryModule* topics = w.Library().FindBook(test::kSyntheticTopics);
  ASSERT_NE(topics, nullptr);
  w.ShowBookEntry(*topics, 0, kNoMarkedVerse, kNoMarkedVerse);  // AARON
  TFrameDictView* pane = w.DictView();
  TDlgSearchResource* dialog = Open("ActionSearchDictionary");
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Find in Synthetic Topics"));
  EXPECT_TRUE(dialog->FirstButton()->isDefault());

  // "Father of the faithful" (ABRAHAM, entry 1) holds "fa" twice.
  Find(dialog, "fa", Choice::kFindFirst);
  EXPECT_EQ(pane->CurrentEntry(), 1);
  EXPECT_EQ(pane->HTMLView()->SelectedText(), "Fa");
  EXPECT_TRUE(dialog->NextButton()->isDefault());
  Find(dialog, "fa", Choice::kFindNext);
  EXPECT_EQ(pane->CurrentEntry(), 1);
  EXPECT_EQ(pane->HTMLView()->SelectedText(), "fa");
  // Then "cen far" in LINKS (entry 3).
  Find(dialog, "fa", Choice::kFindNext);
  EXPECT_EQ(pane->CurrentEntry(), 3);
  EXPECT_EQ(pane->HTMLView()->SelectedText(), "fa");
  // Past the last: asked, and Yes starts from the first entry.
  Find(dialog, "fa", Choice::kFindNext);
  EXPECT_EQ(questions_, QStringList{QString::fromLatin1(kFindAgainQuestion)});
  EXPECT_EQ(pane->CurrentEntry(), 1);
  EXPECT_TRUE(infos_.isEmpty());

  // Nowhere: the message, no question.
  questions_.clear();
  Find(dialog, "zzqx", Choice::kFindFirst);
  EXPECT_EQ(infos_, QStringList{QString::fromLatin1(kFindInBookNotFoundMessage)});
  EXPECT_TRUE(questions_.isEmpty());
  EXPECT_EQ(pane->CurrentEntry(), 1);

  // Blank text, and a character the code page lacks.
  infos_.clear();
  Find(dialog, "   ", Choice::kFindFirst);
  EXPECT_EQ(infos_, QStringList{QString::fromLatin1(kNoSearchWordsMessage)});
  infos_.clear();
  dialog->SetText(QString::fromUtf8("Mo\xE2\x80\x94ses"));
  dialog->FirstButton()->click();
  test::Settle();
  EXPECT_EQ(infos_, QStringList{QString::fromLatin1(kFindInBookNotFoundMessage)});

  // Without "Case Sensitive", MOSES finds Moses (AARON's entry).
  Find(dialog, "MOSES", Choice::kFindFirst);
  EXPECT_EQ(pane->CurrentEntry(), 0);
  EXPECT_EQ(pane->HTMLView()->SelectedText(), "Moses");
  dialog->reject();
  EXPECT_EQ(P().Mru(config::MruId::kSearchResource).front(), "MOSES");
}

TEST_F(SearchFindResourceUiTest, CommentarySlotsCaseAndTheSearchFollowsThePane) {
  TMain& w = StartShown();
  const TLMCommentaryModule* notes = w.Library().FindCommentary("CN");
  ASSERT_NE(notes, nullptr);
  w.ShowCommentary(notes, 0, 0, 0);
  TFrameCommentView* pane = w.CommentView();
  ASSERT_EQ(pane->CurrentCommentary(), notes);
  TDlgSearchResource* dialog = Open("ActionSearchCommentary");
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Find in Synthetic Notes"));

  dialog->CaseBox()->setChecked(true);
  Find(dialog, "GOD'S", Choice::kFindFirst);
  EXPECT_EQ(infos_, QStringList{QString::fromLatin1(kFindInCommentaryNotFoundMessage)});
  EXPECT_EQ(pane->CurrentPosition(), 0);
  dialog->CaseBox()->setChecked(false);
  Find(dialog, "GOD'S", Choice::kFindFirst);
  EXPECT_EQ(pane->CurrentPosition(), test::kJohn3_16 - 1);  // the slot of John 3:16
  EXPECT_EQ(pane->HTMLView()->SelectedText(), "God's");

  // Nothing after John 3:17: asked; No leaves the pane where it is.
  answer_yes_ = false;
  Find(dialog, "note", Choice::kFindNext);
  EXPECT_EQ(questions_, QStringList{QString::fromLatin1(kFindAgainQuestion)});
  EXPECT_EQ(pane->CurrentPosition(), test::kJohn3_16 - 1);

  // Moving in the pane moves the search: Find Next goes on after slot 0.
  w.ShowCommentary(notes, 0, 0, 0);
  questions_.clear();
  Find(dialog, "condemn", Choice::kFindNext);
  EXPECT_EQ(pane->CurrentPosition(), test::kJohn3_16);
  Find(dialog, "note", Choice::kFindNext);
  EXPECT_EQ(questions_.size(), 1);
  answer_yes_ = true;
  Find(dialog, "note", Choice::kFindNext);
  EXPECT_EQ(pane->CurrentPosition(), 0);  // "a note." in Genesis 1:1's slot
  dialog->reject();
}

}  // namespace
}  // namespace lumora::ui
