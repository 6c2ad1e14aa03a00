#include "app/program_start.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <signal.h>

#include <cstdlib>
#include <QPixmap>
#include <QLocale>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include "app/app_messages.h"
#include "app/first_run.h"
#include "app/import_once.h"
#include "app/main_window.h"
#include "app/program_session.h"
#include "app/schedule_password_prompt.h"
#include "app/program_usage.h"
#include "app/window_placement.h"
#include "app/single_instance.h"
#include "dialogs/qt_ui.h"
#include "dialogs/splash_window.h"
#include "engine/past_days.h"
#include "platform/layout_record.h"
#include "platform/paths.h"
#include "platform/settings_keys.h"

namespace ploven {

namespace t = app_text;

namespace {

// The command line as one name: blanks around it trimmed; only blanks is no argument.
std::optional<std::string> ScheduleArgument(const QStringList& args) {
  QStringList rest = args.mid(1);
  rest.removeAll(kNewItemOption);
  const QString joined = rest.join(' ').trimmed();
  if (joined.isEmpty()) return std::nullopt;
  return joined.toStdString();
}

void Step(SplashWindow& splash, const char* status) {
  splash.SetStatus(status);
  QThread::msleep(220);
}

// The saved frame, kept inside the screen's available area; a first run gets a place that
// leaves room for the calendar window beside it.
void PlaceMainWindow(MainWindow& window, const LayoutRecord& layout) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect saved = FrameInArea(layout.main, area);
  PlaceFrame(window, saved.isEmpty() ? FirstRunPlacesIn(area).main : saved);
}

}  // namespace

int RunProgram(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(t::kProductName);
  QApplication::setWindowIcon(QIcon(":/icons/ploven-256.png"));

  QtUi ui;
  SystemClock system;
  const std::filesystem::path exeFolder = QCoreApplication::applicationDirPath().toStdString();
  ProgramPlaces places;
  places.dataFolder = DataFolderFromEnvironment(exeFolder);
  places.profile = ProfilePathFromEnvironment();
  const QLocale locale = QLocale::system();
  places.locale.weekStartsMonday = locale.firstDayOfWeek() == Qt::Monday;
  places.locale.firstWeekRule = 0;
  ProgramSession session(ui, system, places);

  SplashWindow splash;
  Step(splash, t::kSplashLoading);
  const std::optional<std::string> argument = ScheduleArgument(QApplication::arguments());
  const std::optional<std::string> path = session.ResolvePath(argument);
  if (!path) return 0;

  if (const int previous = qEnvironmentVariableIntValue(kAfterPidVariable); previous > 0) {
    qunsetenv(kAfterPidVariable);
    for (int i = 0; i < 150 && kill(previous, 0) == 0; ++i) QThread::msleep(100);
  }
  // A second start on a schedule that is open already brings that program forward.
  const bool newItem = QApplication::arguments().mid(1).contains(kNewItemOption);
  SingleInstance instance(ProgramSession::ScheduleIdentity(*path));
  if (instance.HandOverToRunning(newItem ? HandOver::kNewItem : HandOver::kRaise, 2000)) return 1;

  Step(splash, t::kSplashLoading2);
  if (session.OpenPath(*path, argument.has_value()) == SessionStart::kExit) {
    splash.hide();
    return 0;
  }
  // A schedule with a password is shown only to the one who gives it.
  if (!AskSchedulePassword(session, session.files().schedulePath())) {
    splash.hide();
    return 0;
  }
  Step(splash, t::kSplashLoading3);

  MainWindow window(session, ui);
  ui.SetOwner(&window);
  splash.SetStatus(t::kSplashScanning);
  splash.SetStatus(t::kSplashCompletion);
  splash.hide();

  PlaceMainWindow(window, session.layout());
  const uint16_t flags = session.layout().windowFlags;
  if (flags & kLayoutMaximized) window.showMaximized();
  else if (flags & kLayoutMinimized) window.showMinimized();
  else window.show();
  // The notes window that was open when the program last ended opens again.
  if (session.layout().notesWindowOpen != 0) window.Dispatch(Command::kBrowseNotesMode);
  instance.Listen([&window](HandOver request) {
    window.BringToFront();
    if (request == HandOver::kNewItem) window.Dispatch(Command::kNewItem);
  });

  // PLOVEN_SCREENSHOT=FILE.png [PLOVEN_SCREENSHOT_VIEW=command] [PLOVEN_SCREENSHOT_SCREEN=1]:
  // draws the window (or the whole screen, boxes included) into the file a moment after start
  // and ends (the README's pictures are made this way).
  const QString shot = qEnvironmentVariable("PLOVEN_SCREENSHOT");
  if (!shot.isEmpty()) {
    const int view = qEnvironmentVariableIntValue("PLOVEN_SCREENSHOT_VIEW");
    const bool screen = qEnvironmentVariableIntValue("PLOVEN_SCREENSHOT_SCREEN") != 0;
    if (screen) {
      window.showMaximized();
    } else {
      window.showNormal();
      window.resize(1280, 800);
    }
    // The window's own placement (remembered or fitted to the screen) comes after the first
    // show: the picture's size is set again once that is over.
    if (!screen) QTimer::singleShot(1000, &window, [&window] { window.resize(1280, 800); });
    QTimer::singleShot(1500, &window, [&window, shot, screen] {
      const QPixmap picture =
          screen ? QGuiApplication::primaryScreen()->grabWindow(0) : window.grab();
      picture.save(shot);
      // Boxes of the start may be open: the picture is all this run is for.
      std::_Exit(picture.isNull() ? 1 : 0);
    });
    // Last: the command may open a dialog that waits for the picture.
    if (view != 0) window.Dispatch(static_cast<Command>(view));
  }

  if (session.settings().ReadString(key::kUserName).empty() && session.writable())
    AskUserName(session, &window, session.createdThisRun());
  window.RefreshTitle();
  if (session.writable() && session.engine().settings().autoBringForward)
    AutomaticBringForward(session.engine());
  session.EndStartup();
  if (session.createdThisRun()) {
    AskFirstRunQuestions(session);
    window.FollowScheduleMode();
  } else {
    window.ShowDailyReminder();
    window.CheckPastUndone();
  }

  // The import-once files: looked for shortly after start, then once a minute. The run holds
  // the engine while its question is open, so a timer that fires meanwhile finds it importing.
  QTimer importTimer;
  auto importOnce = [&] {
    if (!session.open() || session.engine().importing()) return;
    const ImportOnceResult r = RunImportOnce(session);
    if (r.lastDate) window.SetViewedDate(*r.lastDate);
  };
  QObject::connect(&importTimer, &QTimer::timeout, &window, importOnce);
  importTimer.start(60000);
  QTimer::singleShot(10000, &window, importOnce);

  // Once the start's own questions are answered.
  if (newItem) QTimer::singleShot(0, &window, [&window] { window.Dispatch(Command::kNewItem); });

  const int code = QApplication::exec();
  session.Close();
  return code;
}

}  // namespace ploven
