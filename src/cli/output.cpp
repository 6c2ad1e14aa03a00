#include "cli/output.h"

#include <cstdio>

#include "cli/cli_input.h"

namespace ploven::cli {
namespace {

std::string Hex(uint32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%x", value);
  return buf;
}

std::string Priority(const Schedule& s, ActHandle h) {
  if (!(s.ActFlags(h) & AF_FLEXIBLE)) return "-";
  const uint8_t tier = s.GetActTier(h);
  const int rank = s.GetActRank(h);
  return (tier >= 'A' && tier <= 'Z' ? std::string(1, static_cast<char>(tier)) : std::string()) +
         std::to_string(rank);
}

}  // namespace

const char* TaskKind(const Schedule& s, const TaskNode& task) {
  const uint32_t flags = s.ActFlags(task.act);
  if (flags & AF_BETA) return "clone";  // an instance that was never edited
  if (flags & AF_DRONE) return "drone";
  if (flags & AF_HOPE) return "memo";
  if (flags & AF_FLEXIBLE) return "fluid";
  return "set";
}

std::string DayLine(Schedule& s, const TaskNode& task, const TaskTitle& title) {
  std::string line = ClockText(task.StartTime(), true);
  line += '\t' + std::to_string(task.length);
  line += task.InConflict() ? "\t!" : "\t-";
  line += '\t';
  line += TaskKind(s, task);
  line += '\t' + Priority(s, task.act);
  line += '\t' + std::to_string(s.GetActID(task.act));
  line += '\t' + (title ? title(task) : s.GetActTitle(task.act));
  return line;
}

std::vector<std::string> DayLines(Schedule& s, DayNumber date, const TaskTitle& title) {
  std::vector<std::string> out;
  if (Terminal* day = s.ExistingTerminal(date))
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
      out.push_back(DayLine(s, *task, title));
  return out;
}

std::vector<std::string> PriorityLines(Schedule& s) {
  std::vector<std::string> out;
  const PriorityIndex& index = s.priorityIndex();
  out.reserve(index.Count());
  for (const auto& entry : index) {
    const PriorityEntry& e = entry.entry;
    std::string line = e.tier >= 'A' && e.tier <= 'Z' ? std::string(1, static_cast<char>(e.tier))
                                                      : std::string();
    line += std::to_string(e.rank);
    line += '\t' + std::to_string(s.GetActID(e.item));
    const DayNumber date = s.GetActDate(e.item);
    line += '\t' + (date == kNoDate ? std::string("-") : IsoDate(date));
    line += '\t' + s.GetActTitle(e.item);
    out.push_back(std::move(line));
  }
  return out;
}

std::vector<std::string> ItemLines(Schedule& s) {
  std::vector<std::string> out;
  for (const auto& [key, node] : s.actChain()) {
    const DayNumber date = s.GetActDate(node.act);
    std::string line = std::to_string(s.GetActID(node.act));
    line += '\t';
    line += date > 0 ? IsoDate(date) : "-";
    line += '\t' + Hex(s.ActFlags(node.act));
    line += '\t' + s.GetActTitle(node.act);
    out.push_back(line);
  }
  return out;
}

std::vector<std::string> InfoLines(const Schedule& s) {
  const ScheduleHeader& h = s.header();
  int undated = 0;
  for (const auto& [key, node] : s.actChain())
    if (!(s.ActFlags(node.act) & AF_BETA) && s.GetActDate(node.act) == kNoDate) ++undated;
  const DayNumber archived = h.lastArchivedDate();
  return {
      "formatVersion: " + std::to_string(h.Get<int16_t>(ScheduleHeader::kFormatVersion)),
      "dayCount: " + std::to_string(s.CountTerminals()),
      "undatedCount: " + std::to_string(undated),
      "recurringCount: " + std::to_string(s.betaChain().size()),
      "projectCount: " + std::to_string(s.projects().Count()),
      "nextActID: " + std::to_string(h.nextActID()),
      "nextNoteNumber: " + std::to_string(h.nextNoteNumber()),
      "lastArchivedDate: " + (archived > 0 ? IsoDate(archived) : std::string("0")),
      "minSplitMinutes: " + std::to_string(h.minSplitMinutes()),
      // Past midnight (Midnight Shift) the latest time reads beyond 24:00.
      "earliestTimeOfDay: " + ClockText(h.earliestTimeOfDay(), false),
      "latestTimeOfDay: " + ClockText(h.latestTimeOfDay(), false),
  };
}

}  // namespace ploven::cli
