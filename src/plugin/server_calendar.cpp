#include "plugin/server_calendar.h"

#include <QCryptographicHash>
#include <QDir>
#include <QUrl>

#include "plugin/caldav_store.h"
#include "plugin/store_target.h"

namespace ploven::calendar {

namespace {

// The keeper is made before the target and goes after it: the sending thread uses it until the
// target has stopped that thread.
struct KeeperHolder {
  std::unique_ptr<PasswordKeeper> keeper;
};

class ServerCalendar : private KeeperHolder, public ServerTarget {
 public:
  ServerCalendar(const QString& dataDir, CompanionLog& log, const CompanionSettings& settings,
                 std::unique_ptr<PasswordKeeper> owned, RetryPeriods retry)
      : KeeperHolder{std::move(owned)},
        ServerTarget(dataDir, log, *keeper, settings.serverUrl, settings.serverUser,
                     SyncTarget(dataDir, log, settings), retry) {}

 private:
  static SyncTargetFactory SyncTarget(const QString& dataDir, CompanionLog& log,
                                      const CompanionSettings& settings) {
    const QString url = settings.serverUrl;
    const QString user = settings.serverUser;
    return [dataDir, url, user, &log](const QString& password) -> std::unique_ptr<CalendarTarget> {
      ServerLogin login;
      login.url = QUrl(url);
      login.user = user;
      login.password = password;
      return std::make_unique<StoreTarget>(dataDir, ServerMemoryPath(dataDir, url, user),
                                           MakeCalDavStore(login, {}), log);
    };
  }
};

}  // namespace

QString ServerMemoryPath(const QString& dataDir, const QString& url, const QString& user) {
  const QByteArray tag =
      QCryptographicHash::hash((url + QLatin1Char('\n') + user).toUtf8(), QCryptographicHash::Sha1)
          .toHex()
          .left(8);
  return QDir(dataDir).filePath(QStringLiteral("ploven-calendar-server-%1.sqlite")
                                    .arg(QString::fromLatin1(tag)));
}

std::unique_ptr<CalendarTarget> MakeServerCalendar(const QString& dataDir, CompanionLog& log,
                                                   const CompanionSettings& settings,
                                                   std::unique_ptr<PasswordKeeper> keeper,
                                                   RetryPeriods retry) {
  return std::make_unique<ServerCalendar>(dataDir, log, settings, std::move(keeper), retry);
}

}  // namespace ploven::calendar
