#include "views/projects_tree_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "store/date_format.h"
#include "store/schedule.h"

namespace ploven {

namespace {

constexpr int kNodeRole = Qt::UserRole + 1;

// A small hatched square in the project's hue, as the project bars of the other views.
QIcon ProjectSwatch(const QColor& hue) {
  QPixmap pm(14, 14);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(hue.darker(150), 1));
  p.setBrush(hue);
  p.drawRoundedRect(QRectF(1.5, 1.5, 11, 11), 2, 2);
  p.setBrush(QBrush(hue.darker(130), Qt::BDiagPattern));
  p.drawRoundedRect(QRectF(1.5, 1.5, 11, 11), 2, 2);
  return QIcon(pm);
}

}  // namespace

ProjectsTreeView::ProjectsTreeView(ViewEnvironment& env, QWidget* parent)
    : QWidget(parent), m_env(env), m_tree(new QTreeWidget(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_tree);
  m_tree->setColumnCount(3);
  m_tree->setHeaderLabels({tr("Project / item"), tr("Date"), tr("Duration")});
  m_tree->header()->setStretchLastSection(false);
  m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  m_tree->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  m_tree->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  m_tree->setUniformRowHeights(true);
  m_tree->setAlternatingRowColors(true);
  m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
  setFocusProxy(m_tree);

  connect(m_tree, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { OnCurrentChanged(current); });
  connect(m_tree, &QTreeWidget::itemExpanded, this,
          [this](QTreeWidgetItem* item) { OnFolded(item, true); });
  connect(m_tree, &QTreeWidget::itemCollapsed, this,
          [this](QTreeWidgetItem* item) { OnFolded(item, false); });
  connect(m_tree, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { OnActivated(item); });
  connect(m_tree, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { OnActivated(item); });
  connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    QTreeWidgetItem* item = m_tree->itemAt(pos);
    if (item == nullptr) return;
    m_tree->setCurrentItem(item);
    const ProjectTreeNode* node = m_env.schedule().projects().tree().Find(NodeOf(item));
    if (node != nullptr) emit contextMenuRequested(node->act, m_tree->viewport()->mapToGlobal(pos));
  });
  Refresh();
}

TreeNodeId ProjectsTreeView::NodeOf(const QTreeWidgetItem* item) {
  return item == nullptr ? kNoTreeNode : item->data(0, kNodeRole).toUInt();
}

QTreeWidgetItem* ProjectsTreeView::MakeEntry(TreeNodeId id, const ProjectTreeNode& node) {
  Schedule& s = m_env.schedule();
  auto* item = new QTreeWidgetItem;
  item->setData(0, kNodeRole, id);
  item->setText(0, QString::fromStdString(s.GetActTitle(node.act)));
  const Act& a = s.ReadAct(node.act, "tree", __LINE__);
  if (a.typeFlags == ACT_PROJECT) {
    item->setIcon(0, ProjectSwatch(ColorFromRef(a.color)));
    QFont f = item->font(0);
    f.setBold(true);
    item->setFont(0, f);
  } else {
    const DateText& dt = m_env.dateText();
    if (a.Has(AF_BETA))
      item->setText(1, tr("recurring"));
    else
      item->setText(1, QString::fromStdString(FormatDateDay(a.ddate, dt)));
    item->setText(2, QString::fromStdString(FormatDuration(a.duration, dt)));
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
  }
  return item;
}

void ProjectsTreeView::InsertChildren(QTreeWidgetItem* parentItem, TreeNodeId parent) {
  const ProjectTree& forest = m_env.schedule().projects().tree();
  for (TreeNodeId id = forest.FirstChild(parent); id != kNoTreeNode;) {
    const ProjectTreeNode* node = forest.Find(id);
    if (node == nullptr) break;
    const TreeNodeId next = node->next;
    // Done entries and those the filter hides stay out, with their subtrees.
    if (m_env.schedule().IsActValid(node->act) &&
        !(m_env.schedule().ActFlags(node->act) & AF_DONE) && !m_env.Hidden(node->act)) {
      QTreeWidgetItem* item = MakeEntry(id, *node);
      if (parentItem != nullptr)
        parentItem->addChild(item);
      else
        m_tree->addTopLevelItem(item);
      InsertChildren(item, id);
      if (item->childCount() > 0) item->setExpanded(node->expanded);
    }
    id = next;
  }
}

void ProjectsTreeView::Refresh() {
  Schedule& s = m_env.schedule();
  ValidateProjectTree(s);
  const TreeNodeId keep = m_selected;
  m_filling = true;
  m_tree->clear();
  InsertChildren(nullptr, kNoTreeNode);
  QTreeWidgetItem* current = ItemOf(keep);
  if (current == nullptr) current = m_tree->topLevelItem(0);
  if (current != nullptr) m_tree->setCurrentItem(current);
  m_filling = false;
  const TreeNodeId now = NodeOf(current);
  if (now != m_selected) {
    m_selected = now;
    emit selectionChanged();
  }
}

void ProjectsTreeView::Rebuild() {
  RefreshProjectTreeKeepingFolding(m_env.schedule());
  // Node ids change with a rebuild: keep the selection on the same record.
  const ActHandle keep = SelectedItem();
  m_selected = kNoTreeNode;
  if (keep != kNoAct) {
    const std::vector<TreeNodeId> nodes = m_env.schedule().projects().tree().NodesShowing(keep);
    if (!nodes.empty()) m_selected = nodes.front();
  }
  Refresh();
}

QTreeWidgetItem* ProjectsTreeView::ItemOf(TreeNodeId id) const {
  if (id == kNoTreeNode) return nullptr;
  for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it)
    if (NodeOf(*it) == id) return *it;
  return nullptr;
}

TreeNodeId ProjectsTreeView::SelectedNode() const { return m_selected; }

ActHandle ProjectsTreeView::SelectedItem() const {
  const ProjectTreeNode* node = m_env.schedule().projects().tree().Find(m_selected);
  return node != nullptr ? node->act : kNoAct;
}

bool ProjectsTreeView::SelectNode(TreeNodeId id) {
  QTreeWidgetItem* item = ItemOf(id);
  if (item == nullptr) return false;
  m_tree->setCurrentItem(item);
  return true;
}

bool ProjectsTreeView::MoveSelected(TreeMove move) {
  if (m_selected == kNoTreeNode) return false;
  if (!MoveProjectTreeNode(m_env.schedule(), m_selected, move)) return false;
  Refresh();
  if (QTreeWidgetItem* item = ItemOf(m_selected)) m_tree->scrollToItem(item);
  return true;
}

void ProjectsTreeView::OnCurrentChanged(QTreeWidgetItem* current) {
  if (m_filling) return;
  const TreeNodeId id = NodeOf(current);
  if (id == m_selected) return;
  m_selected = id;
  Schedule& s = m_env.schedule();
  const ProjectTreeNode* node = s.projects().tree().Find(id);
  // An item chosen here becomes the current item of its day.
  if (node != nullptr && node->parent != kNoTreeNode && s.IsActValid(node->act)) {
    if (TaskNode* task = s.ActTask(node->act)) {
      if (Terminal* day = s.ExistingTerminal(s.FindTaskDay(task))) day->current = task;
    }
  }
  emit selectionChanged();
}

void ProjectsTreeView::OnFolded(QTreeWidgetItem* item, bool expanded) {
  if (m_filling) return;
  SetProjectTreeNodeExpanded(m_env.schedule(), NodeOf(item), expanded);
}

void ProjectsTreeView::OnActivated(QTreeWidgetItem* item) {
  const ProjectTreeNode* node = m_env.schedule().projects().tree().Find(NodeOf(item));
  if (node == nullptr || !m_env.schedule().IsActValid(node->act)) return;
  if (m_env.schedule().ActTypeFlags(node->act) == ACT_PROJECT)
    emit projectActivated(node->act);
  else
    emit itemActivated(node->act);
}

void ProjectsTreeView::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & Qt::AltModifier) {
    switch (event->key()) {
      case Qt::Key_Right:
        Indent();
        return event->accept();
      case Qt::Key_Left:
        Outdent();
        return event->accept();
      case Qt::Key_Up:
        MoveUp();
        return event->accept();
      case Qt::Key_Down:
        MoveDown();
        return event->accept();
      default:
        break;
    }
  }
  QWidget::keyPressEvent(event);
}

}  // namespace ploven
