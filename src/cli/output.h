#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/schedule.h"

namespace ploven::cli {

// What `day` prints of one task: start (HH:MM of the absolute value), length,
// "!" for a conflict-marked start else "-", kind, priority ("A1" or "-"), ID
// and short title, TAB-separated.
// `title` gives the title a task shows (a recurring occurrence's with its variable expanded);
// none: the item's short title.
using TaskTitle = std::function<std::string(const TaskNode&)>;
std::string DayLine(Schedule& s, const TaskNode& task, const TaskTitle& title = {});
std::vector<std::string> DayLines(Schedule& s, DayNumber date, const TaskTitle& title = {});

// What `items` prints of one item: ID, date (YYYY-MM-DD or "-"), flags in hex
// and short title, TAB-separated; every item of the alphabetical chain in order.
std::vector<std::string> ItemLines(Schedule& s);

// The kind of a task as `day` names it: set, fluid, memo, clone or drone.
const char* TaskKind(const Schedule& s, const TaskNode& task);

// `priority`: the priority index in order, one line per entry: tier and rank ("A1"), ID,
// date (YYYY-MM-DD or "-") and short title, TAB-separated.
std::vector<std::string> PriorityLines(Schedule& s);

// `info`: one "name: value" line each.
std::vector<std::string> InfoLines(const Schedule& s);

}  // namespace ploven::cli
