#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "done/done_log.h"

namespace ploven {

// A line of a done log that could not be read: where it is and why.
struct DoneLogProblem {
  std::string file;
  int line = 0;
  std::string reason;
};

// A done log read back: the entries of the lines that could be read, in file order, and a
// problem for each line that could not (it is skipped; the rest is read).
struct DoneLogContents {
  std::vector<DoneLogFields> entries;
  std::vector<DoneLogProblem> problems;
};

// What the reader knows of the month a log belongs to (from its name); 0 when unknown. A date
// that reads as that month in one date order and not in another settles the order.
struct DoneLogMonth {
  int month = 0;  // 1..12
  int year = 0;   // four digits
};

// Reads a done log's text as the archiver writes it: TAB-separated fields, CR LF or LF line ends,
// the date with two-digit parts in any of the three date orders (the user's order first) and the
// start in 24-hour or am/pm form. A title that holds TABs of its own keeps them. Never throws:
// damaged lines are reported and skipped.
DoneLogContents ReadDoneLog(std::string_view text, const std::string& fileName,
                            const DateText& dateText, DoneLogMonth month = {});

// The same, handing each entry read to `visit` as it goes (the record is used again for the
// next line) and adding a problem for each damaged line.
void ForEachDoneLogLine(std::string_view text, const std::string& fileName,
                        const DateText& dateText, DoneLogMonth month,
                        const std::function<void(const DoneLogFields&)>& visit,
                        std::vector<DoneLogProblem>& problems);

// One line (without its line end), into `out`; false with `reason` set when it cannot be read
// (`out` is then partly overwritten).
bool ParseDoneLogLine(std::string_view line, const DateText& dateText, DoneLogMonth month,
                      DoneLogFields& out, std::string& reason);

}  // namespace ploven
