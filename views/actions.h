// TActions: every command of the window in one registry, keyed by its scope
// and command name ("Main.ActionExit", "FrameBibleView.ActionBack"). Menus,
// tool bars and context menus show the registry's QActions, so a command
// has one enabled and checked state wherever it appears.
//
// Qt has no idle update: enabled, checked and caption states are computed
// by updaters, and one coalesced pass (a 0 ms single-shot timer) runs them
// all after anything that can change them: focus changes, a pane's
// stateChanged, the library and the settings call Invalidate(); a menu
// about to show calls UpdateNow().
//
// Shortcuts: a command of the main window is active in the whole window; a
// pane's command only while the focus is inside the pane, so panes may bind
// the same keys. Two commands with one key in overlapping scopes make Qt run
// neither; ShortcutConflicts() finds them (a test walks every action).
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace lumora::ui {

class TActions : public QObject {
  Q_OBJECT

 public:
  explicit TActions(QObject* parent = nullptr);
  ~TActions() override;

  // A command of `scope` (the main window or a pane) named `name` (also the
  // QAction's object name). The hint is the tool tip and the status-bar
  // text. The shortcut context follows the scope (window-wide for a window,
  // the widget and its children otherwise) unless `context` says otherwise.
  // The action is owned by `scope` and leaves the registry with it.
  QAction* Add(QWidget* scope, const QString& name, const QString& caption,
               const QString& hint = {}, const QKeySequence& key = {});
  QAction* Add(QWidget* scope, const QString& name, const QString& caption, const QString& hint,
               const QKeySequence& key, Qt::ShortcutContext context);
  // Registers an action made elsewhere (a frame's own copy action) under
  // `name` in `scope`.
  void Register(QWidget* scope, const QString& name, QAction* action);

  // By key ("Main.ActionExit"); null when absent.
  QAction* Find(const QString& key) const;
  // The key of a registered action ("" when not registered).
  QString KeyOf(const QAction* action) const;

  // `update` runs in every update pass while `owner` lives.
  void AddUpdater(QObject* owner, std::function<void()> update);
  // Schedules one update pass (coalesced).
  void Invalidate();
  // Runs every updater now.
  void UpdateNow();

  struct Entry {
    QString key;
    QPointer<QAction> action;
    QPointer<QWidget> scope;
  };
  // Every live registered action, in registration order.
  std::vector<Entry> Entries() const;
  // "keyA | keyB | shortcut" for every pair of actions sharing a shortcut in
  // overlapping scopes; empty when every key has one owner per focus.
  QStringList ShortcutConflicts() const;
  // Keys registered twice.
  QStringList DuplicateKeys() const { return duplicates_; }

 Q_SIGNALS:
  // After each update pass.
  void updated();

 private:
  struct Updater {
    QPointer<QObject> owner;
    std::function<void()> update;
  };

  std::vector<Entry> entries_;
  std::vector<Updater> updaters_;
  QStringList duplicates_;
  bool pending_ = false;
  bool updating_ = false;
};

}  // namespace lumora::ui
