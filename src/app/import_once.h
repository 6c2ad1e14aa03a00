#pragma once

#include <filesystem>
#include <optional>

#include "app/program_session.h"

namespace ploven {

struct ImportOnceResult {
  int imported = 0;
  std::optional<DayNumber> lastDate;  // the date of the last item imported
};

// The item lines of a file (file/item_line.h), each through the New Item path; lines that
// cannot be read are logged and skipped, and so are dates before today. The number made; the
// date of the last one goes into `result`.
int ImportItemLines(ProgramSession& session, const std::filesystem::path& file,
                    ImportOnceResult& result);

// The import-once check: "ImportOnce.txt" in the data folder is imported after asking,
// "ImportOnceSilent.txt" without asking; each line is an item line (file/item_line.h), added
// when its date is today or later (no date: today) through the New Item path
// (edit/item_entry.h); the file is deleted afterwards. Lines that cannot be read are logged
// and skipped. The engine is held (importing) for the whole run.
ImportOnceResult RunImportOnce(ProgramSession& session);

}  // namespace ploven
