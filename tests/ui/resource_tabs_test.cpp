#include "views/resource_tabs.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <deque>
#include <string>
#include <vector>

namespace lumora::ui {
namespace {

class ResourceTabsTest : public ::testing::Test {
 protected:
  // Twelve tabs "T1".."T12"; flags[i] is tab i's visible flag.
  void SetUp() override {
    flags_.assign(12, true);
    std::vector<TResourceTabs::Entry> entries;
    for (size_t i = 0; i < flags_.size(); ++i) {
      const std::string n = std::to_string(i + 1);
      entries.push_back({"T" + n, "Title " + n, &flags_[i]});
    }
    tabs_.SetEntries(std::move(entries));
    tabs_.show();
  }
  // The distinct tops of the shown tabs, in tab order.
  std::vector<int> RowTops() const {
    std::vector<int> tops;
    for (int i = 0; i < tabs_.count(); ++i) {
      const int top = tabs_.tabRect(i).top();
      if (tabs_.isTabVisible(i) && (tops.empty() || tops.back() != top)) tops.push_back(top);
    }
    return tops;
  }

  std::deque<bool> flags_;  // stable addresses for the entries
  TResourceTabs tabs_;
};

TEST_F(ResourceTabsTest, TabsThatDoNotFitWrapToFurtherRowsInOrder) {
  tabs_.resize(10000, 30);
  EXPECT_EQ(tabs_.RowCount(), 1);
  const int one_row = tabs_.heightForWidth(10000);

  const int narrow = tabs_.tabRect(0).width() * 3 + 1;
  tabs_.resize(narrow, 30);
  EXPECT_GE(tabs_.RowCount(), 4);
  EXPECT_EQ(tabs_.heightForWidth(narrow), tabs_.RowCount() * one_row);
  // Rows go down the strip and keep the tabs' order; every tab fits.
  const std::vector<int> tops = RowTops();
  EXPECT_EQ(static_cast<int>(tops.size()), tabs_.RowCount());
  EXPECT_TRUE(std::is_sorted(tops.begin(), tops.end()));
  for (int i = 0; i < tabs_.count(); ++i) {
    const QRect r = tabs_.tabRect(i);
    EXPECT_LE(r.right(), narrow) << i;
    if (i > 0 && r.top() == tabs_.tabRect(i - 1).top()) {
      EXPECT_GT(r.left(), tabs_.tabRect(i - 1).left());
    }
  }
  // Hiding tabs frees room.
  for (int i = 3; i < tabs_.count(); ++i) tabs_.setTabVisible(i, false);
  EXPECT_EQ(tabs_.RowCount(), 1);
  EXPECT_TRUE(tabs_.tabRect(5).isEmpty());
}

TEST_F(ResourceTabsTest, AlignStretchesEveryRowToTheStripWidth) {
  TabAppearance look;
  look.align = true;
  tabs_.ApplyAppearance(look);
  const int width = tabs_.tabRect(0).width() * 5 + 7;
  tabs_.resize(width, 30);
  ASSERT_GE(tabs_.RowCount(), 2);
  for (int i = 0; i < tabs_.count(); ++i) {
    const bool row_ends = i + 1 == tabs_.count() || tabs_.tabRect(i + 1).top() != tabs_.tabRect(i).top();
    if (row_ends) {
      EXPECT_EQ(tabs_.tabRect(i).right(), width - 1) << i;
    }
  }
}

TEST_F(ResourceTabsTest, ClicksSelectAndNotifyProgramChoicesStaySilent) {
  tabs_.resize(10000, 30);
  QSignalSpy changes(&tabs_, &TResourceTabs::currentTabChanged);
  QSignalSpy menus(&tabs_, &TResourceTabs::tabMenuRequested);
  QTest::mouseClick(&tabs_, Qt::LeftButton, {}, tabs_.tabRect(4).center());
  EXPECT_EQ(tabs_.currentIndex(), 4);
  ASSERT_EQ(changes.count(), 1);
  EXPECT_EQ(changes.at(0).at(0).toInt(), 4);
  QTest::mouseClick(&tabs_, Qt::LeftButton, {}, tabs_.tabRect(4).center());  // already current
  QTest::mouseClick(&tabs_, Qt::RightButton, {}, tabs_.tabRect(7).center());
  EXPECT_EQ(changes.count(), 1);
  ASSERT_EQ(menus.count(), 1);
  EXPECT_EQ(menus.at(0).at(0).toInt(), 7);
  EXPECT_EQ(tabs_.currentIndex(), 4);  // a right click does not select

  tabs_.setTabVisible(9, false);
  tabs_.SetCurrentSilently(9);  // a hidden tab is revealed first
  EXPECT_EQ(tabs_.currentIndex(), 9);
  EXPECT_TRUE(tabs_.isTabVisible(9));
  EXPECT_EQ(changes.count(), 1);
}

TEST_F(ResourceTabsTest, HidingTheCurrentTabSelectsTheNextShownOne) {
  QSignalSpy changes(&tabs_, &TResourceTabs::currentTabChanged);
  tabs_.SetCurrentSilently(11);
  tabs_.setTabVisible(10, false);
  tabs_.setTabVisible(11, false);  // no shown tab after it: the one before
  EXPECT_EQ(tabs_.currentIndex(), 9);
  EXPECT_EQ(changes.count(), 1);
  tabs_.setCurrentIndex(10);  // hidden: refused
  EXPECT_EQ(tabs_.currentIndex(), 9);
}

TEST_F(ResourceTabsTest, ShowOnlySelectedFollowsTheFlagsAndNotifiesOnce) {
  QSignalSpy changes(&tabs_, &TResourceTabs::currentTabChanged);
  tabs_.SetCurrentSilently(2);
  for (bool& f : flags_) f = false;
  flags_[5] = flags_[8] = true;
  EXPECT_TRUE(tabs_.AnyDiffersFromFlags());
  tabs_.ShowOnlySelected();
  for (int i = 0; i < tabs_.count(); ++i) EXPECT_EQ(tabs_.isTabVisible(i), i == 5 || i == 8) << i;
  EXPECT_EQ(tabs_.currentIndex(), 5);
  EXPECT_EQ(changes.count(), 1);
  EXPECT_FALSE(tabs_.AnyDiffersFromFlags());
  EXPECT_TRUE(tabs_.AnyHidden());

  flags_[5] = flags_[8] = false;  // none selected: the first tab stays
  tabs_.ShowOnlySelected();
  for (int i = 0; i < tabs_.count(); ++i) EXPECT_EQ(tabs_.isTabVisible(i), i == 0) << i;
  tabs_.ShowAll(2);
  EXPECT_FALSE(tabs_.AnyHidden());
}

// In a pane's layout the strip takes the height its rows need.
TEST_F(ResourceTabsTest, PaneLayoutGivesTheStripItsRows) {
  QWidget pane;
  auto* layout = new QVBoxLayout(&pane);
  layout->setContentsMargins(0, 0, 0, 0);
  TResourceTabs* tabs = new TResourceTabs(&pane);
  std::vector<TResourceTabs::Entry> entries;
  for (int i = 0; i < 12; ++i) entries.push_back({"Module" + std::to_string(i), "", nullptr});
  tabs->SetEntries(std::move(entries));
  layout->addWidget(tabs);
  layout->addWidget(new QWidget(&pane), 1);
  pane.resize(2000, 400);
  pane.show();
  QApplication::processEvents();
  const int one_row = tabs->height();
  EXPECT_EQ(tabs->RowCount(), 1);
  pane.resize(tabs->tabRect(0).width() * 2 + 10, 400);
  QApplication::processEvents();
  EXPECT_GT(tabs->RowCount(), 1);
  EXPECT_EQ(tabs->height(), one_row * tabs->RowCount());
}

}  // namespace
}  // namespace lumora::ui
