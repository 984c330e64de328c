// Whole-process cost of one command-line conversion, next to GNU units doing the same sum.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char **environ;

namespace {

std::string ProgramFolder()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        return ".";
    std::string folder(path, static_cast<std::size_t>(length));
    return folder.substr(0, folder.rfind('/'));
}

// Runs the command with its output thrown away; false when it cannot be run or fails.
bool RunQuietly(std::vector<std::string> arguments)
{
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_CommandLineConversion(benchmark::State &state)
{
    setenv("LC_ALL", "pl_PL.UTF-8", 1);
    const std::string program = ProgramFolder() + "/kalkulator-objetosci";
    for (auto _ : state) {
        if (!RunQuietly({program, "10", "imp_gal", "l"})) {
            state.SkipWithError("kalkulator-objetosci failed");
            break;
        }
    }
}
BENCHMARK(BM_CommandLineConversion)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_GnuUnitsConversion(benchmark::State &state)
{
    for (auto _ : state) {
        if (!RunQuietly({"units", "-t", "10 brgallon", "l"})) {
            state.SkipWithError("GNU units is not installed (Debian package units)");
            break;
        }
    }
}
BENCHMARK(BM_GnuUnitsConversion)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
