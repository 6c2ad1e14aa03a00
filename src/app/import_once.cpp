#include "app/import_once.h"

#include <fstream>
#include <string>

#include "app/app_messages.h"
#include "edit/item_entry.h"
#include "engine/engine_hold.h"
#include "file/item_line.h"
#include "platform/format.h"

namespace ploven {

namespace t = app_text;

int ImportItemLines(ProgramSession& session, const std::filesystem::path& file,
                    ImportOnceResult& result) {
  std::ifstream in(file, std::ios::binary);
  const DayNumber today = session.clock().Today();
  const ParseContext context = session.ParseContextFor(today);
  int added = 0;
  for (std::string text; std::getline(in, text);) {
    if (text.empty() || text == "\r") continue;
    if (text.size() > kItemLineLimit) text.resize(kItemLineLimit);
    const ItemLineResult r = ParseItemLine(text, session.dateText(), context);
    if (!r.line) {
      session.messages().LogLine(file.filename().string() + ": " + r.message);
      continue;
    }
    const DayNumber date = r.line->date.value_or(today);
    if (date < today) continue;
    if (EnterItemLine(session.engine(), &session.recurrences(), *r.line, date) == kNoAct)
      continue;
    ++added;
    result.lastDate = date;
  }
  return added;
}

ImportOnceResult RunImportOnce(ProgramSession& session) {
  ImportOnceResult result;
  if (!session.open() || !session.writable()) return result;
  // From the question to the deletion of the file, the engine's runs wait.
  const EngineHold importing(session.engine(), EngineHoldReason::kImporting);
  Messages& msg = session.messages();
  const std::filesystem::path loud = session.places().dataFolder / t::kImportOnceFile;
  const std::filesystem::path silent = session.places().dataFolder / t::kImportOnceSilentFile;
  std::error_code ec;
  std::filesystem::path file;
  bool asked = false;
  if (std::filesystem::exists(loud, ec)) {
    if (msg.Question(Sprintf(t::kImportOnceQuestion, loud.string().c_str())) != kIdYes) {
      msg.InformationMessage(t::kImportOnceDeclined);
      return result;
    }
    file = loud;
    asked = true;
  } else if (std::filesystem::exists(silent, ec)) {
    file = silent;
  } else {
    return result;
  }
  result.imported = ImportItemLines(session, file, result);
  if (result.imported > 0) session.SaveIfChanged();
  if (asked) msg.InformationMessage(Sprintf(t::kImportOnceDone, result.imported));
  if (!std::filesystem::remove(file, ec))
    msg.InformationMessage(file.string() + t::kImportOnceNotDeleted);
  return result;
}

}  // namespace ploven
