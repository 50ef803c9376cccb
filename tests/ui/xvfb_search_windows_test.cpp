// Pictures of the full search window after "grace" and of the topic guide
// after "john 3:16" on a real X display (scripts/xvfb-delivery-test.sh),
// with the checks a person would make looking at them: the trees are filled
// and the hits are marked in the key highlight colour.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "app/ui/big_search_feature.h"
#include "app/ui/history_combo_box.h"
#include "app/ui/main_window.h"
#include "app/ui/topic_guide_feature.h"
#include "config/memory_storage.h"
#include "config/properties.h"
#include "render/ui/html_view.h"
#include "search/ui/big_search_form.h"
#include "search/ui/topic_guide_form.h"
#include "tests/library/library_fixture.h"
#include "tests/ui/test_host.h"

namespace lumora::ui {
namespace {

// Pixels of exactly `rgb` in the picture.
int PixelsOf(const QImage& image, QRgb rgb) {
  int n = 0;
  const QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb32.height(); ++y)
    for (int x = 0; x < rgb32.width(); ++x) n += (rgb32.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF);
  return n;
}

TEST(XvfbSearchWindows, PicturesOfTheFullSearchAndTheGuide) {
  if (QGuiApplication::platformName() != QLatin1String("xcb"))
    GTEST_SKIP() << "needs an X display (scripts/xvfb-delivery-test.sh)";
  LUMORA_REQUIRE_LIBRARY(folder);
  config::GlobalProperties() = config::DefaultProperties();
  config::MemoryStorage storage;
  TMainOptions options;
  options.data_folder = folder;
  options.storage = &storage;
  options.show_splash = false;
  options.show_message = [](const QString& text) { ADD_FAILURE() << text.toStdString(); };
  TMain w(std::move(options));
  ASSERT_TRUE(w.StartupComplete());
  w.resize(1000, 700);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  const QString artifacts = qEnvironmentVariable("LUMORA_ARTIFACTS", QDir::tempPath());
  QDir().mkpath(artifacts);

  auto* big = w.findChild<TBigSearchFeature*>(QStringLiteral("BigSearchFeature"));
  ASSERT_NE(big, nullptr);
  w.MainAction("ActionBigSearch")->trigger();
  TFormBigSearch& form = *big->Form();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.resize(700, 600);
  form.SetRadio()->setChecked(true);
  form.SetList()->setCurrentIndex(0);
  form.TextBox()->setEditText(QStringLiteral("grace"));
  form.SearchButton()->click();
  QTest::qWait(200);
  EXPECT_GT(form.Tree()->topLevelItemCount(), 0);
  const QImage search = form.grab().toImage();
  EXPECT_TRUE(search.save(artifacts + QStringLiteral("/full-search-grace.png")));
  // The marked hits in the key highlight colour (red unless changed).
  const config::TColor key = config::GlobalProperties().key_hilight_color;  // 0x00BBGGRR
  const QRgb red = qRgb(int(key & 0xFF), int((key >> 8) & 0xFF), int((key >> 16) & 0xFF));
  EXPECT_GT(PixelsOf(form.ResultView()->viewport()->grab().toImage(), red), 20);
  form.close();

  auto* guide = w.findChild<TTopicGuideFeature*>(QStringLiteral("TopicGuideFeature"));
  ASSERT_NE(guide, nullptr);
  w.MainAction("ActionTopicGuide")->trigger();
  TTopicGuideForm& topic = *guide->Form();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&topic));
  topic.TopicBox()->setText(QStringLiteral("john 3:16"));
  topic.SearchButton()->click();
  QTest::qWait(200);
  EXPECT_GE(topic.Tree()->topLevelItemCount(), 2);  // Bibles, Commentaries on it, ...
  EXPECT_TRUE(
      topic.grab().toImage().save(artifacts + QStringLiteral("/topic-guide-john-3-16.png")));
  topic.close();
}

}  // namespace
}  // namespace lumora::ui
