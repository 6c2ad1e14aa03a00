#include "app/keychain_secret_store.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>
#include <memory>
#include <optional>
#include <utility>

namespace ploven {
namespace {

// The companion reads what is written here: the same names as its keeper's.
constexpr char kService[] = "Ploven calendar server";
// A secret store that does not answer in this time counts as not there.
constexpr int kTimeoutMs = 10000;

class KeychainSecretStore : public SecretStore {
 public:
  Saved Save(const std::string& url, const std::string& user, const std::string& password,
             std::string& why) override {
    // The job deletes itself when it ends, also after a wait that gave up on it.
    auto* job = new QKeychain::WritePasswordJob(QString::fromLatin1(kService));
    job->setAutoDelete(true);
    job->setKey(QString::fromStdString(user) + QLatin1Char('@') + QString::fromStdString(url));
    job->setTextData(QString::fromStdString(password));
    auto result = std::make_shared<std::optional<std::pair<QKeychain::Error, QString>>>();
    QEventLoop loop;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [result, &loop](QKeychain::Job* j) {
      *result = std::make_pair(j->error(), j->errorString());
      loop.quit();
    });
    QTimer::singleShot(kTimeoutMs, &loop, &QEventLoop::quit);
    job->start();
    if (!result->has_value()) loop.exec();
    if (!result->has_value()) return Saved::kNoStore;
    const auto [error, text] = **result;
    switch (error) {
      case QKeychain::NoError:
        return Saved::kSaved;
      case QKeychain::AccessDenied:
      case QKeychain::AccessDeniedByUser:
      case QKeychain::CouldNotDeleteEntry:
        why = text.toStdString();
        return Saved::kFailed;
      default:  // no backend, no session bus, nobody serving the secret service
        return Saved::kNoStore;
    }
  }
};

}  // namespace

std::unique_ptr<SecretStore> MakeKeychainSecretStore() {
  return std::make_unique<KeychainSecretStore>();
}

}  // namespace ploven
