#include "app/ui/splash.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace lumora::ui {

QPixmap LogoPixmap(const QSize& size) {
  QPixmap pixmap(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, QColor(0x1F, 0x3A, 0x68));
  sky.setColorAt(1, QColor(0x6E, 0x8F, 0xC4));
  p.fillRect(pixmap.rect(), sky);
  // An open book.
  const QRectF book(size.width() * 0.3, size.height() * 0.18, size.width() * 0.4,
                    size.height() * 0.3);
  p.setPen(QPen(QColor(0xF4, 0xE9, 0xC8), 2));
  p.setBrush(QColor(0xFB, 0xF6, 0xE6));
  QPolygonF left, right;
  left << book.topLeft() + QPointF(0, 8) << QPointF(book.center().x(), book.top() + 14)
       << QPointF(book.center().x(), book.bottom()) << book.bottomLeft();
  right << QPointF(book.center().x(), book.top() + 14) << book.topRight() + QPointF(0, 8)
        << book.bottomRight() << QPointF(book.center().x(), book.bottom());
  p.drawPolygon(left);
  p.drawPolygon(right);
  QFont title = QApplication::font();
  title.setPixelSize(size.height() / 7);
  title.setBold(true);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, size.height() * 0.5, size.width(), size.height() * 0.2), Qt::AlignCenter,
             QStringLiteral("Lumora"));
  QFont version = QApplication::font();
  version.setPixelSize(size.height() / 18);
  p.setFont(version);
  p.drawText(QRectF(0, size.height() * 0.68, size.width(), size.height() * 0.1), Qt::AlignCenter,
             QStringLiteral("Version 4.4"));
  return pixmap;
}

TSplash::TSplash()
    : QSplashScreen(LogoPixmap(QSize(393, 323)),
                    Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("Splash"));
  setFixedSize(393, 323);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TSplash::SetStatus(const QString& text) {
  status_ = text;
  // showMessage repaints at once.
  showMessage(text + QLatin1Char(' '), Qt::AlignRight | Qt::AlignBottom, Qt::white);
}

}  // namespace lumora::ui
