#include "done/interruption_log.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "done/done_messages.h"
#include "platform/format.h"
#include "store/calendar.h"

namespace ploven {

namespace t = done_text;

namespace {

constexpr std::string_view kLogSuffix = ".interruptions.txt";

std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return out;
}

bool ReadInt(std::string_view text, int& out) {
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

// "2026-12-08" as a day number; kNoDate when it is no date.
DayNumber ParseIsoDay(std::string_view text) {
  int y = 0, m = 0, d = 0;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return kNoDate;
  if (!ReadInt(text.substr(0, 4), y) || !ReadInt(text.substr(5, 2), m) ||
      !ReadInt(text.substr(8, 2), d))
    return kNoDate;
  if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(m, y)) return kNoDate;
  const int day = MakeDay(m, d, y);
  return day >= 1 && day <= kLastDay ? static_cast<DayNumber>(day) : kNoDate;
}

// "09:30" as a time of day; kNoTime when it is no time.
TimeOfDay ParseClock(std::string_view text) {
  int h = 0, m = 0;
  if (text.size() != 5 || text[2] != ':') return kNoTime;
  if (!ReadInt(text.substr(0, 2), h) || !ReadInt(text.substr(3, 2), m)) return kNoTime;
  if (h < 0 || h > 23 || m < 0 || m > 59) return kNoTime;
  return ClockTime(h, m);
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> out;
  size_t from = 0;
  for (int i = 0; i < 3; ++i) {
    const size_t tab = line.find('\t', from);
    if (tab == std::string_view::npos) return {};
    out.push_back(line.substr(from, tab - from));
    from = tab + 1;
  }
  out.push_back(line.substr(from));
  return out;
}

bool Valid(const Interruption& e) {
  return e.day != kNoDate && e.at != kNoTime && e.minutes >= 1 &&
         e.minutes <= kMaxInterruptionMinutes && !e.what.empty();
}

}  // namespace

std::string InterruptionLogPath(const std::string& schedulePath) {
  std::string path = schedulePath;
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
  return path + std::string(kLogSuffix);
}

std::string FormatInterruptionLine(const Interruption& e) {
  const CalendarDate date = SplitDay(e.day);
  const int minutes = e.at - 1;
  return Sprintf("%04d-%02d-%02d\t%02d:%02d\t%d\t%s\n", date.year, date.month, date.day,
                 minutes / 60, minutes % 60, e.minutes, OneLine(e.what).c_str());
}

InterruptionLog ParseInterruptionLog(std::string_view text) {
  InterruptionLog log;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    const std::vector<std::string_view> f = Fields(line);
    Interruption e;
    if (f.size() == 4) {
      e.day = ParseIsoDay(f[0]);
      e.at = ParseClock(f[1]);
      if (!ReadInt(f[2], e.minutes)) e.minutes = 0;
      e.what = std::string(f[3]);
    }
    if (Valid(e))
      log.entries.push_back(std::move(e));
    else
      ++log.damagedLines;
  }
  return log;
}

int AppendInterruption(FileSystem& fs, const std::string& path, const Interruption& entry) {
  if (!Valid(entry) || OneLine(entry.what).find_first_not_of(' ') == std::string::npos)
    return EINVAL;
  auto file = fs.Create(path, CreateMode::kAppend);
  if (!file.ok()) return file.error;
  const std::string line = FormatInterruptionLine(entry);
  const auto* bytes = reinterpret_cast<const uint8_t*>(line.data());
  if (const int e = (*file.value)->Write({bytes, line.size()}); e != 0) return e;
  return (*file.value)->Close();
}

InterruptionLog ReadInterruptions(FileSystem& fs, const std::string& path) {
  if (!fs.Exists(path)) return {};
  auto bytes = fs.ReadFile(path);
  if (!bytes.ok()) return {};
  const std::vector<uint8_t>& b = *bytes.value;
  return ParseInterruptionLog(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

ReportText InterruptionsReport(const InterruptionLog& log, DayNumber first, DayNumber last,
                               const ReportFormat& format,
                               const std::function<std::string(TimeOfDay)>& time) {
  std::string text;
  int count = 0;
  int total = 0;
  std::map<std::string, int> byCause;
  for (const Interruption& e : log.entries) {
    if (e.day < first || e.day > last) continue;
    text += Sprintf(t::kInterruptionLine, format.date(e.day).c_str(), time(e.at).c_str(),
                    format.duration(e.minutes).c_str(), e.what.c_str());
    ++count;
    total += e.minutes;
    byCause[e.what] += e.minutes;
  }
  if (count == 0) text += t::kNoInterruptions;
  text += Sprintf(t::kInterruptionTotal, count, format.duration(total).c_str());
  std::vector<std::pair<std::string, int>> causes(byCause.begin(), byCause.end());
  std::stable_sort(causes.begin(), causes.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  if (!causes.empty()) text += t::kInterruptionCauses;
  for (const auto& [what, minutes] : causes)
    text += Sprintf(t::kInterruptionCause, format.duration(minutes).c_str(), what.c_str());
  if (log.damagedLines > 0) text += Sprintf(t::kInterruptionDamaged, log.damagedLines);
  return {t::kInterruptionsCaption, text};
}

}  // namespace ploven
