#include <unordered_set>

#include "store/act_chain.h"
#include "store/project_messages.h"
#include "store/projects.h"
#include "store/schedule.h"

namespace ploven {

namespace t = project_text;

// ---- The forest --------------------------------------------------------------------

const ProjectTreeNode* ProjectTree::Find(TreeNodeId id) const {
  if (id == kNoTreeNode || id >= m_slots.size() || !m_slots[id].live) return nullptr;
  return &m_slots[id].node;
}

ProjectTreeNode* ProjectTree::Find(TreeNodeId id) {
  if (id == kNoTreeNode || id >= m_slots.size() || !m_slots[id].live) return nullptr;
  return &m_slots[id].node;
}

size_t ProjectTree::RootCount() const {
  size_t n = 0;
  for (TreeNodeId id = m_first; id != kNoTreeNode; id = m_slots[id].node.next) ++n;
  return n;
}

TreeNodeId ProjectTree::FirstChild(TreeNodeId parent) const {
  if (parent == kNoTreeNode) return m_first;
  const ProjectTreeNode* p = Find(parent);
  return p == nullptr ? kNoTreeNode : p->firstChild;
}

TreeNodeId ProjectTree::LastChild(TreeNodeId parent) const {
  TreeNodeId id = FirstChild(parent);
  if (id == kNoTreeNode) return kNoTreeNode;
  while (m_slots[id].node.next != kNoTreeNode) id = m_slots[id].node.next;
  return id;
}

TreeNodeId ProjectTree::Insert(ActHandle act, TreeNodeId parent, TreeNodeId after, bool expanded) {
  if (parent != kNoTreeNode && Find(parent) == nullptr) return kNoTreeNode;
  if (after != kNoTreeNode) {
    const ProjectTreeNode* a = Find(after);
    if (a == nullptr || a->parent != parent) return kNoTreeNode;
  }
  TreeNodeId id;
  if (!m_free.empty()) {
    id = m_free.back();
    m_free.pop_back();
  } else {
    id = static_cast<TreeNodeId>(m_slots.size());
    m_slots.emplace_back();
  }
  m_slots[id].live = true;
  m_slots[id].node = ProjectTreeNode{};
  m_slots[id].node.act = act;
  m_slots[id].node.expanded = expanded;
  LinkAfter(id, parent, after);
  m_byAct.emplace(act, id);
  ++m_count;
  return id;
}

void ProjectTree::Unlink(TreeNodeId id) {
  ProjectTreeNode& n = At(id);
  if (n.prev != kNoTreeNode) {
    At(n.prev).next = n.next;
  } else if (n.parent != kNoTreeNode) {
    At(n.parent).firstChild = n.next;
  } else {
    m_first = n.next;
  }
  if (n.next != kNoTreeNode) At(n.next).prev = n.prev;
  n.prev = n.next = n.parent = kNoTreeNode;
}

void ProjectTree::LinkAfter(TreeNodeId id, TreeNodeId parent, TreeNodeId after) {
  ProjectTreeNode& n = At(id);
  n.parent = parent;
  n.prev = after;
  if (after == kNoTreeNode) {
    TreeNodeId& first = parent == kNoTreeNode ? m_first : At(parent).firstChild;
    n.next = first;
    first = id;
  } else {
    n.next = At(after).next;
    At(after).next = id;
  }
  if (n.next != kNoTreeNode) At(n.next).prev = id;
}

void ProjectTree::Release(TreeNodeId id) {
  m_byAct.erase({At(id).act, id});
  m_slots[id].live = false;
  m_slots[id].node = ProjectTreeNode{};
  m_free.push_back(id);
  --m_count;
}

void ProjectTree::Erase(TreeNodeId id) {
  if (Find(id) == nullptr) return;
  Unlink(id);
  // Without recursion: a user can nest nodes arbitrarily deep.
  std::vector<TreeNodeId> pending{id};
  while (!pending.empty()) {
    const TreeNodeId at = pending.back();
    pending.pop_back();
    for (TreeNodeId c = At(at).firstChild; c != kNoTreeNode; c = At(c).next) pending.push_back(c);
    Release(at);
  }
}

void ProjectTree::EraseKeepingChildren(TreeNodeId id) {
  if (Find(id) == nullptr) return;
  const TreeNodeId parent = At(id).parent;
  TreeNodeId after = id;
  TreeNodeId child = At(id).firstChild;
  while (child != kNoTreeNode) {
    const TreeNodeId next = At(child).next;
    Unlink(child);
    LinkAfter(child, parent, after);
    after = child;
    child = next;
  }
  Unlink(id);
  Release(id);
}

std::vector<TreeNodeId> ProjectTree::NodesShowing(ActHandle act) const {
  std::vector<TreeNodeId> out;
  for (auto it = m_byAct.lower_bound({act, kNoTreeNode}); it != m_byAct.end() && it->first == act;
       ++it)
    out.push_back(it->second);
  return out;
}

void ProjectTree::Clear() {
  m_slots.assign(1, Slot{});
  m_free.clear();
  m_byAct.clear();
  m_first = kNoTreeNode;
  m_count = 0;
}

bool ProjectTree::Indent(TreeNodeId id) {
  const ProjectTreeNode* n = Find(id);
  if (n == nullptr || n->prev == kNoTreeNode) return false;
  const TreeNodeId newParent = n->prev;
  Unlink(id);
  LinkAfter(id, newParent, LastChild(newParent));
  At(newParent).expanded = true;
  return true;
}

bool ProjectTree::Outdent(TreeNodeId id) {
  const ProjectTreeNode* n = Find(id);
  if (n == nullptr || n->parent == kNoTreeNode) return false;
  const TreeNodeId oldParent = n->parent;
  Unlink(id);
  LinkAfter(id, At(oldParent).parent, oldParent);
  return true;
}

bool ProjectTree::MoveUp(TreeNodeId id) {
  const ProjectTreeNode* n = Find(id);
  if (n == nullptr || n->prev == kNoTreeNode) return false;
  const TreeNodeId parent = n->parent;
  const TreeNodeId before = At(n->prev).prev;
  Unlink(id);
  LinkAfter(id, parent, before);
  return true;
}

bool ProjectTree::MoveDown(TreeNodeId id) {
  const ProjectTreeNode* n = Find(id);
  if (n == nullptr || n->next == kNoTreeNode) return false;
  const TreeNodeId parent = n->parent;
  const TreeNodeId after = n->next;
  Unlink(id);
  LinkAfter(id, parent, after);
  return true;
}

// ---- The tree and the schedule -----------------------------------------------------------

void RebuildProjectTree(Schedule& s) {
  ProjectTree& tree = s.projects().tree();
  tree.Clear();
  // One walk of the alphabetical chain sorts every item under its project.
  std::unordered_map<uint32_t, std::vector<ActHandle>> itemsOf;
  for (const auto& [key, node] : s.actChain()) {
    const uint32_t id = s.GetActProject(node.act);
    if (id != 0) itemsOf[id].push_back(node.act);
  }
  std::unordered_set<uint32_t> placed;
  for (const auto& [key, node] : s.projects()) {
    const TreeNodeId top = tree.Append(node.act, kNoTreeNode, true);
    // A damaged schedule may give two projects one ID; its items go under the first.
    if (!placed.insert(node.id).second) continue;
    auto items = itemsOf.find(node.id);
    if (items == itemsOf.end()) continue;
    TreeNodeId last = kNoTreeNode;
    for (ActHandle item : items->second) last = tree.Insert(item, top, last);
  }
}

void RefreshProjectTreeKeepingFolding(Schedule& s) {
  ProjectTree& tree = s.projects().tree();
  std::unordered_set<ActHandle> collapsed;
  for (TreeNodeId id = tree.First(); id != kNoTreeNode; id = tree.Find(id)->next)
    if (!tree.Find(id)->expanded) collapsed.insert(tree.Find(id)->act);
  RebuildProjectTree(s);
  for (TreeNodeId id = tree.First(); id != kNoTreeNode; id = tree.Find(id)->next) {
    ProjectTreeNode* n = tree.Find(id);
    if (collapsed.contains(n->act)) n->expanded = false;
  }
}

void ValidateProjectTree(Schedule& s) {
  const ProjectTree& tree = s.projects().tree();
  for (TreeNodeId id = tree.First(); id != kNoTreeNode; id = tree.Find(id)->next)
    if (!s.IsActValid(tree.Find(id)->act))
      s.messages().InternalError(t::kTreeProblem, t::kModuleTree, t::kTreeProblemLine);
}

bool MoveProjectTreeNode(Schedule& s, TreeNodeId id, TreeMove move) {
  ProjectTree& tree = s.projects().tree();
  bool moved = false;
  switch (move) {
    case TreeMove::kIndent:
      moved = tree.Indent(id);
      break;
    case TreeMove::kOutdent:
      moved = tree.Outdent(id);
      break;
    case TreeMove::kUp:
      moved = tree.MoveUp(id);
      break;
    case TreeMove::kDown:
      moved = tree.MoveDown(id);
      break;
  }
  if (moved) s.MarkChanged();
  return moved;
}

void SetProjectTreeNodeExpanded(Schedule& s, TreeNodeId id, bool expanded) {
  ProjectTreeNode* n = s.projects().tree().Find(id);
  if (n == nullptr || n->expanded == expanded) return;
  n->expanded = expanded;
  s.MarkChanged();
}

void Schedule::DetachFromProjects(ActHandle h) {
  ProjectTree& tree = m_projects.tree();
  // Items the user nested under this one stay in the tree, in its place.
  for (TreeNodeId id : tree.NodesShowing(h)) tree.EraseKeepingChildren(id);
}

}  // namespace ploven
