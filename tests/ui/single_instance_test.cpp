#include "app/ui/platform/single_instance.h"

#include <gtest/gtest.h>

#include <QTest>

#include <string>

#include "tests/support/platform_only.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/wait_until.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#endif

namespace lumora::ui {
namespace {

// A socket path of its own per test, so parallel runs never meet.
QString KeyIn(const test::TempFolder& folder) {
  return QString::fromStdString(folder.File("instance"));
}

TEST(SingleInstance, SecondStartFindsTheFirstAndAsksItForward) {
  test::TempFolder folder;
  TLocalSocketInstanceLock first(KeyIn(folder));
  int activations = 0;
  first.SetActivateHandler([&] { ++activations; });
  ASSERT_EQ(first.Acquire(), TInstanceRole::kPrimary);
  EXPECT_TRUE(first.IsListening());
  EXPECT_EQ(first.Acquire(), TInstanceRole::kPrimary);  // decided once

  TLocalSocketInstanceLock second(KeyIn(folder));
  EXPECT_EQ(second.Acquire(), TInstanceRole::kSecondary);
  EXPECT_FALSE(second.IsListening());
  for (int i = 0; i < 100 && activations == 0; ++i) QTest::qWait(50);
  EXPECT_EQ(activations, 1);
}

// A second start during the first one's start-up (before the window can
// come forward) is answered once the window is there.
TEST(SingleInstance, RequestBeforeTheWindowExistsWaitsForIt) {
  test::TempFolder folder;
  TLocalSocketInstanceLock first(KeyIn(folder));
  ASSERT_EQ(first.Acquire(), TInstanceRole::kPrimary);
  TLocalSocketInstanceLock second(KeyIn(folder));
  EXPECT_EQ(second.Acquire(), TInstanceRole::kSecondary);
  LUMORA_WAIT_UNTIL(first.ActivationPending());
  int activations = 0;
  first.SetActivateHandler([&] { ++activations; });
  EXPECT_EQ(activations, 1);
  EXPECT_FALSE(first.ActivationPending());
}

TEST(SingleInstance, SocketLeftByACrashDoesNotBlockTheStart) {
  LUMORA_POSIX_ONLY();
#ifndef _WIN32
  test::TempFolder folder;
  const std::string path = folder.File("instance");
  // A bound socket nobody listens on: what a crashed instance leaves.
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ::close(fd);

  TLocalSocketInstanceLock lock(QString::fromStdString(path));
  EXPECT_EQ(lock.Acquire(), TInstanceRole::kPrimary);
  EXPECT_TRUE(lock.IsListening());
  TLocalSocketInstanceLock later(QString::fromStdString(path));
  EXPECT_EQ(later.Acquire(), TInstanceRole::kSecondary);
#endif
}

TEST(SingleInstance, LockThatCannotBeCreatedNeverStopsTheProgram) {
  LUMORA_POSIX_ONLY();
  TLocalSocketInstanceLock lock(QStringLiteral("/nonexistent-lumora-folder/instance"));
  EXPECT_EQ(lock.Acquire(), TInstanceRole::kPrimary);
  EXPECT_FALSE(lock.IsListening());
}

TEST(SingleInstance, DefaultKeyBelongsToTheUser) {
  const QByteArray saved = qgetenv("USER");
  qputenv("USER", "alice");
  const QString alice = DefaultInstanceKey();
  qputenv("USER", "bob");
  const QString bob = DefaultInstanceKey();
  qputenv("USER", saved);
  EXPECT_NE(alice, bob);
  EXPECT_TRUE(alice.startsWith(QStringLiteral("lumora-")));
}

}  // namespace
}  // namespace lumora::ui
