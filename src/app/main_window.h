#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>
#include <string>

#include "app/command_table.h"
#include "app/program_session.h"
#include "app/qt_engine_ui.h"
#include "app/view_hooks.h"
#include "engine/conflict_check.h"
#include "file/undelete.h"
#include "filters/item_filter.h"
#include "views/view_environment.h"

class QLabel;
class QStackedWidget;
class QSystemTrayIcon;

namespace ploven {

class ListView;
class MenuBuilder;
class MonthView;
class MultiDayView;
class ProjectsTreeView;
class QtUi;

// The main window: the views of the schedule under a title bar, the menus and keys of the
// mode, the clock, the tray icon and the orderly close. It draws and forwards: every command
// goes to the core.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(ProgramSession& session, Ui& ui);
  ~MainWindow() override;

  // Runs one numbered command of the menus, the keys, the mouse or the tray.
  void Dispatch(int command);

  DayNumber viewedDate() const { return m_viewedDate; }
  void SetViewedDate(DayNumber date);
  // The view command now showing (931 Day View, 935 My Multiple Day View, 934 Month View,
  // 936 Priority View, 933 Alphabetical View, 501 Projects List, 641 Projects Tree, 43..48).
  int viewCommand() const { return m_viewCommand; }
  ViewKind viewKind() const;
  MenuMode mode() const;

  // The selected item of the view now showing (a task of a day view, an entry of a list).
  TaskNode* SelectedTask() const;
  ActHandle SelectedItem() const;

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
  // The past-undone warning, at start and from the minute pass: true when the user chose to
  // look at the earliest day with undone items (the view went there).
  bool CheckPastUndone();

  ViewEnvironment& environment() { return *m_env; }
  MenuBuilder& menus() { return *m_menus; }
  QLabel* titleBar() const { return m_titleBar; }

 signals:
  // A command of a subsystem that is not built yet was asked for; the text says which.
  void notice(const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  void BuildViews();
  void ShowView(int command);
  void InstallMenus();
  void UpdateMenuStates();
  bool DayViewShowing() const;
  void GoToDate(DayNumber date);
  void GoToDateAsked();
  void MoveSelected(int days);
  void MoveWithinDay(bool earlier);
  void MarkDone();
  void ToggleStarted();
  void DeleteSelected(bool wholeSeries);
  void Undelete();
  void Copy();
  void Paste();
  void Duplicate();
  void OpenItemDialog(int command);
  void ShowNewItem(ActHandle h);
  std::array<bool, 7> Workdays() const;
  ConflictCheckView ConflictView();
  ActHandle SelectedProject() const;
  QString ProjectDialogTitle(ActHandle project) const;
  void NewProject();
  void ModifyProject(ActHandle project);
  void OpenFilters();
  void SwitchMode(int mode);
  void SaveAs();
  void Backup();
  void ShowAbout();
  void NotYet(int command);
  void ShowReport(int command);
  void DailyTimeByProjectReport();
  void ShowCalendarWindow(bool show);
  void SetCalendarDocked(bool docked);
  void RememberPlaces();
  void ChooseFont(int command);
  void LoadFonts();
  void AfterChange();
  DayNumber TaskDate(TaskNode* task) const;

  ProgramSession& m_session;
  Ui& m_ui;
  std::unique_ptr<ViewEnvironment> m_env;
  ViewHooks m_hooks;
  QtEngineUi m_engineUi;
  std::unique_ptr<UndeleteStack> m_undelete;
  FilterState m_filters;
  class FiltersWindow* m_filtersWindow = nullptr;
  MenuBuilder* m_menus = nullptr;
  QLabel* m_titleBar = nullptr;
  QStackedWidget* m_stack = nullptr;
  MultiDayView* m_days = nullptr;
  MonthView* m_month = nullptr;
  ListView* m_list = nullptr;
  ProjectsTreeView* m_tree = nullptr;
  QSystemTrayIcon* m_tray = nullptr;
  class QDockWidget* m_calendarDock = nullptr;
  MonthView* m_calendar = nullptr;
  bool m_pastUndoneShown = false;
  int m_minutesSinceWarning = 5;  // nothing was shown before the start
  QTimer m_clockTimer;
  DayNumber m_viewedDate = 0;
  int m_viewCommand = 931;
  int m_multipleDays = 4;  // My Multiple Day View's windows
  bool m_closing = false;
  bool m_wasMaximized = false;
};

}  // namespace ploven
