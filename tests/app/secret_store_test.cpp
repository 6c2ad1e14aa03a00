// A calendar server's password on a real secret service (a private bus and keyring, see
// with_secret_service.sh): what Synchronization Settings saves, the companion's keeper reads,
// also from a thread of its own as the companion's sync thread does.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "app/keychain_secret_store.h"
#include "plugin/password_keeper.h"

namespace ploven::test {
namespace {

TEST(SecretStoreTest, WhatTheSettingsSaveTheCompanionsKeeperReads) {
  const std::string url = "https://cal.example.org/dav/ann/work/";
  std::string why;
  ASSERT_EQ(MakeKeychainSecretStore()->Save(url, "ann", "pw-3d0c", why), SecretStore::Saved::kSaved)
      << why;
  auto keeper = calendar::MakePasswordKeeper();
  std::optional<QString> read;
  QThread* sync = QThread::create(
      [&] { read = keeper->Password(QString::fromStdString(url), QStringLiteral("ann")); });
  sync->start();
  // The main thread serves its events meanwhile, as the companion's does.
  QElapsedTimer waited;
  waited.start();
  while (!sync->isFinished() && waited.elapsed() < 20000) QCoreApplication::processEvents();
  ASSERT_TRUE(sync->wait(1000));
  delete sync;
  EXPECT_EQ(read, QStringLiteral("pw-3d0c"));
  // Another user has no entry.
  EXPECT_EQ(keeper->Password(QString::fromStdString(url), QStringLiteral("bob")), std::nullopt);

  // A refused password is not offered again until one is handed over.
  keeper->Refused(QString::fromStdString(url), QStringLiteral("ann"));
  EXPECT_EQ(keeper->Password(QString::fromStdString(url), QStringLiteral("ann")), std::nullopt);
  keeper->Take(QString::fromStdString(url), QStringLiteral("ann"), QStringLiteral("typed"));
  EXPECT_EQ(keeper->Password(QString::fromStdString(url), QStringLiteral("ann")),
            QStringLiteral("typed"));

  // A new password saved replaces the old one for the next companion.
  ASSERT_EQ(MakeKeychainSecretStore()->Save(url, "ann", "pw-9a41", why),
            SecretStore::Saved::kSaved);
  EXPECT_EQ(
      calendar::MakePasswordKeeper()->Password(QString::fromStdString(url), QStringLiteral("ann")),
      QStringLiteral("pw-9a41"));
}

}  // namespace
}  // namespace ploven::test

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
