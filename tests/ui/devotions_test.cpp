// The "Devotional" menu in the main window, on the synthetic library with
// the synthetic devotional sample: enabled rules, today's readings from the
// clock, the heading selected in the Commentary, and the day picker.
#include "app/ui/devotions_feature.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "app/ui/devotion_pick_dialog.h"
#include "core/platform/file_system.h"
#include "render/ui/html_view.h"
#include "tests/ui/feature_window.h"
#include "tests/ui/test_host.h"
#include "tools/devotions/devotion_samples.h"
#include "views/actions.h"
#include "views/bible_view.h"
#include "views/comment_view.h"

namespace lumora::ui {
namespace {

class DevotionsTest : public ::testing::Test {
 protected:
  // The sample's devotion.dys and SME Commentary in the test's library.
  void AddSample() {
    auto kjv = TLMBibleModule::Create(fixture_.File("Bibles/KJV.lmb"));
    ASSERT_TRUE(kjv.ok()) << kjv.status().message();
    ASSERT_TRUE(builder::WriteSyntheticDevotionals(**kjv, fixture_.Folder()).ok());
  }
  TMain& Start() {
    TMain& w = fixture_.Start();
    EXPECT_TRUE(w.StartupComplete()) << fixture_.messages.join(QLatin1Char('|')).toStdString();
    w.resize(1000, 700);
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    test::Settle();
    feature_ = w.findChild<TDevotionsFeature*>();
    EXPECT_NE(feature_, nullptr);
    return w;
  }
  bool Enabled(const char* name) { return fixture_.Window().MainAction(name)->isEnabled(); }
  QString Selected() {
    return fixture_.Window().CommentView()->HTMLView()->SelectedDisplayText();
  }

  test::TFeatureWindow fixture_;
  TDevotionsFeature* feature_ = nullptr;
};

TEST_F(DevotionsTest, TodaysReadingsGoToTheVerseAndSelectTheHeading) {
  AddSample();
  TMain& w = Start();
  for (const char* name : {"ActionMornDevotion", "ActionEveDevotion", "ActionPickDevotion"})
    EXPECT_TRUE(Enabled(name)) << name;
  const DevotionIndex& index = feature_->Index();
  ASSERT_EQ(index.size(), 732u);

  feature_->SetClock([] { return CalendarDay{3, 5}; });
  w.MainAction("ActionMornDevotion")->trigger();
  const auto morning = index.Find(3, 5, true);
  ASSERT_TRUE(morning.has_value());
  EXPECT_EQ(w.BibleView()->CurrentVerse(), morning->verse);
  ASSERT_NE(w.CommentView()->CurrentCommentary(), nullptr);
  EXPECT_EQ(w.CommentView()->CurrentCommentary()->GetAbbreviation(), "SME");
  EXPECT_EQ(w.CommentView()->CurrentPosition(), morning->verse - 1);
  EXPECT_TRUE(w.PaneVisible(TPane::kCommentary));
  EXPECT_EQ(Selected(), QStringLiteral("03/05/AM"));

  w.MainAction("ActionEveDevotion")->trigger();
  EXPECT_EQ(w.BibleView()->CurrentVerse(), index.Find(3, 5, false)->verse);
  EXPECT_EQ(Selected(), QStringLiteral("03/05/PM"));

  // One verse, two readings: each selects its own heading.
  feature_->SetClock([] { return CalendarDay{12, 25}; });
  w.MainAction("ActionEveDevotion")->trigger();
  const int christmas = w.BibleView()->CurrentVerse();
  EXPECT_EQ(Selected(), QStringLiteral("12/25/PM"));
  w.MainAction("ActionMornDevotion")->trigger();
  EXPECT_EQ(w.BibleView()->CurrentVerse(), christmas);
  EXPECT_EQ(Selected(), QStringLiteral("12/25/AM"));
}

TEST_F(DevotionsTest, DisabledWithoutTheIndexOrWithoutSme) {
  TMain& w = Start();  // no devotion.dys, no SME
  for (const char* name : {"ActionMornDevotion", "ActionEveDevotion", "ActionPickDevotion"})
    EXPECT_FALSE(Enabled(name)) << name;
  // Today's Proverb stays in the menu and works.
  QAction* proverb = w.Actions().Find(QStringLiteral("FrameBibleView.ActionProverb"));
  ASSERT_NE(proverb, nullptr);
  EXPECT_TRUE(w.Menu("MenuDevotional")->actions().contains(proverb));
  EXPECT_TRUE(proverb->isEnabled());
  fixture_.Stop();

  // The index but no SME Commentary.
  AddSample();
  ASSERT_TRUE(DefaultFileSystem().Remove(fixture_.File("Commentaries/SME.lmc")).ok());
  Start();
  EXPECT_EQ(feature_->Index().size(), 732u);
  EXPECT_FALSE(Enabled("ActionMornDevotion"));
  fixture_.Stop();

  // SME, and a file of nothing but damaged lines.
  AddSample();
  ASSERT_TRUE(DefaultFileSystem()
                  .WriteFile(fixture_.File("devotion.dys"),
                             "02/30/AM/0001\r\n13/01/PM/0002\r\n01/01/AM/0000\r\n01/01/AM\r\n")
                  .ok());
  Start();
  EXPECT_TRUE(feature_->Index().empty());
  EXPECT_FALSE(Enabled("ActionPickDevotion"));
}

TEST_F(DevotionsTest, DayPickerStartsTodayAndShowsTheChosenReading) {
  AddSample();
  TMain& w = Start();
  QString help;
  w.help_viewer = [&help](const QString& topic) { help = topic; };
  feature_->SetClock([] { return CalendarDay{3, 5}; });
  w.MainAction("ActionPickDevotion")->trigger();
  TDlgDevotionPick* dialog = feature_->Picker();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Select Devotional"));
  EXPECT_EQ(dialog->Month(), 3);
  EXPECT_EQ(dialog->Day(), 5);
  EXPECT_TRUE(dialog->Morning());
  EXPECT_EQ(dialog->MonthList()->item(0)->text(), QStringLiteral("January"));
  EXPECT_EQ(dialog->DayList()->count(), 31);
  QTest::mouseClick(dialog->HelpButton(), Qt::LeftButton);
  EXPECT_EQ(help, QStringLiteral("Scribble160"));

  // February: 29 days, the first selected.
  QListWidget* months = dialog->MonthList();
  QTest::mouseClick(months->viewport(), Qt::LeftButton, {},
                    months->visualItemRect(months->item(1)).center());
  EXPECT_EQ(dialog->Month(), 2);
  EXPECT_EQ(dialog->DayList()->count(), 29);
  EXPECT_EQ(dialog->Day(), 1);
  dialog->DayList()->setCurrentRow(28);
  dialog->TimeList()->setCurrentRow(1);
  dialog->accept();
  const auto reading = feature_->Index().Find(2, 29, false);
  ASSERT_TRUE(reading.has_value());
  EXPECT_EQ(w.BibleView()->CurrentVerse(), reading->verse);
  EXPECT_EQ(Selected(), QStringLiteral("02/29/PM"));

  // The next showing keeps the choice, whatever the clock says.
  feature_->SetClock([] { return CalendarDay{7, 4}; });
  w.MainAction("ActionPickDevotion")->trigger();
  EXPECT_EQ(dialog->Month(), 2);
  EXPECT_EQ(dialog->Day(), 29);
  EXPECT_FALSE(dialog->Morning());
  dialog->reject();
  EXPECT_EQ(w.BibleView()->CurrentVerse(), reading->verse);
}

}  // namespace
}  // namespace lumora::ui
