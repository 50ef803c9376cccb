// TFormUserSets: the dialog that defines and edits the reference sets the
// full search can be limited to. The check tree, the set list and the
// information label mirror a ReferenceSetEditor, which decides what every
// click does to the sets; this class only shows it and asks the questions.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/properties.h"
#include "search/reference_set_editor.h"

class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumora::ui {

class TFormUserSets : public QDialog {
  Q_OBJECT

 public:
  explicit TFormUserSets(QWidget* parent = nullptr);

  // Rebuilds the tree and the list, selects the first set and shows it
  // (without showing the dialog).
  void Prepare(const RefSetResources& resources, std::vector<config::ReferenceSet> sets);
  // The loaded modules changed while the dialog is open.
  void ModulesChanged(const RefSetResources& resources);

  // The sets as edited (the tree is stored into the current set whenever
  // the dialog closes).
  const std::vector<config::ReferenceSet>& Sets() const { return editor_.Sets(); }
  std::string CurrentName() const { return editor_.CurrentName(); }
  const ReferenceSetEditor& Editor() const { return editor_; }

  // "New" and "Delete".
  void NewSet();
  void DeleteSet();

  QLabel* InfoLabel() const { return info_; }
  QTreeWidget* Tree() const { return tree_; }
  QGroupBox* SetsGroup() const { return group_; }
  QListWidget* SetList() const { return list_; }
  QPushButton* NewButton() const { return new_; }
  QPushButton* DeleteButton() const { return delete_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* HelpButton() const { return help_; }
  QAction* ExpandAllAction() const { return expand_all_; }
  QAction* CollapseAllAction() const { return collapse_all_; }
  // The tree item of editor node `node` (null when there is none).
  QTreeWidgetItem* ItemOf(size_t node) const;

  // The Yes/No confirmation, the name input box (nullopt: cancelled), the
  // refusal message and the help viewer; tests replace them. Without them
  // standard boxes are used and Help is disabled.
  std::function<bool(const QString& question)> ask_yes_no;
  std::function<std::optional<QString>(const QString& caption, const QString& prompt,
                                       const QString& text)>
      ask_name;
  std::function<void(const QString& text)> show_message;
  std::function<void(const QString& topic)> show_help;

 protected:
  void done(int result) override;

 private:
  void FillTree();
  void FillList();
  // Check states, enabled states, the label and the list's selection from
  // the editor.
  void ShowState();
  void OnItemChanged(QTreeWidgetItem* item, int column);
  void OnRowChanged(int row);

  ReferenceSetEditor editor_;
  std::vector<QTreeWidgetItem*> items_;  // by editor node
  bool syncing_ = false;

  QLabel* info_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QGroupBox* group_ = nullptr;
  QListWidget* list_ = nullptr;
  QPushButton* new_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* help_ = nullptr;
  QAction* expand_all_ = nullptr;
  QAction* collapse_all_ = nullptr;
};

}  // namespace lumora::ui
