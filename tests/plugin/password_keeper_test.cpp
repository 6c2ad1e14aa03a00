// The companion's password keeper with no secret store to ask: the session bus is pointed at
// an address nobody serves (before Qt opens it), so the keeper keeps only what it was handed.

#include "plugin/password_keeper.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdlib>

namespace ploven::calendar {
namespace {

const QString kUrl = QStringLiteral("https://cal.example/ann/calendar/");

TEST(PasswordKeeperWithoutStoreTest, KnowsNothingAtFirstAndAnswersWithoutWaitingForTheStore) {
  auto keeper = MakePasswordKeeper({.storeTimeoutMs = 8000});
  QElapsedTimer took;
  took.start();
  EXPECT_EQ(keeper->Password(kUrl, QStringLiteral("ann")), std::nullopt);
  EXPECT_EQ(keeper->Password(kUrl, QStringLiteral("ann")), std::nullopt);
  // A store that is not there is found out at once, not by the time-out.
  EXPECT_LT(took.elapsed(), 4000);
}

TEST(PasswordKeeperWithoutStoreTest, KeepsWhatWasHandedOverUntilTheServerRefusesIt) {
  auto keeper = MakePasswordKeeper();
  keeper->Take(kUrl, QStringLiteral("ann"), QStringLiteral("s3cret"));
  EXPECT_EQ(keeper->Password(kUrl, QStringLiteral("ann")), QStringLiteral("s3cret"));
  // Another user or another collection is another password.
  EXPECT_EQ(keeper->Password(kUrl, QStringLiteral("bob")), std::nullopt);
  EXPECT_EQ(keeper->Password(kUrl + QStringLiteral("other/"), QStringLiteral("ann")), std::nullopt);

  keeper->Refused(kUrl, QStringLiteral("ann"));
  EXPECT_EQ(keeper->Password(kUrl, QStringLiteral("ann")), std::nullopt);
  keeper->Take(kUrl, QStringLiteral("ann"), QStringLiteral("better"));
  EXPECT_EQ(keeper->Password(kUrl, QStringLiteral("ann")), QStringLiteral("better"));
}

TEST(SecretKeyTest, IsUserAtUrl) {
  EXPECT_EQ(SecretKey(kUrl, QStringLiteral("ann")),
            QStringLiteral("ann@https://cal.example/ann/calendar/"));
}

}  // namespace
}  // namespace ploven::calendar

int main(int argc, char** argv) {
  // Nobody serves this bus; no desktop is named, so no desktop's wallet is looked for either.
  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/ploven-test-bus", 1);
  unsetenv("XDG_CURRENT_DESKTOP");
  unsetenv("DESKTOP_SESSION");
  unsetenv("KDE_FULL_SESSION");
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
