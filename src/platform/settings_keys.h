#pragma once

// The names of the program-wide settings, as they stand in "Ploven.ini".
namespace ploven::key {

// The four screen fonts, each "family,points,bold" (Qt's font description).
inline constexpr char kFontHeadings[] = "FontDayViewsHeadings";
inline constexpr char kFontText[] = "FontDayViewsText";
inline constexpr char kFontMonth[] = "FontMonthViewText";
inline constexpr char kFontNote[] = "FontNoteText";
inline constexpr char kUserName[] = "UserName";  // the schedule's user, asked at the first run
// The printouts: the three printer fonts (Qt's font description), Printouts Settings and the
// page setup (paper name, orientation, margins in millimetres, the printer).
inline constexpr char kPrinterFontHeadings[] = "PrinterFontHeadings";
inline constexpr char kPrinterFontText[] = "PrinterFontText";
inline constexpr char kPrinterFontCalendar[] = "PrinterFontCalendar";
inline constexpr char kMyPrintouts[] = "MyPrintouts";  // a bit for each printout, see MyPrintouts
inline constexpr char kPrintPrivateItems[] = "PrintPrivateItems";
inline constexpr char kPrintDaysPerPage[] = "PrintDaysPerPage";
inline constexpr char kPrintPaper[] = "PrintPaper";
inline constexpr char kPrintLandscape[] = "PrintLandscape";
inline constexpr char kPrintMargins[] = "PrintMargins";  // "left top right bottom"
inline constexpr char kPrinterName[] = "PrinterName";
inline constexpr char kLifeProject[] = "LifeProject";
inline constexpr char kBalanceLightensLoad[] = "BalanceLightensLoad";
inline constexpr char kPlovenStartupGroup[] = "PlovenStartupGroup";
inline constexpr char kWorldTimeline[] = "WorldTimeline";
inline constexpr char kShowDoneTaskTimes[] = "ShowDoneTaskTimes";
inline constexpr char kWeekviewEventsOnly[] = "WeekviewEventsOnly";
inline constexpr char kMonthviewEventsOnly[] = "MonthviewEventsOnly";
inline constexpr char kMonthviewVitalsOnly[] = "MonthviewVitalsOnly";
inline constexpr char kMonthviewBeginTimes[] = "MonthviewBeginTimes";
inline constexpr char kMonthviewDaysSpans[] = "MonthviewDaysSpans";
inline constexpr char kMonthviewWkOfYr[] = "MonthviewWkOfYr";
inline constexpr char kAlarmsRingOnce[] = "AlarmsRingOnce";
inline constexpr char kAlarmsSilent[] = "AlarmsSilent";
inline constexpr char kAlarmsShared[] = "AlarmsShared";
inline constexpr char kHideGaps[] = "HideGaps";
inline constexpr char kShowConflictLens[] = "ShowConflictLens";
inline constexpr char kShowSchedStats[] = "ShowSchedStats";
inline constexpr char kShowEndTimes[] = "ShowEndTimes";
inline constexpr char kShowTaskTimes[] = "ShowTaskTimes";
inline constexpr char kKeyIncre1min[] = "KeyIncre1min";
inline constexpr char kShowOppCosts[] = "ShowOppCosts";
inline constexpr char kShowProjectName[] = "ShowProjectName";
inline constexpr char kShowMoons[] = "ShowMoons";
inline constexpr char kMoonAM[] = "MoonAM";
inline constexpr char kDisableAutosave[] = "DisableAutosave";
inline constexpr char kToolbarOn[] = "ToolbarOn";
inline constexpr char kNoPastStrikes[] = "NoPastStrikes";
inline constexpr char kTimespace[] = "Timespace";
inline constexpr char kShading[] = "Shading";
inline constexpr char kChimes[] = "Chimes";
inline constexpr char kWeekStartsMon[] = "WeekStartsMon";
inline constexpr char kFilterTitleCheckbox[] = "FilterTitleCheckbox";
inline constexpr char kProjectFilter[] = "ProjectFilter";
inline constexpr char kFilterJobCheckbox[] = "FilterJobCheckbox";
inline constexpr char kPresentFilter[] = "PresentFilter";
inline constexpr char kFilterLabels[] = "FilterLabels";
inline constexpr char kFilterMinimumDurCheckbox[] = "FilterMinimumDurCheckbox";
inline constexpr char kRoutineFilter[] = "RoutineFilter";
inline constexpr char kFilterTodayOnly[] = "FilterTodayOnly";
inline constexpr char kFilterConflictsOnly[] = "FilterConflictsOnly";
inline constexpr char kShowFilterOnCalendarWindow[] = "ShowFilterOnCalendarWindow";
inline constexpr char kFirstWeekRule[] = "FirstWeekRule";
inline constexpr char kPopCalTiled[] = "PopCalTiled";
inline constexpr char kErrorLogExtreme[] = "ErrorLogExtreme";
inline constexpr char kWorkdayFormat[] = "Workday%d";  // 0 Sunday .. 6 Saturday
inline constexpr char kAutoPilotTimerVar[] = "AutoPilotTimerVar";
inline constexpr char kBalanceTodayTimerVar[] = "BalanceTodayTimerVar";
// The switches of the Other Settings that go with the two timers and the start of the day.
inline constexpr char kAutoPilot[] = "AutoPilot";
inline constexpr char kAutoBalanceDay[] = "AutoBalanceDay";
inline constexpr char kAutoBringForward[] = "AutoBringForward";
inline constexpr char kExpectedReturnsActive[] = "ExpectedReturnsActive";
inline constexpr char kSuppressAlarmsUntilDate[] = "SuppressAlarmsUntilDate";
inline constexpr char kSuppressAlarmsUntilTime[] = "SuppressAlarmsUntilTime";
// The alarms: the sound ("" the system's alarm sound, "none", or a file), the folder of the
// user's own sounds, the Also Dial number, the last snooze length, and how mail, texts and
// calls leave this computer.
inline constexpr char kAlarmSound[] = "Alarm";
inline constexpr char kAlarmSoundFolder[] = "AlarmSoundFolder";
inline constexpr char kPagerNumber[] = "PagerNumber";
inline constexpr char kAlarmSnoozeMinutes[] = "AlarmSnoozeMinutes";
inline constexpr char kMailCommand[] = "MailCommand";
inline constexpr char kSmsGatewayDomain[] = "SmsGatewayDomain";
inline constexpr char kDialCommand[] = "DialCommand";
inline constexpr char kCalendarWeeks[] = "CalendarWeeks";
inline constexpr char kYearFirstWeekAdjust[] = "YearFirstWeekAdjust";
inline constexpr char kCostOfMoney[] = "CostOfMoney";
inline constexpr char kNBatting[] = "nBatting";
inline constexpr char kMinFreeLenShow[] = "MinFreeLenShow";
inline constexpr char kFilterMinimumDurMinutes[] = "FilterMinimumDurMinutes";
inline constexpr char kEnableHideDoneItems[] = "EnableHideDoneItems";
inline constexpr char kEnableChangeViewtoDayofNewItem[] = "EnableChangeViewtoDayofNewItem";
inline constexpr char kPalmEnable[] = "PalmEnable";
inline constexpr char kOutlookToPloven[] = "OutlookToPloven";
inline constexpr char kPlovenOutlook[] = "PlovenOutlook";
inline constexpr char kFiltersDockWithCalendar[] = "FiltersDockWithCalendar";
inline constexpr char kPlovenToOutlookAppts[] = "PlovenToOutlookAppts";
inline constexpr char kPlovenToOutlookTasks[] = "PlovenToOutlookTasks";
inline constexpr char kOutlookToPlovenAppts[] = "OutlookToPlovenAppts";
inline constexpr char kOutlookToPlovenTasks[] = "OutlookToPlovenTasks";
// The schedule that receives the calendar's changes (its full path), or "0" for the open one.
inline constexpr char kOutlookToPlovenPakPath[] = "OutlookToPlovenPakPath";
// The calendar folder the companion mirrors into; empty: "calendar" in the data folder.
inline constexpr char kCalendarFolder[] = "CalendarFolder";
// The calendar the companion mirrors into: "folder" (the default) or "server", a calendar
// collection at "CalendarServerUrl" reached as "CalendarServerUser". The password is never an
// ini key: it lives in the desktop's secret store, or in memory for the session.
inline constexpr char kCalendarKind[] = "CalendarKind";
inline constexpr char kCalendarKindFolder[] = "folder";
inline constexpr char kCalendarKindServer[] = "server";
inline constexpr char kCalendarServerUrl[] = "CalendarServerUrl";
inline constexpr char kCalendarServerUser[] = "CalendarServerUser";
inline constexpr char kCaseFilter[] = "CaseFilter";
inline constexpr char kTimerPos[] = "TimerPos";
inline constexpr char kFilterWnd[] = "FilterWnd";
inline constexpr char kErrorLog[] = "ErrorLog";
inline constexpr char kColorNormalBackground[] = "ColorNormalBackground";
inline constexpr char kColorNormalText[] = "ColorNormalText";
inline constexpr char kColorFluid[] = "ColorFluid";
inline constexpr char kColorUnscheduled[] = "ColorUnscheduled";
inline constexpr char kColorDone[] = "ColorDone";
// The views' own colours: free time ahead, time gone by, the selected item.
inline constexpr char kColorFreeTime[] = "ColorFreeTime";
inline constexpr char kColorPastTime[] = "ColorPastTime";
inline constexpr char kColorSelection[] = "ColorSelection";
inline constexpr char kOutlookExceptionOccurred[] = "OutlookExceptionOccurred";
inline constexpr char kUserLayoutFormat[] = "User%05ld";
// The names and colours of labels 1..9.
inline constexpr char kLabelNameFormat[] = "Label%dName";
inline constexpr char kLabelColorFormat[] = "Label%dColor";
// The program that Address Book opens (a command line); the desktop's contacts program when unset.
inline constexpr char kAddressBook[] = "Book";
// The world clocks: the time zones shown, separated by ";", e.g. "Europe/Paris;Asia/Tokyo".
inline constexpr char kWorldClockZones[] = "WorldClockZones";
// The time zone Dial / Their Time & Location last showed.
inline constexpr char kTheirTimeZone[] = "TheirTimeZone";
// The Day Views Fluid Item Begin Times font (Qt's font description, like the other fonts).
inline constexpr char kFontFluidBegin[] = "FontDayViewsFluidBegin";
// The month calendar and the calendar window count 4-4-5 periods instead of months (1).
inline constexpr char kFourFourFiveMode[] = "FourFourFiveMode";

// Regional settings, section "intl" of the profile.
inline constexpr char kIDate[] = "iDate";
inline constexpr char kITime[] = "iTime";
inline constexpr char kITLZero[] = "iTLZero";
inline constexpr char kIDayLzero[] = "iDayLzero";
inline constexpr char kIMonLzero[] = "iMonLzero";
inline constexpr char kICountry[] = "iCountry";
inline constexpr char kSCurrency[] = "sCurrency";
inline constexpr char kSDate[] = "sDate";
inline constexpr char kSTime[] = "sTime";
inline constexpr char kSShortDate[] = "sShortDate";
inline constexpr char kIMeasure[] = "iMeasure";

}  // namespace ploven::key
