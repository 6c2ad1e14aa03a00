#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/commands.h"

namespace ploven {

class Settings;

// Window flags of the layout record.
enum LayoutWindowFlag : uint16_t {
  kLayoutCalendarOpen = 0x1,
  kLayoutMaximized = 0x2,
  kLayoutMinimized = 0x4,
  kLayoutViewOption = 0x8,
  kLayoutTimeBarOpen = 0x20,
  kLayoutFilterOpen = 0x40,
};

struct WindowPlace {
  int x = 0, y = 0, width = 0, height = 0;  // width 0: the system places the window
  bool operator==(const WindowPlace&) const = default;
};

// The per-user window layout, one settings string per user.
struct LayoutRecord {
  int dailyReminderFlag = 0;  // 0: show the Daily Reminder at day roll-over
  uint16_t windowFlags = 0;
  WindowPlace main;
  WindowPlace calendar;
  Command tiling = Command::kTileGrid;  // the tiling command of My Multiple Day View
  int alarmChecksOff = 0;
  int notesWindowOpen = 0;
  Command viewCommand = Command::kDayView;
  int hideDoneItems = 0;
  WindowPlace timeBar;
  bool operator==(const LayoutRecord&) const = default;
};

// The nineteen numbers, each followed by one blank.
std::string FormatLayoutRecord(const LayoutRecord& record);
// Reads the numbers in order, stopping at the first that cannot be read; the
// fields from there on keep the values they had. A tiling of 1 or less becomes Grid.
void ParseLayoutRecord(std::string_view text, LayoutRecord& record);

// The layout a schedule made during this run starts with, for a screen of this size.
LayoutRecord DefaultLayout(int screenWidth, int screenHeight);

// View command <-> the small code the record stores: 33 Alphabetical, 34 Month, 35 My Multiple
// Day, 36 Priority, 32 (Ctrl+U's command) kept as it is, and 31 for every other view (Day View).
int ViewCodeForCommand(Command viewCommand);
Command ViewCommandForCode(int code);

// A number of at most five digits that one user name always gives.
long UserNumber(std::string_view userName);
// "User%05ld".
std::string LayoutKey(long userNumber);

void ReadLayoutRecord(const Settings& settings, long userNumber, LayoutRecord& record);
bool WriteLayoutRecord(Settings& settings, long userNumber, const LayoutRecord& record);

}  // namespace ploven
