#include "platform/layout_record.h"

#include <cctype>
#include <climits>

#include "platform/format.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven {

namespace {

constexpr int kFieldCount = 19;

// Reads one "%d" the way sscanf does: blanks, a sign, digits. False when there is
// no number or it does not fit an int.
bool ScanInt(std::string_view& text, int& out) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  const size_t digits = i;
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (i == digits) return false;
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return false;
  out = static_cast<int>(value);
  text.remove_prefix(i);
  return true;
}

// The codes the record stores for the views.
constexpr int kDayViewCode = 31;
constexpr int kAlphabeticalViewCode = 33;
constexpr int kMonthViewCode = 34;
constexpr int kMyMultipleDayViewCode = 35;
constexpr int kPriorityViewCode = 36;
constexpr int kKeptCode = CommandNumber(Command::kMultipleDayViewKey);  // stored as it is

}  // namespace

int ViewCodeForCommand(Command viewCommand) {
  switch (viewCommand) {
    case Command::kAlphabeticalView:
      return kAlphabeticalViewCode;
    case Command::kMonthView:
      return kMonthViewCode;
    case Command::kMyMultipleDayView:
      return kMyMultipleDayViewCode;
    case Command::kPriorityView:
      return kPriorityViewCode;
    case Command::kMultipleDayViewKey:
      return kKeptCode;
    default:
      return kDayViewCode;
  }
}

Command ViewCommandForCode(int code) {
  switch (code) {
    case kAlphabeticalViewCode:
      return Command::kAlphabeticalView;
    case kMonthViewCode:
      return Command::kMonthView;
    case kMyMultipleDayViewCode:
      return Command::kMyMultipleDayView;
    case kPriorityViewCode:
      return Command::kPriorityView;
    case kKeptCode:
      return Command::kMultipleDayViewKey;
    default:
      return Command::kDayView;
  }
}

std::string FormatLayoutRecord(const LayoutRecord& r) {
  return Sprintf("%d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d ", r.dailyReminderFlag,
                 static_cast<int>(r.windowFlags), r.main.x, r.main.y, r.main.width, r.main.height,
                 r.calendar.x, r.calendar.y, r.calendar.width, r.calendar.height,
                 CommandNumber(r.tiling), r.alarmChecksOff, r.notesWindowOpen,
                 ViewCodeForCommand(r.viewCommand), r.hideDoneItems, r.timeBar.x, r.timeBar.y,
                 r.timeBar.width, r.timeBar.height);
}

void ParseLayoutRecord(std::string_view text, LayoutRecord& r) {
  int windowFlags = r.windowFlags;
  int viewCode = ViewCodeForCommand(r.viewCommand);
  int tiling = CommandNumber(r.tiling);
  int* fields[kFieldCount] = {
      &r.dailyReminderFlag, &windowFlags,       &r.main.x,        &r.main.y,
      &r.main.width,        &r.main.height,     &r.calendar.x,    &r.calendar.y,
      &r.calendar.width,    &r.calendar.height, &tiling,          &r.alarmChecksOff,
      &r.notesWindowOpen,   &viewCode,          &r.hideDoneItems, &r.timeBar.x,
      &r.timeBar.y,         &r.timeBar.width,   &r.timeBar.height};
  int read = 0;
  for (int* field : fields) {
    if (!ScanInt(text, *field)) break;
    ++read;
  }
  r.windowFlags = static_cast<uint16_t>(windowFlags);
  if (read > 13) r.viewCommand = ViewCommandForCode(viewCode);
  r.tiling = tiling <= 1 ? Command::kTileGrid : static_cast<Command>(tiling);
}

LayoutRecord DefaultLayout(int screenWidth, int screenHeight) {
  LayoutRecord r;
  r.windowFlags = kLayoutCalendarOpen | kLayoutViewOption | kLayoutTimeBarOpen;
  const int height = screenHeight * 95 / 100;
  r.main = {0, 0, screenWidth, height};
  const int calendarX = screenWidth * 85 / 100;
  const int y = height * 52 / 100;
  r.calendar = {calendarX, y, screenWidth - calendarX, height - y};
  r.timeBar = {0, y, screenWidth * 53 / 100, height - y};
  return r;
}

long UserNumber(std::string_view userName) {
  // FNV-1a over the name in lower case, so "Ann" and "ann" share a layout.
  uint32_t hash = 2166136261u;
  for (const char c : userName) {
    hash ^= static_cast<uint8_t>(std::tolower(static_cast<unsigned char>(c)));
    hash *= 16777619u;
  }
  return userName.empty() ? 0 : static_cast<long>(hash % 100000u);
}

std::string LayoutKey(long userNumber) { return Sprintf(key::kUserLayoutFormat, userNumber); }

void ReadLayoutRecord(const Settings& settings, long userNumber, LayoutRecord& record) {
  ParseLayoutRecord(settings.ReadString(LayoutKey(userNumber)), record);
}

bool WriteLayoutRecord(Settings& settings, long userNumber, const LayoutRecord& record) {
  return settings.WriteString(LayoutKey(userNumber), FormatLayoutRecord(record));
}

}  // namespace ploven
