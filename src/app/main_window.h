#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "alarm/alarm_form.h"
#include "app/command_table.h"
#include "app/desktop_notices.h"
#include "app/program_session.h"
#include "app/qt_alarm_device.h"
#include "app/qt_engine_ui.h"
#include "app/view_hooks.h"
#include "done/done_item_form.h"
#include "edit/item_delete.h"
#include "edit/quick_change.h"
#include "engine/conflict_check.h"
#include "file/undelete.h"
#include "filters/item_filter.h"
#include "notes/note_find.h"
#include "notes/note_slots.h"
#include "printouts/printout_document.h"
#include "printouts/printout_request.h"
#include "views/view_environment.h"

class QAction;
class QDockWidget;
class QToolBar;
class QLabel;
class QPrintPreviewDialog;
class QMenu;
class QStackedWidget;
class QSystemTrayIcon;

namespace ploven {

class DayView;
class FiltersWindow;
class FindWindow;
class NoteWindow;
class ListView;
class MenuBuilder;
class MonthView;
class MultiDayView;
class BusyNavigator;
class ProjectsTreeView;
class TimerWindow;
class WorldClockWindow;

// The main window: the views of the schedule under a title bar, the menus and keys of the
// mode, the clock, the tray icon and the orderly close. It draws, asks and forwards: each
// command has a handler in the command table (main_window_commands.cpp) that asks the user
// what is needed and calls the core.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(ProgramSession& session, Ui& ui);
  ~MainWindow() override;

  // Runs one command of the menus, the keys, the mouse or the tray; a command that is not
  // built yet says so.
  void Dispatch(Command command);

  // Asks for a file to read (save false) or to write (save true); empty when the user cancels.
  // The desktop's file dialog unless a test answers instead.
  struct FileQuestion {
    bool save = false;
    QString caption;
    QString start;  // the folder, or the suggested file
    QString filter;
  };
  using FileChooser = std::function<QString(const FileQuestion&)>;
  void SetFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
  QString ChooseFile(const FileQuestion& question);

  DayNumber viewedDate() const { return m_viewedDate; }
  void SetViewedDate(DayNumber date);
  // The view command now showing: Day View, My Multiple Day View, Month View, Priority View,
  // Alphabetical View, Projects List, Projects Tree or one of Next 2..7 Days.
  Command viewCommand() const { return m_viewCommand; }
  ViewKind viewKind() const;
  MenuMode mode() const;

  // The selected item of the view now showing (a task of a day view, an entry of a list).
  TaskNode* SelectedTask() const;
  ActHandle SelectedItem() const;

  // How "Note..." of the Item (Done) window opens the note it attached (the notes window).
  void SetNoteOpener(std::function<void(int32_t)> open) { m_openNote = std::move(open); }

  void RefreshViews();
  void RefreshTitle();
  // Menus, keys and views of the mode the schedule is in (after the first-run questions).
  void FollowScheduleMode();
  // The title over the views: the view, its date and the state of the schedule.
  QString ContainerTitleText() const;

  // The close query: archive, save, settings. False when the user chose to stay.
  bool CloseQuery();
  // Sends the program to the tray / brings it back.
  void SendToTray();
  void RestoreFromTray();
  // A second start on the same schedule asked for this window.
  void BringToFront();

  // The clock tick (once a second, and at once when the window gets the focus).
  void Tick();
  // The calendar's changes, taken in every few seconds while they are to come in (not while a
  // dialog is open).
  void TakeCalendarChanges();
  // The past-undone warning, at start and from the minute pass: true when the user chose to
  // look at the earliest day with undone items (the view went there).
  bool CheckPastUndone();
  // The Daily Reminder, at start and at each new day, when the user wants it and it has lines.
  void ShowDailyReminder();

  ViewEnvironment& environment() { return *m_env; }
  // The folder the schedule is checked out to; empty when it is not out.
  std::string CheckedOutFolder() const;
  // How a printout's preview is shown (modal, until the user prints or closes it); tests look
  // at the preview instead.
  void SetPrintPreview(std::function<void(QPrintPreviewDialog&)> show) {
    m_printPreview = std::move(show);
  }
  // How Launch Web Site In Title opens an address (the desktop's browser unless replaced).
  void SetUrlOpener(std::function<bool(const std::string& url)> open) {
    m_openUrl = std::move(open);
  }

  // ---- main_window_notes.cpp: note windows and Find ----
  // Opens the item's note window (the notes window that follows the selection with `browse`);
  // over a modal dialog the window is the dialog's while it is open.
  void OpenNote(ActHandle item, TaskNode* task, bool browse, QWidget* over);
  void OpenNoteNumber(int32_t number);
  void ShowOpenedNote(std::optional<NoteSlots::Opened> opened, QWidget* over);
  NoteWindow* NoteWindowOf(int slot) const;
  // Closes every note window, saving each; false when one could not be saved and stays.
  bool CloseAllNotes();
  FindWindow* findWindow() const { return m_findWindow; }
  MenuBuilder& menus() { return *m_menus; }
  QLabel* titleBar() const { return m_titleBar; }
  QToolBar* toolbar() const { return m_toolbar; }
  QLabel* statusLoad() const { return m_statusLoad; }

 signals:
  // A command of a subsystem that is not built yet was asked for; the text says which.
  void notice(const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  // ---- main_window.cpp: the frame ----
  void ConnectEngineUi();
  void BuildViews();
  void ConnectViews();
  void InstallMenus();
  void UpdateMenuStates();
  void AfterChange();
  void NotYet(Command command);
  void RememberPlaces();
  bool DayViewShowing() const;
  DayView* ActiveDayView() const;
  DayNumber TaskDate(TaskNode* task) const;

  // ---- main_window_commands.cpp: the command table ----
  void BuildCommandTable();

  // ---- main_window_views.cpp: the views and the calendar window ----
  void ShowView(Command view);
  void GoToDate(DayNumber date);
  void GoToDateAsked();
  void GoToEarliestUndone();
  void SelectNeighbour(bool next);
  void ScrollPage(bool down);
  void SetTiling(Command tiling);
  void ShowCalendarWindow(bool show);
  void SetCalendarDocked(bool docked);
  void SetDarkenBusierDays(bool darken);
  void OpenFilters();

  // ---- main_window_items.cpp: the commands on the selected item ----
  void MoveSelected(int days);
  void MoveWithinDay(bool earlier);
  void PostponeSelected();
  void ToggleStarted();
  void DeleteSelected(DeleteScope scope);
  void Undelete();
  void Duplicate();

  // ---- main_window_done.cpp: Done!, Advanced Timekeeping and the Item (Done) window ----
  DayNumber ShownDay() const;
  void MarkDone();
  void Timekeeping(Command command);
  std::optional<TimeOfDay> AskEarlierEnd();
  // Once an item is done: Offer to Clone, and the copy opens.
  void AfterDone(ActHandle item, DayNumber date, Duration length);
  void NewDoneItem();
  // Modify on a done item opens the Item (Done) window; false for any other selection.
  bool OpenDoneWindowOnSelection();
  void RunDoneWindow(DoneItemDraft draft);
  // Viewed Month's Done Items Log.
  void ShowDoneLog();

  // ---- main_window_item_dialog.cpp: the item dialog ----
  void OpenItemDialog(Command command);
  void ShowNewItem(ActHandle h);
  std::array<bool, 7> Workdays() const;
  ConflictCheckView ConflictView();

  // ---- main_window_projects.cpp: projects in the Projects List ----
  ActHandle SelectedProject() const;
  QString ProjectDialogTitle(ActHandle project) const;
  void NewProject();
  void ModifyProject(ActHandle project);
  void DeleteItemOrProject();
  void DuplicateItemOrProject();
  void TagUntagProject(Command command);

  // ---- main_window_notes.cpp ----
  void UpdateNoteWindowState(int slot);
  bool CloseNoteWindow(NoteWindow& window);
  void OpenSelectedNote();
  void ToggleBrowseNotes();
  void FollowSelectionNote();
  void MakeExceptionNoteIn(int slot);
  void PrintNote(int slot);
  void ApplyNoteFont();
  void OpenFind();
  void FindAgain(bool forward);
  void GoToItem(ActHandle h);

  // ---- main_window_clipboard.cpp ----
  void Copy();
  void Cut();
  void Paste();

  // ---- main_window_file.cpp: saving, backup, About ----
  void Save();
  void SaveAs();
  void Backup();
  void ShowAbout();

  // ---- main_window_reports.cpp ----
  void ShowReport(Command command);
  void DailyTimeByProjectReport();

  // ---- main_window_import_export.cpp: Import Items, the Export commands, export.txt ----
  void AddImportExportHandlers();
  // Today, or the days the range dialog asks for; nothing when cancelled.
  std::optional<std::pair<DayNumber, DayNumber>> ExportDays(bool range);
  void ImportItems();
  void ExportCalendarFile(bool tasks, bool range);
  void ExportDayViewText(bool range);
  void ExportAlphabeticalText();
  void ViewExportFile();
  bool WriteExport(const std::string& path, const std::string& text);
  std::string ExportFilePath() const;

  // ---- main_window_print.cpp: the Print commands, page setup, printer fonts ----
  void AddPrintHandlers();
  std::vector<PrintoutDocument> ComposePrintouts(const std::vector<PrintoutRequest>& requests);
  void Print(const std::vector<PrintoutRequest>& requests);
  void PrintRange(bool calendar);
  void PrintNotes(bool browsed);
  void PrintSetup(bool pageOnly);
  void ChoosePrinterFont(Command command);
  void OpenPrintoutsSettings();

  // ---- main_window_alarms.cpp: the alarms' sounds, notifications and dialogs ----
  void StartAlarms();
  void OpenAlarmsSettings();
  // The item dialog's Alarm button: edits the alarm of the working copy; false = cancelled.
  bool EditAlarm(Act& record);
  AlarmFormPorts AlarmPorts();

  // ---- main_window_settings.cpp: the settings commands, fonts and the mode ----
  void RunSettingsDialog(const std::function<bool()>& dialog, bool needsWriting);
  void ChooseFont(Command command);
  void LoadFonts();
  void FollowTextFont();
  void SwitchMode(int mode);

  // ---- main_window_settings_more.cpp: colours, labels, value of time, user, password ----
  void ApplyDisplaySettings();
  void OpenColorsSettings();
  void OpenLabelsSettings();
  void OpenMultipleDaySettings();
  void OpenValueOfTimeSettings();
  void OpenUserNameSetting();
  void OpenPasswordsSettings();

  // ---- main_window_transfer.cpp: Check Out / Check In, the schedule opened at launch ----
  void MakeOpenAtLaunch();
  void CheckOutSchedule();
  void CheckInSchedule();
  // Ctrl+Shift+A: a schedule opened read-only becomes this program's to change.
  void RequestWriteAccess();
  void RefreshCheckOut();
  // False when the schedule is checked out and the user chose not to change it here.
  bool ConfirmChangeWhileCheckedOut(Command command);

  // ---- main_window_help.cpp: the tutorial and technical support ----
  void LoadTutorialCommand();
  QString SupportFacts() const;
  void TechnicalSupport();

  // ---- main_window_toolbar.cpp: the toolbar and the status bar ----
  void BuildToolbar();
  void UpdateToolbar();
  void FollowToolbarSetting();
  void ToggleToolbar();
  void UpdateStatusBar();

  // ---- main_window_tools.cpp: the Tools menu ----
  TimerWindow* OpenTimer(bool countdown);
  void RememberTimerPlace();
  void StartWithCountdown();
  void OpenWorldClocks(bool theirTime);
  void EditWorldClockZones(bool worldClocks);
  void CheckComputerClock();
  void OpenAddressBook();
  void ShowAreaCodes();
  void SendMessageToUsers();
  void ReadUserMessages();
  // ---- main_window_bridge.cpp: the calendar's changes coming in ----
  void StartCalendarIntake();
  void OpenSynchronizationSettings();
  // ---- main_window_properties.cpp: quick changes, stamps, attempts, deletes by tag ----
  void BuildEditCommands();
  void SwitchWindowFocus();
  void QuickChangeSelected(QuickChange change);
  void LabelSelected();
  void StampSelectedTitle();
  void DeleteTaggedItems(Command command);
  void FailedAttemptOnSelected();
  void CancelSelected();
  void Interrupt();
  void ShowInterruptionsReport();
  // ---- main_window_inspect.cpp: the View commands on the selection and the days ahead ----
  void ShowSelectedTitle();
  void ShowCreationTime();
  void ShowSplitBreakdown();
  void LaunchWebSiteInTitle();
  void ShowLocations();
  void ToggleFourFourFive();
  void ShowBusyNavigator();
  // ---- main_window_run_menus.cpp: the Gapfillers and Multiusers popups ----
  void FillRunTimeMenu(QMenu* menu);
  void FillGapfillers(QMenu* menu);
  void FillMultiusers(QMenu* menu);
  void PopUpGapfillers();
  // ---- main_window_period_reports.cpp: Items, Sleep and Week/Month Turnover reports ----
  void ShowItemsReport();
  void ShowSleepReport();
  void ShowPeriodTurnover();

  ProgramSession& m_session;
  Ui& m_ui;
  std::unique_ptr<ViewEnvironment> m_env;
  ViewHooks m_hooks;
  QtEngineUi m_engineUi;
  std::unique_ptr<UndeleteStack> m_undelete;
  FilterState m_filters;
  std::unordered_map<Command, std::function<void()>> m_handlers;
  FiltersWindow* m_filtersWindow = nullptr;
  std::array<QPointer<NoteWindow>, kMaxNoteWindows> m_noteWindows{};
  FindWindow* m_findWindow = nullptr;
  std::string m_findWords;
  std::vector<FindHit> m_findHits;
  MenuBuilder* m_menus = nullptr;
  QLabel* m_titleBar = nullptr;
  QToolBar* m_toolbar = nullptr;
  std::vector<QAction*> m_tools;  // in the order of the toolbar
  QLabel* m_statusLoad = nullptr;
  QPointer<TimerWindow> m_stopwatch;
  QPointer<TimerWindow> m_countdown;
  QPointer<WorldClockWindow> m_worldClocks;
  QStackedWidget* m_stack = nullptr;
  MultiDayView* m_days = nullptr;
  MonthView* m_month = nullptr;
  ListView* m_list = nullptr;
  ProjectsTreeView* m_tree = nullptr;
  QSystemTrayIcon* m_tray = nullptr;
  QDockWidget* m_calendarDock = nullptr;
  MonthView* m_calendar = nullptr;
  bool m_pastUndoneShown = false;
  bool m_doneWindowOpen = false;  // the past-undone warning waits while it is open
  // Opens the note window on a note number; empty until the notes window is built, when
  // "Note..." only attaches the note.
  std::function<void(int32_t)> m_openNote;
  int m_minutesSinceWarning = 5;  // nothing was shown before the start
  QTimer m_clockTimer;
  QTimer m_calendarTimer;
  bool m_calendarPassRunning = false;
  std::unique_ptr<ServerPasswordPrompt> m_serverPasswordPrompt;
  DayNumber m_viewedDate = 0;
  Command m_viewCommand = Command::kDayView;
  int m_multipleDays = 4;  // My Multiple Day View's windows
  FileChooser m_chooseFile;
  bool m_closing = false;
  std::optional<std::string> m_checkedOutTo;  // the folder the schedule is checked out to
  bool m_changeWhileOutAllowed = false;
  bool m_wasMaximized = false;
  // Opens a web address through the desktop; tests put a recorder here.
  std::function<bool(const std::string& url)> m_openUrl;
  QPointer<BusyNavigator> m_busyNavigator;
  std::unique_ptr<DesktopNotices> m_notices;
  std::unique_ptr<QtAlarmDevice> m_alarmDevice;
  std::function<void(QPrintPreviewDialog&)> m_printPreview;
};

}  // namespace ploven
