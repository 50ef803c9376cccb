// lumora: the desktop program.
//
//   lumora [--data FOLDER] [--startup-timing] [--screenshot FILE]
//          [--page-text FILE] [--link-map FILE] [--quit-after-ms N]
//          [--instance-key KEY]
//
// --data names the folder of the modules (default: the executable's
// folder). --startup-timing prints the time of each start-up step, up to
// the first paint of the Bible text. --screenshot saves a picture of the
// main window once the first chapter is painted and checks that its text
// area is not blank (exit code 3 if it is); --page-text writes the Bible
// view's text (UTF-8); either then closes the window, which saves the
// settings as a normal close does. --link-map writes, once the first
// chapter is painted, each link shown in the Bible view as "href x y" (the
// middle of its first letter in screen pixels) and goes on running, so a
// script can click the links with a real pointer. --quit-after-ms closes the window after
// N milliseconds. --instance-key names the single-instance lock (scripts
// use their own, so a running program is left alone).
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/ui/main_window.h"
#include "app/ui/platform/single_instance.h"
#include "app/ui/startup.h"
#include "render/ui/display_colors.h"
#include "render/ui/display_text.h"
#include "render/ui/html_view.h"
#include "views/bible_view.h"
#include "views/library.h"
#include "views/settings.h"
#include "views/text_view_frame.h"

namespace {

using lumora::ui::TMain;

// Waits for the first paint of the Bible text, then reports it and runs the
// after-start actions.
class FirstPaintWatch : public QObject {
 public:
  FirstPaintWatch(QWidget* viewport, std::function<void()> on_first_paint)
      : viewport_(viewport), on_first_paint_(std::move(on_first_paint)) {
    viewport_->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == viewport_ && event->type() == QEvent::Paint && !done_) {
      done_ = true;
      viewport_->removeEventFilter(this);
      // After this paint has finished.
      QTimer::singleShot(0, this, [this] { on_first_paint_(); });
    }
    return false;
  }

 private:
  QWidget* viewport_;
  std::function<void()> on_first_paint_;
  bool done_ = false;
};

// Share of the pixels of `area` that differ from its top-left pixel (the
// background): a painted chapter gives a few per cent, a blank view none.
double InkShare(const QImage& image, const QRect& area) {
  const QRect r = area.intersected(image.rect());
  if (r.isEmpty()) return 0;
  const QRgb background = image.pixel(r.topLeft());
  qint64 ink = 0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) ink += image.pixel(x, y) != background;
  }
  return static_cast<double>(ink) / (static_cast<double>(r.width()) * r.height());
}

// "href x y" per link in the visible part of `view`, x and y on the screen.
QByteArray VisibleLinks(lumora::ui::THtmlView& view) {
  QByteArray out;
  QWidget* viewport = view.viewport();
  const QRect visible = viewport->rect();
  for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QString href = fragment.charFormat().anchorHref();
      if (!fragment.isValid() || href.isEmpty()) continue;
      QTextCursor cursor(view.document());
      cursor.setPosition(fragment.position() + 1);
      const QRect at = view.cursorRect(cursor);
      const QPoint middle(at.left() - 3, at.center().y());
      if (!visible.contains(middle)) continue;
      const QPoint screen = viewport->mapToGlobal(middle);
      out += QByteArray::fromStdString(lumora::ui::FromDisplayText(href)) + ' ' + QByteArray::number(screen.x()) + ' ' +
             QByteArray::number(screen.y()) + '\n';
    }
  }
  return out;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer launch;
  launch.start();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(lumora::ui::kApplicationTitle));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Lumora Bible study program"));
  parser.addHelpOption();
  const QCommandLineOption data(
      {QStringLiteral("data")},
      QStringLiteral("Folder of the modules (default: the program's folder)."),
      QStringLiteral("folder"));
  const QCommandLineOption timing({QStringLiteral("startup-timing")},
                                  QStringLiteral("Print the time of each start-up step."));
  const QCommandLineOption screenshot(
      {QStringLiteral("screenshot")},
      QStringLiteral("Save the main window as a picture once the text is painted, then close."),
      QStringLiteral("file"));
  const QCommandLineOption page_text(
      {QStringLiteral("page-text")},
      QStringLiteral("Write the Bible view's text (UTF-8) once painted, then close."),
      QStringLiteral("file"));
  const QCommandLineOption quit_after(
      {QStringLiteral("quit-after-ms")},
      QStringLiteral("Close the main window after this many milliseconds."), QStringLiteral("ms"));
  const QCommandLineOption instance_key(
      {QStringLiteral("instance-key")},
      QStringLiteral("Name of the single-instance lock (scripts use their own)."),
      QStringLiteral("key"));
  const QCommandLineOption link_map(
      {QStringLiteral("link-map")},
      QStringLiteral("Write the Bible view's links and their screen positions once painted."),
      QStringLiteral("file"));
  parser.addOptions({data, timing, screenshot, page_text, link_map, quit_after, instance_key});
  parser.process(app);

  lumora::ui::TStartupTiming clock(launch, parser.isSet(timing) ? stderr : nullptr);
  clock.Step("application created");

  // A second start brings the running window forward and ends.
  lumora::ui::TLocalSocketInstanceLock lock(
      parser.isSet(instance_key) ? parser.value(instance_key) : lumora::ui::DefaultInstanceKey());
  if (lock.Acquire() == lumora::ui::TInstanceRole::kSecondary) {
    clock.Step("another instance runs: brought forward");
    return 0;
  }
  lumora::ui::InstallPaletteSystemColors();

  // The library and the settings outlive the window: dialogs and tool
  // windows the window owns may still refer to them while it goes.
  lumora::ui::TLibrary library;
  lumora::ui::TSettings settings;
  lumora::ui::TMainOptions options;
  options.data_folder = parser.value(data).toStdString();
  options.timing = &clock;
  options.library = &library;
  options.settings = &settings;
  auto window = std::make_unique<TMain>(std::move(options));
  if (window->StartupFailed()) return 1;

  const QString shot = parser.value(screenshot);
  const QString text_file = parser.value(page_text);
  int exit_code = 0;
  const QString links_file = parser.value(link_map);
  FirstPaintWatch watch(window->BibleView()->TextView()->HTMLView()->viewport(), [&] {
    clock.Step("first chapter painted");
    if (!links_file.isEmpty() &&
        !WriteFile(links_file, VisibleLinks(*window->BibleView()->TextView()->HTMLView())))
      std::fprintf(stderr, "lumora: cannot write %s\n", links_file.toLocal8Bit().constData());
    if (shot.isEmpty() && text_file.isEmpty()) return;
    if (!shot.isEmpty()) {
      const QImage image = window->grab().toImage();
      if (!image.save(shot)) {
        std::fprintf(stderr, "lumora: cannot save %s\n", shot.toLocal8Bit().constData());
        exit_code = 1;
      }
      QWidget* viewport = window->BibleView()->TextView()->HTMLView()->viewport();
      const QRect area(viewport->mapTo(window.get(), QPoint(0, 0)), viewport->size());
      const double ink = InkShare(image, QRect(area.topLeft() * image.devicePixelRatio(),
                                               area.size() * image.devicePixelRatio()));
      std::fprintf(stderr, "lumora: text area ink %.1f%%\n", ink * 100);
      if (ink < 0.005) {
        std::fprintf(stderr, "lumora: the text area is blank\n");
        exit_code = 3;
      }
    }
    if (!text_file.isEmpty() &&
        !WriteFile(text_file,
                   window->BibleView()->TextView()->HTMLView()->toPlainText().toUtf8())) {
      std::fprintf(stderr, "lumora: cannot write %s\n", text_file.toLocal8Bit().constData());
      exit_code = 1;
    }
    window->close();
  });
  if (parser.isSet(quit_after)) {
    QTimer::singleShot(parser.value(quit_after).toInt(), window.get(), &QWidget::close);
  }
  window->ShowAsPlaced();
  // The lock listened from the start; a second start made meanwhile is
  // answered now that the window shows.
  lock.SetActivateHandler([w = window.get()] { w->BringToFront(); });
  const int rc = app.exec();
  return exit_code != 0 ? exit_code : rc;
}
