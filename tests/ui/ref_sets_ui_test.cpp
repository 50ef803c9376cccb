// The reference set dialog in a real main window over the synthetic
// library: opened by its command, sets made, checked, refused, deleted and
// kept in the settings store across a restart; Execute() for the full
// search; a tree that follows the library while open.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <deque>

#include "app/ui/ref_sets_feature.h"
#include "core/text/cp1252.h"
#include "render/ui/display_text.h"
#include "search/reference_set_editor.h"
#include "search/ui/user_sets_form.h"
#include "tests/ui/feature_window.h"
#include "tests/ui/synthetic_main_window.h"
#include "views/library.h"

namespace lumora::ui {
namespace {

std::vector<std::string> RefSetsUiTopLevel(QTreeWidget* tree) {
  std::vector<std::string> out;
  for (int i = 0; i < tree->topLevelItemCount(); ++i)
    out.push_back(FromDisplayText(tree->topLevelItem(i)->text(0)));
  return out;
}

QTreeWidgetItem* RefSetsUiItem(QTreeWidget* tree, const QString& caption) {
  const QList<QTreeWidgetItem*> found =
      tree->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
  EXPECT_EQ(found.size(), 1) << caption.toStdString();
  return found.isEmpty() ? nullptr : found.front();
}

class RefSetsUiTest : public test::SyntheticMainWindowTest {
 protected:
  TFormUserSets* OpenDialog() {
    test::Settle();
    QAction* action = Main("ActionDefineSets");
    EXPECT_TRUE(action->isEnabled());
    auto* feature = window_->findChild<TRefSetsFeature*>(QStringLiteral("RefSetsFeature"));
    EXPECT_NE(feature, nullptr);
    TFormUserSets* dialog = feature->Dialog();
    dialog->ask_name = [this](const QString& caption, const QString& prompt,
                              const QString& text) -> std::optional<QString> {
      EXPECT_EQ(caption, QStringLiteral("New Reference Set"));
      EXPECT_EQ(prompt, QStringLiteral("What do you wish to call this set?"));
      suggested_ << text;
      if (names_.empty()) return std::nullopt;
      QString name = names_.front();
      names_.pop_front();
      return name;
    };
    action->trigger();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    return dialog;
  }

  std::deque<QString> names_;
  QStringList suggested_;
};

TEST_F(RefSetsUiTest, NewSetsAreCheckedStoredAtOnceAndSurviveARestart) {
  TMain& w = Start();
  ShowActive();
  TFormUserSets* dialog = OpenDialog();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Reference Sets"));
  EXPECT_EQ(RefSetsUiTopLevel(dialog->Tree()),
            (std::vector<std::string>{"Bibles", "Books", "Commentaries"}));
  EXPECT_EQ(dialog->Tree()->topLevelItem(0)->childCount(),
            static_cast<int>(w.Library().Bibles().size()) - 1);  // no twin
  EXPECT_FALSE(dialog->Tree()->isEnabled());
  EXPECT_FALSE(dialog->DeleteButton()->isEnabled());
  EXPECT_EQ(dialog->InfoLabel()->text(), QString::fromLatin1(kNoRefSetsText));
  EXPECT_TRUE(dialog->InfoLabel()->font().bold());
  EXPECT_EQ(dialog->Tree()->actions().size(), 2);

  // A module's abbreviation and a blank name are refused, then asked again.
  const QString name = QStringLiteral("Mine, with \"quotes\" and spaces");
  names_ = {QStringLiteral("kjv"), QStringLiteral("  "), name};
  dialog->NewButton()->click();
  EXPECT_EQ(messages_, (QStringList{QString::fromLatin1(kRefSetNameInUseMessage),
                                    QString::fromLatin1(kRefSetNameBlankMessage)}));
  EXPECT_EQ(suggested_, QStringList(3, QStringLiteral("Reference Set 1")));
  ASSERT_EQ(dialog->SetList()->count(), 1);
  EXPECT_EQ(dialog->SetList()->currentRow(), 0);
  EXPECT_TRUE(dialog->Tree()->isEnabled());
  EXPECT_EQ(dialog->InfoLabel()->text(), QString::fromLatin1(kNewRefSetText));

  QTreeWidgetItem* books = dialog->Tree()->topLevelItem(1);
  books->setCheckState(0, Qt::Checked);
  EXPECT_TRUE(dialog->InfoLabel()->text().isEmpty());
  for (int i = 0; i < books->childCount(); ++i)
    EXPECT_EQ(books->child(i)->checkState(0), Qt::Checked);
  dialog->OkButton()->click();
  EXPECT_FALSE(dialog->isVisible());

  std::vector<std::string> members{"?BOOKS"};
  for (const TLMDictionaryModule* book : w.Library().Books()) members.push_back(book->GetTitle());
  std::sort(members.begin(), members.end(), [](const std::string& a, const std::string& b) {
    return cp1252::CompareNoCase(a, b) < 0;
  });
  const std::vector<config::ReferenceSet> expected{{FromDisplayText(name), members}};
  EXPECT_EQ(P().ref_sets, expected);
  EXPECT_EQ(Stored().ref_sets, expected);  // saved at once

  Start();
  EXPECT_EQ(P().ref_sets, expected);
  dialog = OpenDialog();
  ASSERT_EQ(dialog->SetList()->count(), 1);
  EXPECT_EQ(dialog->SetList()->item(0)->text(), name);
  EXPECT_EQ(dialog->Tree()->topLevelItem(1)->checkState(0), Qt::Checked);
  EXPECT_EQ(dialog->Tree()->topLevelItem(0)->checkState(0), Qt::Unchecked);

  // Delete acts on Yes only.
  answer_yes_ = false;
  dialog->DeleteButton()->click();
  EXPECT_EQ(questions_,
            QStringList{QStringLiteral("Are you sure you wish to delete reference set \"") + name +
                        QStringLiteral("?\"")});
  EXPECT_EQ(dialog->SetList()->count(), 1);
  answer_yes_ = true;
  dialog->DeleteButton()->click();
  EXPECT_EQ(dialog->SetList()->count(), 0);
  EXPECT_FALSE(dialog->Tree()->isEnabled());
  EXPECT_EQ(dialog->InfoLabel()->text(), QString::fromLatin1(kNoRefSetsText));
  dialog->reject();
  EXPECT_TRUE(P().ref_sets.empty());
  EXPECT_TRUE(Stored().ref_sets.empty());
}

TEST(RefSetsFeatureTest, ExecuteReturnsTheCurrentSetAndTheTreeFollowsTheLibrary) {
  test::TFeatureWindow fw;
  TMain& w = fw.Start();
  ASSERT_TRUE(w.StartupComplete());
  auto* feature = w.findChild<TRefSetsFeature*>(QStringLiteral("RefSetsFeature"));
  ASSERT_NE(feature, nullptr);
  TFormUserSets* dialog = feature->Dialog();
  dialog->ask_name = [](const QString&, const QString&, const QString&) {
    return std::optional<QString>(QStringLiteral("Alpha"));
  };
  bool ran = false;
  QTimer::singleShot(0, &w, [&] {
    ran = dialog->isVisible();
    dialog->NewSet();
    if (QTreeWidgetItem* notes = RefSetsUiItem(dialog->Tree(), QStringLiteral("Synthetic Notes")))
      notes->setCheckState(0, Qt::Checked);
    // A user Book made meanwhile joins the tree; the checks stay.
    const auto made = w.Library().Catalogue().CreateUserBook("Fresh Book", "FRB");
    EXPECT_TRUE(made.ok());
    EXPECT_NE(RefSetsUiItem(dialog->Tree(), QStringLiteral("Fresh Book")), nullptr);
    if (QTreeWidgetItem* notes = RefSetsUiItem(dialog->Tree(), QStringLiteral("Synthetic Notes"))) {
      EXPECT_EQ(notes->checkState(0), Qt::Checked);
    }
    dialog->OkButton()->click();
  });
  EXPECT_EQ(feature->Execute(), "Alpha");
  EXPECT_TRUE(ran);
  const std::vector<config::ReferenceSet>& sets = config::GlobalProperties().ref_sets;
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].members, std::vector<std::string>{"Synthetic Notes"});
  config::GlobalProperties() = config::DefaultProperties();
}

}  // namespace
}  // namespace lumora::ui
