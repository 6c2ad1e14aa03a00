#include "plugin/password_keeper.h"

#include <qt6keychain/keychain.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QHash>
#include <QMutex>
#include <QPointer>
#include <QSet>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>

namespace ploven::calendar {

QString SecretKey(const QString& url, const QString& user) { return user + QLatin1Char('@') + url; }

namespace {

// What one look into the secret store found.
struct StoreAnswer {
  enum class Kind {
    kFound,
    kNotThere,
    kNoStore,   // none runs: not asked again
    kNoAnswer,  // it did not answer in time (or the main thread was busy): asked next time
  } kind = Kind::kNoAnswer;
  QString password;
};

// Starts one look into the secret store; `done` gets what it found, once, on the thread that
// started it. The job deletes itself when it ends.
void StartRead(const QString& key, std::function<void(StoreAnswer)> done) {
  auto* job = new QKeychain::ReadPasswordJob(QString::fromLatin1(kSecretService));
  job->setAutoDelete(true);
  job->setKey(key);
  QObject::connect(job, &QKeychain::Job::finished, job, [done](QKeychain::Job* j) {
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
    done(a);
  });
  job->start();
}

// QtKeychain runs its jobs through one object that lives on the thread of the first job: they
// all run on the program's main thread, and a caller on another thread (the sync thread) waits
// for the answer there (the main thread of the companion never waits long for the sync thread).
StoreAnswer ReadSecretStore(const QString& key, int timeoutMs) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return {StoreAnswer::Kind::kNoStore, {}};
  auto promise = std::make_shared<std::promise<StoreAnswer>>();
  std::future<StoreAnswer> answer = promise->get_future();
  auto once = std::make_shared<std::once_flag>();
  auto give = [promise, once](StoreAnswer a) {
    std::call_once(*once, [&] { promise->set_value(std::move(a)); });
  };
  if (QThread::currentThread() != app->thread()) {
    QMetaObject::invokeMethod(
        app, [key, give] { StartRead(key, give); }, Qt::QueuedConnection);
    if (answer.wait_for(std::chrono::milliseconds(timeoutMs)) != std::future_status::ready)
      return StoreAnswer{};
    return answer.get();
  }
  QEventLoop loop;
  QPointer<QEventLoop> waiting(&loop);
  StartRead(key, [give, waiting](StoreAnswer a) {
    give(std::move(a));
    if (waiting) waiting->quit();
  });
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  if (answer.wait_for(std::chrono::seconds(0)) != std::future_status::ready) loop.exec();
  if (answer.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return StoreAnswer{};
  return answer.get();
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
      case StoreAnswer::Kind::kNoAnswer:
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
