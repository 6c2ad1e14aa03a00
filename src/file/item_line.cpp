#include "file/item_line.h"

#include <vector>

#include "file/item_line_messages.h"
#include "platform/format.h"
#include "store/schedule.h"

namespace ploven {

namespace t = item_line_text;

namespace {

std::string Trimmed(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return std::string(s.substr(b, e - b));
}

std::string StartColumn(const Act& a, const DateText& text) {
  if (a.Has(AF_FIXED) && a.startTime != kNoTime) return FormatTime(a.startTime, text);
  return a.Has(AF_HOPE) ? kMemoStartMarker : kFloatStartMarker;
}

// The start and duration fields shared by both shapes; false with the reason in `message`.
bool ReadStartAndDuration(const std::string& start, const std::string& duration,
                          const DateText& dateText, const ParseContext& context, ItemLine& out,
                          std::string& message) {
  if (start == kMemoStartMarker) {
    out.memo = true;
  } else if (start != kFloatStartMarker && !start.empty()) {
    const auto r = ParseTime(start, dateText, context);
    if (!r.value) {
      message = Sprintf(t::kBadStart, start.c_str(), r.message.c_str());
      return false;
    }
    out.start = r.value;
  }
  if (!duration.empty()) {
    const auto r = ParseDuration(duration, dateText);
    if (!r.value) {
      message = Sprintf(t::kBadDuration, duration.c_str(), r.message.c_str());
      return false;
    }
    out.duration = r.value;
  }
  return true;
}

// "%6s %5s title": a start column of at most six characters and a duration column.
bool LooksLikeClipboardLine(std::string_view s) {
  if (s.size() < 13 || s[6] != ' ' || s[12] != ' ') return false;
  const std::string start = Trimmed(s.substr(0, 6));
  const std::string duration = Trimmed(s.substr(7, 5));
  if (start.empty() || duration.empty()) return false;
  for (char c : duration)
    if (!(c >= '0' && c <= '9') && c != ':') return false;
  return true;
}

}  // namespace

std::string FormatClipboardLine(const Schedule& s, ActHandle item, const DateText& text) {
  const Act& a = s.ReadAct(item);
  const std::string title = s.GetActNameFull(item).substr(0, kClipboardTitleLimit);
  return Sprintf("%6s %5s %s", StartColumn(a, text).c_str(),
                 FormatDuration(a.duration, text).c_str(), title.c_str());
}

std::string ClipboardTitle(const std::string& line) {
  return line.size() > 13 ? line.substr(13) : std::string();
}

std::string FormatImportLine(const Schedule& s, ActHandle item, DayNumber date,
                             const DateText& text) {
  const Act& a = s.ReadAct(item);
  return FormatDate(date, text) + "\t" + StartColumn(a, text) + "\t" +
         FormatDuration(a.duration, text) + "\t" + s.GetActNameFull(item);
}

ItemLineResult ParseItemLine(std::string_view text, const DateText& dateText,
                             const ParseContext& context) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  ItemLineResult r;
  if (text.size() > kItemLineLimit) {
    r.message = t::kTooLong;
    return r;
  }
  ItemLine line;
  if (text.find('\t') != std::string_view::npos) {
    std::vector<std::string> fields;
    size_t from = 0;
    for (int i = 0; i < 3; ++i) {
      const size_t tab = text.find('\t', from);
      if (tab == std::string_view::npos) break;
      fields.push_back(Trimmed(text.substr(from, tab - from)));
      from = tab + 1;
    }
    if (fields.size() != 3) {
      r.message = t::kWrongFieldCount;
      return r;
    }
    fields.push_back(Trimmed(text.substr(from)));
    if (!fields[0].empty()) {
      const auto d = ParseDate(fields[0], dateText, context);
      if (!d.value) {
        r.message = Sprintf(t::kBadDate, fields[0].c_str(), d.message.c_str());
        return r;
      }
      line.date = d.value;
    }
    if (!ReadStartAndDuration(fields[1], fields[2], dateText, context, line, r.message)) return r;
    line.title = fields[3];
  } else if (LooksLikeClipboardLine(text)) {
    if (!ReadStartAndDuration(Trimmed(text.substr(0, 6)), Trimmed(text.substr(7, 5)), dateText,
                              context, line, r.message))
      return r;
    line.title = Trimmed(text.substr(13));
  } else {
    line.title = Trimmed(text);
  }
  if (line.title.empty()) {
    r.message = t::kNoTitle;
    return r;
  }
  r.line = std::move(line);
  return r;
}

}  // namespace ploven
