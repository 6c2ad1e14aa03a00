#pragma once

#include <functional>
#include <string>

#include "present/day_text.h"
#include "present/list_lines.h"

namespace ploven {

// The File menu's text exports ("export.txt"): what the views show, as plain text.

// Each day from `from` through `to`: its long date, then its rows as the Day View draws them
// (free-time rows included), then an empty line. A day not held yet is made with its
// recurring occurrences; an archived day shows its heading only.
std::string DayViewText(const DaySource& source, DayNumber from, DayNumber to,
                        const DateText& text);

// The Alphabetical View: every undone item by title, one line each, those the filter hides
// left out.
std::string AlphabeticalViewText(const Schedule& s, const DateText& text,
                                 const ListLineOptions& options,
                                 const std::function<bool(ActHandle)>& hidden);

}  // namespace ploven
