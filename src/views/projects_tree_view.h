#pragma once

#include <QPoint>
#include <QWidget>

#include "store/projects.h"
#include "views/view_environment.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace ploven {

// The Projects Tree: the store's forest of projects and their items, folded and arranged by
// the user.
class ProjectsTreeView : public QWidget {
  Q_OBJECT

 public:
  explicit ProjectsTreeView(ViewEnvironment& env, QWidget* parent = nullptr);

  // Shows the store's forest again as it stands.
  void Refresh();
  // Builds the forest again from the projects and items, keeping the user's folding.
  void Rebuild();

  TreeNodeId SelectedNode() const;
  // The selected node's item or project, kNoAct when none.
  ActHandle SelectedItem() const;
  // False when the node is not showing.
  bool SelectNode(TreeNodeId id);

  // The moves of the selected node; false when it has nowhere to go.
  bool Indent() { return MoveSelected(TreeMove::kIndent); }
  bool Outdent() { return MoveSelected(TreeMove::kOutdent); }
  bool MoveUp() { return MoveSelected(TreeMove::kUp); }
  bool MoveDown() { return MoveSelected(TreeMove::kDown); }
  bool MoveSelected(TreeMove move);

  QTreeWidget* tree() const { return m_tree; }
  // The control's entry that shows a node, null when it does not show.
  QTreeWidgetItem* ItemOf(TreeNodeId id) const;

 signals:
  void itemActivated(ActHandle item);
  void projectActivated(ActHandle project);
  void contextMenuRequested(ActHandle item, QPoint globalPos);
  void selectionChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void InsertChildren(QTreeWidgetItem* parentItem, TreeNodeId parent);
  QTreeWidgetItem* MakeEntry(TreeNodeId id, const ProjectTreeNode& node);
  static TreeNodeId NodeOf(const QTreeWidgetItem* item);
  void OnCurrentChanged(QTreeWidgetItem* current);
  void OnFolded(QTreeWidgetItem* item, bool expanded);
  void OnActivated(QTreeWidgetItem* item);

  ViewEnvironment& m_env;
  QTreeWidget* m_tree = nullptr;
  TreeNodeId m_selected = kNoTreeNode;
  bool m_filling = false;
};

}  // namespace ploven
