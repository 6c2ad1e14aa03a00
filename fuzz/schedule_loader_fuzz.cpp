// Arbitrary bytes into the schedule loader: it loads them or refuses them with
// a message, and never crashes, hangs or leaks. What loads saves and loads again.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>

#include "file/schedule_format.h"
#include "platform/clock.h"
#include "platform/error_log.h"
#include "platform/event_trace.h"
#include "platform/messages.h"
#include "platform/ui.h"
#include "store/schedule.h"

namespace {

struct Shutdown {};

// Answers every box with its default button and counts them; the internal-error
// report ends the load by throwing instead of ending the process.
class FuzzUi : public ploven::Ui {
 public:
  ploven::BoxAnswer ShowBox(const ploven::BoxRequest& box) override {
    ++boxes;
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
  int boxes = 0;
};

struct Env {
  FuzzUi ui;
  ploven::SettableClock clock{17144, 9 * 60 + 1};
  ploven::ErrorLog log{std::filesystem::temp_directory_path() / "ploven-fuzz-errors.txt", clock};
  ploven::EventTrace trace;
  ploven::Messages msg{ui, clock, log, trace};
};

// True when the bytes loaded.
bool Load(std::span<const uint8_t> bytes, std::vector<uint8_t>* saved) {
  Env env;
  ploven::Schedule s(env.msg, env.clock);
  bool ok = false;
  try {
    ok = ploven::LoadSchedule(s, bytes).ok;
    if (ok && saved != nullptr) {
      if (auto out = ploven::SaveSchedule(s)) *saved = std::move(*out);
    }
  } catch (const Shutdown&) {
    return false;  // the internal-error report was shown
  }
  // A refusal always tells the user why.
  if (!ok && env.ui.boxes == 0) std::abort();
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> saved;
  if (Load({data, size}, &saved) && !saved.empty()) {
    // What was written from a loaded schedule must load again.
    if (!Load(saved, nullptr)) std::abort();
  }
  return 0;
}
