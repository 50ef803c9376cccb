// The image viewer: the tree and the "Images" menu, show by link name, zoom
// by wheel, shrink to fit, drag and cursor, copy, send link, images that
// cannot be loaded, and the window state.
#include "app/ui/image_view_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>

#include "app/ui/images_feature.h"
#include "app/ui/platform/clipboard.h"
#include "config/properties.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/feature_window.h"
#include "tests/ui/test_host.h"
#include "views/actions.h"

namespace lumora::ui {
namespace {

void WritePicture(const std::string& path, int width, int height) {
  QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(40, 120, 200));
  const QString file = QString::fromStdString(path);
  // The extension chooses the format whatever its case.
  ASSERT_TRUE(image.save(file, QFileInfo(file).suffix().toLower().toLatin1().constData()))
      << path;
}

void WriteBytes(const std::string& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
  QFile f(QString::fromStdString(path));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// The sample layout of the viewer's cases.
void WriteImages(const std::string& images) {
  WritePicture(images + "/Easton/aaron.jpg", 300, 200);
  WritePicture(images + "/Easton/ark.JPG", 320, 240);
  WritePicture(images + "/Maps/map.of.canaan.png", 900, 700);
  WritePicture(images + "/Maps/Regions/galilee.jpeg", 200, 150);
  WritePicture(images + "/Tall/column.png", 120, 2400);
  WriteBytes(images + "/Broken/broken.png", QByteArray("\x89PNG\r\n\x1a\n not really", 20));
  QDir().mkpath(QString::fromStdString(images + "/Empty"));
}

class ClipboardDouble : public IClipboard {
 public:
  QString Text() const override { return {}; }
  void SetText(const QString&) override {}
  void SetHtml(const QString&, const QString&) override {}
  void SetImage(const QImage& i) override { image = i; }
  QImage image;
};

class EditingAuthoring : public TNoAuthoring {
 public:
  bool EditorEditing() const override { return editing; }
  void SendToEditor(const std::string& text) override { sent.push_back(text); }
  bool editing = true;
  std::vector<std::string> sent;
};

class ImageViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetSettings();
    InstallClipboard(&clipboard_);
    WriteImages(temp_.File("Images"));
    form_ = std::make_unique<TImageViewForm>(kit_.actions, kit_.host);
    form_->resize(700, 500);
    form_->Scan(DefaultFileSystem(), temp_.File("Images"));
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  }
  void TearDown() override {
    form_.reset();
    InstallClipboard(nullptr);
  }
  void Select(const char* link) {
    ASSERT_TRUE(form_->ShowByLinkName(link)) << link;
    test::Settle();
  }
  void Wheel(int delta) {
    QWidget* viewport = form_->ImageArea()->viewport();
    const QPointF at(10, 10);
    QWheelEvent e(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &e);
  }
  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QWidget* canvas = form_->Canvas();
    QMouseEvent e(type, QPointF(at), QPointF(canvas->mapToGlobal(at)), Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(canvas, &e);
  }

  test::TempFolder temp_;
  test::TPaneTestKit kit_;
  ClipboardDouble clipboard_;
  std::unique_ptr<TImageViewForm> form_;
};

TEST_F(ImageViewTest, TreeTitlesCountAndCaptions) {
  QTreeWidget* tree = form_->Tree();
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* root = tree->topLevelItem(0);
  EXPECT_EQ(root->text(0), QStringLiteral("Images"));
  EXPECT_TRUE(root->isExpanded());
  QStringList top;
  for (int i = 0; i < root->childCount(); ++i) top << root->child(i)->text(0);
  EXPECT_EQ(top, (QStringList{"Broken", "Easton", "Empty", "Maps", "Tall"}));
  EXPECT_EQ(root->child(1)->child(0)->text(0), QStringLiteral("aaron"));
  EXPECT_EQ(form_->StatusBar()->currentMessage(), QStringLiteral("6 images."));
  EXPECT_EQ(form_->windowTitle(), QStringLiteral("No image selected - Lumora Image Viewer"));
  EXPECT_EQ(form_->AreaText(),
            QStringLiteral("Click an image title in the list on the left to load the image here."));

  Select("easton\\AARON.JPG");
  EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("aaron"));
  EXPECT_EQ(form_->CurrentLink(), QStringLiteral("lmimage:Easton/aaron.jpg"));
  EXPECT_EQ(form_->windowTitle(), QStringLiteral("aaron - Lumora Image Viewer"));
  EXPECT_EQ(form_->Picture().size(), QSize(300, 200));
  EXPECT_TRUE(form_->AreaText().isEmpty());

  Select("Maps/map.of.canaan.png");
  EXPECT_EQ(form_->CurrentTitle(), QStringLiteral("map.of.canaan"));
  // A folder shows no image.
  Select("Maps");
  EXPECT_TRUE(form_->CurrentLink().isEmpty());
  EXPECT_TRUE(form_->Picture().isNull());
  EXPECT_EQ(form_->windowTitle(), QStringLiteral("No image selected - Lumora Image Viewer"));
  // An unknown name changes nothing.
  Select("Easton/ark.jpg");
  EXPECT_FALSE(form_->ShowByLinkName("Easton/nothing.jpg"));
  EXPECT_EQ(form_->CurrentLink(), QStringLiteral("lmimage:Easton/ark.JPG"));
}

TEST_F(ImageViewTest, WheelZoomsInNotchesUnlessShrinking) {
  Select("Easton/aaron.jpg");
  EXPECT_EQ(form_->Zoom(), 100);
  for (int i = 0; i < 15; ++i) Wheel(120);
  EXPECT_EQ(form_->Zoom(), 175);
  EXPECT_EQ(form_->Canvas()->size(), QSize(525, 350));
  for (int i = 0; i < 5; ++i) Wheel(120);
  EXPECT_EQ(form_->Zoom(), 200);
  Wheel(120);
  EXPECT_EQ(form_->Zoom(), 200);
  // A touchpad's small deltas add up to notches.
  for (int i = 0; i < 8; ++i) Wheel(-15);
  EXPECT_EQ(form_->Zoom(), 195);
  for (int i = 0; i < 60; ++i) Wheel(-120);
  EXPECT_EQ(form_->Zoom(), 1);
  EXPECT_EQ(form_->Canvas()->size(), QSize(3, 2));
  // Every image starts at its natural size.
  Select("Easton/ark.jpg");
  EXPECT_EQ(form_->Zoom(), 100);
  EXPECT_EQ(form_->Canvas()->size(), QSize(320, 240));

  form_->ActionShrinkToFit->trigger();
  EXPECT_TRUE(config::GlobalProperties().image_shrink_to_fit);
  for (int i = 0; i < 5; ++i) Wheel(120);
  EXPECT_EQ(form_->Zoom(), 100);
  EXPECT_EQ(form_->Canvas()->size(), QSize(320, 240));  // smaller than the area: natural
}

TEST_F(ImageViewTest, ShrinkFitsLargeImagesAndFollowsTheWindow) {
  config::GlobalProperties().image_shrink_to_fit = true;
  Select("Maps/map.of.canaan.png");
  const QSize area = form_->ImageArea()->maximumViewportSize();
  QSize fitted = form_->Canvas()->size();
  EXPECT_TRUE(fitted.width() == area.width() || fitted.height() == area.height());
  EXPECT_LE(fitted.width(), area.width());
  EXPECT_LE(fitted.height(), area.height());
  EXPECT_NEAR(static_cast<double>(fitted.width()) / fitted.height(), 900.0 / 700.0, 0.02);
  EXPECT_EQ(form_->Canvas()->cursor().shape(), Qt::ArrowCursor);
  form_->resize(500, 400);
  test::Settle();
  EXPECT_LT(form_->Canvas()->width(), fitted.width());
  // Off again: natural size, and the picture is larger than the area.
  form_->ActionShrinkToFit->trigger();
  EXPECT_FALSE(config::GlobalProperties().image_shrink_to_fit);
  EXPECT_EQ(form_->Canvas()->size(), QSize(900, 700));
  EXPECT_EQ(form_->Canvas()->cursor().shape(), Qt::SizeAllCursor);
}

TEST_F(ImageViewTest, DraggingScrollsEvenATallNarrowImage) {
  Select("Tall/column.png");
  QScrollBar* h = form_->ImageArea()->horizontalScrollBar();
  QScrollBar* v = form_->ImageArea()->verticalScrollBar();
  ASSERT_GT(v->maximum(), 0);
  EXPECT_EQ(h->maximum(), 0);
  EXPECT_EQ(form_->Canvas()->cursor().shape(), Qt::SizeAllCursor);
  Mouse(QEvent::MouseButtonPress, QPoint(50, 300), Qt::LeftButton);
  Mouse(QEvent::MouseMove, QPoint(40, 200), Qt::LeftButton);
  EXPECT_EQ(v->value(), 100);
  EXPECT_EQ(h->value(), 0);
  // The canvas moved with the drag: the same point is now 100 pixels up.
  Mouse(QEvent::MouseMove, QPoint(40, 150), Qt::LeftButton);
  EXPECT_EQ(v->value(), 250);
  Mouse(QEvent::MouseMove, QPoint(40, 100000), Qt::LeftButton);
  EXPECT_EQ(v->value(), 0);  // clamped
  Mouse(QEvent::MouseButtonRelease, QPoint(40, 0), Qt::NoButton);
  Mouse(QEvent::MouseMove, QPoint(40, -500), Qt::NoButton);
  EXPECT_EQ(v->value(), 0);  // no button, no drag
  // A small image does not drag and keeps the default cursor.
  Select("Maps/Regions/galilee.jpeg");
  EXPECT_EQ(form_->Canvas()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ImageViewTest, CommandsCopyAndSendLink) {
  QMenu* menu = form_->ContextMenu();
  QStringList items;
  for (QAction* a : menu->actions()) items << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(items, (QStringList{"Shrink Large Images to Fit Window", "-",
                                "Copy Image to Clipboard", "-", "Send Image Link to Editor"}));
  EXPECT_EQ(form_->ActionCopy->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
  test::Settle();
  EXPECT_FALSE(form_->ActionCopy->isEnabled());
  EXPECT_FALSE(form_->ActionSendLinkToEditor->isEnabled());

  Select("Easton/aaron.jpg");
  EXPECT_TRUE(form_->ActionCopy->isEnabled());
  // The editor is closed: sending is disabled.
  EXPECT_FALSE(form_->ActionSendLinkToEditor->isEnabled());
  form_->ActionCopy->trigger();
  EXPECT_EQ(clipboard_.image.size(), QSize(300, 200));

  auto editor = std::make_unique<EditingAuthoring>();
  EditingAuthoring* authoring = editor.get();
  kit_.host.authoring = std::move(editor);
  kit_.actions.UpdateNow();
  EXPECT_TRUE(form_->ActionSendLinkToEditor->isEnabled());
  form_->ActionSendLinkToEditor->trigger();
  ASSERT_EQ(authoring->sent.size(), 1u);
  EXPECT_EQ(authoring->sent[0], "<a href=\"lmimage:Easton/aaron.jpg\">aaron</a>");
  authoring->editing = false;
  kit_.actions.UpdateNow();
  EXPECT_FALSE(form_->ActionSendLinkToEditor->isEnabled());
}

TEST_F(ImageViewTest, ImagesThatCannotLoadShowAShortText) {
  Select("Broken/broken.png");
  EXPECT_TRUE(form_->Picture().isNull());
  EXPECT_TRUE(form_->AreaText().startsWith(QStringLiteral("This image cannot be shown")))
      << form_->AreaText().toStdString();
  EXPECT_EQ(form_->windowTitle(), QStringLiteral("broken - Lumora Image Viewer"));
  EXPECT_FALSE(form_->ActionCopy->isEnabled());
  for (int i = 0; i < 3; ++i) Wheel(120);  // nothing to zoom
  EXPECT_EQ(form_->Zoom(), 100);

  // Over the reader's allocation limit (1 MB here; 900 x 700 x 4 bytes).
  const int limit = QImageReader::allocationLimit();
  QImageReader::setAllocationLimit(1);
  Select("Maps/map.of.canaan.png");
  QImageReader::setAllocationLimit(limit);
  EXPECT_TRUE(form_->Picture().isNull());
  EXPECT_TRUE(form_->AreaText().startsWith(QStringLiteral("This image cannot be shown")));
  // The next image loads again.
  Select("Easton/aaron.jpg");
  EXPECT_FALSE(form_->Picture().isNull());
  EXPECT_TRUE(form_->AreaText().isEmpty());
}

TEST_F(ImageViewTest, ShowFolderUnfoldsItAndTheStateIsStoredOnClose) {
  form_->Tree()->expandAll();
  ASSERT_TRUE(form_->ShowFolder("Maps"));
  QTreeWidgetItem* maps = form_->Tree()->currentItem();
  EXPECT_EQ(maps->text(0), QStringLiteral("Maps"));
  EXPECT_TRUE(maps->isExpanded());
  EXPECT_TRUE(maps->child(1)->isExpanded());  // Regions, every level below
  EXPECT_FALSE(form_->Tree()->topLevelItem(0)->child(1)->isExpanded());  // Easton collapsed
  EXPECT_FALSE(form_->ShowFolder("Maps/map.of.canaan.png"));

  form_->setGeometry(60, 70, 420, 330);
  form_->close();
  const config::WindowState& s = config::GlobalProperties().state_image_view;
  EXPECT_EQ(s, (config::WindowState{form_->geometry().left(), form_->geometry().top(),
                                    form_->geometry().height(), form_->geometry().width()}));
  // The next form opens there.
  TImageViewForm again(kit_.actions, kit_.host);
  EXPECT_EQ(again.geometry(), form_->geometry());
}

// In the main window: the menu items, the hook for "lmimage:" links, and
// closing with the window.
TEST(ImagesFeature, MenuItemsHookAndClose) {
  test::TFeatureWindow fixture;
  WriteImages(fixture.File("Images"));
  TMain& w = fixture.Start();
  ASSERT_TRUE(w.StartupComplete()) << fixture.messages.join(QLatin1Char('|')).toStdString();
  test::Settle();
  QMenu* menu = w.Menu("MenuImages");
  QStringList items;
  for (QAction* a : menu->actions()) items << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(items, (QStringList{"Open Image Viewer", "-", "Broken", "Easton", "Maps", "Regions",
                                "Tall"}));
  for (QAction* a : menu->actions()) EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();

  ASSERT_TRUE(w.show_image);
  EXPECT_FALSE(w.show_image("Easton/nothing.jpg"));
  ASSERT_TRUE(w.show_image("easton\\AARON.JPG"));
  auto* feature = w.findChild<TImagesFeature*>();
  ASSERT_NE(feature, nullptr);
  TImageViewForm* viewer = feature->Viewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(viewer->windowTitle(), QStringLiteral("aaron - Lumora Image Viewer"));
  menu->actions().at(4)->trigger();  // "Maps"
  EXPECT_EQ(viewer->Tree()->currentItem()->text(0), QStringLiteral("Maps"));

  viewer->setGeometry(40, 50, 400, 300);
  fixture.Stop();
  EXPECT_EQ(config::GlobalProperties().state_image_view.left, 40);
}

TEST(ImagesFeature, WithoutImagesEveryItemIsDisabled) {
  test::TFeatureWindow fixture;
  QDir().mkpath(QString::fromStdString(fixture.File("Images/Empty")));
  TMain& w = fixture.Start();
  ASSERT_TRUE(w.StartupComplete());
  test::Settle();
  EXPECT_FALSE(w.MainAction("ActionImageViewer")->isEnabled());
  EXPECT_FALSE(w.show_image("Empty"));
}

}  // namespace
}  // namespace lumora::ui
