#pragma once

#include <string>

#include "store/act_handle.h"
#include "store/date_types.h"

namespace ploven {

// The views the engine needs to tell apart.
enum class ViewKind {
  kDay,            // the Day View
  kMyMultipleDay,  // the My Multiple Day View
  kDaySchedule32,  // the third day-schedule view (view number 32)
  kPriority,
  kAlphabetical,
  kMonth,
  kOther,
};

inline bool IsDayScheduleView(ViewKind v) {
  return v == ViewKind::kDay || v == ViewKind::kMyMultipleDay || v == ViewKind::kDaySchedule32;
}

// Titles of the main menu bar that a long run highlights.
enum class MenuTitle { kBalance, kNavigate };

// What the conflict window of Balance All Days shows.
struct ConflictWindowRequest {
  std::string text;           // the conflict text, full title included
  std::string earliestBegin;  // the item's Earliest Begin Time, formatted ("" when none)
  std::string latestEnd;      // the item's Latest End Time, formatted ("" when none)
  std::string dateField;      // what the deadline field holds when the window opens
  ActHandle item = kNoAct;
};

enum class ConflictButton {
  kChangeDeadline,
  kEditItem,
  kDoneItem,
  kDeleteItem,
  kSkipItem,
  kSkipRestOfItems,
  kClose,  // the close box
};

struct ConflictWindowAnswer {
  ConflictButton button = ConflictButton::kSkipRestOfItems;
  std::string dateField;  // the deadline field as the user left it
};

// How the item properties dialog ended when the engine opened it.
enum class EditOutcome { kConfirmed, kCancelled, kDeleted };

// What the engine's long runs need of the screen beyond message boxes (which go through
// Messages): the progress window, the wait cursor, the viewed date, the conflict window, and
// the dialogs the conflict window opens. The desktop program draws them; plovenctl and the
// tests answer them from their options or a script. The look-only operations do nothing by
// default.
class EngineUi {
 public:
  virtual ~EngineUi() = default;

  // The modeless "Please wait..." window with a text line and a percentage line. Show* opens
  // it when it is closed.
  virtual void OpenProgress() {}
  virtual void ShowProgressText(const std::string& /*text*/) {}
  virtual void ShowProgressPercent(const std::string& /*percent*/) {}
  virtual void CloseProgress() {}
  virtual void SetWaitCursor(bool /*on*/) {}
  virtual void HighlightMenuTitle(MenuTitle /*title*/, bool /*on*/) {}
  // The short pauses that let a label be read.
  virtual void Pause(int /*milliseconds*/) {}

  // The view the main window shows and its viewed date (today when it has none).
  virtual ViewKind viewShowing() const { return ViewKind::kOther; }
  virtual DayNumber viewedDate() const = 0;
  virtual void SetViewedDate(DayNumber date) = 0;
  // Steps the day-schedule views to the next view window and back, which repaints them.
  virtual void RefreshDayScheduleViews() {}
  // Shows a date in the view (after an item was deleted from the conflict window, or for
  // Go To Item's Date).
  virtual void GoToDate(DayNumber date) { SetViewedDate(date); }

  // Saves a pending note and the schedule when it changed, and returns when the save has
  // finished.
  virtual void SaveAndWait() {}

  // The conflict window; the engine checks the answer and shows it again while it must stay
  // open.
  virtual ConflictWindowAnswer ShowConflictWindow(const ConflictWindowRequest& request) = 0;
  // The item properties dialog for an item of the schedule.
  virtual EditOutcome EditItem(ActHandle item) = 0;
  // The deletion with its confirmation; true when the item was deleted.
  virtual bool DeleteItemAsked(ActHandle item) = 0;
};

}  // namespace ploven
