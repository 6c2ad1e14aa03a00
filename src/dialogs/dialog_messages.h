#pragma once

// Texts of the message box, the progress and splash windows, the conflict window and the About
// box that are not already kept with the core (platform/platform_messages.h holds the box
// captions and the About lines, engine/balance_messages.h the conflict window's title and notes).
namespace ploven::dialog_text {

// ---- Progress window ----
inline constexpr char kProgressTitle[] = "Please wait...";

// ---- Conflict window of Balance All Days ----
inline constexpr char kChangeDeadline[] = "&Change Deadline to:";
inline constexpr char kEditItem[] = "E&dit Item";
inline constexpr char kDoneItem[] = "Do&ne Item";
inline constexpr char kDeleteItem[] = "De&lete Item";
inline constexpr char kSkipItem[] = "S&kip Item";
inline constexpr char kSkipRestOfItems[] = "&Skip Rest of Items";
inline constexpr char kConflictHelp[] = "&Help";
inline constexpr char kEarliestBegin[] = "Earliest Begin Time:";
inline constexpr char kLatestEnd[] = "Latest End Time:";
inline constexpr char kNoTime[] = "(none)";

// ---- About box ----
inline constexpr char kAboutCaption[] = "About Ploven";
inline constexpr char kAboutVersion[] = "Version %s";
inline constexpr char kAboutClose[] = "&Close";
inline constexpr char kAboutHelp[] = "&Help";
inline constexpr char kAboutViewErrorLog[] = "View Error &Log";
inline constexpr char kAboutCleanup[] = "Clean&up";
inline constexpr char kAboutMore[] = "&More";

// ---- Start-up splash ----
inline constexpr char kSplashIcon[] = ":/icons/ploven-64.png";


// The New Item dialog.
inline constexpr char kNewItemCaption[] = "New Item";
inline constexpr char kTitleLabel[] = "&Title:";
inline constexpr char kWhenGroup[] = "When";
inline constexpr char kSetDate[] = "Set &Date";
inline constexpr char kFlexibleDate[] = "&Flexible Date";
inline constexpr char kDateLabel[] = "D&ate:";
inline constexpr char kEarliestLabel[] = "&Earliest begin:";
inline constexpr char kDeadlineLabel[] = "Dead&line:";
inline constexpr char kStartLabel[] = "Set &Start Time:";
inline constexpr char kDurationLabel[] = "Du&ration (hr:min):";
inline constexpr char kNoneHint[] = "(none)";
inline constexpr char kMemoHold[] = "&Memo?Hold?";
inline constexpr char kSplittable[] = "S&plittable";
inline constexpr char kTierLabel[] = "Priority t&ier:";
inline constexpr char kRecurringButton[] = "&Recurring...";
inline constexpr char kRecurringButtonOn[] = "&Recurring (on)...";

// ---- Interrupt... ----
inline constexpr char kInterruptCaption[] = "Interrupt";
inline constexpr char kInterruptWhat[] = "&What interrupted you:";
inline constexpr char kInterruptWhatHint[] = "for example: phone call from the bank";
inline constexpr char kInterruptBegan[] = "&Began at:";
inline constexpr char kInterruptLength[] = "&Lasted:";
inline constexpr char kMinutesSuffix[] = " minutes";
inline constexpr char kInterruptReport[] = "&Report...";

}  // namespace ploven::dialog_text
