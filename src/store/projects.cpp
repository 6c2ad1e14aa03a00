#include "store/projects.h"

#include "platform/format.h"
#include "store/act_chain.h"
#include "store/act_flags.h"
#include "store/act_title.h"
#include "store/project_messages.h"
#include "store/schedule.h"

namespace ploven {

namespace t = project_text;

// ---- The projects list -------------------------------------------------------------

void Projects::Insert(ActHandle act, uint32_t id, std::string_view fullTitle) {
  // A multimap puts a new key after the equal ones: later arrivals follow.
  auto it = m_order.emplace(ActChain::SortKey(fullTitle), Node{act, id});
  m_where[act] = it;
  m_byID.emplace(id, act);
}

bool Projects::Remove(ActHandle act) {
  auto w = m_where.find(act);
  if (w == m_where.end()) return false;
  const uint32_t id = w->second->second.id;
  auto [lo, hi] = m_byID.equal_range(id);
  for (auto it = lo; it != hi; ++it) {
    if (it->second == act) {
      m_byID.erase(it);
      break;
    }
  }
  m_order.erase(w->second);
  m_where.erase(w);
  return true;
}

bool Projects::Retitle(ActHandle act, std::string_view fullTitle) {
  auto w = m_where.find(act);
  if (w == m_where.end()) return false;
  const uint32_t id = w->second->second.id;
  Remove(act);
  Insert(act, id, fullTitle);
  return true;
}

ActHandle Projects::FindByID(uint32_t id) const {
  if (id == 0) return kNoAct;
  auto [lo, hi] = m_byID.equal_range(id);
  if (lo == hi) return kNoAct;
  if (std::next(lo) == hi) return lo->second;
  // Two projects with one ID (a damaged file): the first in list order answers.
  for (const auto& [key, node] : m_order)
    if (node.id == id) return node.act;
  return kNoAct;
}

void Projects::Clear() {
  m_order.clear();
  m_where.clear();
  m_byID.clear();
  m_tree.Clear();
}

ActHandle Schedule::FindActOrProjectByID(uint32_t id) const {
  const ActHandle h = FindActByID(id);
  return h != kNoAct ? h : m_projects.FindByID(id);
}

// ---- Lookups -----------------------------------------------------------------------

namespace {

bool IsDone(const Schedule& s, ActHandle h) { return (s.ActFlags(h) & AF_DONE) != 0; }

void StoreProjectCount(Schedule& s) {
  s.header().Set<int16_t>(ScheduleHeader::kProjectCount,
                          static_cast<int16_t>(s.projects().Count()));
}

}  // namespace

ActHandle FindProjectByID(const Schedule& s, uint32_t id) { return s.projects().FindByID(id); }

uint32_t ProjectColor(const Schedule& s, uint32_t id) {
  const ActHandle h = FindProjectByID(s, id);
  if (h == kNoAct) return kNoProjectColor;
  return s.ReadAct(h, t::kModuleProject, __LINE__).color;
}

uint32_t FindProjectIDByName(const Schedule& s, std::string_view text) {
  for (const auto& [key, node] : s.projects())
    if (s.GetActTitleFull(node.act) == text) return node.id;
  return 0;
}

uint32_t ProjectIDAt(const Schedule& s, int n) {
  if (n < 0) return 0;
  int at = 0;
  for (const auto& [key, node] : s.projects()) {
    if (IsDone(s, node.act)) continue;
    if (at == n) return node.id;
    ++at;
  }
  return 0;
}

int ProjectIndexOf(const Schedule& s, uint32_t id) {
  if (id == 0) return -1;
  int at = 0;
  for (const auto& [key, node] : s.projects()) {
    if (IsDone(s, node.act)) continue;
    if (node.id == id) return at;
    ++at;
  }
  return -1;
}

int ProjectName(const Schedule& s, uint32_t id, std::string& out) {
  const ActHandle h = FindProjectByID(s, id);
  if (h == kNoAct) {
    out = t::kNone;
    return 0;
  }
  out = s.GetActTitleFull(h);
  return 1;
}

bool AnyTaggedProject(const Schedule& s) {
  for (const auto& [key, node] : s.projects())
    if (s.ActFlags(node.act) & AF_TAGGED) return true;
  return false;
}

bool IsItemProjectTagged(const Schedule& s, uint32_t id) {
  const ActHandle h = FindProjectByID(s, id);
  return h != kNoAct && (s.ActFlags(h) & AF_TAGGED) != 0;
}

bool IsProject(const Schedule& s, ActHandle h) { return h != kNoAct && s.projects().Contains(h); }

bool IsLifeProject(const Schedule& s, ActHandle h) {
  if (!IsProject(s, h)) return false;
  const std::string& title = s.GetActNameFull(h);
  return !title.empty() && title[0] == '!';
}

// ---- The project pop-up menu ---------------------------------------------------------

std::vector<ProjectMenuEntry> ProjectMenuEntries(const Schedule& s, uint32_t currentID) {
  std::vector<ProjectMenuEntry> entries;
  for (const auto& [key, node] : s.projects()) {
    if (static_cast<int>(entries.size()) == kProjectMenuMaxEntries) break;
    if (IsDone(s, node.act)) continue;
    ProjectMenuEntry e;
    e.title = s.GetActTitle(node.act);
    e.command = kProjectMenuFirstCommand + static_cast<int>(entries.size());
    e.checked = currentID != 0 && node.id == currentID;
    entries.push_back(std::move(e));
  }
  return entries;
}

int ProjectMenuPosition(int command) {
  const int n = command - kProjectMenuFirstCommand;
  return n >= 0 && n < kProjectMenuMaxEntries ? n : -1;
}

// ---- Changes -----------------------------------------------------------------------

void InsertProject(Schedule& s, ActHandle h) {
  s.projects().Insert(h, s.ReadAct(h, t::kModuleProject, __LINE__).ID, s.GetActNameFull(h));
  StoreProjectCount(s);
}

void RemoveProject(Schedule& s, ActHandle h) {
  if (s.projects().Remove(h)) StoreProjectCount(s);
}

ActHandle NewProject(Schedule& s, const Act& record, std::string_view title) {
  const ActHandle h = s.AllocateAct(record, title);
  if (h == kNoAct) {
    s.messages().ResourceError(t::kModuleInsert, __LINE__);
    return kNoAct;
  }
  if (s.ReadAct(h).ID == 0) s.GetActID(h);
  if (s.ReadAct(h).noteNumber == 0) s.NewNoteNumber(h);
  Act& a = s.LockAct(h, t::kModuleProject, __LINE__);
  a.hActName = 0;
  a.typeFlags = ACT_PROJECT;
  a.projectID = a.ID;
  a.flags = 0;
  a.createdDate = a.touchedDate = s.Today();
  a.createdTime = a.touchedTime = s.Now();
  InsertProject(s, h);

  // The tree's top level may have been rearranged by the user: the new
  // project follows the last node that sorts at or before it.
  ProjectTree& tree = s.projects().tree();
  const std::string key = ActChain::SortKey(s.GetActNameFull(h));
  TreeNodeId after = kNoTreeNode;
  for (TreeNodeId id = tree.First(); id != kNoTreeNode; id = tree.Find(id)->next) {
    const ActHandle shown = tree.Find(id)->act;
    if (!s.IsActValid(shown)) continue;
    if (ActChain::SortKey(ShortTitle(s.GetActNameFull(shown), false)) <= key) after = id;
  }
  tree.Insert(h, kNoTreeNode, after, true);
  s.MarkChanged();
  return h;
}

void RetitleProject(Schedule& s, ActHandle h, std::string_view title) {
  s.SetActName(h, title);
  s.projects().Retitle(h, s.GetActNameFull(h));
  s.MarkChanged();
}

void MakeLifeProject(Schedule& s, ActHandle h) {
  RetitleProject(s, h, MakeLifeProjectTitle(s.GetActNameFull(h)));
}

void UnmakeLifeProject(Schedule& s, ActHandle h) {
  RetitleProject(s, h, UnmakeLifeProjectTitle(s.GetActNameFull(h)));
}

bool AssignProject(Schedule& s, ActHandle item, int n) {
  // A project's own projectID names itself and is not reassigned.
  if (!s.IsActValid(item) || IsProject(s, item)) return false;
  const uint32_t id = ProjectIDAt(s, n);
  if (id == 0) return false;
  s.LockAct(item, t::kModuleProject, __LINE__).projectID = id;
  s.TouchAct(item);
  s.hooks().ItemChanged(item);
  s.MarkChanged();
  return true;
}

std::string DuplicateProjectTitle(std::string_view title) {
  const size_t first = title.find_first_of("123456789");
  if (first == std::string_view::npos) return std::string(title) + t::kCopySuffix;
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  size_t begin = first;
  while (begin > 0 && isDigit(title[begin - 1])) --begin;
  size_t end = first;
  while (end < title.size() && isDigit(title[end])) ++end;
  // Counting up on the digits themselves: no number is too long, and the
  // leading zeros absorb a carry so the run keeps its length where it can.
  std::string run(title.substr(begin, end - begin));
  size_t i = run.size();
  while (i > 0) {
    --i;
    if (run[i] != '9') {
      ++run[i];
      break;
    }
    run[i] = '0';
    if (i == 0) run.insert(run.begin(), '1');
  }
  std::string out(title.substr(0, begin));
  out += run;
  out += title.substr(end);
  return out;
}

ActHandle DuplicateProject(Schedule& s, ActHandle h) {
  if (!IsProject(s, h)) return kNoAct;
  Act record = s.CopyAct(h);
  record.ID = 0;
  record.hActName = 0;
  const ActHandle copy = NewProject(s, record, DuplicateProjectTitle(s.GetActNameFull(h)));
  if (copy == kNoAct) return kNoAct;
  s.messages().InformationMessage(t::kProjectDuplicated);
  return copy;
}

bool DeleteProject(Schedule& s, ActHandle h,
                   const std::function<void(ActHandle)>& beforeRemoval) {
  if (!IsProject(s, h)) return false;
  const std::string text = Sprintf(t::kDeleteProjectQuestion, s.GetActTitleFull(h).c_str());
  const int answer = s.messages().MultiButtonBox(text, t::kDeleteProjectCaption,
                                                 kMbYesNo | kMbIconQuestion | kMbDefButton2, {});
  if (answer != kIdYes) return false;
  if (beforeRemoval) beforeRemoval(h);

  const uint32_t id = s.ReadAct(h, t::kModuleProject, __LINE__).ID;
  s.hooks().ActLeavingChain(h);
  RemoveProject(s, h);
  ProjectTree& tree = s.projects().tree();
  for (TreeNodeId node : tree.NodesShowing(h)) tree.Erase(node);
  // Another project may still hold the ID in a damaged file; its items stay with it.
  if (id != 0 && FindProjectByID(s, id) == kNoAct) {
    for (const auto& [key, node] : s.actChain()) {
      Act& a = s.LockAct(node.act, t::kModuleProject, __LINE__);
      if (a.projectID == id) a.projectID = 0;
    }
  }
  s.MarkChanged();
  return true;
}

bool ToggleProjectTag(Schedule& s, ActHandle h) {
  if (!IsProject(s, h)) return false;
  s.LockAct(h, t::kModuleProject, __LINE__).flags ^= AF_TAGGED;
  s.MarkChanged();
  s.TouchAct(h);
  return true;
}

// ---- Time on projects -----------------------------------------------------------------

int ProjectMinutes(const Schedule& s, uint32_t id, DayNumber date, int which,
                   const ItemFilter& hides) {
  if (id == 0) return 0;
  auto day = s.terminals().find(date);
  if (day == s.terminals().end()) return 0;
  int minutes = 0;
  for (const TaskNode* task = day->second->First(); task != nullptr; task = task->Next()) {
    const Act& a = s.ReadAct(task->act, t::kModuleProject, __LINE__);
    if (a.projectID != id) continue;
    const int wanted = a.Has(AF_DONE) ? kDoneTime : kUndoneTime;
    if ((which & wanted) == 0) continue;
    if (hides && hides(task->act)) continue;
    minutes += task->length;
  }
  return minutes;
}

}  // namespace ploven
