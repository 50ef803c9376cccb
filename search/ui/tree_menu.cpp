#include "search/ui/tree_menu.h"

#include <QMenu>
#include <QTreeWidget>

namespace lumora::ui {

void ShowExpandCollapseMenu(QTreeWidget& tree, const QPoint& at) {
  QMenu menu(&tree);
  const bool has_nodes = tree.topLevelItemCount() > 0;
  QAction* expand = menu.addAction(QStringLiteral("Expand All"));
  QAction* collapse = menu.addAction(QStringLiteral("Collapse All"));
  expand->setEnabled(has_nodes);
  collapse->setEnabled(has_nodes);
  QObject::connect(expand, &QAction::triggered, &tree, &QTreeWidget::expandAll);
  QObject::connect(collapse, &QAction::triggered, &tree, &QTreeWidget::collapseAll);
  menu.exec(tree.viewport()->mapToGlobal(at));
}

}  // namespace lumora::ui
