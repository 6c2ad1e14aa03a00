#pragma once

namespace ploven::edit_text {

// Dialog titles.
inline constexpr char kModifyTitle[] = "Modify %s | created %s";
inline constexpr char kModifyAllTitle[] = "Modify All Recurrences | created %s";
inline constexpr char kExceptionTitle[] =
    "Modify Item (exception to recurring item) | instance originally on %s";
inline constexpr char kPreferencesTitle[] =
    "Settings: New Item Preferences (set your preferences, then click Save As Default)";
inline constexpr char kStampToday[] = "today %s";
inline constexpr char kStampYesterday[] = "yesterday %s";
inline constexpr char kStampDaysAgo[] = "%s (%d days ago)";
inline constexpr char kKindItem[] = "Item";
inline constexpr char kKindProject[] = "Project";

// New items: the caption of each form.
inline constexpr char kNewItemCaption[] = "New Item";
inline constexpr char kNewAppointmentCaption[] = "New Appointment Item";
inline constexpr char kNewMultiDayCaption[] = "New Multi-day Event Item";
inline constexpr char kNewMemoCaption[] = "New Memo Item";
inline constexpr char kNewBirthdayCaption[] = "New Birthday Memo Item";
inline constexpr char kNewAnniversaryCaption[] = "New Anniversary Memo Item";
inline constexpr char kNewWorkHolidayCaption[] = "New Work Holiday Memo Item";
inline constexpr char kNewProjectCaption[] = "New Project";
inline constexpr char kCashCaption[] = "Cash Transaction";

// Opening.
inline constexpr char kSplitStarted[] =
    "This item is splittable and has been started: the changes you make apply to every "
    "segment of it.";
inline constexpr char kNothingToModify[] = "Select an item first, then choose Modify Item.";
inline constexpr char kNotRecurringItem[] =
    "The selected item is not a recurring item, so there are no recurrences to modify.";
inline constexpr char kNullPitem[] = "pitem field is wrongly null.";
inline constexpr char kNullBetaPortion[] = "DroneAct or BetaAct has null Beta portion handle.";
inline constexpr char kCloneNotFound[] =
    "Surprisingly, FindClone() didn't find instance of a recurring item on an expected "
    "recurring instance date.";
inline constexpr char kModule[] = "Def";

// The Duration field.
inline constexpr char kRecurringDurationCut[] =
    "Because recurring items can't have a Duration greater than your Day Bounds range, the "
    "Duration has been reduced to number of hours between your Day Bounds. Click OK to continue.";
inline constexpr char kAutoSplitCaption[] = "About To Automatically Split Item";
inline constexpr char kAutoSplit[] =
    "Because you have specified a Duration for this item that is longer than your Day Bounds "
    "range of %s hours, the item will automatically be made splittable with a Flexible Date, and "
    "after you click OK then Balance All Days will run in order to try to split the item over "
    "more than one day.\n\nIf this is not what you want, you can instead have the Duration "
    "reduced to %s hours.";
inline constexpr char kAutoSplitButtons[] = "&Proceed with my Duration\n&Reduce Duration instead";
inline constexpr char kDurationReduced[] = "The Duration has been reduced. Click OK to continue.";
inline constexpr char kDurationTooLong[] = "The Duration can be at most 500 hours.";

// Set Date chosen.
inline constexpr char kInheritCaption[] = "Inherit Latest End Time from Deadline Time?";
inline constexpr char kInherit[] =
    "Before you changed this item from Flexible Date to Set Date, it had a deadline time on the "
    "Set Date that was earlier than the Latest End time it will now have. Would you like Ploven "
    "to set the Latest End to the time that was the Deadline Time now?\n\n(If you answer No, you "
    "can still adjust it manually.)";
inline constexpr char kInheritButtons[] = "&Change Latest End\nN&o";

// Recurring.
inline constexpr char kNoInstancesLeft[] =
    "You cannot uncheck Recurring when there are no instances, because there would be no "
    "occurence left to become the single remaining instance.";
inline constexpr char kRecurringNotSplittable[] =
    "Because recurring items can't be splittable, Ploven has will now uncheck the Splittable "
    "checkbox of this item, and unsplit any other existing segments of this item into this one.";
inline constexpr char kRecurringNoMemory[] =
    "There is not enough memory for all the instances of this recurring item, so it was not "
    "changed.";

// Alarm.
inline constexpr char kFirstAlarm[] =
    "This item hasn't had an alarm before, so Ploven will now have you edit the Alarm Properties "
    "(as if you had clicked the Alarm button to the right of the Alarm checkbox).\n\nTip: Later, "
    "you can set default Alarm Properties for Alarms by clicking the Alarm button in New Item "
    "Preferences (from the Settings menu). If you do, Ploven won't automatically offer the Item "
    "Properties each time you create a new alarm.";
inline constexpr char kSetStartAlarmQuestion[] =
    "This item has a Set Start Time. Would you like to set an Alarm for it?";

// The checks of OK.
inline constexpr char kEmptyTitle[] = "An item needs a title.";
inline constexpr char kTitleTooLong[] = "An item title may hold at most 1000 characters.";
inline constexpr char kDeadlineBeforeEarliest[] =
    "The deadline is earlier than the earliest date, so change one of them.";
inline constexpr char kLatestBeforeEarliestTime[] =
    "The latest end time is earlier than the earliest start time, so change one of them.";
inline constexpr char kArchivedDate[] = "The date %s is archived; new items go on later dates.";
inline constexpr char kProjectNameTooLong[] = "The Project Name cannot be larger than the field.\n";
inline constexpr char kNotCreated[] = "The item could not be created.";
inline constexpr char kNoDays[] =
    "The Days of Week allow no day at all, so tick at least one of them.";
inline constexpr char kEndBeforeStart[] =
    "The event ends before it begins, so change one of the dates.";

// The Procrastination Buster.
inline constexpr char kBusterCaption[] = "Procrastination Buster";
inline constexpr char kBusterIntro[] =
    "You postponed the Deadline of this item over a dozen times while not changing its Title, so "
    "please consider whether you really intend to ever do it.\n\n";
inline constexpr const char* kBusterAdvice[5] = {
    "Advice #1: Rewrite the Title as the very next small, physical step you can take, starting "
    "with a verb (\"Call Sam about the quote\" rather than \"Quote\"). A clear next step is much "
    "easier to start than a vague project.",
    "Advice #2: Turn it into an appointment with yourself: give it a Set Date and a Set Start "
    "Time, and use that time only to decide what the next step is.",
    "Advice #3: Ask yourself honestly whether you really intend to do it. If not, delete it or "
    "mark it Done, and enjoy the lighter schedule.",
    "Advice #4: Could someone else do it? Delegate it, and keep only a short item to check that "
    "it was done.",
    "Advice #5: All of the above: decide whether you really intend to do it, delegate it if you "
    "can, and otherwise rewrite it as the very next small step and make an appointment with "
    "yourself to take it.",
};
inline constexpr char kBusterButtonsExplained[] =
    "\n\nClick \"I'll go change it now\" to go back to the item and change its Title, \"Don't "
    "bug me again\" never to be reminded about this item's deadline again, or \"Bug me next "
    "time\" to be reminded at its next postponement.";
inline constexpr char kBusterButtons[] =
    "I'll g&o change it now\n&Don't bug me again\n&Bug me next time";
inline constexpr char kBusterChangeNow[] =
    "Okay: if you change the Title somehow, we'll assume that you've taken action to move this "
    "closer to completion.";
inline constexpr char kBusterNeverAgain[] =
    "Okay: we'll never bug you about deadline postponement for this item again.";
inline constexpr char kBusterNextTime[] = "No problem: we'll bug you some other time.";
inline constexpr char kBusterNextTimeCaption[] = "Bug me next time";
inline constexpr int kBusterNextTimeSeconds = 20;

// Apply.
inline constexpr char kSplitChangeCaption[] = "Splittable change triggers Balance All Days";
inline constexpr char kSplitChange[] =
    "The Splittable checkbox is checked (or you have just unchecked it), so Ploven will now "
    "Balance All Days to best split (or unsplit) this item for you.";
inline constexpr char kSplitChangeButton[] = "&Balance All Days";
inline constexpr char kExceptionLockFailed[] =
    "Attempt to modify item that already was an exception to a recurring item failed: couldn't "
    "lock BetaAct (no act or no handle).";
inline constexpr char kNoOtherInstance[] = "There is no other instance in that direction.";

// The one-key property changes and steps on the selected item.
inline constexpr char kQuickSelectItem[] = "Select an item first.";
inline constexpr char kQuickDoneItem[] =
    "This item is done: its properties stay as they were when it was done. Choose Modify Item to "
    "change its record.";
inline constexpr char kQuickProject[] =
    "This is a project, not an item: choose Modify Item to change its properties.";
inline constexpr char kQuickNoPriority[] =
    "Only items with a Flexible Date have a priority. Choose Flexible Date (F2) first.";
inline constexpr char kQuickTopPriority[] = "This item already has the highest priority (A1).";
inline constexpr char kQuickBottomPriority[] =
    "This item is already last in the lowest priority tier.";
inline constexpr char kQuickNoStartTime[] =
    "This item has no Set Start Time. Choose Scheduled (Ctrl+F2) to give it one.";
inline constexpr char kQuickStartAtMidnight[] =
    "The Set Start Time is already at the beginning of the day.";
inline constexpr char kQuickStartAtDayEnd[] = "The Set Start Time is already at the end of the day.";
inline constexpr char kQuickMemoNoDuration[] =
    "A memo takes no time of the day, so it has no duration to change.";
inline constexpr char kQuickShortest[] =
    "The duration is already as short as one step (see KeyIncre1min in Other Settings).";
inline constexpr char kQuickLongest[] = "The duration is already the longest an item may have.";
inline constexpr char kQuickCannotFloat[] =
    "Memos and multi-day events stand on their own date and cannot have a Flexible Date.";
inline constexpr char kQuickNotForMemo[] =
    "Memos and multi-day events have no Set Start Time. Choose Modify Memo as if Set Date Item "
    "to give a memo a time.";
inline constexpr char kQuickNoPlace[] =
    "This item has no time yet. Select it in a day view, where it has a place, and try again.";
inline constexpr char kQuickSequencedFlexibleOnly[] =
    "Only items with a Flexible Date can be Sequenced after the item ranked just before them.";
inline constexpr char kQuickNothingToFollow[] =
    "This item is ranked first: there is no item before it to be Sequenced after.";
inline constexpr char kQuickSplitFlexibleOnly[] = "Only items with a Flexible Date can be split.";
inline constexpr char kQuickSplitNotRecurring[] = "A recurring item cannot be split.";
inline constexpr char kQuickBadLabel[] = "A label is a number from 0 (none) to 9.";

}  // namespace ploven::edit_text
