// The single-instance rule: one running program per user. The first start
// becomes the primary instance and listens on a local socket named after
// the user; a later start that reaches it asks it to bring its window
// forward and then ends.
//
// Only a live instance counts as "already running": a socket file left by a
// crashed instance is removed and this start becomes the primary. A lock
// that cannot be created (no socket, no permission) never stops the
// program: the start goes on as the primary, without the lock.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;

namespace lumora::ui {

enum class TInstanceRole {
  kPrimary,    // this start runs the program
  kSecondary,  // another instance runs and has been asked to come forward
};

// What the main window needs; tests substitute a double.
class IInstanceLock {
 public:
  virtual ~IInstanceLock() = default;
  // Decides the role once; later calls return the same answer.
  virtual TInstanceRole Acquire() = 0;
  // Primary: called when a later start asks this one to come forward.
  virtual void SetActivateHandler(std::function<void()> handler) = 0;
};

// The key of the current user: the application title with the user's name
// (so two users on one machine each get their own instance).
QString DefaultInstanceKey();

class TLocalSocketInstanceLock : public QObject, public IInstanceLock {
  Q_OBJECT

 public:
  explicit TLocalSocketInstanceLock(QString key = DefaultInstanceKey(), QObject* parent = nullptr);
  ~TLocalSocketInstanceLock() override;

  TInstanceRole Acquire() override;
  // A request that came before the handler was set runs it at once.
  void SetActivateHandler(std::function<void()> handler) override {
    on_activate_ = std::move(handler);
    if (pending_activation_ && on_activate_) {
      pending_activation_ = false;
      on_activate_();
    }
  }
  bool ActivationPending() const { return pending_activation_; }

  // True while this primary instance listens (false after a failed listen).
  bool IsListening() const;
  const QString& Key() const { return key_; }

 private:
  void OnNewConnection();

  QString key_;
  std::unique_ptr<QLocalServer> server_;
  std::function<void()> on_activate_;
  bool decided_ = false;
  bool pending_activation_ = false;
  TInstanceRole role_ = TInstanceRole::kPrimary;
};

}  // namespace lumora::ui
