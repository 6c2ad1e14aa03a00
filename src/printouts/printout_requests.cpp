#include "printouts/printout_requests.h"

#include "printouts/compose_printout.h"
#include "store/calendar.h"

namespace ploven {

namespace {

constexpr int kMonthsInQuarter = 3;

DayNumber Day(int day) { return static_cast<DayNumber>(day); }

}  // namespace

PrintoutRequest CalendarRequest(CalendarSpan span, DayNumber date, bool weekStartsMonday) {
  PrintoutRequest r;
  r.kind = PrintoutKind::kCalendar;
  const int month = MonthOf(date);
  const int year = YearOf(date);
  switch (span) {
    case CalendarSpan::kWeek:
    case CalendarSpan::kFourWeeks:
      r.calendarFormat = CalendarFormat::kWeeks;
      r.from = WeekStart(date, weekStartsMonday);
      r.to = Day(r.from + (span == CalendarSpan::kWeek ? 7 : 28) - 1);
      break;
    case CalendarSpan::kMonth:
      r.calendarFormat = CalendarFormat::kMonths;
      r.from = Day(MakeDay(month, 1, year));
      r.to = Day(r.from + DaysInMonth(month, year) - 1);
      break;
    case CalendarSpan::kQuarter: {
      r.calendarFormat = CalendarFormat::kMonths;
      r.monthsPerPage = kMonthsInQuarter;
      const int first = (month - 1) / kMonthsInQuarter * kMonthsInQuarter + 1;
      r.from = Day(MakeDay(first, 1, year));
      const int last = first + kMonthsInQuarter - 1;
      r.to = Day(MakeDay(last, DaysInMonth(last, year), year));
      break;
    }
  }
  return r;
}

std::vector<PrintoutRequest> MyPrintoutRequests(const MyPrintouts& mine, DayNumber today,
                                                bool weekStartsMonday) {
  std::vector<PrintoutRequest> out;
  if (mine.dayToday) out.emplace_back(PrintoutKind::kDayView, today, today);
  if (mine.calendarWeek)
    out.push_back(CalendarRequest(CalendarSpan::kWeek, today, weekStartsMonday));
  if (mine.calendarMonth)
    out.push_back(CalendarRequest(CalendarSpan::kMonth, today, weekStartsMonday));
  if (mine.priorityFirstPage) {
    PrintoutRequest r(PrintoutKind::kPriorityView);
    r.firstPageOnly = true;
    out.push_back(r);
  }
  if (mine.underscoredItems) out.emplace_back(PrintoutKind::kUnderscoredItems);
  return out;
}

std::optional<CalendarFormat> CalendarFormatNamed(std::string_view name) {
  if (name == "weeks") return CalendarFormat::kWeeks;
  if (name == "months") return CalendarFormat::kMonths;
  if (name == "list") return CalendarFormat::kList;
  return std::nullopt;
}

}  // namespace ploven
