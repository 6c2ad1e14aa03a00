// Any bytes as an iCalendar file to import: items come in or components are skipped with a
// reason, never undefined behaviour; what came in goes out again as a calendar that brings
// nothing new when imported a second time.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "ical/calendar_memory.h"
#include "ical/ical_export.h"
#include "ical/ical_import.h"
#include "platform/clock.h"
#include "platform/error_log.h"
#include "platform/event_trace.h"
#include "platform/messages.h"
#include "platform/settings.h"
#include "platform/ui.h"
#include "recur/planning_session.h"
#include "store/schedule.h"

namespace {

struct Shutdown {};

class FuzzUi : public ploven::Ui {
 public:
  ploven::BoxAnswer ShowBox(const ploven::BoxRequest& box) override {
    ploven::BoxAnswer a;
    if (!box.buttons.empty()) {
      const size_t i = static_cast<size_t>(box.defaultIndex) < box.buttons.size()
                           ? static_cast<size_t>(box.defaultIndex)
                           : 0;
      a.code = box.buttons[i].code;
    }
    return a;
  }
  void Beep() override {}
  bool OpenHelpTopic(const std::string&) override { return false; }
  [[noreturn]] void ShutDown(int) override { throw Shutdown{}; }
};

struct Env {
  FuzzUi ui;
  ploven::SettableClock clock{17144, 9 * 60 + 1};
  std::filesystem::path folder = std::filesystem::temp_directory_path();
  ploven::ErrorLog log{folder / "ploven-fuzz-errors.txt", clock};
  ploven::EventTrace trace;
  ploven::Messages msg{ui, clock, log, trace};
  ploven::Settings settings{folder / "ploven-fuzz.ini", folder / "ploven-fuzz-profile.ini"};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Env env;
  ploven::Schedule s(env.msg, env.clock);
  try {
    ploven::PlanningSession planning(s, env.settings, ploven::DateText{});
    ploven::CalendarMemory memory("00000000fuzzf00d");
    const ploven::CalendarImportReport first =
        ploven::ImportCalendar(planning.engine(), planning.recurrences(), memory, text);
    if (!first.calendar && first.imported != 0) std::abort();
    for (const ploven::SkippedComponent& skipped : first.skipped)
      if (skipped.reason.empty()) std::abort();
    const std::string out = ploven::ExportCalendar(planning.recurrences(), memory);
    const ploven::CalendarImportReport again =
        ploven::ImportCalendar(planning.engine(), planning.recurrences(), memory, out);
    if (again.imported != 0) std::abort();
  } catch (const Shutdown&) {
  }
  return 0;
}
