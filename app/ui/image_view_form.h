// TImageViewForm: the image viewer, a window of its own (with its own task
// bar button) that browses the illustrations below the program's "Images"
// folder: the tree of folders and images on the left, the selected image on
// the right, the image count in the status bar.
//
// The image area's context menu holds its three commands (shrink large
// images to fit, copy the image, send a link to it to the entry editor).
// With shrinking off, the mouse wheel over the image zooms it in steps of 5%
// (1% to 200%, back to 100% for every image shown); dragging scrolls an
// image larger than the area. An image that cannot be loaded (a damaged
// file, or one larger than the image reader's allocation limit) shows a
// short text instead.
//
// The window's place is restored from "StateImageView" when the form is
// made and stored there whenever it closes. File names and link names are
// UTF-8, as the file system gives them.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <string>
#include <unordered_map>

#include "app/image_library.h"
#include "app/image_view_rules.h"

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumora::ui {

class IPaneHost;
class TActions;
class TImageCanvas;

inline constexpr const char* kImageViewerCaption = " - Lumora Image Viewer";
inline constexpr const char* kNoImageCaption = "No image selected - Lumora Image Viewer";
inline constexpr const char* kImageInstruction =
    "Click an image title in the list on the left to load the image here.";

class TImageViewForm : public QWidget {
  Q_OBJECT

 public:
  // `actions` registers the form's commands; `host` gives the entry editor
  // (Authoring()). Both outlive the form.
  TImageViewForm(TActions& actions, IPaneHost& host, QWidget* parent = nullptr);
  ~TImageViewForm() override;

  // Forgets everything, then scans `folder` (missing: no images), fills the
  // tree with its root expanded one level and shows the count.
  void Scan(FileSystem& fs, const std::string& folder);
  const ImageLibrary& Images() const { return images_; }

  // The node named by a link name (UTF-8; "\" as "/", case ignored): its
  // tree entry is selected, which loads an image, and the window is shown.
  // False, and nothing changes, when no image is known or the name is not
  // in the index.
  bool ShowByLinkName(const std::string& link_name);
  // An "Images" menu folder: collapses the tree, selects the folder's entry,
  // expands it with every level below, and shows the window.
  bool ShowFolder(const std::string& link_name);
  // Shows, restores and raises the window.
  void ShowWindow();

  // "lmimage:" + the link name of the image shown; "" when none.
  QString CurrentLink() const { return current_link_; }
  QString CurrentTitle() const { return current_title_; }
  int Zoom() const { return zoom_; }
  // The picture shown (null when none).
  const QImage& Picture() const { return picture_; }
  // The text shown instead of a picture ("" while a picture shows).
  QString AreaText() const;

  QTreeWidget* Tree() const { return tree_; }
  QScrollArea* ImageArea() const { return area_; }
  QWidget* Canvas() const;
  QStatusBar* StatusBar() const { return status_; }
  // The image area's context menu (built on first use).
  QMenu* ContextMenu();

  QAction* ActionShrinkToFit = nullptr;
  QAction* ActionCopy = nullptr;
  QAction* ActionSendLinkToEditor = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillTree(const ImageNode& node, QTreeWidgetItem* parent);
  void OnCurrentItemChanged(QTreeWidgetItem* item);
  void ShowImageNode(const ImageNode& node);
  void ShowNoImage(const QString& text);
  void ApplyDisplayMode();
  void ResizeCanvas();
  void UpdateCursor();
  bool PictureLargerThanArea() const;
  void Wheel(int delta);
  void StoreState();
  void RestoreState();
  void UpdateActions();
  QTreeWidgetItem* ItemOf(const ImageNode* node) const;

  IPaneHost& host_;
  ImageLibrary images_;
  QTreeWidget* tree_ = nullptr;
  QScrollArea* area_ = nullptr;
  TImageCanvas* canvas_ = nullptr;
  QLabel* text_ = nullptr;
  QStatusBar* status_ = nullptr;
  QMenu* menu_ = nullptr;
  std::unordered_map<const ImageNode*, QTreeWidgetItem*> items_;

  QImage picture_;
  QString current_link_;
  QString current_title_;
  int zoom_ = kNaturalZoom;
  WheelNotches notches_;
  bool dragging_ = false;
  QPoint drag_cursor_;
  int drag_h_ = 0;
  int drag_v_ = 0;
};

}  // namespace lumora::ui
