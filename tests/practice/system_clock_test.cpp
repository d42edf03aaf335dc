#include "practice/clock.h"

#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>

namespace {

constexpr int kNoTimeNamespace = 77;
constexpr std::int64_t kSleptSeconds = 100'000;

// In the child of a process that made a time namespace: 0 when the steady clock
// agrees with the time since boot that the kernel reports, sleep included.
int steadyClockFollowsUptime()
{
    double uptime = 0;
    std::ifstream("/proc/uptime") >> uptime;
    const std::int64_t steady = systemClock().steadySeconds();
    return std::llabs(steady - static_cast<std::int64_t>(uptime)) <= 2 ? 0 : 1;
}

} // namespace

// A machine that sleeps during an interval (idle suspend while the practitioner
// sits still) must not shorten it: a time namespace whose boot clock runs
// ahead of its monotonic clock stands for a machine that slept that long.
TEST(SystemClock, CountsTheTimeTheMachineSlept)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (unshare(CLONE_NEWTIME) != 0 && (unshare(CLONE_NEWUSER) != 0 || unshare(CLONE_NEWTIME) != 0))
            _exit(kNoTimeNamespace);
        {
            std::ofstream offsets("/proc/self/timens_offsets");
            offsets << "boottime " << kSleptSeconds << " 0\n";
            offsets.flush();
            if (!offsets)
                _exit(kNoTimeNamespace);
        }
        // Only the children of the process that made the namespace live in it.
        const pid_t inside = fork();
        if (inside == 0)
            _exit(steadyClockFollowsUptime());
        int status = 0;
        waitpid(inside, &status, 0);
        _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kNoTimeNamespace)
        GTEST_SKIP() << "no time namespace can be made here";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the steady clock stood still while the machine slept";
}
