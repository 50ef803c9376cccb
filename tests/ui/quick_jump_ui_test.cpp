// The quick-jump box on a real main window over the synthetic library:
// typed references and Enter, the Commentary following only while its pane
// shows, the message for what cannot be placed, the selection, and the
// box's history drop-down across a restart.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <memory>

#include "app/ui/history_drop_down.h"
#include "app/ui/main_window.h"
#include "app/ui/quick_jump_feature.h"
#include "render/ui/html_view.h"
#include "tests/support/test_bible.h"
#include "tests/ui/synthetic_main_window.h"
#include "views/comment_view.h"

namespace lumora::ui {
namespace {

using test::V;

class QuickJumpUiTest : public test::SyntheticMainWindowTest {
 protected:
  TMain& StartShown() {
    TMain& w = Start();
    ShowActive();
    return w;
  }

  // Types `text` into the empty box and presses Enter, as a user does.
  void Type(const QString& text) {
    QLineEdit* box = window_->QuickJump();
    window_->MainAction("ActionFocusQuickJump")->trigger();
    LUMORA_WAIT_UNTIL(box->hasFocus());
    QTest::keyClicks(box, text);  // replaces the selected text
    ASSERT_EQ(box->text(), text);
    QTest::keyClick(box, Qt::Key_Return);
    test::Settle();
  }
  THistoryDropDown* History() { return window_->QuickJump()->findChild<THistoryDropDown*>(); }
};

TEST_F(QuickJumpUiTest, TypedReferencesMoveTheBibleAndTheShownCommentary) {
  TMain& w = StartShown();
  ASSERT_TRUE(w.PaneVisible(TPane::kCommentary));
  QLineEdit* box = w.QuickJump();
  THtmlView* bible_text = w.BibleView()->TextView()->HTMLView();
  const struct {
    const char* typed;
    bool commentary_shown;
    int verse;
    const char* box_after;
  } steps[] = {
      {"jn 3:16", true, V(43, 3, 16), "John 3:16"},
      {"16", false, V(43, 3, 16), "John 3:16"},
      {"4:1", false, V(43, 4, 1), "John 4:1"},
      {"4.3", false, V(43, 4, 3), "John 4:3"},
      {"16", false, V(43, 4, 16), "John 4:16"},
      {"1 John 1:9", true, V(62, 1, 9), "1 John 1:9"},
      {"Joh 3:16 Rom 8:28", true, V(43, 3, 16), "John 3:16"},
  };
  int comment_position = -1;
  for (const auto& s : steps) {
    if (s.commentary_shown)
      w.ShowPane(TPane::kCommentary);
    else
      w.HidePane(TPane::kCommentary);
    Type(QString::fromLatin1(s.typed));
    EXPECT_EQ(w.BibleView()->CurrentVerse(), s.verse) << s.typed;
    EXPECT_EQ(box->text(), QString::fromLatin1(s.box_after)) << s.typed;
    EXPECT_EQ(box->selectedText(), box->text()) << s.typed;  // the next typing replaces it
    EXPECT_GT(bible_text->SelLength(), 0) << s.typed;        // the verse's label selected
    if (s.commentary_shown) comment_position = s.verse - 1;
    EXPECT_EQ(w.CommentView()->CurrentPosition(), comment_position) << s.typed;
  }
  EXPECT_TRUE(messages_.isEmpty()) << messages_.join(QLatin1Char('|')).toStdString();
}

TEST_F(QuickJumpUiTest, WhatCannotBePlacedIsReportedAndChangesNothing) {
  TMain& w = StartShown();
  Type(QStringLiteral("jn 3:16"));
  const int verse = w.BibleView()->CurrentVerse();
  const int position = w.CommentView()->CurrentPosition();
  for (const char* typed : {"xyzzy", "99999999999", "0:5"}) {
    messages_.clear();
    Type(QString::fromLatin1(typed));
    EXPECT_EQ(messages_, QStringList{QStringLiteral("Unrecognized reference.")}) << typed;
    EXPECT_EQ(w.BibleView()->CurrentVerse(), verse);
    EXPECT_EQ(w.CommentView()->CurrentPosition(), position);
    EXPECT_EQ(w.QuickJump()->text(), QString::fromLatin1(typed));  // kept, selected
    EXPECT_EQ(w.QuickJump()->selectedText(), QString::fromLatin1(typed));
  }
  // An empty box does nothing and says nothing.
  messages_.clear();
  w.QuickJump()->clear();
  QTest::keyClick(w.QuickJump(), Qt::Key_Return);
  EXPECT_TRUE(messages_.isEmpty());
  EXPECT_EQ(w.BibleView()->CurrentVerse(), verse);
}

TEST_F(QuickJumpUiTest, EnteringTheBoxSelectsItsText) {
  TMain& w = StartShown();
  QLineEdit* box = w.QuickJump();
  ASSERT_FALSE(box->text().isEmpty());
  w.BibleView()->TextView()->HTMLView()->setFocus();
  LUMORA_WAIT_UNTIL(!box->hasFocus());
  box->deselect();
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
  LUMORA_WAIT_UNTIL(box->selectedText() == box->text());
}

TEST_F(QuickJumpUiTest, TheBoxRemembersWhereItLedAcrossARestart) {
  StartShown();
  for (const char* typed : {"jn 3:16", "xyzzy", "4:1", "jn 3:16", "1 John 1:9"}) {
    Type(QString::fromLatin1(typed));
  }
  THistoryDropDown* history = History();
  ASSERT_NE(history, nullptr);
  // Most recent first, no repeats, nothing that led nowhere.
  const config::MruList want{"1 John 1:9", "jn 3:16", "4:1"};
  EXPECT_EQ(history->History().Items(), want);

  TMain& w = StartShown();
  history = History();
  ASSERT_NE(history, nullptr);
  EXPECT_EQ(history->History().Items(), want);
  EXPECT_TRUE(history->Arrow()->isVisible());

  // The drop-down: choosing a value jumps there.
  w.QuickJump()->setFocus();
  QTest::keyClick(w.QuickJump(), Qt::Key_Down, Qt::AltModifier);
  LUMORA_WAIT_UNTIL(history->Popup() != nullptr && history->Popup()->isVisible());
  const QList<QAction*> items = history->Popup()->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[2]->text(), QStringLiteral("4:1"));
  items[2]->trigger();
  history->Popup()->close();
  // Relative to where the restart opened: 1 John 1:9.
  EXPECT_EQ(w.BibleView()->CurrentVerse(), V(62, 4, 1));
  EXPECT_EQ(history->History().Items().front(), "4:1");

  // "Remove item from history list" in the box's context menu.
  w.QuickJump()->setText(QStringLiteral("jn 3:16"));
  std::unique_ptr<QMenu> menu(history->CreateContextMenu());
  QAction* remove = menu->findChild<QAction*>(QStringLiteral("RemoveHistoryItem"));
  ASSERT_NE(remove, nullptr);
  EXPECT_EQ(remove->text(), QStringLiteral("&Remove item from history list"));
  ASSERT_TRUE(remove->isEnabled());
  remove->trigger();
  EXPECT_EQ(history->History().Items(), (config::MruList{"4:1", "1 John 1:9"}));
  // Written at once, under "QuickJump" only.
  EXPECT_EQ(storage_.Get(config::kMruKey, "QuickJump_Count"), config::SettingsValue::Dword(2));
  EXPECT_FALSE(storage_.Get(config::kMruKey, "QuickJump_Item2").has_value());
  EXPECT_FALSE(storage_.Get(config::kMruKey, "Export_Item0").has_value());
}

}  // namespace
}  // namespace lumora::ui
