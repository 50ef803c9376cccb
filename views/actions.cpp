#include "views/actions.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace lumora::ui {
namespace {

// Whether a shortcut of an action in `a` and one in `b` can both be active
// for one focus widget.
bool ScopesOverlap(const QWidget* a, Qt::ShortcutContext ca, const QWidget* b,
                   Qt::ShortcutContext cb) {
  if (a == nullptr || b == nullptr) return false;
  if (a->window() != b->window() && ca != Qt::ApplicationShortcut &&
      cb != Qt::ApplicationShortcut)
    return false;
  const auto window_wide = [](Qt::ShortcutContext c) {
    return c == Qt::WindowShortcut || c == Qt::ApplicationShortcut;
  };
  if (window_wide(ca) || window_wide(cb)) return true;
  if (ca == Qt::WidgetShortcut || cb == Qt::WidgetShortcut) return a == b;
  return a == b || a->isAncestorOf(b) || b->isAncestorOf(a);
}

QString ScopeName(const QWidget* scope) {
  if (scope == nullptr) return QStringLiteral("?");
  return scope->objectName().isEmpty() ? QString::fromLatin1(scope->metaObject()->className())
                                       : scope->objectName();
}

}  // namespace

TActions::TActions(QObject* parent) : QObject(parent) {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
    connect(app, &QApplication::focusChanged, this, [this] { Invalidate(); });
}

TActions::~TActions() = default;

QAction* TActions::Add(QWidget* scope, const QString& name, const QString& caption,
                       const QString& hint, const QKeySequence& key) {
  const Qt::ShortcutContext context =
      scope->isWindow() ? Qt::WindowShortcut : Qt::WidgetWithChildrenShortcut;
  return Add(scope, name, caption, hint, key, context);
}

QAction* TActions::Add(QWidget* scope, const QString& name, const QString& caption,
                       const QString& hint, const QKeySequence& key, Qt::ShortcutContext context) {
  auto* action = new QAction(caption, scope);
  if (!hint.isEmpty()) {
    action->setToolTip(hint);
    action->setStatusTip(hint);
  }
  if (!key.isEmpty()) action->setShortcut(key);
  action->setShortcutContext(context);
  Register(scope, name, action);
  return action;
}

void TActions::Register(QWidget* scope, const QString& name, QAction* action) {
  action->setObjectName(name);
  // The shortcut is active only in widgets the action belongs to.
  if (!scope->actions().contains(action)) scope->addAction(action);
  const QString key = ScopeName(scope) + QLatin1Char('.') + name;
  if (Find(key) != nullptr) duplicates_ << key;
  entries_.push_back({key, action, scope});
}

QAction* TActions::Find(const QString& key) const {
  for (const Entry& e : entries_)
    if (e.key == key && e.action) return e.action;
  return nullptr;
}

QString TActions::KeyOf(const QAction* action) const {
  for (const Entry& e : entries_)
    if (e.action == action) return e.key;
  return {};
}

void TActions::AddUpdater(QObject* owner, std::function<void()> update) {
  updaters_.push_back({owner, std::move(update)});
}

void TActions::Invalidate() {
  if (pending_) return;
  pending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (pending_) UpdateNow();
  });
}

void TActions::UpdateNow() {
  pending_ = false;
  if (updating_) return;  // an updater that invalidates does not recurse
  updating_ = true;
  updaters_.erase(std::remove_if(updaters_.begin(), updaters_.end(),
                                 [](const Updater& u) { return u.owner.isNull(); }),
                  updaters_.end());
  // Copies: an updater may add others.
  const std::vector<Updater> now = updaters_;
  for (const Updater& u : now)
    if (u.owner) u.update();
  updating_ = false;
  Q_EMIT updated();
}

std::vector<TActions::Entry> TActions::Entries() const {
  std::vector<Entry> live;
  for (const Entry& e : entries_)
    if (e.action && e.scope) live.push_back(e);
  return live;
}

QStringList TActions::ShortcutConflicts() const {
  QStringList conflicts;
  const std::vector<Entry> live = Entries();
  for (size_t i = 0; i < live.size(); ++i) {
    for (size_t j = i + 1; j < live.size(); ++j) {
      const QAction* a = live[i].action;
      const QAction* b = live[j].action;
      if (a == b) continue;
      for (const QKeySequence& key : a->shortcuts()) {
        if (key.isEmpty() || !b->shortcuts().contains(key)) continue;
        if (ScopesOverlap(live[i].scope, a->shortcutContext(), live[j].scope,
                          b->shortcutContext()))
          conflicts << live[i].key + QStringLiteral(" | ") + live[j].key + QStringLiteral(" | ") +
                           key.toString();
      }
    }
  }
  return conflicts;
}

}  // namespace lumora::ui
