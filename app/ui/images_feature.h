// The image viewer in the main window: "Open Image Viewer", one "Images"
// menu item per illustration folder that has something in it (all disabled
// while no image is installed), and TMain::show_image for "lmimage:" links.
// The viewer is made and scans the program folder's "Images" folder at
// start-up's image step; it closes (storing its place) with the main window.
#pragma once

#include <QList>
#include <QObject>
#include <memory>

class QAction;

namespace lumora::ui {

class TImageViewForm;
class TMain;

void InstallImages(TMain& main);

class TImagesFeature : public QObject {
  Q_OBJECT

 public:
  explicit TImagesFeature(TMain& main);
  ~TImagesFeature() override;

  // The viewer; null before start-up's image step.
  TImageViewForm* Viewer() const { return viewer_.get(); }
  // Makes the viewer (once) and scans `folder` ("" or missing: no images),
  // then rebuilds the menu's folder items.
  void ScanFolder(const std::string& folder);
  // The folder items of the "Images" menu, in menu order.
  const QList<QAction*>& FolderItems() const { return folder_items_; }

 private:
  void RebuildMenu();

  TMain& main_;
  // A window of its own (own task bar button), so no parent; deleted here.
  std::unique_ptr<TImageViewForm> viewer_;
  QList<QAction*> folder_items_;
};

}  // namespace lumora::ui
