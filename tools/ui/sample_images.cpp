// lumora-sample-images FOLDER: draws the synthetic sample illustrations
// into FOLDER (the library's "Images" folder), each stamped "SYNTHETIC
// SAMPLE": nested folders, a name with several dots, an upper-case
// extension, a large and a tall narrow picture, and an empty folder, so the
// image viewer has every case to show.
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

struct SamplePicture {
  const char* path;  // below FOLDER
  int width;
  int height;
  QColor from;
  QColor to;
  const char* caption;
};

const SamplePicture kPictures[] = {
    {"Maps/map.of.canaan.png", 900, 640, QColor(222, 205, 160), QColor(150, 185, 140),
     "Map of Canaan"},
    {"Maps/Regions/galilee.jpeg", 640, 480, QColor(170, 200, 225), QColor(90, 140, 110),
     "Galilee"},
    {"Maps/Regions/Cities/jerusalem.png", 520, 400, QColor(235, 225, 200), QColor(190, 160, 120),
     "Jerusalem"},
    {"Easton/aaron.jpg", 360, 480, QColor(120, 90, 150), QColor(230, 210, 160), "Aaron"},
    {"Easton/ark.JPG", 600, 360, QColor(140, 100, 60), QColor(220, 190, 120), "The ark"},
    {"Large/panorama.png", 4000, 2500, QColor(60, 110, 170), QColor(240, 200, 130),
     "A large panorama"},
    {"Tall/column.png", 160, 3200, QColor(200, 200, 210), QColor(90, 90, 110), "A column"},
};

const char* const kEmptyFolders[] = {"Empty"};

QImage Draw(const SamplePicture& p) {
  QImage image(p.width, p.height, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fill(0, 0, p.width, p.height);
  fill.setColorAt(0, p.from);
  fill.setColorAt(1, p.to);
  painter.fillRect(image.rect(), fill);
  // A few hills and a river, so the picture has something to look at
  // when zoomed or dragged.
  painter.setPen(QPen(QColor(60, 60, 60, 120), std::max(2, p.width / 200)));
  for (int i = 0; i < 6; ++i) {
    const int y = p.height * (i + 1) / 8;
    QPainterPath hill;
    hill.moveTo(0, y);
    hill.cubicTo(p.width / 3.0, y - p.height / 10.0, 2 * p.width / 3.0, y + p.height / 12.0,
                 p.width, y);
    painter.drawPath(hill);
  }
  painter.setPen(QPen(QColor(40, 90, 200, 180), std::max(4, p.width / 80)));
  painter.drawLine(QPoint(p.width / 5, 0), QPoint(p.width * 3 / 5, p.height));
  painter.setPen(QPen(Qt::black, 3));
  painter.drawRect(image.rect().adjusted(1, 1, -2, -2));

  // The stamp, across the middle, and the caption at the top.
  // Along the longer side, sized to take nine tenths of it.
  const bool upright = p.height > 3 * p.width;
  const int along = upright ? p.height : p.width;
  const int across = upright ? p.width : p.height;
  const QString stamp_text = QStringLiteral("SYNTHETIC SAMPLE");
  QFont stamp(QStringLiteral("DejaVu Sans"));
  stamp.setBold(true);
  stamp.setPixelSize(100);
  const double advance = QFontMetricsF(stamp).horizontalAdvance(stamp_text);
  stamp.setPixelSize(std::max(8, std::min(static_cast<int>(100 * 0.9 * along / advance),
                                          across / 3)));
  painter.setFont(stamp);
  painter.setPen(QColor(180, 0, 0, 200));
  painter.save();
  painter.translate(p.width / 2.0, p.height / 2.0);
  if (upright) painter.rotate(90);
  painter.drawText(QRect(-p.height * 2, -p.height, p.height * 4, p.height * 2), Qt::AlignCenter,
                   stamp_text);
  painter.restore();
  QFont caption(QStringLiteral("DejaVu Sans"));
  caption.setPixelSize(std::max(10, std::min(p.width / 14, 48)));
  painter.setFont(caption);
  painter.setPen(Qt::black);
  painter.drawText(QRect(8, 8, p.width - 16, p.height / 4), Qt::AlignHCenter | Qt::AlignTop,
                   QString::fromLatin1(p.caption) + QStringLiteral("\n(synthetic sample)"));
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing needs fonts, not a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumora-sample-images FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (const SamplePicture& p : kPictures) {
    const QString path = folder.filePath(QString::fromLatin1(p.path));
    if (!QDir().mkpath(QFileInfo(path).path()) || !Draw(p).save(path, nullptr, 85)) {
      std::fprintf(stderr, "lumora-sample-images: cannot write %s\n", path.toLocal8Bit().constData());
      return 1;
    }
  }
  for (const char* empty : kEmptyFolders) {
    if (!QDir().mkpath(folder.filePath(QString::fromLatin1(empty)))) {
      std::fprintf(stderr, "lumora-sample-images: cannot make %s\n", empty);
      return 1;
    }
  }
  std::printf("%d synthetic sample images written to %s\n",
              static_cast<int>(std::size(kPictures)), argv[1]);
  return 0;
}
