#include "present/view_text_export.h"

#include "store/date_format.h"
#include "store/schedule.h"

namespace ploven {

std::string DayViewText(const DaySource& source, DayNumber from, DayNumber to,
                        const DateText& text) {
  Schedule& s = source.schedule();
  std::string out;
  for (int d = from; d <= to; ++d) {
    const auto date = static_cast<DayNumber>(d);
    out += FormatDateLong(date, text) + "\n";
    if (!s.header().IsArchived(date)) s.GetTerminal(date);
    for (const DayRow& row : BuildDayRows(source, date)) out += row.Line() + "\n";
    out += "\n";
  }
  return out;
}

std::string AlphabeticalViewText(const Schedule& s, const DateText& text,
                                 const ListLineOptions& options,
                                 const std::function<bool(ActHandle)>& hidden) {
  std::string out;
  for (const ActHandle h : ListEntries(s, ListKind::kAlphabetical)) {
    if (hidden && hidden(h)) continue;
    out += AlphabeticalLine(s, h, text, options) + "\n";
  }
  return out;
}

}  // namespace ploven
