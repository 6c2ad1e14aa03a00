#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "mock/scripted_ui.h"
#include "platform/clock.h"
#include "platform/error_log.h"
#include "platform/event_trace.h"
#include "platform/messages.h"

namespace ploven::test {

// A temporary folder that is removed with its contents.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

// The ports a core object needs, with a scripted screen and a clock that
// stands at 8 December 2026, 9:00.
struct TestEnv {
  static constexpr DayNumber kToday = 17144;  // Tuesday 8 December 2026
  static constexpr TimeOfDay kNine = 9 * 60 + 1;

  TestEnv();

  // The error log holds the fragment (lines keep at most 150 characters of a message).
  bool Logged(const std::string& fragment) const;

  TempDir dir;
  ScriptedUi ui;
  SettableClock clock{kToday, kNine};
  ErrorLog log;
  EventTrace trace;
  Messages msg;
};

}  // namespace ploven::test
