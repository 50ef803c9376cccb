// The result trees' context menu: "Expand All" and "Collapse All", enabled
// only while the tree has nodes.
#pragma once

class QPoint;
class QTreeWidget;

namespace lumora::ui {

void ShowExpandCollapseMenu(QTreeWidget& tree, const QPoint& at);

}  // namespace lumora::ui
