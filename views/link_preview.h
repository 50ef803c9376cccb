// TLinkPreview: the hover previews of one display widget. The frame tells
// it which link the pointer (or the keyboard) is on; after the frame's delay
// the preview text is computed (not before: most links are only passed
// over) and shown in a pop-up hint for up to 99999 ms. Leaving the links
// hides it; moving the pointer off a link with no preview hides any stale
// one. While a preview is active the main window's status bar stops
// echoing hints.
//
// The timer is injectable, so tests check the delays without the clock.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

namespace lumora::ui {

class THtmlView;

// The delays of the two frames and of ordinary hints after a preview.
inline constexpr int kTextViewPreviewDelayMs = 300;
inline constexpr int kResourceViewPreviewDelayMs = 200;
inline constexpr int kNormalHintDelayMs = 500;
inline constexpr int kPreviewDisplayMs = 99999;

class IPreviewTimer {
 public:
  virtual ~IPreviewTimer() = default;
  virtual void Start(int ms, std::function<void()> fire) = 0;
  virtual void Stop() = 0;
};

class TLinkPreview : public QObject {
  Q_OBJECT

 public:
  // `preview(href)` gives the Windows-1252 preview text of a link ("" for
  // none). `active(on)` tells the host that previews start or stop.
  TLinkPreview(THtmlView* view, int delay_ms, std::function<std::string(const std::string&)> preview,
               std::function<void(bool)> active);
  ~TLinkPreview() override;

  void SetTimer(std::unique_ptr<IPreviewTimer> timer);

  // The link under the pointer (or reached by the keyboard, shown at
  // `at`, global) changed; "" when it left links.
  void Covered(const std::string& href, const QPoint& at);
  // Every pointer move: with no preview pending or shown, hides any hint.
  void MouseMoved();

  // The text of the preview last computed ("" when none), Windows-1252.
  const std::string& HintText() const { return hint_text_; }
  // The link a preview waits for or shows ("" when none).
  const std::string& Href() const { return href_; }
  // The delay the timer was last started with; 0 when it is not running.
  int PendingDelay() const { return pending_delay_; }
  // What the timer does when it fires (tests call it).
  void Fire();

 private:
  THtmlView* view_;
  int delay_ms_;
  std::function<std::string(const std::string&)> preview_;
  std::function<void(bool)> active_;
  std::unique_ptr<IPreviewTimer> timer_;
  std::string href_;
  std::string hint_text_;
  QPoint at_;
  bool active_now_ = false;
  int pending_delay_ = 0;
};

}  // namespace lumora::ui
