// Whole-process start-up: from starting the program to its first painted main
// window, and the resident memory at that moment, against a minimal Qt Widgets
// window started the same way in the same run (goals: at most 1.4x its time,
// at most 40 MB). A second case holds the program's form made of Qt's own
// controls against the same minimal window: the part of the start-up that any
// form of this size costs. Needs a display; run it as
//   xvfb-run -a build/test/bin/bench_startup
// The program reports its first paint on standard output when
// JHAVARI_EXIT_AFTER_FIRST_PAINT is set, then ends.

#include "bench/side_by_side.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct StartResult {
    double seconds = 0;
    long residentKiB = -1;
    bool ok = false;
};

// A fresh profile and runtime folder, as at a user's first start.
std::vector<std::string> programEnvironment(const std::filesystem::path& home)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (text.rfind("HOME=", 0) != 0 && text.rfind("XDG_", 0) != 0)
            environment.push_back(text);
    }
    std::filesystem::create_directories(home / "run");
    std::filesystem::permissions(home / "run", std::filesystem::perms::owner_all);
    environment.push_back("HOME=" + home.string());
    environment.push_back("XDG_CONFIG_HOME=" + (home / "config").string());
    environment.push_back("XDG_RUNTIME_DIR=" + (home / "run").string());
    environment.push_back("JHAVARI_EXIT_AFTER_FIRST_PAINT=1");
    return environment;
}

StartResult startOnce(const std::string& programFile, const std::filesystem::path& home)
{
    StartResult result;
    std::vector<std::string> environment = programEnvironment(home);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = programFile;
    char* argv[] = {program.data(), nullptr};

    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        return result;
    }
    FILE* output = ::fdopen(pipeFds[0], "r");
    char line[256] = {};
    const bool reported = std::fgets(line, sizeof line, output) != nullptr;
    const auto painted = std::chrono::steady_clock::now();
    std::fclose(output);
    int status = 0;
    ::waitpid(pid, &status, 0);

    result.seconds = std::chrono::duration<double>(painted - start).count();
    result.ok = reported && std::sscanf(line, "first-paint rss-kb=%ld", &result.residentKiB) == 1;
    return result;
}

// Starts `file` and the minimal window alternately.
void timeAgainstMinimalWindow(benchmark::State& state, const char* file)
{
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no display: run under xvfb-run -a");
        return;
    }
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("jhavari-bench-" + std::to_string(::getpid()));
    StartResult program;
    StartResult minimal;
    std::string failed;
    const auto start = [&home, &failed](const char* started, StartResult& result) {
        std::filesystem::remove_all(home);
        result = startOnce(started, home);
        if (!result.ok)
            failed = std::string(started) + " did not report its first paint";
        return result.seconds;
    };
    bench::timeSideBySide(
        state, [&] { return start(file, program); }, [&] { return start(MINIMAL_WINDOW_FILE, minimal); });
    if (!failed.empty())
        state.SkipWithError(failed.c_str());
    std::filesystem::remove_all(home);
    state.counters["rss_MiB"] = static_cast<double>(program.residentKiB) / 1024.0;
    state.counters["reference_rss_MiB"] = static_cast<double>(minimal.residentKiB) / 1024.0;
}

void BM_StartupToFirstPaint(benchmark::State& state)
{
    timeAgainstMinimalWindow(state, PROGRAM_FILE);
}

void BM_StockFormToFirstPaint(benchmark::State& state)
{
    timeAgainstMinimalWindow(state, STOCK_FORM_FILE);
}

} // namespace

BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(61);
BENCHMARK(BM_StockFormToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(61);

BENCHMARK_MAIN();
