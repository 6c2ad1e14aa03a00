#include "plugin/companion_program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <cstdio>

#include "plugin/companion_log.h"
#include "plugin/companion_server.h"
#include "plugin/companion_settings.h"
#include "plugin/link_messages.h"

namespace ploven::calendar {

namespace t = link_text;

namespace {

constexpr char kLogFileName[] = "ploven-calendar.log";
constexpr char kLockFileName[] = "ploven-calendar.lock";

bool SocketAnswers(const QString& path) {
  QLocalSocket probe;
  probe.connectToServer(path);
  const bool answers = probe.waitForConnected(300);
  probe.abort();
  return answers;
}

}  // namespace

std::optional<CompanionArguments> ParseCompanionArguments(const QStringList& arguments) {
  CompanionArguments parsed;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    QString* target = nullptr;
    QString value;
    if (a == QLatin1String("--data") || a == QLatin1String("--socket")) {
      if (i + 1 >= arguments.size()) return std::nullopt;
      target = a == QLatin1String("--data") ? &parsed.dataFolder : &parsed.socketPath;
      value = arguments[++i];
    } else if (a.startsWith(QLatin1String("--data="))) {
      target = &parsed.dataFolder;
      value = a.mid(7);
    } else if (a.startsWith(QLatin1String("--socket="))) {
      target = &parsed.socketPath;
      value = a.mid(9);
    } else {
      return std::nullopt;
    }
    *target = value;
  }
  if (parsed.dataFolder.isEmpty() || parsed.socketPath.isEmpty()) return std::nullopt;
  return parsed;
}

int RunCompanion(const QStringList& arguments, const TargetFactory& makeTarget) {
  const auto parsed = ParseCompanionArguments(arguments);
  if (!parsed || !QFileInfo(parsed->dataFolder).isDir()) {
    std::fprintf(stderr, "%s\n", t::kUsage);
    return 2;
  }
  const QDir data(parsed->dataFolder);
  FileCompanionLog log(data.filePath(QString::fromLatin1(kLogFileName)));

  // One companion per data folder: the lock, and nobody answering on the socket.
  QLockFile lock(data.filePath(QString::fromLatin1(kLockFileName)));
  lock.setStaleLockTime(0);  // only a dead holder makes it stale
  if (!lock.tryLock(500) || SocketAnswers(parsed->socketPath)) {
    log.Line(QString::fromLatin1(t::kAnotherRunning));
    return 0;
  }

  CompanionSettingsReader settings(data.absolutePath());
  const std::unique_ptr<CalendarTarget> target = makeTarget(data.absolutePath(), log);
  ServerOptions options;
  options.periods = PeriodsFromEnvironment();
  CompanionServer server(
      *target, log, [&settings] { return settings.Read(); }, options);
  server.OnEnd([&](EndReason reason) {
    if (reason == EndReason::kReplace) {
      // The socket is closed already; the lock goes before the new process looks for it.
      lock.unlock();
      const QString program = QCoreApplication::applicationFilePath();
      if (!QProcess::startDetached(program, arguments.mid(1))) {
        log.Line(QString::fromLatin1(t::kReplaceFailed).arg(program));
      }
    }
    QCoreApplication::quit();
  });
  if (!server.Listen(parsed->socketPath)) return 1;
  return QCoreApplication::exec();
}

}  // namespace ploven::calendar
