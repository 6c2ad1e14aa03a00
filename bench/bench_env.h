#pragma once

#include <filesystem>

#include "platform/clock.h"
#include "platform/error_log.h"
#include "platform/event_trace.h"
#include "platform/messages.h"
#include "platform/ui.h"

namespace ploven::bench {

// A screen that answers every box with its default button.
class SilentUi : public Ui {
 public:
  BoxAnswer ShowBox(const BoxRequest& box) override {
    ++shown;
    BoxAnswer a;
    if (!box.buttons.empty()) a.code = box.buttons[0].code;
    return a;
  }
  void Beep() override {}
  bool OpenHelpTopic(const std::string&) override { return true; }
  [[noreturn]] void ShutDown(int code) override { std::exit(code); }
  int shown = 0;  // boxes shown so far
};

struct BenchEnv {
  static constexpr DayNumber kToday = 17144;
  SilentUi ui;
  SettableClock clock{kToday, 9 * 60 + 1};
  ErrorLog log{std::filesystem::temp_directory_path() / "ploven-bench-errors.txt", clock};
  EventTrace trace;
  Messages msg{ui, clock, log, trace};
};

}  // namespace ploven::bench
