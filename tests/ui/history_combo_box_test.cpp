// THistoryComboBox: the values typed, most recent first and at most 25,
// taken when the box loses the focus or its dialog hides, shared between
// boxes of one list, removed from the context menu, and Enter left to the
// dialog.
#include "app/ui/history_combo_box.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "config/memory_storage.h"
#include "tests/ui/synthetic_main_window.h"

namespace lumora::ui {
namespace {

QStringList HcItems(const QComboBox& box) {
  QStringList items;
  for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
  return items;
}

class HistoryComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_ = std::make_unique<QDialog>();
    auto* layout = new QVBoxLayout(dialog_.get());
    box_ = new THistoryComboBox("SearchBible", storage_, &list_, dialog_.get());
    other_ = new QLineEdit(dialog_.get());
    ok_ = new QPushButton(QStringLiteral("OK"), dialog_.get());
    ok_->setDefault(true);
    QObject::connect(ok_, &QPushButton::clicked, dialog_.get(), &QDialog::accept);
    layout->addWidget(box_);
    layout->addWidget(other_);
    layout->addWidget(ok_);
    dialog_->show();
    dialog_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
  }

  // The user types `text` into the box and moves on to the next field.
  void TypeAndLeave(const QString& text) {
    box_->setFocus();
    LUMORA_WAIT_UNTIL(box_->hasFocus());
    box_->lineEdit()->selectAll();
    QTest::keyClicks(box_->lineEdit(), text);
    other_->setFocus();
    LUMORA_WAIT_UNTIL(other_->hasFocus());
  }

  config::MemoryStorage storage_;
  config::MruList list_;
  std::unique_ptr<QDialog> dialog_;
  THistoryComboBox* box_ = nullptr;
  QLineEdit* other_ = nullptr;
  QPushButton* ok_ = nullptr;
};

TEST_F(HistoryComboBoxTest, LosingTheFocusMovesTheTextToTheTop) {
  TypeAndLeave(QStringLiteral("grace"));
  TypeAndLeave(QStringLiteral("faith"));
  TypeAndLeave(QStringLiteral("grace"));  // a repeat moves up
  EXPECT_EQ(list_, (config::MruList{"grace", "faith"}));
  box_->showPopup();
  EXPECT_EQ(HcItems(*box_), (QStringList{QStringLiteral("grace"), QStringLiteral("faith")}));
  box_->hidePopup();
  EXPECT_EQ(box_->currentText(), QStringLiteral("grace"));  // the text stays
  EXPECT_EQ(storage_.Get(config::kMruKey, "SearchBible_Item1"),
            config::SettingsValue::String("faith"));
}

TEST_F(HistoryComboBoxTest, KeepsTwentyFiveAndSharesItsListWithItsTwin) {
  for (int i = 0; i < 30; ++i) {
    box_->setEditText(QStringLiteral("word %1").arg(i));
    box_->Commit();
  }
  EXPECT_EQ(list_.size(), 25u);
  EXPECT_EQ(list_.front(), "word 29");
  // A second box of the same list (another dialog) lists the same values,
  // also those added after it was made.
  THistoryComboBox twin("SearchBible", storage_, &list_);
  EXPECT_EQ(twin.count(), 25);
  box_->setEditText(QStringLiteral("latest"));
  box_->Commit();
  twin.showPopup();
  EXPECT_EQ(twin.itemText(0), QStringLiteral("latest"));
  EXPECT_EQ(twin.count(), 25);
  twin.hidePopup();
}

TEST_F(HistoryComboBoxTest, TheContextMenuRemovesTheShownValue) {
  for (const char* t : {"a", "b", "c"}) {
    box_->setEditText(QString::fromLatin1(t));
    box_->Commit();
  }
  box_->setEditText(QStringLiteral("b"));
  std::unique_ptr<QMenu> menu(box_->CreateContextMenu());
  QAction* remove = menu->findChild<QAction*>(QStringLiteral("RemoveHistoryItem"));
  ASSERT_NE(remove, nullptr);
  EXPECT_EQ(remove->text(), QStringLiteral("&Remove item from history list"));
  ASSERT_TRUE(remove->isEnabled());
  remove->trigger();
  EXPECT_EQ(list_, (config::MruList{"c", "a"}));
  EXPECT_EQ(HcItems(*box_), (QStringList{QStringLiteral("c"), QStringLiteral("a")}));
  EXPECT_FALSE(storage_.Get(config::kMruKey, "SearchBible_Item2").has_value());
  // A value that is not listed has nothing to remove.
  box_->setEditText(QStringLiteral("zzz"));
  menu.reset(box_->CreateContextMenu());
  EXPECT_FALSE(menu->findChild<QAction*>(QStringLiteral("RemoveHistoryItem"))->isEnabled());
}

TEST_F(HistoryComboBoxTest, EnterGoesToTheDialogAndHidingCommits) {
  QSignalSpy entered(box_, &THistoryComboBox::returnPressed);
  QSignalSpy accepted(dialog_.get(), &QDialog::accepted);
  box_->setFocus();
  LUMORA_WAIT_UNTIL(box_->hasFocus());
  QTest::keyClicks(box_->lineEdit(), QStringLiteral("hope"));
  QTest::keyClick(box_, Qt::Key_Return);
  EXPECT_EQ(entered.count(), 1);
  EXPECT_EQ(accepted.count(), 1);             // the default button took Enter
  EXPECT_EQ(box_->count(), 0);                // the combo box inserted nothing itself
  EXPECT_EQ(list_, config::MruList{"hope"});  // the dialog hid: committed

  // A text the box got without ever having the focus: the dialog's hiding
  // commits it too.
  dialog_->show();
  box_->setEditText(QStringLiteral("patience"));
  dialog_->hide();
  EXPECT_EQ(list_, (config::MruList{"patience", "hope"}));
}

TEST(HistoryComboBox, AnOwnListIsReadFromTheStore) {
  config::MemoryStorage storage;
  storage.Set(config::kMruKey, "Custom_Count", config::SettingsValue::Dword(2));
  storage.Set(config::kMruKey, "Custom_Item0", config::SettingsValue::String("caf\xE9"));
  storage.Set(config::kMruKey, "Custom_Item1", config::SettingsValue::String("tea"));
  THistoryComboBox box("Custom", storage);
  EXPECT_EQ(HcItems(box), (QStringList{QStringLiteral("caf\u00E9"), QStringLiteral("tea")}));
  EXPECT_EQ(box.currentText(), QString());
  box.setEditText(QStringLiteral("na\u00EFve"));
  box.Commit();
  EXPECT_EQ(storage.Get(config::kMruKey, "Custom_Item0"),
            config::SettingsValue::String("na\xEFve"));
}

}  // namespace
}  // namespace lumora::ui
