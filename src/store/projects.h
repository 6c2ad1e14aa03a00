#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "store/act_handle.h"
#include "store/act_record.h"
#include "store/date_types.h"

namespace ploven {

class Schedule;

// ---- The Projects Tree --------------------------------------------------------------

using TreeNodeId = uint32_t;
inline constexpr TreeNodeId kNoTreeNode = 0;

// One node of the forest the Projects Tree view shows: projects at the top,
// their items below them, arranged further by the user.
struct ProjectTreeNode {
  TreeNodeId prev = kNoTreeNode;  // siblings
  TreeNodeId next = kNoTreeNode;
  TreeNodeId parent = kNoTreeNode;
  TreeNodeId firstChild = kNoTreeNode;
  uint32_t treeItem = 0;  // the view's own handle of the node while it shows
  bool expanded = false;
  ActHandle act = kNoAct;
};

// The forest, with nodes kept in a slot table so that ids stay put while
// nodes come and go, and an index from items to the nodes that show them.
class ProjectTree {
 public:
  TreeNodeId First() const { return m_first; }  // the first top-level node
  // The node behind an id; null for an id that names no node.
  const ProjectTreeNode* Find(TreeNodeId id) const;
  ProjectTreeNode* Find(TreeNodeId id);
  size_t Count() const { return m_count; }
  size_t RootCount() const;

  TreeNodeId FirstChild(TreeNodeId parent) const;  // kNoTreeNode: the top level
  TreeNodeId LastChild(TreeNodeId parent) const;

  // A new node under `parent` (kNoTreeNode: the top level), right after
  // `after` (kNoTreeNode: first). kNoTreeNode when the parent or the
  // predecessor is not a node, or the predecessor is not under that parent.
  TreeNodeId Insert(ActHandle act, TreeNodeId parent, TreeNodeId after, bool expanded = false);
  TreeNodeId Append(ActHandle act, TreeNodeId parent, bool expanded = false) {
    return Insert(act, parent, LastChild(parent), expanded);
  }
  // Removes the node and its subtree.
  void Erase(TreeNodeId id);
  // Removes the node; its children take its place among its siblings.
  void EraseKeepingChildren(TreeNodeId id);
  std::vector<TreeNodeId> NodesShowing(ActHandle act) const;
  void Clear();

  // The user's moves; each returns false and changes nothing when the move
  // has nowhere to go.
  bool Indent(TreeNodeId id);    // becomes the last child of its previous sibling
  bool Outdent(TreeNodeId id);   // leaves its parent, placed right after it
  bool MoveUp(TreeNodeId id);    // before its previous sibling
  bool MoveDown(TreeNodeId id);  // after its next sibling

 private:
  struct Slot {
    ProjectTreeNode node;
    bool live = false;
  };
  ProjectTreeNode& At(TreeNodeId id) { return m_slots[id].node; }
  void Unlink(TreeNodeId id);
  void LinkAfter(TreeNodeId id, TreeNodeId parent, TreeNodeId after);
  void Release(TreeNodeId id);

  std::vector<Slot> m_slots{1};  // slot 0 is never a node
  std::vector<TreeNodeId> m_free;
  std::set<std::pair<ActHandle, TreeNodeId>> m_byAct;
  TreeNodeId m_first = kNoTreeNode;
  size_t m_count = 0;
};

// ---- The projects list ----------------------------------------------------------------

// Every project in case-insensitive order of the full titles; equal titles
// keep the order they came in. Each entry carries the project's ID, so
// lookups by ID never read the record. The Projects Tree lives beside it.
class Projects {
 public:
  struct Node {
    ActHandle act = kNoAct;
    uint32_t id = 0;
  };
  using Map = std::multimap<std::string, Node>;
  using const_iterator = Map::const_iterator;

  // Places the project after every project whose title sorts at or before its own.
  void Insert(ActHandle act, uint32_t id, std::string_view fullTitle);
  bool Remove(ActHandle act);
  // A renamed project moves to its new place.
  bool Retitle(ActHandle act, std::string_view fullTitle);
  bool Contains(ActHandle act) const { return m_where.contains(act); }
  // The first project in list order with that ID; kNoAct for 0 or none.
  ActHandle FindByID(uint32_t id) const;
  size_t Count() const { return m_order.size(); }
  const_iterator begin() const { return m_order.begin(); }
  const_iterator end() const { return m_order.end(); }

  ProjectTree& tree() { return m_tree; }
  const ProjectTree& tree() const { return m_tree; }

  // Frees nothing: the records belong to the schedule.
  void Clear();

 private:
  Map m_order;
  std::unordered_map<ActHandle, Map::iterator> m_where;
  std::unordered_multimap<uint32_t, ActHandle> m_byID;
  ProjectTree m_tree;
};

// ---- Lookups -----------------------------------------------------------------------

ActHandle FindProjectByID(const Schedule& s, uint32_t id);
// The project's hue; white when there is no such project.
inline constexpr uint32_t kNoProjectColor = 0xFFFFFF;
uint32_t ProjectColor(const Schedule& s, uint32_t id);
// The first project whose displayed full title is exactly `text`; 0 when none.
uint32_t FindProjectIDByName(const Schedule& s, std::string_view text);
// Positions count only projects that are not done.
uint32_t ProjectIDAt(const Schedule& s, int n);      // 0 when out of range
int ProjectIndexOf(const Schedule& s, uint32_t id);  // -1 when absent or done
// The full title (private rule applied) and 1; "none" and 0 for 0 or an unknown ID.
int ProjectName(const Schedule& s, uint32_t id, std::string& out);
bool AnyTaggedProject(const Schedule& s);
bool IsItemProjectTagged(const Schedule& s, uint32_t id);
bool IsProject(const Schedule& s, ActHandle h);
// A project whose full title begins with "!".
bool IsLifeProject(const Schedule& s, ActHandle h);

// ---- The project pop-up menu ---------------------------------------------------------

inline constexpr int kProjectMenuFirstCommand = 503;
inline constexpr int kProjectMenuMaxEntries = 100;

struct ProjectMenuEntry {
  std::string title;
  int command = 0;  // kProjectMenuFirstCommand + position
  bool checked = false;
};

// The projects that are not done, in list order, at most 100; the one the
// item belongs to (`currentID`) is checked.
std::vector<ProjectMenuEntry> ProjectMenuEntries(const Schedule& s, uint32_t currentID);
// The position a menu command stands for, -1 for any other command.
int ProjectMenuPosition(int command);

// ---- Changes -----------------------------------------------------------------------

// Enters an existing project record into the list (loading uses this too).
void InsertProject(Schedule& s, ActHandle h);
// A new project from a prepared record; kNoAct when memory ran out (reported).
ActHandle NewProject(Schedule& s, const Act& record, std::string_view title);
void RemoveProject(Schedule& s, ActHandle h);
// Stores a new title and moves the project to its place in the list.
void RetitleProject(Schedule& s, ActHandle h, std::string_view title);
void MakeLifeProject(Schedule& s, ActHandle h);
void UnmakeLifeProject(Schedule& s, ActHandle h);
// Gives the item the project at pop-up position `n`; false (and no change)
// when there is no project there.
bool AssignProject(Schedule& s, ActHandle item, int n);
// The title of a duplicate: the number in the title counted up, or " (copy)".
std::string DuplicateProjectTitle(std::string_view title);
// The new project (the caller opens its properties), kNoAct on failure.
ActHandle DuplicateProject(Schedule& s, ActHandle h);
// Asks first; on Yes the project leaves the list and the tree and its items
// belong to no project. The record is not freed: `beforeRemoval` runs once the
// user said Yes and while the project is still whole, so that the caller can
// hand it to undelete. True when deleted.
bool DeleteProject(Schedule& s, ActHandle h,
                   const std::function<void(ActHandle)>& beforeRemoval = {});
// False (and no change) for a handle that is not a project.
bool ToggleProjectTag(Schedule& s, ActHandle h);

// ---- The Projects Tree data ------------------------------------------------------------

enum class TreeMove : int { kIndent = 9, kOutdent = 10, kUp = 11, kDown = 12 };

// One top-level node per project, expanded, with the project's items below it
// in alphabetical order.
void RebuildProjectTree(Schedule& s);
// A rebuild that keeps collapsed the projects the user had collapsed.
void RefreshProjectTreeKeepingFolding(Schedule& s);
// Every top-level node must name a live record; otherwise the program ends.
void ValidateProjectTree(Schedule& s);
bool MoveProjectTreeNode(Schedule& s, TreeNodeId id, TreeMove move);
void SetProjectTreeNodeExpanded(Schedule& s, TreeNodeId id, bool expanded);

// ---- Time on projects -----------------------------------------------------------------

inline constexpr int kDoneTime = 256;
inline constexpr int kUndoneTime = 128;
// The list filter: true for an item it hides. An empty filter hides nothing.
using ItemFilter = std::function<bool(ActHandle)>;

// Minutes on `date` of the items of project `id` that are done (kDoneTime)
// or not done (kUndoneTime) and that the filter lets through.
int ProjectMinutes(const Schedule& s, uint32_t id, DayNumber date, int which,
                   const ItemFilter& hides = {});

}  // namespace ploven
