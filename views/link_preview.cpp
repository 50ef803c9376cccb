#include "views/link_preview.h"

#include <QTextDocument>
#include <QToolTip>

#include "render/ui/display_text.h"
#include "render/ui/html_view.h"

namespace lumora::ui {
namespace {

class TQtPreviewTimer : public IPreviewTimer {
 public:
  TQtPreviewTimer() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
      if (fire_) fire_();
    });
  }
  void Start(int ms, std::function<void()> fire) override {
    fire_ = std::move(fire);
    timer_.start(ms);
  }
  void Stop() override { timer_.stop(); }

 private:
  QTimer timer_;
  std::function<void()> fire_;
};

}  // namespace

TLinkPreview::TLinkPreview(THtmlView* view, int delay_ms,
                           std::function<std::string(const std::string&)> preview,
                           std::function<void(bool)> active)
    : QObject(view),
      view_(view),
      delay_ms_(delay_ms),
      preview_(std::move(preview)),
      active_(std::move(active)),
      timer_(std::make_unique<TQtPreviewTimer>()) {}

TLinkPreview::~TLinkPreview() = default;

void TLinkPreview::SetTimer(std::unique_ptr<IPreviewTimer> timer) { timer_ = std::move(timer); }

void TLinkPreview::Covered(const std::string& href, const QPoint& at) {
  timer_->Stop();
  pending_delay_ = 0;
  if (QToolTip::isVisible()) QToolTip::hideText();
  hint_text_.clear();
  href_ = href;
  at_ = at;
  if (href.empty()) {
    if (active_now_ && active_) active_(false);
    active_now_ = false;
    return;
  }
  if (!active_now_ && active_) active_(true);
  active_now_ = true;
  pending_delay_ = delay_ms_;
  timer_->Start(delay_ms_, [this] { Fire(); });
}

void TLinkPreview::Fire() {
  pending_delay_ = 0;
  if (href_.empty()) return;
  hint_text_ = preview_ ? preview_(href_) : std::string();
  if (hint_text_.empty()) return;
  // Plain text: "<" and "&" in a verse or an article stay literal.
  QToolTip::showText(at_, Qt::convertFromPlainText(ToDisplayText(hint_text_), Qt::WhiteSpaceNormal),
                     view_, QRect(), kPreviewDisplayMs);
}

void TLinkPreview::MouseMoved() {
  if (hint_text_.empty() && pending_delay_ == 0 && QToolTip::isVisible()) QToolTip::hideText();
}

}  // namespace lumora::ui
