#include "printouts/print_notes.h"

#include <set>

#include "engine/engine.h"
#include "notes/note_files.h"
#include "recur/recurrences.h"
#include "store/date_format.h"

namespace ploven {

std::vector<ShownItem> ItemsOnDays(Schedule& s, DayNumber from, DayNumber to,
                                   const PrintoutFilter& hidden) {
  std::vector<ShownItem> items;
  for (int d = from; d <= to; ++d) {
    const auto date = static_cast<DayNumber>(d);
    Terminal* day = s.header().IsArchived(date) ? s.ExistingTerminal(date) : s.GetTerminal(date);
    if (day == nullptr) continue;
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
      if (!(hidden && hidden(task->act, date))) items.emplace_back(task->act, date);
  }
  return items;
}

std::vector<PrintNote> NotesToPrint(const PrintSource& source, NoteFiles& notes,
                                    const std::vector<ShownItem>& items) {
  Schedule& s = source.engine.schedule();
  std::vector<PrintNote> out;
  std::set<int32_t> seen;
  for (const auto& [h, date] : items) {
    if (!s.IsActValid(h)) continue;
    const int32_t number = s.ReadAct(h).noteNumber;
    if (number == 0 || !seen.insert(number).second) continue;
    const std::optional<std::string> text = notes.ReadNoteQuietly(number);
    if (!text || text->empty()) continue;
    std::string heading = (s.ActFlags(h) & AF_BETA) && source.recurrences != nullptr
                              ? OccurrenceTitle(*source.recurrences, h, date, false)
                              : s.GetActTitle(h);
    if (date != kNoDate) heading += " - " + FormatDateDay(date, source.engine.dateText());
    out.push_back({std::move(heading), *text});
  }
  return out;
}

}  // namespace ploven
