#include "plugin/password_keeper.h"

#include <QEventLoop>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QTimer>
#include <memory>
#include <optional>
#include <qt6keychain/keychain.h>

namespace ploven::calendar {

QString SecretKey(const QString& url, const QString& user) {
  return user + QLatin1Char('@') + url;
}

namespace {

// What one look into the secret store found.
struct StoreAnswer {
  enum class Kind { kFound, kNotThere, kNoStore } kind = Kind::kNoStore;
  QString password;
};

StoreAnswer ReadSecretStore(const QString& key, int timeoutMs) {
  // The job outlives a look that timed out and deletes itself when it ends; what it finds then
  // goes nowhere (the connection ends with the loop).
  auto* job = new QKeychain::ReadPasswordJob(QString::fromLatin1(kSecretService));
  job->setAutoDelete(true);
  job->setKey(key);
  auto answer = std::make_shared<std::optional<StoreAnswer>>();
  QEventLoop loop;
  QObject::connect(job, &QKeychain::Job::finished, &loop, [answer, &loop](QKeychain::Job* j) {
    StoreAnswer a;
    switch (j->error()) {
      case QKeychain::NoError:
        a.kind = StoreAnswer::Kind::kFound;
        a.password = static_cast<QKeychain::ReadPasswordJob*>(j)->textData();
        break;
      case QKeychain::EntryNotFound:
      case QKeychain::AccessDenied:
      case QKeychain::AccessDeniedByUser:
        a.kind = StoreAnswer::Kind::kNotThere;
        break;
      default:  // no backend, the session bus not there, the service not answering
        a.kind = StoreAnswer::Kind::kNoStore;
        break;
    }
    *answer = a;
    loop.quit();
  });
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  job->start();
  if (!answer->has_value()) loop.exec();
  return answer->value_or(StoreAnswer{});
}

class KeychainPasswordKeeper : public PasswordKeeper {
 public:
  explicit KeychainPasswordKeeper(PasswordKeeperOptions options) : m_options(options) {}

  std::optional<QString> Password(const QString& url, const QString& user) override {
    const QString key = SecretKey(url, user);
    {
      QMutexLocker lock(&m_mutex);
      if (const auto it = m_memory.constFind(key); it != m_memory.constEnd()) return *it;
      if (m_noStore || m_storeRefused.contains(key)) return std::nullopt;
    }
    const StoreAnswer found = ReadSecretStore(key, m_options.storeTimeoutMs);
    QMutexLocker lock(&m_mutex);
    switch (found.kind) {
      case StoreAnswer::Kind::kFound:
        // Handed over or refused while the store was asked: that counts.
        if (const auto it = m_memory.constFind(key); it != m_memory.constEnd()) return *it;
        if (m_storeRefused.contains(key)) return std::nullopt;
        return found.password;
      case StoreAnswer::Kind::kNotThere:
        return std::nullopt;
      case StoreAnswer::Kind::kNoStore:
        // Not asked again for this companion's life; it replaces itself every 15 minutes.
        m_noStore = true;
        return std::nullopt;
    }
    return std::nullopt;
  }

  void Refused(const QString& url, const QString& user) override {
    const QString key = SecretKey(url, user);
    QMutexLocker lock(&m_mutex);
    m_memory.remove(key);
    m_storeRefused.insert(key);
  }

  void Take(const QString& url, const QString& user, const QString& password) override {
    const QString key = SecretKey(url, user);
    QMutexLocker lock(&m_mutex);
    m_memory.insert(key, password);
    m_storeRefused.remove(key);
  }

 private:
  PasswordKeeperOptions m_options;
  QMutex m_mutex;  // Take comes from the socket's thread, Password from the sync thread
  QHash<QString, QString> m_memory;
  QSet<QString> m_storeRefused;
  bool m_noStore = false;
};

}  // namespace

std::unique_ptr<PasswordKeeper> MakePasswordKeeper(PasswordKeeperOptions options) {
  return std::make_unique<KeychainPasswordKeeper>(options);
}

}  // namespace ploven::calendar
