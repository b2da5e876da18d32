// One quillet-lrt process computing a full analysis end to end (all three tests, six models):
// start, read the options, compute, print, exit. Measured in wall time, as a script sees it.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace quillet::bench {
namespace {

// Starts the program with its arguments, its output thrown away, and waits for it.
bool RunProcess(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const bool started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  return started && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// The floor: starting a program that does nothing.
void BM_TrueProcess(benchmark::State& state) {
  for (auto _ : state) {
    if (!RunProcess({"/bin/true"})) {
      state.SkipWithError("cannot start /bin/true");
      break;
    }
  }
}

BENCHMARK(BM_TrueProcess)->Name("TrueProcess")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LrtProcess(benchmark::State& state) {
  std::vector<std::string> args = {QUILLET_LRT_PATH,
                                   "-p",
                                   "0.05",
                                   "--clock",
                                   "-3062.80,-3050.25",
                                   "--taxa",
                                   "12",
                                   "--gamma",
                                   "-3040.10,-3044.35",
                                   "--model",
                                   "GTR+I+G=-3040.10",
                                   "--model",
                                   "TrN+I=-3046.00",
                                   "--model",
                                   "HKY85+G=-3045.55",
                                   "--model",
                                   "F81=-3048.70",
                                   "--model",
                                   "K2P=-3050.20",
                                   "--model",
                                   "JC=-3058.75"};
  if (state.range(0) == 1) args.push_back("--tsv");
  for (auto _ : state) {
    if (!RunProcess(args)) {
      state.SkipWithError("quillet-lrt failed");
      break;
    }
  }
  state.SetLabel(state.range(0) == 1 ? "full analysis, --tsv" : "full analysis, report text");
}

BENCHMARK(BM_LrtProcess)
    ->Name("LrtProcess")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace quillet::bench
