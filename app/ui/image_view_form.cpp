#include "app/ui/image_view_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/ui/main_window.h"
#include "app/ui/platform/clipboard.h"
#include "config/properties.h"
#include "render/html_escape.h"
#include "render/ui/display_text.h"
#include "views/actions.h"
#include "views/pane_host.h"

namespace lumora::ui {

// Paints the picture scaled to the widget's size; the form sizes it.
class TImageCanvas : public QWidget {
 public:
  explicit TImageCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ImageCanvas"));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
  }
  void SetPicture(const QImage* picture) {
    picture_ = picture;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (picture_ == nullptr || picture_->isNull()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, size() != picture_->size());
    p.drawImage(rect(), *picture_);
  }

 private:
  const QImage* picture_ = nullptr;
};

namespace {

constexpr int kImageNodeRole = Qt::UserRole + 1;

QString ImageNameText(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

const ImageNode* ImageNodeOf(const QTreeWidgetItem* item) {
  if (item == nullptr) return nullptr;
  return reinterpret_cast<const ImageNode*>(item->data(0, kImageNodeRole).value<quintptr>());
}

}  // namespace

TImageViewForm::TImageViewForm(TActions& actions, IPaneHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(host) {
  setObjectName(QStringLiteral("ImageViewForm"));
  setWindowTitle(QString::fromLatin1(kNoImageCaption));
  resize(720, 520);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setChildrenCollapsible(false);
  layout->addWidget(splitter, 1);

  tree_ = new QTreeWidget(splitter);
  tree_->setObjectName(QStringLiteral("ImageTree"));
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  tree_->setMinimumWidth(120);
  tree_->setAccessibleName(QStringLiteral("Images"));
  connect(tree_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item, QTreeWidgetItem*) { OnCurrentItemChanged(item); });

  auto* right = new QWidget(splitter);
  auto* right_layout = new QVBoxLayout(right);
  right_layout->setContentsMargins(0, 0, 0, 0);
  text_ = new QLabel(QString::fromLatin1(kImageInstruction), right);
  text_->setObjectName(QStringLiteral("ImageText"));
  text_->setAlignment(Qt::AlignCenter);
  text_->setWordWrap(true);
  text_->setContextMenuPolicy(Qt::NoContextMenu);
  right_layout->addWidget(text_, 1);
  area_ = new QScrollArea(right);
  area_->setObjectName(QStringLiteral("ImageArea"));
  area_->setWidgetResizable(false);
  area_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  area_->setAccessibleName(QStringLiteral("Image"));
  canvas_ = new TImageCanvas(area_);
  canvas_->SetPicture(&picture_);
  area_->setWidget(canvas_);
  area_->hide();
  right_layout->addWidget(area_, 1);
  splitter->addWidget(tree_);
  splitter->addWidget(right);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({200, 520});

  status_ = new QStatusBar(this);
  status_->setObjectName(QStringLiteral("ImageStatusBar"));
  status_->setSizeGripEnabled(true);
  layout->addWidget(status_);

  area_->viewport()->installEventFilter(this);
  canvas_->installEventFilter(this);

  ActionShrinkToFit = actions.Add(this, QStringLiteral("ActionShrinkToFit"),
                                  QStringLiteral("Shrink Large Images to Fit Window"));
  ActionShrinkToFit->setCheckable(true);
  ActionCopy = actions.Add(this, QStringLiteral("ActionCopy"),
                           QStringLiteral("Copy Image to Clipboard"), {},
                           QKeySequence(Qt::CTRL | Qt::Key_C));
  ActionSendLinkToEditor = actions.Add(this, QStringLiteral("ActionSendLinkToEditor"),
                                       QStringLiteral("Send Image Link to Editor"));
  connect(ActionShrinkToFit, &QAction::triggered, this, [this, &actions] {
    config::Properties& p = config::GlobalProperties();
    p.image_shrink_to_fit = !p.image_shrink_to_fit;
    ApplyDisplayMode();
    actions.Invalidate();
  });
  connect(ActionCopy, &QAction::triggered, this, [this] {
    if (!picture_.isNull()) Clipboard().SetImage(picture_);
  });
  connect(ActionSendLinkToEditor, &QAction::triggered, this, [this] {
    if (current_link_.isEmpty() || !host_.Authoring().EditorEditing()) return;
    // The link and title are made safe for the HTML they go into.
    std::string href = FromDisplayText(current_link_);
    std::string quoted;
    for (char c : href) quoted += c == '"' ? std::string("&quot;") : std::string(1, c);
    host_.Authoring().SendToEditor("<a href=\"" + HtmlEscape(quoted) + "\">" +
                                   HtmlEscape(FromDisplayText(current_title_)) + "</a>");
  });
  actions.AddUpdater(this, [this] { UpdateActions(); });
  UpdateActions();
  RestoreState();
}

TImageViewForm::~TImageViewForm() {
  canvas_->SetPicture(nullptr);
}

QWidget* TImageViewForm::Canvas() const { return canvas_; }

QString TImageViewForm::AreaText() const { return text_->isHidden() ? QString() : text_->text(); }

void TImageViewForm::UpdateActions() {
  ActionShrinkToFit->setChecked(config::GlobalProperties().image_shrink_to_fit);
  ActionCopy->setEnabled(!picture_.isNull());
  ActionSendLinkToEditor->setEnabled(!current_link_.isEmpty() &&
                                     host_.Authoring().EditorEditing());
}

// --- The tree -------------------------------------------------------------------

void TImageViewForm::Scan(FileSystem& fs, const std::string& folder) {
  {
    const QSignalBlocker quiet(tree_);
    tree_->clear();
  }
  items_.clear();
  ShowNoImage(QString::fromLatin1(kImageInstruction));
  images_ = ImageLibrary::Scan(fs, folder);
  FillTree(images_.Root(), nullptr);
  if (QTreeWidgetItem* root = tree_->topLevelItem(0)) root->setExpanded(true);
  status_->showMessage(QString::number(images_.ImageCount()) + QStringLiteral(" images."));
  UpdateActions();
}

void TImageViewForm::FillTree(const ImageNode& node, QTreeWidgetItem* parent) {
  auto* item = parent == nullptr ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(parent);
  item->setText(0, ImageNameText(node.title));
  item->setData(0, kImageNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(&node)));
  item->setToolTip(0, ImageNameText(node.link_name));
  items_[&node] = item;
  for (const ImageNode& child : node.children) FillTree(child, item);
}

QTreeWidgetItem* TImageViewForm::ItemOf(const ImageNode* node) const {
  const auto it = items_.find(node);
  return it == items_.end() ? nullptr : it->second;
}

bool TImageViewForm::ShowByLinkName(const std::string& link_name) {
  if (images_.ImageCount() < 1) return false;
  QTreeWidgetItem* item = ItemOf(images_.Find(link_name));
  if (item == nullptr) return false;
  tree_->setCurrentItem(item);
  tree_->scrollToItem(item);
  ShowWindow();
  return true;
}

bool TImageViewForm::ShowFolder(const std::string& link_name) {
  const ImageNode* node = images_.Find(link_name);
  QTreeWidgetItem* item = ItemOf(node);
  if (item == nullptr || !node->IsFolder()) return false;
  tree_->collapseAll();
  tree_->setCurrentItem(item);
  tree_->expandRecursively(tree_->indexFromItem(item));
  tree_->scrollToItem(item, QAbstractItemView::PositionAtTop);
  ShowWindow();
  return true;
}

void TImageViewForm::ShowWindow() {
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void TImageViewForm::OnCurrentItemChanged(QTreeWidgetItem* item) {
  const ImageNode* node = ImageNodeOf(item);
  if (node != nullptr && !node->IsFolder())
    ShowImageNode(*node);
  else
    ShowNoImage(QString::fromLatin1(kImageInstruction));
}

// --- Showing an image -----------------------------------------------------------

void TImageViewForm::ShowImageNode(const ImageNode& node) {
  current_link_ = QStringLiteral("lmimage:") + ImageNameText(node.link_name);
  current_title_ = ImageNameText(node.title);
  setWindowTitle(current_title_ + QString::fromLatin1(kImageViewerCaption));
  QImageReader reader(ImageNameText(node.file));
  // A damaged file reads as no picture; so does one whose decoded size is
  // over the reader's allocation limit.
  QImage image = reader.read();
  if (image.isNull()) {
    picture_ = QImage();
    text_->setText(QStringLiteral("This image cannot be shown: %1.").arg(reader.errorString()));
    text_->show();
    area_->hide();
    canvas_->SetPicture(&picture_);
    UpdateActions();
    return;
  }
  picture_ = std::move(image);
  canvas_->SetPicture(&picture_);
  text_->hide();
  area_->show();
  zoom_ = kNaturalZoom;
  notches_.Reset();
  ApplyDisplayMode();
  area_->horizontalScrollBar()->setValue(0);
  area_->verticalScrollBar()->setValue(0);
  UpdateActions();
}

void TImageViewForm::ShowNoImage(const QString& text) {
  current_link_.clear();
  current_title_.clear();
  picture_ = QImage();
  canvas_->SetPicture(&picture_);
  text_->setText(text);
  text_->show();
  area_->hide();
  setWindowTitle(QString::fromLatin1(kNoImageCaption));
  dragging_ = false;
  UpdateActions();
}

void TImageViewForm::ApplyDisplayMode() {
  if (!config::GlobalProperties().image_shrink_to_fit) zoom_ = kNaturalZoom;
  ResizeCanvas();
}

void TImageViewForm::ResizeCanvas() {
  if (picture_.isNull()) {
    canvas_->resize(0, 0);
    UpdateCursor();
    return;
  }
  const PixelSize natural{picture_.width(), picture_.height()};
  PixelSize shown;
  if (config::GlobalProperties().image_shrink_to_fit) {
    const QSize area = area_->maximumViewportSize();
    shown = FitWithin(natural, {area.width(), area.height()});
  } else {
    shown = {ZoomedLength(natural.width, zoom_), ZoomedLength(natural.height, zoom_)};
  }
  canvas_->resize(shown.width, shown.height);
  UpdateCursor();
}

bool TImageViewForm::PictureLargerThanArea() const {
  if (picture_.isNull() || area_->isHidden()) return false;
  const QSize view = area_->viewport()->size();
  return canvas_->width() > view.width() || canvas_->height() > view.height();
}

void TImageViewForm::UpdateCursor() {
  canvas_->setCursor(PictureLargerThanArea() ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

void TImageViewForm::Wheel(int delta) {
  const int n = notches_.Add(delta);
  if (n == 0 || picture_.isNull() || config::GlobalProperties().image_shrink_to_fit) return;
  const int zoom = ZoomAfterNotches(zoom_, n);
  if (zoom == zoom_) return;
  zoom_ = zoom;
  ResizeCanvas();
}

// --- Events ---------------------------------------------------------------------

bool TImageViewForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == area_->viewport() && event->type() == QEvent::Wheel && !picture_.isNull()) {
    // Over a picture the wheel zooms (or, shrinking, does nothing); it
    // never scrolls the picture away.
    Wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
    event->accept();
    return true;
  }
  if (watched == area_->viewport() && event->type() == QEvent::ContextMenu) {
    // Beside the picture too: the whole image area has the menu.
    ContextMenu()->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  if (watched == area_->viewport() && event->type() == QEvent::Resize) {
    if (config::GlobalProperties().image_shrink_to_fit) ResizeCanvas();
    UpdateCursor();
  }
  if (watched == canvas_) {
    switch (event->type()) {
      case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != Qt::LeftButton) break;
        dragging_ = true;
        drag_cursor_ = e->globalPosition().toPoint();
        drag_h_ = area_->horizontalScrollBar()->value();
        drag_v_ = area_->verticalScrollBar()->value();
        return true;
      }
      case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (!dragging_ || !(e->buttons() & Qt::LeftButton) || !PictureLargerThanArea()) break;
        const QPoint at = e->globalPosition().toPoint();
        QScrollBar* h = area_->horizontalScrollBar();
        QScrollBar* v = area_->verticalScrollBar();
        h->setValue(DragScrollPosition(drag_h_, drag_cursor_.x(), at.x(), h->maximum()));
        v->setValue(DragScrollPosition(drag_v_, drag_cursor_.y(), at.y(), v->maximum()));
        drag_cursor_ = at;
        drag_h_ = h->value();
        drag_v_ = v->value();
        return true;
      }
      case QEvent::MouseButtonRelease:
        dragging_ = false;
        break;
      case QEvent::ContextMenu: {
        auto* e = static_cast<QContextMenuEvent*>(event);
        ContextMenu()->popup(e->globalPos());
        return true;
      }
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

QMenu* TImageViewForm::ContextMenu() {
  if (menu_ == nullptr) {
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("ImageContextMenu"));
    menu_->addAction(ActionShrinkToFit);
    menu_->addSeparator();
    menu_->addAction(ActionCopy);
    menu_->addSeparator();
    menu_->addAction(ActionSendLinkToEditor);
    connect(menu_, &QMenu::aboutToShow, this, [this] { UpdateActions(); });
  }
  return menu_;
}

void TImageViewForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdateCursor();
}

void TImageViewForm::closeEvent(QCloseEvent* event) {
  StoreState();
  dragging_ = false;
  QWidget::closeEvent(event);
}

// --- Window state ------------------------------------------------------------------

void TImageViewForm::StoreState() {
  if (geometry().isValid()) config::GlobalProperties().state_image_view = GeometryState(*this);
}

void TImageViewForm::RestoreState() {
  if (const auto stored = StoredGeometryOnScreen(config::GlobalProperties().state_image_view))
    setGeometry(*stored);
}

}  // namespace lumora::ui
