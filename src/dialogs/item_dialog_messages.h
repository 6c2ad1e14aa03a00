#pragma once

// Captions and labels of the item properties dialog. Its questions and refusals belong to the
// dialog's core (src/edit).
namespace ploven::item_dialog_text {

// ---- Title and alarm ----
inline constexpr char kTitleLabel[] = "&Title:";
inline constexpr char kTitleHint[] = "Enter starts OK; Ctrl+Enter starts a new line";
inline constexpr char kNoteButton[] = "&Note";
inline constexpr char kAlarmBox[] = "Alar&m";
inline constexpr char kAlarmButton[] = "Alarm...";

// ---- Dates ----
inline constexpr char kDateGroup[] = "Date";
inline constexpr char kSetDate[] = "&Set Date";
inline constexpr char kFlexibleDate[] = "&Flexible Date";
inline constexpr char kDateLabel[] = "&Date:";
inline constexpr char kStartDateLabel[] = "&Start date:";
inline constexpr char kEndDateLabel[] = "&End date:";
inline constexpr char kEarliestBeginLabel[] = "&Earliest begin:";
inline constexpr char kDeadlineLabel[] = "Dead&line:";
inline constexpr char kAtLabel[] = "at";

// ---- Times ----
inline constexpr char kTimeGroup[] = "Time";
inline constexpr char kStartTimeLabel[] = "Set Start &Time:";
inline constexpr char kDurationLabel[] = "D&uration:";
inline constexpr char kHourMinuteHint[] = "hr:min";
inline constexpr char kSplittable[] = "S&plittable";
inline constexpr char kFluidGroup[] = "...or fluid time of day";
inline constexpr char kFluidEarliestLabel[] = "Earliest be&gin:";
inline constexpr char kFluidLatestLabel[] = "Latest e&nd:";
inline constexpr char kWorkHours[] = "Work hours";
inline constexpr char kAfterWorkHours[] = "After work hours";
inline constexpr char kNoneHint[] = "none";

// ---- Days of week ----
inline constexpr char kDaysGroup[] = "Days of Week";
inline constexpr const char* kWeekdayBoxes[7] = {"Su", "M", "Tu", "W", "Th", "F", "Sa"};
inline constexpr char kWeekdaysButton[] = "Wee&kdays";
inline constexpr char kWeekendButton[] = "Weeken&d";

// ---- Importance ----
inline constexpr char kImportanceGroup[] = "Importance";
inline constexpr char kHide[] = "&Hide (until startable)";
inline constexpr char kTierLabel[] = "Priority t&ier:";
inline constexpr char kRankLabel[] = "Rank:";
inline constexpr char kRankFormat[] = "%1 of %2";
inline constexpr char kExpectedReturnLabel[] = "Expected Ret&urn:";
inline constexpr char kReturnPerHourLabel[] = "Expected Return/Hour:";

// ---- Prerequisite ----
inline constexpr char kPrereqGroup[] = "Prerequisite";
inline constexpr char kPrereqItemLabel[] = "This other item (w/ Set Date)";
inline constexpr char kPrereqNone[] = "(none)";
inline constexpr char kPrereqMustEnd[] = "must end";
inline constexpr char kPrereqDays[] = "days and";
inline constexpr char kPrereqEarlier[] = "earlier than this item's Earliest Begin";

// ---- Recurrences ----
inline constexpr char kRecurrenceGroup[] = "Recurrences";
inline constexpr char kRecurringBox[] = "Recurring";
inline constexpr char kRecurringButton[] = "&Recurring...";
inline constexpr char kModifyEvery[] = "Modify e&very instance";
inline constexpr char kModifyOne[] = "Modify one only:";
inline constexpr char kPrior[] = "&<Prior";
inline constexpr char kNext[] = "Next&>";
inline constexpr char kDeleteInstance[] = "Delete this instan&ce";

// ---- Other fields ----
inline constexpr char kOtherGroup[] = "Other";
inline constexpr char kCloneOnDone[] = "Offer To Clone When Item \"Done\"";
inline constexpr char kProjectLabel[] = "Pro&ject:";
inline constexpr char kProjectNone[] = "none";
inline constexpr char kLabelLabel[] = "La&bel:";
inline constexpr char kJobNumberLabel[] = "Job #:";
inline constexpr char kUnderscored[] = "Underscored";
inline constexpr char kMemoHold[] = "Memo?Hold?";
inline constexpr char kFirstYearLabel[] = "First &year:";
inline constexpr char kReminderDaysLabel[] = "Re&minder days before:";
inline constexpr char kAmountLabel[] = "&Amount:";

// ---- Buttons ----
inline constexpr char kOk[] = "OK";
inline constexpr char kSaveAsDefault[] = "Sa&ve As Default";
inline constexpr char kCancel[] = "Cancel";
inline constexpr char kHelp[] = "Help";
inline constexpr char kDelete[] = "Delete";

}  // namespace ploven::item_dialog_text
