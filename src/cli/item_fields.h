#pragma once

#include <string>

#include "cli/json_writer.h"
#include "store/schedule.h"

namespace ploven::cli {

// Every field of an item as `items --json` and `items --all` print it: its ID, kind, title,
// date, times, tier and rank, project, alarm, flags by name, and for a recurring item its
// rule. A missing date, time or value is null.
JsonValue ItemFields(Schedule& s, ActHandle h);

// One task of a day as `day --json` prints it: where it stands on the day (placedAt,
// placedLength, conflict, taskKind), then its item's fields. An unedited occurrence shows its
// recurring item's fields with `title` and the day's date.
JsonValue TaskFields(Schedule& s, const TaskNode& task, DayNumber date, const std::string& title);

// The header's counters and settings as `info --json` prints them; the first eleven are the
// lines `info` prints.
JsonValue InfoFields(const Schedule& s);

// A JSON object as "name=value" fields, TAB-separated, for `--all`: a nested object's fields
// are named "outer.inner", a list's values are joined with commas, null is "-", and a text's
// backslashes, tabs and line ends are written \\, \t, \r and \n so that one item stays one line.
std::string FieldsLine(const JsonValue& object);

}  // namespace ploven::cli
