// The Bible search command on a real main window over the synthetic
// library: the dialog's ranges, Bible choice and clamp, the two messages
// with the dialog back as it was, the word list, the history, and hits in
// the verse list from the dialog, the panes' selected text and "stgsrch".
#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "app/ui/history_combo_box.h"
#include "app/ui/search_bible_dialog.h"
#include "app/ui/search_feature.h"
#include "app/ui/search_range_dialogs.h"
#include "render/ui/display_text.h"
#include "render/ui/html_view.h"
#include "search/bible_search_text.h"
#include "tests/support/test_bible.h"
#include "tests/ui/synthetic_main_window.h"
#include "views/bible_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/resource_view_frame.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

using test::V;

class SearchBibleUiTest : public test::SyntheticMainWindowTest {
 protected:
  TMain& StartShown() {
    TMain& w = Start();
    ShowActive();
    feature_ = w.findChild<TSearchFeature*>(QStringLiteral("SearchFeature"));
    EXPECT_NE(feature_, nullptr);
    feature_->info_message = [this](const QString& text, const QString& topic) {
      infos_ << text;
      EXPECT_EQ(topic, QStringLiteral("Scribble90"));
    };
    return w;
  }
  // F2, as the user starts it.
  TSearchBibleDlg* Open() {
    QAction* f2 = Main("ActionSearchBible");
    EXPECT_TRUE(f2->isEnabled());
    EXPECT_EQ(f2->shortcut(), QKeySequence(Qt::Key_F2));
    f2->trigger();
    TSearchBibleDlg* dialog = feature_->Dialog();
    EXPECT_TRUE(dialog->isVisible());
    return dialog;
  }
  void Ok(TSearchBibleDlg* dialog) {
    dialog->accept();
    test::Settle();
  }
  QString Info(const char* text) const { return QString::fromLatin1(text); }

  TSearchFeature* feature_ = nullptr;
  QStringList infos_;
};

TEST_F(SearchBibleUiTest, DialogHitsFillTheVerseListWithTheirKeys) {
  TMain& w = StartShown();
  TSearchBibleDlg* dialog = Open();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Search Bible Text"));
  QComboBox* versions = dialog->Versions();
  ASSERT_EQ(versions->count(), static_cast<int>(w.Library().Bibles().size()));
  EXPECT_EQ(versions->currentText(), QStringLiteral("KJV (KJV Test Bible)"));
  EXPECT_EQ(versions->maxVisibleItems(), 20);
  EXPECT_EQ(dialog->RangeLabel()->text(), QStringLiteral("Ge 1:1 - Re 22:21"));
  LUMORA_WAIT_UNTIL(dialog->SearchBox()->hasFocus());
  QTest::keyClicks(dialog->SearchBox()->lineEdit(), QStringLiteral("so loved"));
  dialog->Types()->button(3)->click();  // the exact phrase
  Ok(dialog);
  EXPECT_TRUE(infos_.isEmpty()) << infos_.join(QLatin1Char('|')).toStdString();
  EXPECT_FALSE(dialog->isVisible());
  TFrameVerseListView* list = w.VerseListView();
  EXPECT_EQ(list->List(), (TVerseList{test::kJohn3_16}));
  EXPECT_EQ(list->Keys(), (TKeyArray{"so", "loved"}));
  EXPECT_EQ(list->Title(), "KJV search: so loved");
  EXPECT_EQ(list->Bible(), w.Library().FindBible("KJV"));
  EXPECT_TRUE(w.PaneVisible(TPane::kVerseList));
  // Footnotes were searched, so the list shows them.
  EXPECT_TRUE(P().verse_list_view.show_footnotes);
  // The text went to the top of the history, which is stored.
  ASSERT_FALSE(P().Mru(config::MruId::kSearchBible).empty());
  EXPECT_EQ(P().Mru(config::MruId::kSearchBible).front(), "so loved");

  // The next search starts from the same dialog, everything kept.
  dialog = Open();
  EXPECT_EQ(dialog->Text(), QStringLiteral("so loved"));
  EXPECT_EQ(dialog->SearchType(), 3);
  EXPECT_EQ(dialog->SearchBox()->lineEdit()->selectedText(), QStringLiteral("so loved"));
  dialog->reject();
}

TEST_F(SearchBibleUiTest, BlankAndFruitlessSearchesAnswerAndReopenTheDialogUnchanged) {
  StartShown();
  const struct {
    const char* typed;
    const char* message;
  } cases[] = {
      {"   ", kNoSearchWordsMessage},
      {"", kNoSearchWordsMessage},
      {". , ;", kNoVersesFoundMessage},  // nothing left once punctuation goes
      {"zzzqx", kNoVersesFoundMessage},
      {"loved zzzqx", kNoVersesFoundMessage},  // all of the words
      // A character the code page lacks never becomes a "?" that matches.
      {"lo\xE2\x80\x94ved", kNoVersesFoundMessage},
  };
  for (const auto& c : cases) {
    infos_.clear();
    TSearchBibleDlg* dialog = Open();
    dialog->ChooseOldTestament();
    dialog->CaseBox()->setChecked(true);
    dialog->SetText(QString::fromUtf8(c.typed));
    Ok(dialog);
    ASSERT_EQ(infos_.size(), 1) << c.typed;
    EXPECT_EQ(infos_.front(), Info(c.message)) << c.typed;
    EXPECT_TRUE(dialog->isVisible()) << c.typed;
    EXPECT_EQ(dialog->Text(), QString::fromUtf8(c.typed));
    EXPECT_EQ(dialog->Range(), (SearchRange{1, 23145}));
    EXPECT_TRUE(dialog->CaseSensitive());
    dialog->CaseBox()->setChecked(false);
    dialog->reject();
  }
  EXPECT_TRUE(window_->VerseListView()->List().empty());
}

TEST_F(SearchBibleUiTest, RangeButtonsBookPopupCustomRangeAndClamp) {
  TMain& w = StartShown();
  TSearchBibleDlg* dialog = Open();
  dialog->Button(QStringLiteral("OldTestamentButton"))->click();
  EXPECT_EQ(dialog->Range(), (SearchRange{1, 23145}));
  EXPECT_EQ(dialog->RangeLabel()->text(), QStringLiteral("Ge 1:1 - Mal 4:6"));
  dialog->Button(QStringLiteral("NewTestamentButton"))->click();
  EXPECT_EQ(dialog->Range(), (SearchRange{23146, 31102}));
  dialog->Button(QStringLiteral("AllButton"))->click();
  EXPECT_EQ(dialog->Range(), (SearchRange{1, 31102}));

  // The book popup: every book, in four columns.
  QMenu* books = dialog->BookMenu();
  ASSERT_NE(books, nullptr);
  EXPECT_EQ(books->findChildren<QToolButton*>().size(), 66);
  QToolButton* john = books->findChild<QToolButton*>(QStringLiteral("Book43"));
  ASSERT_NE(john, nullptr);
  EXPECT_EQ(john->text(), QStringLiteral("Joh"));
  john->click();
  EXPECT_EQ(dialog->Range(), (SearchRange{V(43, 1, 1), V(43, 21, 25)}));

  // "loved" lies in John 3:16 only: outside the range nothing is found.
  dialog->ChooseOldTestament();
  dialog->SetText(QStringLiteral("loved"));
  Ok(dialog);
  EXPECT_EQ(infos_, QStringList{Info(kNoVersesFoundMessage)});

  // Custom: the frame opens on the current range; its choices follow the
  // rules and OK takes them.
  dialog->Button(QStringLiteral("CustomButton"))->click();
  TSetSearchRangeDlg* custom = dialog->RangeDialog();
  ASSERT_TRUE(custom->isVisible());
  EXPECT_EQ(custom->windowTitle(), QStringLiteral("Set Custom Search Range"));
  TFrameSelectVerseRange* frame = custom->Frame();
  EXPECT_EQ(frame->FirstVerse(), 1);
  EXPECT_EQ(frame->LastVerse(), 23145);
  EXPECT_EQ(frame->Choice(0)->maxVisibleItems(), 12);
  Q_EMIT frame->Choice(0)->activated(42);  // first book: John
  EXPECT_EQ(frame->FirstVerse(), V(43, 1, 1));
  EXPECT_EQ(frame->LastVerse(), V(43, 21, 25));
  EXPECT_EQ(frame->Choice(1)->count(), 21);
  Q_EMIT frame->Choice(1)->activated(2);  // first chapter 3
  Q_EMIT frame->Choice(4)->activated(2);  // last chapter 3
  EXPECT_EQ(frame->Choice(5)->count(), 36);
  EXPECT_EQ(frame->Choice(5)->currentText(), QStringLiteral("36"));
  custom->accept();
  EXPECT_EQ(dialog->Range(), (SearchRange{V(43, 3, 1), V(43, 3, 36)}));
  EXPECT_EQ(dialog->RangeLabel()->text(), QStringLiteral("Joh 3:1 - Joh 3:36"));
  infos_.clear();
  Ok(dialog);
  EXPECT_TRUE(infos_.isEmpty());
  EXPECT_EQ(w.VerseListView()->List(), (TVerseList{test::kJohn3_16}));

  // A range beyond the Bible is clamped when the dialog opens.
  dialog->SetRange({0, 99999});
  dialog = Open();
  EXPECT_EQ(dialog->Range(), (SearchRange{1, 31102}));
  dialog->SetRange({500, 20});
  dialog = Open();
  EXPECT_EQ(dialog->Range(), (SearchRange{500, 31102}));
  dialog->reject();
}

TEST_F(SearchBibleUiTest, ExcludeFootnotesFollowsTheBibleAndDropsFootnoteOnlyHits) {
  TMain& w = StartShown();
  TSearchBibleDlg* dialog = Open();
  // "lost" stands only in John 3:16's footnote.
  dialog->SetText(QStringLiteral("lost"));
  ASSERT_TRUE(dialog->FootnotesBox()->isEnabled());
  dialog->FootnotesBox()->setChecked(true);
  Ok(dialog);
  EXPECT_EQ(infos_, QStringList{Info(kNoVersesFoundMessage)});
  EXPECT_FALSE(P().verse_list_view.show_footnotes);
  dialog->FootnotesBox()->setChecked(false);
  Ok(dialog);
  EXPECT_EQ(w.VerseListView()->List(), (TVerseList{test::kJohn3_16}));
  EXPECT_TRUE(P().verse_list_view.show_footnotes);
}

TEST_F(SearchBibleUiTest, BibleChoiceHandedInByPreferenceAndWordList) {
  TMain& w = StartShown();
  const TLMBibleModule* kjvsl = w.Library().StrongsLinksBible();
  ASSERT_NE(kjvsl, nullptr);
  // "stgsrch" from the Book pane: the number and the Strong's-links Bible.
  bool handled = false;
  w.DictView()->ResourceView()->HTMLViewerHotSpotClick("stgsrch:G25", handled);
  TSearchBibleDlg* dialog = feature_->Dialog();
  ASSERT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->Text(), QStringLiteral("G25"));
  EXPECT_EQ(dialog->Bible(), kjvsl);
  Ok(dialog);
  EXPECT_EQ(w.VerseListView()->List(), (TVerseList{test::kJohn3_16}));
  ASSERT_EQ(w.VerseListView()->Keys().size(), 1u);
  EXPECT_EQ(w.VerseListView()->Keys()[0], "\x03$0019");
  EXPECT_EQ(w.VerseListView()->Title(), "KJVSL search: G25");

  // "Last searched": the choice stays; "active": the Bible view's.
  dialog = Open();
  EXPECT_EQ(dialog->Bible(), kjvsl);
  dialog->reject();
  P().search_bible_default = 1;
  dialog = Open();
  EXPECT_EQ(dialog->Bible(), w.BibleViewBible());
  // The Bible decides whether footnotes can be left out.
  dialog->Versions()->setCurrentIndex(w.Library().IndexOf(w.Library().FindBible("WEB")));
  EXPECT_EQ(dialog->FootnotesBox()->isEnabled(), w.Library().FindBible("WEB")->HasFootnotes());

  // The word list: the Bible's words; typing selects the first word that
  // begins with the text; OK appends it after a blank.
  dialog->SetText(QStringLiteral("God"));
  dialog->Button(QStringLiteral("WordListButton"))->click();
  TDlgWordList* words = dialog->WordList();
  ASSERT_TRUE(words->isVisible());
  EXPECT_EQ(words->windowTitle(), QStringLiteral("WEB Word List"));
  EXPECT_TRUE(words->Word().empty());
  QTest::keyClicks(words->Line(), QStringLiteral("lov"));
  EXPECT_EQ(words->Word(), "loved");
  EXPECT_EQ(words->List()->currentIndex().data().toString(), QStringLiteral("loved"));
  words->accept();
  EXPECT_EQ(dialog->Text(), QStringLiteral("God loved"));
  dialog->reject();
}

TEST_F(SearchBibleUiTest, SelectedTextOfThePanesOpensTheDialogPrefilled) {
  TMain& w = StartShown();
  THtmlView* html = w.BibleView()->TextView()->HTMLView();
  html->selectAll();
  const std::string selected = html->SelectedText();
  ASSERT_FALSE(selected.empty());
  test::Settle();
  w.BibleView()->UpdateActions();
  ASSERT_TRUE(w.BibleView()->ActionSearchSelected->isEnabled());
  w.BibleView()->ActionSearchSelected->trigger();
  TSearchBibleDlg* dialog = feature_->Dialog();
  ASSERT_TRUE(dialog->isVisible());
  EXPECT_EQ(FromDisplayText(dialog->Text()), SearchTextFromSelection(selected));
  dialog->reject();
}

}  // namespace
}  // namespace lumora::ui
