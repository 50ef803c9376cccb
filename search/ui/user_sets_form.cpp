#include "search/ui/user_sets_form.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "render/ui/display_text.h"

namespace lumora::ui {

namespace {

constexpr int kRefSetNodeRole = Qt::UserRole;

Qt::CheckState RefSetCheckState(RefSetCheck check) {
  switch (check) {
    case RefSetCheck::kChecked:
      return Qt::Checked;
    case RefSetCheck::kPartial:
      return Qt::PartiallyChecked;
    case RefSetCheck::kUnchecked:
      break;
  }
  return Qt::Unchecked;
}

}  // namespace

TFormUserSets::TFormUserSets(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormUserSets"));
  setWindowTitle(QString::fromLatin1(kRefSetsCaption));
  setModal(true);

  info_ = new QLabel(this);
  info_->setObjectName(QStringLiteral("InfoLabel"));
  QFont bold = info_->font();
  bold.setBold(true);
  info_->setFont(bold);
  info_->setWordWrap(true);
  info_->setTextFormat(Qt::PlainText);

  group_ = new QGroupBox(QString::fromLatin1(kRefSetsGroupCaption), this);
  list_ = new QListWidget(group_);
  list_->setObjectName(QStringLiteral("SetList"));
  new_ = new QPushButton(QStringLiteral("New"), group_);
  delete_ = new QPushButton(QStringLiteral("Delete"), group_);
  auto* group_buttons = new QHBoxLayout;
  group_buttons->addWidget(new_);
  group_buttons->addWidget(delete_);
  auto* group_layout = new QVBoxLayout(group_);
  group_layout->addWidget(list_, 1);
  group_layout->addLayout(group_buttons);

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setDefault(true);
  help_ = new QPushButton(QStringLiteral("Help"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(help_);

  auto* left = new QVBoxLayout;
  left->addWidget(info_);
  left->addWidget(group_, 1);
  left->addLayout(buttons);

  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("ResourceTree"));
  tree_->setHeaderHidden(true);
  tree_->setContextMenuPolicy(Qt::ActionsContextMenu);
  expand_all_ = new QAction(QStringLiteral("Expand All"), tree_);
  collapse_all_ = new QAction(QStringLiteral("Collapse All"), tree_);
  tree_->addAction(expand_all_);
  tree_->addAction(collapse_all_);
  connect(expand_all_, &QAction::triggered, tree_, &QTreeWidget::expandAll);
  connect(collapse_all_, &QAction::triggered, tree_, &QTreeWidget::collapseAll);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 2);
  layout->addWidget(tree_, 3);
  resize(560, 400);

  connect(tree_, &QTreeWidget::itemChanged, this, &TFormUserSets::OnItemChanged);
  connect(list_, &QListWidget::currentRowChanged, this, &TFormUserSets::OnRowChanged);
  connect(new_, &QPushButton::clicked, this, &TFormUserSets::NewSet);
  connect(delete_, &QPushButton::clicked, this, &TFormUserSets::DeleteSet);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(help_, &QPushButton::clicked, this, [this] {
    if (show_help) show_help(QString::fromLatin1(kRefSetsHelpTopic));
  });
}

void TFormUserSets::Prepare(const RefSetResources& resources,
                            std::vector<config::ReferenceSet> sets) {
  help_->setEnabled(static_cast<bool>(show_help));
  editor_.Open(resources, std::move(sets));
  FillTree();
  FillList();
  ShowState();
}

void TFormUserSets::ModulesChanged(const RefSetResources& resources) {
  editor_.Rebuild(resources);
  FillTree();
  ShowState();
}

QTreeWidgetItem* TFormUserSets::ItemOf(size_t node) const {
  return node < items_.size() ? items_[node] : nullptr;
}

void TFormUserSets::FillTree() {
  syncing_ = true;
  tree_->clear();
  items_.clear();
  const std::vector<RefSetNode>& nodes = editor_.Nodes();
  for (size_t i = 0; i < nodes.size(); ++i) {
    const RefSetNode& n = nodes[i];
    QTreeWidgetItem* item = n.root < 0 || static_cast<size_t>(n.root) >= items_.size()
                                ? new QTreeWidgetItem(tree_)
                                : new QTreeWidgetItem(items_[static_cast<size_t>(n.root)]);
    item->setText(0, ToDisplayText(n.caption));
    item->setData(0, kRefSetNodeRole, static_cast<qulonglong>(i));
    // The editor does the cascading, so the items are plain check boxes.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    items_.push_back(item);
  }
  tree_->expandAll();
  syncing_ = false;
}

void TFormUserSets::FillList() {
  syncing_ = true;
  list_->clear();
  for (const config::ReferenceSet& set : editor_.Sets()) list_->addItem(ToDisplayText(set.name));
  syncing_ = false;
}

void TFormUserSets::ShowState() {
  syncing_ = true;
  const std::vector<RefSetNode>& nodes = editor_.Nodes();
  for (size_t i = 0; i < nodes.size() && i < items_.size(); ++i)
    items_[i]->setCheckState(0, RefSetCheckState(nodes[i].check));
  tree_->setEnabled(editor_.TreeEnabled());
  delete_->setEnabled(editor_.DeleteEnabled());
  info_->setText(ToDisplayText(editor_.Info()));
  list_->setCurrentRow(editor_.Current());
  syncing_ = false;
}

void TFormUserSets::OnItemChanged(QTreeWidgetItem* item, int column) {
  if (syncing_ || item == nullptr || column != 0) return;
  const size_t node = static_cast<size_t>(item->data(0, kRefSetNodeRole).toULongLong());
  if (node >= editor_.Nodes().size()) return;
  const Qt::CheckState now = item->checkState(0);
  if (now == RefSetCheckState(editor_.Nodes()[node].check)) return;  // not a check change
  editor_.SetChecked(node, now == Qt::Checked);
  ShowState();
}

void TFormUserSets::OnRowChanged(int row) {
  if (syncing_ || row < 0) return;
  editor_.Select(row);
  ShowState();
}

void TFormUserSets::NewSet() {
  editor_.StoreTree();
  const QString caption = QString::fromLatin1(kNewRefSetCaption);
  const QString prompt = QString::fromLatin1(kNewRefSetPrompt);
  for (;;) {
    const QString suggested = ToDisplayText(editor_.DefaultNewName());
    std::optional<QString> typed;
    if (ask_name) {
      typed = ask_name(caption, prompt, suggested);
    } else {
      bool ok = false;
      const QString text =
          QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, suggested, &ok);
      if (ok) typed = text;
    }
    if (!typed) return;
    const std::string name = FromDisplayText(*typed);
    const RefSetNameProblem problem = editor_.CheckNewName(name, FitsCodePage(*typed));
    if (problem == RefSetNameProblem::kNone) {
      editor_.AddSet(name);
      FillList();
      ShowState();
      return;
    }
    const QString message = QString::fromLatin1(RefSetNameMessage(problem));
    if (show_message)
      show_message(message);
    else
      QMessageBox::information(this, windowTitle(), message);
  }
}

void TFormUserSets::DeleteSet() {
  if (editor_.Current() < 0 || list_->currentRow() < 0) return;
  const QString question = ToDisplayText(DeleteRefSetQuestion(editor_.CurrentName()));
  const bool yes =
      ask_yes_no ? ask_yes_no(question)
                 : QMessageBox::question(this, windowTitle(), question,
                                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  if (!yes) return;
  editor_.DeleteCurrent();
  FillList();
  ShowState();
}

void TFormUserSets::done(int result) {
  editor_.StoreTree();
  QDialog::done(result);
}

}  // namespace lumora::ui
