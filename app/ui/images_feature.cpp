#include "app/ui/images_feature.h"

#include <QAction>
#include <QMenu>

#include "app/ui/image_view_form.h"
#include "app/ui/main_window.h"
#include "core/text/cp1252.h"
#include "views/actions.h"
#include "views/resource_tabs.h"

namespace lumora::ui {

void InstallImages(TMain& main) { new TImagesFeature(main); }

TImagesFeature::TImagesFeature(TMain& main) : QObject(&main), main_(main) {
  setObjectName(QStringLiteral("ImagesFeature"));
  connect(&main, &TMain::startupStage, this, [this](TStartupStage stage) {
    if (stage == TStartupStage::kImages)
      ScanFolder(JoinPath(main_.ProgramFolder(), kImagesFolderName));
  });
  connect(&main, &TMain::closingWindows, this, [this] {
    if (viewer_ != nullptr && viewer_->isVisible()) viewer_->close();
  });
  QAction* open = main_.MainAction("ActionImageViewer");
  connect(open, &QAction::triggered, this, [this] {
    if (viewer_ != nullptr) viewer_->ShowWindow();
  });
  main_.Actions().AddUpdater(this, [this, open] {
    const bool any = viewer_ != nullptr && viewer_->Images().ImageCount() > 0;
    open->setEnabled(any);
    for (QAction* item : folder_items_) item->setEnabled(any);
  });
  // "lmimage:" links hold their names in the stored texts' code page; the
  // file system's names are UTF-8.
  main_.show_image = [this](const std::string& name) {
    return viewer_ != nullptr && viewer_->ShowByLinkName(cp1252::ToUtf8(name));
  };
}

// The main window's members are gone by now (features are its children):
// only the viewer is let go here.
TImagesFeature::~TImagesFeature() = default;

void TImagesFeature::ScanFolder(const std::string& folder) {
  if (viewer_ == nullptr) viewer_ = std::make_unique<TImageViewForm>(main_.Actions(), main_);
  viewer_->Scan(DefaultFileSystem(), folder);
  RebuildMenu();
  main_.Actions().Invalidate();
}

void TImagesFeature::RebuildMenu() {
  QMenu* menu = main_.Menu("MenuImages");
  for (QAction* item : folder_items_) {
    if (menu != nullptr) menu->removeAction(item);
    item->deleteLater();
  }
  folder_items_.clear();
  if (menu == nullptr || viewer_ == nullptr) return;
  for (const ImageNode* folder : viewer_->Images().MenuFolders()) {
    auto* item = new QAction(
        EscapeMnemonic(QString::fromUtf8(folder->title.data(),
                                         static_cast<qsizetype>(folder->title.size()))),
        menu);
    item->setObjectName(QStringLiteral("ImageFolderItem"));
    const std::string link = folder->link_name;
    connect(item, &QAction::triggered, this, [this, link] {
      if (viewer_ != nullptr) viewer_->ShowFolder(link);
    });
    menu->addAction(item);
    folder_items_ << item;
  }
}

}  // namespace lumora::ui
