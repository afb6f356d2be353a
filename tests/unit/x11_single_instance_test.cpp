// The X11 build's single-instance name: per user and display, released with its process.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "platform/x11/single_instance.h"

namespace {

using platform::x11::ClaimInstanceName;
using platform::x11::InstanceClaim;
using platform::x11::InstanceName;

TEST(X11SingleInstance, OneNamePerUserAndDisplay) {
  for (const char* same : {":1.0", "unix:1", "unix:1.0"})
    EXPECT_EQ(InstanceName(1000, ":1"), InstanceName(1000, same)) << same;
  EXPECT_NE(InstanceName(1000, ":1"), InstanceName(1001, ":1"));
  EXPECT_NE(InstanceName(1000, ":1"), InstanceName(1000, ":2"));
  EXPECT_NE(InstanceName(1000, "host:1"), InstanceName(1000, ":1"));
}

TEST(X11SingleInstance, TheFirstClaimHoldsTheNameUntilItsProcessEnds) {
  const std::string name = InstanceName(getuid(), ":unit-" + std::to_string(getpid()));
  // A copy that has ended left nothing behind.
  const pid_t ended = fork();
  if (ended == 0) _exit(ClaimInstanceName(name) == InstanceClaim::Claimed ? 0 : 1);
  int status = 0;
  ASSERT_EQ(waitpid(ended, &status, 0), ended);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ClaimInstanceName(name), InstanceClaim::Claimed);
  EXPECT_EQ(ClaimInstanceName(name), InstanceClaim::HeldByUs);
}

// A name in a folder of the user's own: the first claim holds it, and the socket file an ended
// copy left behind does not count.
TEST(X11SingleInstance, ANameInAPrivateFolderOutlivesTheFileItsLastHolderLeft) {
  char folder[] = "/tmp/tapwright-run-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  EXPECT_TRUE(platform::x11::PrivateFolder(folder));
  const std::string name = std::string(folder) + "/copy.socket";
  const pid_t ended = fork();
  if (ended == 0) _exit(ClaimInstanceName(name) == InstanceClaim::Claimed ? 0 : 1);
  int status = 0;
  ASSERT_EQ(waitpid(ended, &status, 0), ended);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(access(name.c_str(), F_OK), 0);  // left behind
  int holder = -1;
  EXPECT_EQ(ClaimInstanceName(name, &holder), InstanceClaim::Claimed);
  EXPECT_EQ(ClaimInstanceName(name), InstanceClaim::HeldByUs);
  close(holder);
  unlink(name.c_str());
  chmod(folder, 0755);
  EXPECT_FALSE(platform::x11::PrivateFolder(folder));
  rmdir(folder);
}

// Anyone may take a name in the abstract namespace: a stranger's holding it must not end the
// program silently at every start.
TEST(X11SingleInstance, ANameHeldByAnotherUserDoesNotCount) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  const std::string name = InstanceName(getuid(), ":stranger-" + std::to_string(getpid()));
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t stranger = fork();
  if (stranger == 0) {
    char claimed = setuid(65534) == 0 && ClaimInstanceName(name) == InstanceClaim::Claimed;
    (void)!write(ready[1], &claimed, 1);
    pause();
    _exit(0);
  }
  char claimed = 0;
  ASSERT_EQ(read(ready[0], &claimed, 1), 1);
  EXPECT_TRUE(claimed);
  EXPECT_EQ(ClaimInstanceName(name), InstanceClaim::HeldByStranger);
  kill(stranger, SIGKILL);
  waitpid(stranger, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
}

}  // namespace
