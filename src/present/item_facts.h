#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/act_handle.h"
#include "store/date_format.h"
#include "store/project_reports.h"

namespace ploven {

class Schedule;

// What the View menu tells about the selected item, and the lists it shows of all items.

// The first web address in a text: one starting "http://", "https://" or "www." (which gets
// "https://" in front), up to the first blank or closing bracket or quote; trailing full stops
// and commas are left out. Empty when there is none.
std::string FirstUrlIn(std::string_view text);

// Item Or Project Creation Time: when it was made and when it was last changed.
std::string CreationText(const Schedule& s, ActHandle h, const DateText& text);

// Split Item Breakdown: each segment of the item with its date, start and length, and the
// total; for an item that is not split, a line saying so.
std::string SplitBreakdownText(Schedule& s, ActHandle h, const DateText& text);

// Items Report (by project): the undone items of each open project in the projects' order,
// each with its date and duration, the project's total, and then the items of no project.
// Recurring items are listed once, as recurring.
ReportText ItemsReport(const Schedule& s, const ReportFormat& format, const ItemFilter& hides = {});

// Locations: items do not carry a place, so the items are shown grouped by their label (the
// place a user gives them by convention), undone items only, labels 1..9 then the unlabelled.
ReportText ItemsByLabelReport(const Schedule& s, const ReportFormat& format,
                              const std::vector<std::string>& labelNames,
                              const ItemFilter& hides = {});

// A schedule opened from another user's folder, read-only: its items by date from `from` on
// (and its recurring items), titles with the private rule.
ReportText ScheduleGlance(const Schedule& s, const std::string& user, DayNumber from,
                          const ReportFormat& format);

}  // namespace ploven
