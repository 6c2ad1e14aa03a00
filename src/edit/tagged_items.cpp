#include "edit/tagged_items.h"

#include "edit/item_delete.h"
#include "store/act_flags.h"
#include "store/schedule.h"

namespace ploven {

namespace {

bool Tagged(std::string_view title, const std::vector<std::string_view>& tags) {
  if (!title.empty() && title.front() == '!') title.remove_prefix(1);
  for (std::string_view tag : tags)
    if (title.starts_with(tag)) return true;
  return false;
}

}  // namespace

std::vector<ActHandle> ItemsTagged(const Schedule& s, const std::vector<std::string_view>& tags) {
  std::vector<ActHandle> out;
  for (const auto& [key, node] : s.actChain()) {
    if (!s.IsActValid(node.act) || (s.ActFlags(node.act) & AF_DRONE)) continue;
    if ((s.ReadAct(node.act).typeFlags & ACT_PROJECT) != 0) continue;
    if (Tagged(s.GetActNameFull(node.act), tags)) out.push_back(node.act);
  }
  return out;
}

int DeleteItemsTagged(Recurrences& r, UndeleteStack& undelete,
                      const std::vector<std::string_view>& tags) {
  int deleted = 0;
  for (const ActHandle h : ItemsTagged(r.schedule(), tags)) {
    if (!r.schedule().IsActValid(h)) continue;
    if (DeleteChosenItem(r, undelete, h, nullptr, DeleteScope::kAllRecurrences) !=
        DeleteOutcome::kNothing)
      ++deleted;
  }
  return deleted;
}

}  // namespace ploven
