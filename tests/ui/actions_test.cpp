// The action registry: one owner per key and focus context, and one
// coalesced update pass; and every action of the main window walked.
#include "views/actions.h"

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QVBoxLayout>
#include <memory>

#include "app/ui/main_window.h"
#include "config/memory_storage.h"
#include "tests/ui/synthetic_library.h"
#include "tests/ui/test_host.h"

namespace lumora::ui {
namespace {

TEST(ActionRegistry, FindsKeysSharedInOverlappingScopesOnly) {
  QMainWindow window;
  window.setObjectName(QStringLiteral("Main"));
  auto* central = new QWidget(&window);
  auto* layout = new QVBoxLayout(central);
  auto* left = new QWidget(central);
  left->setObjectName(QStringLiteral("Left"));
  auto* right = new QWidget(central);
  right->setObjectName(QStringLiteral("Right"));
  auto* inner = new QWidget(right);
  inner->setObjectName(QStringLiteral("Inner"));
  layout->addWidget(left);
  layout->addWidget(right);
  window.setCentralWidget(central);

  TActions actions;
  const QKeySequence ctrl_c(Qt::CTRL | Qt::Key_C);
  actions.Add(left, QStringLiteral("ActionCopy"), QStringLiteral("Copy"), {}, ctrl_c);
  actions.Add(right, QStringLiteral("ActionCopy"), QStringLiteral("Copy"), {}, ctrl_c);
  EXPECT_TRUE(actions.ShortcutConflicts().isEmpty());  // two panes: one key each

  actions.Add(inner, QStringLiteral("ActionCopyInner"), QStringLiteral("Copy"), {}, ctrl_c);
  actions.Add(&window, QStringLiteral("ActionF5"), QStringLiteral("F5"), {}, Qt::Key_F5);
  actions.Add(left, QStringLiteral("ActionF5"), QStringLiteral("F5"), {}, Qt::Key_F5);
  const QStringList conflicts = actions.ShortcutConflicts();
  EXPECT_EQ(conflicts.size(), 2) << conflicts.join(QLatin1Char('\n')).toStdString();
  EXPECT_TRUE(conflicts.join(QLatin1Char('\n')).contains(QStringLiteral("Right.ActionCopy | Inner.ActionCopyInner")));
  EXPECT_TRUE(conflicts.join(QLatin1Char('\n')).contains(QStringLiteral("Main.ActionF5 | Left.ActionF5")));
  EXPECT_TRUE(actions.DuplicateKeys().isEmpty());
  actions.Add(left, QStringLiteral("ActionCopy"), QStringLiteral("Again"));
  EXPECT_EQ(actions.DuplicateKeys(), QStringList{QStringLiteral("Left.ActionCopy")});
}

TEST(ActionRegistry, InvalidationsCoalesceIntoOnePass) {
  TActions actions;
  int runs = 0;
  auto owner = std::make_unique<QObject>();
  actions.AddUpdater(owner.get(), [&] { ++runs; });
  for (int i = 0; i < 5; ++i) actions.Invalidate();
  EXPECT_EQ(runs, 0);
  test::Settle();
  EXPECT_EQ(runs, 1);
  owner.reset();  // an updater whose owner went never runs again
  actions.UpdateNow();
  EXPECT_EQ(runs, 1);
}

TEST(ActionRegistry, MainWindowKeysHaveOneOwnerPerFocus) {
  config::MemoryStorage storage;
  TLibrary library;
  TSettings settings;
  TMainOptions options;
  options.data_folder = test::SyntheticLibraryFolder();
  options.storage = &storage;
  options.show_splash = false;
  options.library = &library;
  options.settings = &settings;
  QStringList messages;
  options.show_message = [&](const QString& text) { messages << text; };
  TMain window(std::move(options));
  ASSERT_TRUE(window.StartupComplete()) << messages.join(QLatin1Char('|')).toStdString();
  const TActions& actions = window.Actions();
  EXPECT_GT(actions.Entries().size(), 20u);
  EXPECT_TRUE(actions.DuplicateKeys().isEmpty())
      << actions.DuplicateKeys().join(QLatin1Char(' ')).toStdString();
  EXPECT_TRUE(actions.ShortcutConflicts().isEmpty())
      << actions.ShortcutConflicts().join(QLatin1Char('\n')).toStdString();
  // Object names are the command names, so tests and menus find them.
  for (const TActions::Entry& e : actions.Entries())
    EXPECT_TRUE(e.key.endsWith(QLatin1Char('.') + e.action->objectName())) << e.key.toStdString();
}

}  // namespace
}  // namespace lumora::ui
