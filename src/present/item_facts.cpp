#include "present/item_facts.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "platform/format.h"
#include "present/present_messages.h"
#include "store/act_flags.h"
#include "store/calendar.h"
#include "store/projects.h"
#include "store/schedule.h"
#include "store/terminal.h"

namespace ploven {

namespace t = present_messages;

namespace {

bool EndsUrl(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ')' || c == ']' || c == '>' ||
         c == '"' || c == '\'';
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return out;
}

// The items a list shows: live, undone, not projects, not the edited occurrences of a
// recurring item (the recurring item stands for them), not hidden by the filter.
template <typename F>
void ForEachListedItem(const Schedule& s, const ItemFilter& hides, F&& f) {
  for (const auto& [key, node] : s.actChain()) {
    const ActHandle h = node.act;
    if (!s.IsActValid(h)) continue;
    const Act& a = s.ReadAct(h);
    if ((a.flags & (AF_DONE | AF_DRONE)) || (a.typeFlags & ACT_PROJECT)) continue;
    if (hides && hides(h)) continue;
    f(h, a, node.date);
  }
}

std::string ItemLine(const Schedule& s, ActHandle h, const Act& a, int chainDate,
                     const ReportFormat& format) {
  const std::string when = (a.flags & AF_BETA) || chainDate == kUndatedChainDate
                               ? std::string(t::kRecurring)
                               : format.date(static_cast<DayNumber>(chainDate));
  return Sprintf(t::kReportItemLine, when.c_str(), format.duration(a.duration).c_str(),
                 s.GetActTitleFull(h).c_str());
}

}  // namespace

std::string FirstUrlIn(std::string_view text) {
  const std::string lower = Lower(text);
  size_t best = std::string::npos;
  for (const char* start : {"https://", "http://", "www."}) {
    const size_t at = lower.find(start);
    if (at != std::string::npos && at < best) best = at;
  }
  if (best == std::string::npos) return {};
  size_t end = best;
  while (end < text.size() && !EndsUrl(text[end])) ++end;
  std::string url(text.substr(best, end - best));
  while (!url.empty() && (url.back() == '.' || url.back() == ',' || url.back() == ';'))
    url.pop_back();
  if (lower.compare(best, 4, "www.") == 0) {
    if (url.size() <= 4) return {};
    url = "https://" + url;
  }
  if (url.ends_with("://")) return {};
  return url;
}

std::string CreationText(const Schedule& s, ActHandle h, const DateText& text) {
  const Act& a = s.ReadAct(h);
  auto stamp = [&](DayNumber d, TimeOfDay time) {
    if (d == kNoDate) return std::string(t::kUnknownStamp);
    std::string out = FormatDate(d, text);
    if (time != kNoTime) out += " " + FormatTime(time, text);
    return out;
  };
  const char* kind = (a.typeFlags & ACT_PROJECT) ? t::kKindProject : t::kKindItem;
  return Sprintf(t::kCreationText, kind, s.GetActTitleFull(h).c_str(),
                 stamp(a.createdDate, a.createdTime).c_str(),
                 stamp(a.touchedDate, a.touchedTime).c_str());
}

std::string SplitBreakdownText(Schedule& s, ActHandle h, const DateText& text) {
  const Act& a = s.ReadAct(h);
  const std::string title = s.GetActTitleFull(h);
  if (!(a.flags & AF_SPLIT)) {
    const DayNumber date = s.GetActDate(h);
    return Sprintf(t::kNotSplit, title.c_str(), FormatDuration(a.duration, text).c_str(),
                   date != kNoDate ? FormatDate(date, text).c_str() : t::kUnknownStamp);
  }
  std::string out = Sprintf(t::kSplitHeading, title.c_str());
  int total = 0;
  int segments = 0;
  for (const auto& [date, day] : s.terminals()) {
    for (const TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
      if (task->act != h) continue;
      out +=
          Sprintf(t::kSplitLine, FormatDate(date, text).c_str(),
                  task->StartTime() != kNoTime ? FormatTime(task->StartTime(), text).c_str() : "",
                  FormatDuration(task->length, text).c_str());
      total += task->length;
      ++segments;
    }
  }
  out += Sprintf(t::kSplitTotal, segments, FormatDuration(total, text).c_str(),
                 FormatDuration(a.duration, text).c_str());
  return out;
}

ReportText ItemsReport(const Schedule& s, const ReportFormat& format, const ItemFilter& hides) {
  std::map<uint32_t, std::vector<std::string>> lines;
  std::map<uint32_t, int> minutes;
  ForEachListedItem(s, hides, [&](ActHandle h, const Act& a, int chainDate) {
    const uint32_t project = FindProjectByID(s, a.projectID) != kNoAct ? a.projectID : 0;
    lines[project].push_back(ItemLine(s, h, a, chainDate, format));
    minutes[project] += a.duration;
  });
  std::string text;
  auto group = [&](const std::string& name, uint32_t id) {
    auto it = lines.find(id);
    if (it == lines.end()) return;
    text += name + "\n";
    for (const std::string& line : it->second) text += line;
    text += Sprintf(t::kReportGroupTotal, it->second.size(), format.duration(minutes[id]).c_str());
  };
  for (const auto& [key, node] : s.projects()) {
    if (s.ActFlags(node.act) & AF_DONE) continue;
    group(s.GetActTitleFull(node.act), node.id);
  }
  group(t::kNoProject, 0);
  if (text.empty()) text = t::kNoItems;
  return {t::kItemsReportCaption, text};
}

ReportText ItemsByLabelReport(const Schedule& s, const ReportFormat& format,
                              const std::vector<std::string>& labelNames, const ItemFilter& hides) {
  std::map<int, std::vector<std::string>> lines;
  std::map<int, int> minutes;
  ForEachListedItem(s, hides, [&](ActHandle h, const Act& a, int chainDate) {
    // Unlabelled items come last.
    const int key = a.label == 0 ? 100 : a.label;
    lines[key].push_back(ItemLine(s, h, a, chainDate, format));
    minutes[key] += a.duration;
  });
  std::string text = t::kLabelsHeading;
  for (const auto& [key, group] : lines) {
    const size_t index = static_cast<size_t>(key - 1);
    text += key == 100                  ? std::string(t::kNoLabel)
            : index < labelNames.size() ? labelNames[index]
                                        : Sprintf(t::kLabelName, key);
    text += "\n";
    for (const std::string& line : group) text += line;
    text += Sprintf(t::kReportGroupTotal, group.size(), format.duration(minutes[key]).c_str());
  }
  if (lines.empty()) text += t::kNoItems;
  return {t::kLocationsCaption, text};
}

ReportText ScheduleGlance(const Schedule& s, const std::string& user, DayNumber from,
                          const ReportFormat& format) {
  std::vector<std::tuple<int, std::string, std::string>> rows;
  for (const auto& [key, node] : s.actChain()) {
    const ActHandle h = node.act;
    if (!s.IsActValid(h)) continue;
    const Act& a = s.ReadAct(h);
    if ((a.typeFlags & ACT_PROJECT) || (a.flags & AF_DRONE)) continue;
    const bool recurring = (a.flags & AF_BETA) || node.date == kUndatedChainDate;
    if (!recurring && node.date < from) continue;
    std::string title = s.GetActNameFull(h);
    // Another user's private items stay private.
    if (!title.empty() && title.front() == '!') title = "!";
    const std::string when =
        recurring ? std::string(t::kRecurring) : format.date(static_cast<DayNumber>(node.date));
    const std::string done = (a.flags & AF_DONE) ? t::kDoneMark : "";
    rows.emplace_back(recurring ? kLastDay + 1 : node.date, when,
                      Sprintf(t::kGlanceLine, when.c_str(), format.duration(a.duration).c_str(),
                              (done + title).c_str()));
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const auto& x, const auto& y) { return std::get<0>(x) < std::get<0>(y); });
  std::string text;
  for (const auto& row : rows) text += std::get<2>(row);
  if (rows.empty()) text = t::kNoItems;
  return {Sprintf(t::kGlanceCaption, user.c_str()), text};
}

}  // namespace ploven
