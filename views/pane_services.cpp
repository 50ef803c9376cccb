#include "views/pane_services.h"

#include <QMenu>

namespace lumora::ui {

void TNoBookmarks::AddSetBookmarkMenu(QMenu& menu, const QString& caption, const TBookmarkTarget&,
                                      bool) {
  menu.addMenu(caption)->setEnabled(false);
}

}  // namespace lumora::ui
