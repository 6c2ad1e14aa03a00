#include "cli/flag_names.h"

#include <cstdio>

#include "store/act_flags.h"

namespace ploven::cli {
namespace {

constexpr FlagName kFlagNames[] = {
    {AF_SPLIT, "split"},
    {AF_TAGGED, "tagged"},
    {AF_CLONE_ON_DONE, "clone-on-done"},
    {AF_FLEXIBLE, "flexible"},
    {AF_STARTED, "started"},
    {AF_HOPE, "memo-hold"},
    {AF_DONE, "done"},
    {AF_FIXED, "fixed"},
    {AF_BETA, "recurring"},
    {AF_DRONE, "edited-occurrence"},
    {AF_UNDERSCORED, "underscored"},
    {AF_ALARM, "alarm"},
    {AF_ALARM_AT_BEGIN, "alarm-at-begin"},
    {AF_ALARM_AT_END, "alarm-at-end"},
    {AF_ALSO_DIAL, "also-dial"},
    {AF_DIALOG_BOX_1, "dialog-box-1"},
    {AF_DIALOG_BOX_2, "dialog-box-2"},
    {AF_SEQUENCED, "sequenced"},
    {AF_MARK1, "mark1"},
    {AF_MARK2, "mark2"},
    {AF_HIDE, "hide"},
    {AF_REMINDER_DAYS, "reminder-days"},
    {AF_WORK_HOURS, "work-hours"},
    {AF_AFTER_HOURS, "after-hours"},
};

struct NamedKind {
  uint16_t typeFlags;
  const char* name;
};

// The second forms of appointments and multi-day events read as their first; `KindOf` gives
// the first.
constexpr NamedKind kKindNames[] = {
    {ACT_ITEM, "item"},
    {ACT_APPOINTMENT, "appointment"},
    {ACT_APPOINTMENT_ALT, "appointment"},
    {ACT_MULTIDAY, "multiday"},
    {ACT_MULTIDAY_ALT, "multiday"},
    {ACT_MEMO, "memo"},
    {ACT_BIRTHDAY, "birthday"},
    {ACT_ANNIVERSARY, "anniversary"},
    {ACT_WORK_HOLIDAY, "work-holiday"},
    {ACT_PROJECT, "project"},
    {0, "plain"},
};

std::string Hex(uint32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%x", value);
  return buf;
}

}  // namespace

std::span<const FlagName> ItemFlagNames() { return kFlagNames; }

std::vector<std::string> FlagNamesOf(uint32_t flags) {
  std::vector<std::string> out;
  for (uint32_t bit = 1; bit != 0; bit <<= 1) {
    if (!(flags & bit)) continue;
    std::string name = Hex(bit);
    for (const FlagName& f : kFlagNames)
      if (f.bit == bit) name = f.name;
    out.push_back(std::move(name));
  }
  return out;
}

std::optional<uint32_t> FlagBitOf(std::string_view name) {
  for (const FlagName& f : kFlagNames)
    if (name == f.name) return f.bit;
  return std::nullopt;
}

std::string KindName(uint16_t typeFlags) {
  for (const NamedKind& k : kKindNames)
    if (k.typeFlags == typeFlags) return k.name;
  return Hex(typeFlags);
}

std::optional<uint16_t> KindOf(std::string_view name) {
  for (const NamedKind& k : kKindNames)
    if (name == k.name) return k.typeFlags;
  return std::nullopt;
}

}  // namespace ploven::cli
