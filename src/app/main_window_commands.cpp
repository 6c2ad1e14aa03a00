// The main window's command table: each command the window answers and its handler. Commands
// without a handler here say that they are not built yet (MainWindow::NotYet).

#include <QDockWidget>

#include "app/main_window.h"
#include "dialogs/balance_settings_dialog.h"
#include "dialogs/day_bounds_dialog.h"
#include "dialogs/other_settings_dialog.h"
#include "dialogs/work_hours_dialog.h"
#include "engine/balance_all_days.h"
#include "engine/balance_day.h"
#include "engine/past_days.h"
#include "views/day_view.h"
#include "views/multi_day_view.h"

namespace ploven {

void MainWindow::BuildCommandTable() {
  using enum Command;
  // An engine command on the schedule; the views show what it did.
  auto engineRun = [this](std::function<void(Engine&)> run) {
    return [this, run = std::move(run)] {
      if (m_session.writable()) run(m_session.engine());
      AfterChange();
    };
  };
  auto view = [this](Command c) { return [this, c] { ShowView(c); }; };
  auto dayStep = [this](int days) {
    return [this, days] { GoToDate(static_cast<DayNumber>(m_viewedDate + days)); };
  };
  auto move = [this](int days) { return [this, days] { MoveSelected(days); }; };
  auto tiling = [this](Command c) { return [this, c] { SetTiling(c); }; };
  auto font = [this](Command c) { return [this, c] { ChooseFont(c); }; };
  auto report = [this](Command c) { return [this, c] { ShowReport(c); }; };
  auto itemDialog = [this](Command c) { return [this, c] { OpenItemDialog(c); }; };
  auto timekeeping = [this](Command c) { return [this, c] { Timekeeping(c); }; };
  auto tagUntag = [this](Command c) { return [this, c] { TagUntagProject(c); }; };
  auto help = [this](const char* topic) { return [this, topic] { m_ui.OpenHelpTopic(topic); }; };

  m_handlers = {
      // ---- Navigate ----
      {kPreviousItem, [this] { SelectNeighbour(false); }},
      {kNextItem, [this] { SelectNeighbour(true); }},
      {kPageUp, [this] { ScrollPage(false); }},
      {kScrollUp, [this] { ScrollPage(false); }},
      {kPageDown, [this] { ScrollPage(true); }},
      {kScrollDown, [this] { ScrollPage(true); }},
      {kTopOfList,
       [this] {
         if (DayView* active = ActiveDayView()) active->TopOfList();
       }},
      {kBottomOfList,
       [this] {
         if (DayView* active = ActiveDayView()) active->BottomOfList();
       }},
      {kToday, [this] { GoToDate(m_session.clock().Today()); }},
      {kNextDay, dayStep(1)},
      {kPreviousDay, dayStep(-1)},
      {kWeekBack, dayStep(-7)},
      {kWeekForward, dayStep(7)},
      {kGoToDate, [this] { GoToDateAsked(); }},
      {kEarliestUndoneDay, [this] { GoToEarliestUndone(); }},
      {kNextViewWindow,
       [this] {
         if (DayViewShowing()) m_days->NextWindow();
       }},
      {kPreviousViewWindow,
       [this] {
         if (DayViewShowing()) m_days->PreviousWindow();
       }},

      // ---- View ----
      {kDayView, view(kDayView)},
      {kMyMultipleDayView, view(kMyMultipleDayView)},
      {kMonthView, view(kMonthView)},
      {kPriorityView, view(kPriorityView)},
      {kAlphabeticalView, view(kAlphabeticalView)},
      {kProjectsList, view(kProjectsList)},
      {kProjectsTree, view(kProjectsTree)},
      {kNext2Days, view(kNext2Days)},
      {kNext3Days, view(kNext3Days)},
      {kNext4Days, view(kNext4Days)},
      {kNext5Days, view(kNext5Days)},
      {kNext6Days, view(kNext6Days)},
      {kNext7Days, view(kNext7Days)},
      {kMultipleDayViewKey, view(kMyMultipleDayView)},
      {kTileVertically, tiling(kTileVertically)},
      {kTileHorizontally, tiling(kTileHorizontally)},
      {kTileGrid, tiling(kTileGrid)},
      {kFocusNow,
       [this] {
         m_env->options.focusNow = !m_env->options.focusNow;
         AfterChange();
       }},
      {kHideDoneItems,
       [this] {
         m_env->options.hideDoneItems = !m_env->options.hideDoneItems;
         AfterChange();
       }},
      {kShowCalendarWindow, [this] { ShowCalendarWindow(true); }},
      {kHideCalendarWindow, [this] { ShowCalendarWindow(false); }},
      {kCalendarDocked, [this] { SetCalendarDocked(m_calendarDock->isFloating()); }},
      {kDarkenBusierDays, [this] { SetDarkenBusierDays(true); }},
      {kDontDarkenBusierDays, [this] { SetDarkenBusierDays(false); }},
      {kFilters, [this] { OpenFilters(); }},
      {kToolbar, [this] { ToggleToolbar(); }},

      // ---- Settings ----
      {kScreenHeadingsFont, font(kScreenHeadingsFont)},
      {kScreenTextFont, font(kScreenTextFont)},
      {kScreenMonthFont, font(kScreenMonthFont)},
      {kScreenNoteFont, font(kScreenNoteFont)},
      {kDayBoundsSettings,
       [this] {
         RunSettingsDialog(
             [this] { return RunDayBoundsDialog(this, m_session.schedule(), m_env->dateText()); },
             true);
       }},
      {kWorkHoursSettings,
       [this] {
         RunSettingsDialog(
             [this] {
               return RunWorkHoursDialog(this, m_session.engine(), m_session.programSettings(),
                                         m_session.settings(), m_env->dateText().regional.iCountry,
                                         m_env->dateText());
             },
             true);
       }},
      {kAlarmsSettings, [this] { OpenAlarmsSettings(); }},
      {kOtherSettings,
       [this] {
         RunSettingsDialog(
             [this] {
               return RunOtherSettingsDialog(this, m_session.engine(), m_session.programSettings(),
                                             m_session.settings(),
                                             m_env->dateText().regional.iCountry);
             },
             false);
       }},
      {kBalanceSettings,
       [this] {
         RunSettingsDialog(
             [this] {
               return RunBalanceSettingsDialog(this, m_session.engine(), m_env->dateText());
             },
             true);
       }},
      {kLightMode, [this] { SwitchMode(kScheduleLightMode); }},
      {kScreenFluidBeginFont, font(kScreenFluidBeginFont)},
      {kColorsSettings, [this] { OpenColorsSettings(); }},
      {kLabelsSettings, [this] { OpenLabelsSettings(); }},
      {kMyMultipleDayViewSettings, [this] { OpenMultipleDaySettings(); }},
      {kValueOfTimeSettings, [this] { OpenValueOfTimeSettings(); }},
      {kUserNameSetting, [this] { OpenUserNameSetting(); }},
      {kPasswordsSettings, [this] { OpenPasswordsSettings(); }},
      {kSynchronizationSettings, [this] { OpenSynchronizationSettings(); }},
      {kProMode, [this] { SwitchMode(kScheduleProMode); }},

      // ---- Reports ----
      {kDayTurnoverScore, report(kDayTurnoverScore)},
      {kDailyTaggedProjectsTime, report(kDailyTaggedProjectsTime)},
      {kWeeklyTaggedProjectsTime, report(kWeeklyTaggedProjectsTime)},
      {kWeeklyLifeProjectsTime, report(kWeeklyLifeProjectsTime)},
      {kDailyTimeByProjectReport, [this] { DailyTimeByProjectReport(); }},
      {kDoneItemsLog, [this] { ShowDoneLog(); }},

      // ---- Balance ----
      {kMoveEarlierInDay, [this] { MoveWithinDay(true); }},
      {kMoveLaterInDay, [this] { MoveWithinDay(false); }},
      {kMoveToPreviousDay, move(-1)},
      {kMoveToNextDay, move(1)},
      {kMoveWeekBack, move(-7)},
      {kMoveWeekForward, move(7)},
      {kPostponeOneHour, [this] { PostponeSelected(); }},
      {kBringForward, engineRun([](Engine& e) { BringForwardCommand(e); })},
      {kBalanceDay, engineRun([](Engine& e) { BalanceDay(e); })},
      {kBalanceAllDays, engineRun([](Engine& e) { BalanceAllDays(e, kBalanceNormal); })},
      {kLightenLoadByPriority, engineRun([this](Engine& e) { LightenLoad(e, m_viewedDate); })},
      {kLightenLoadByUrgency,
       engineRun([this](Engine& e) { LightenLoadByUrgency(e, m_viewedDate); })},
      {kIncreaseLoad, engineRun([this](Engine& e) { IncreaseLoad(e, m_viewedDate); })},

      // ---- Edit ----
      {kDone, [this] { MarkDone(); }},
      {kDoneCurrentEnd, timekeeping(kDoneCurrentEnd)},
      {kDoneEarlierEnd, timekeeping(kDoneEarlierEnd)},
      {kDoneFillGap, timekeeping(kDoneFillGap)},
      {kDoneForNow, timekeeping(kDoneForNow)},
      {kStartFillGap, timekeeping(kStartFillGap)},
      {kStartUnstart, [this] { ToggleStarted(); }},
      {kDeleteItem, [this] { DeleteItemOrProject(); }},
      {kDeleteAllRecurrences, [this] { DeleteSelected(DeleteScope::kAllRecurrences); }},
      {kUndelete, [this] { Undelete(); }},
      {kCopy, [this] { Copy(); }},
      {kCut, [this] { Cut(); }},
      {kPaste, [this] { Paste(); }},
      {kModifyItem, itemDialog(kModifyItem)},
      {kModifyAllRecurrences, itemDialog(kModifyAllRecurrences)},
      {kModifyMemoAsSetDate, itemDialog(kModifyMemoAsSetDate)},
      {kNewItemPreferences, itemDialog(kNewItemPreferences)},
      // F4 sequences in the Priority View; in the Projects List it tags.
      {kTagUntagProject, tagUntag(kTagUntagProject)},
      {kSequenced, tagUntag(kSequenced)},
      {kKeyF4, tagUntag(kKeyF4)},

      // ---- Insert ----
      {kNewItem, itemDialog(kNewItem)},
      {kNewItemLight, itemDialog(kNewItemLight)},
      {kNewAppointment, itemDialog(kNewAppointment)},
      {kNewMultiDayEvent, itemDialog(kNewMultiDayEvent)},
      {kNewMemo, itemDialog(kNewMemo)},
      {kNewBirthdayMemo, itemDialog(kNewBirthdayMemo)},
      {kNewAnniversaryMemo, itemDialog(kNewAnniversaryMemo)},
      {kNewWorkHolidayMemo, itemDialog(kNewWorkHolidayMemo)},
      {kNewDoneItem, [this] { NewDoneItem(); }},
      {kNewProject, [this] { NewProject(); }},
      {kDuplicate, [this] { DuplicateItemOrProject(); }},

      // ---- File ----
      {kSave, [this] { Save(); }},
      {kSaveLight, [this] { Save(); }},
      {kSaveAs, [this] { SaveAs(); }},
      {kBackup, [this] { Backup(); }},
      {kCloseSchedule, [this] { close(); }},
      {kExit, [this] { close(); }},
      {kTrayCloseSchedule, [this] { close(); }},
      {kSendToTray, [this] { SendToTray(); }},
      {kMakeOpenAtLaunch, [this] { MakeOpenAtLaunch(); }},
      {kCheckOut, [this] { CheckOutSchedule(); }},
      {kCheckIn, [this] { CheckInSchedule(); }},
      {kRequestWriteAccess, [this] { RequestWriteAccess(); }},
      // ---- Notes and Find ----
      {kNote, [this] { OpenSelectedNote(); }},
      {kBrowseNotesMode, [this] { ToggleBrowseNotes(); }},
      {kFind, [this] { OpenFind(); }},
      {kFindNext, [this] { FindAgain(true); }},
      {kFindPrevious, [this] { FindAgain(false); }},
      {kSendToTrayLight, [this] { SendToTray(); }},
      {kRestoreFromTray, [this] { RestoreFromTray(); }},
      {kTrayNewItem,
       [this] {
         RestoreFromTray();
         Dispatch(kNewItem);
       }},

      // ---- Tools ----
      {kStopwatch, [this] { OpenTimer(false); }},
      {kCountdownTimer, [this] { OpenTimer(true); }},
      {kStartWithCountdown, [this] { StartWithCountdown(); }},
      {kDialTheirTime, [this] { OpenWorldClocks(true); }},
      {kTimeZonesSettings, [this] { EditWorldClockZones(false); }},
      {kWorldClocksSettings, [this] { EditWorldClockZones(true); }},
      {kUpdateComputerClock, [this] { CheckComputerClock(); }},
      {kAddressBook, [this] { OpenAddressBook(); }},
      {kAreaCodes, [this] { ShowAreaCodes(); }},
      {kSendMessageToUsers, [this] { SendMessageToUsers(); }},
      {kReadMessages, [this] { ReadUserMessages(); }},

      // ---- Help ----
      {kHelp, help("Ploven.htm")},
      {kKeyboardShortcuts, help("KeyboardShortcuts.htm")},
      {kAbout, [this] { ShowAbout(); }},
      {kLoadTutorial, [this] { LoadTutorialCommand(); }},
      {kTechnicalSupport, [this] { TechnicalSupport(); }},
      {kWebForum, help("ProjectPages.htm")},
      {kWebUpdates, help("ProjectPages.htm")},
      {kWebBulletins, help("ProjectPages.htm")},
      {kWebSeminar, help("ProjectPages.htm")},
      {kWebSuggestions, help("ProjectPages.htm")},
      {kWebCustomFeatureQuotes, help("ProjectPages.htm")},
  };
  AddPrintHandlers();
  AddImportExportHandlers();
  BuildEditCommands();
}

}  // namespace ploven
