#include "platform/command_effects.h"

namespace ploven {

bool CommandChangesSchedule(Command command) {
  using enum Command;
  switch (command) {
    // Edit
    case kModifyItem:
    case kModifyAllRecurrences:
    case kFlexibleDate:
    case kAppointment:
    case kScheduled:
    case kUnderscore:
    case kPrivate:
    case kSequenced:
    case kHideUntilStartable:
    case kLabel:
    case kModifyMemoAsSetDate:
    case kNote:
    case kAddDateTimeToTitle:
    case kUndelete:
    case kDeleteItem:
    case kDeleteAllRecurrences:
    case kDeleteSampleItems:
    case kDeleteSpecialDayItems:
    case kStartUnstart:
    case kInterrupt:
    case kDone:
    case kStartWithCountdown:
    case kStartFillGap:
    case kDoneCurrentEnd:
    case kDoneEarlierEnd:
    case kDoneFillGap:
    case kDoneForNow:
    case kRecordFailedAttempt:
    case kCancelItem:
    case kCut:
    case kPaste:
    // Insert
    case kNewItem:
    case kNewItemLight:
    case kNewAppointment:
    case kNewMultiDayEvent:
    case kNewMemo:
    case kNewBirthdayMemo:
    case kNewAnniversaryMemo:
    case kNewWorkHolidayMemo:
    case kNewDoneItem:
    case kNewProject:
    case kDuplicate:
    case kAppointmentForm:
    case kMultiDayEventForm:
    case kCashTransaction:
    case kTrayNewItem:
    // Balance
    case kMoveEarlierInDay:
    case kMoveLaterInDay:
    case kMoveToPreviousDay:
    case kMoveToNextDay:
    case kMoveWeekBack:
    case kMoveWeekForward:
    case kPostponeOneHour:
    case kBringForward:
    case kBalanceDay:
    case kBalanceAllDays:
    case kLightenLoadByPriority:
    case kLightenLoadByUrgency:
    case kIncreaseLoad:
    case kRaisePriority:
    case kLowerPriority:
    case kEarlierSetStartTime:
    case kLaterSetStartTime:
    case kShorterDuration:
    case kLongerDuration:
    case kTagUntagProject:
    case kKeyF4:
    // What the schedule keeps of the settings, and what loads items into it
    case kNewItemPreferences:
    case kDayBoundsSettings:
    case kWorkHoursSettings:
    case kBalanceSettings:
    case kValueOfTimeSettings:
    case kMyMultipleDayViewSettings:
    case kLightMode:
    case kProMode:
    case kImportItems:
    case kLoadTutorial:
      return true;
    default:
      return false;
  }
}

}  // namespace ploven
