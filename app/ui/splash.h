// The splash window shown while the program starts: borderless, on top,
// centred, 393 x 323, the program's logo with a right-aligned status line
// at the bottom. SetStatus repaints at once, so each start-up step shows
// while it runs (the start-up itself runs without an event loop).
#pragma once

#include <QSplashScreen>
#include <QString>

namespace lumora::ui {

class TSplash : public QSplashScreen {
  Q_OBJECT

 public:
  TSplash();
  void SetStatus(const QString& text);
  const QString& Status() const { return status_; }

 private:
  QString status_;
};

// The logo drawn on the splash and the about box.
QPixmap LogoPixmap(const QSize& size);

}  // namespace lumora::ui
