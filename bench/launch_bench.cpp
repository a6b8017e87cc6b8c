// Times whole runs of two commands in turn, paired, in one folder:
//   launch_bench FOLDER RUNS LAUNCHER... -- STARTER...
// and prints the median of each, the median of the paired ratios and the
// launcher's peak resident memory.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Sample {
  double milliseconds;
  long peakKiB;
};

Sample Time(const std::string& folder, const std::vector<char*>& command) {
  auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) != 0) _exit(126);
    execvp(command[0], command.data());
    _exit(127);
  }
  int status = 0;
  rusage usage = {};
  wait4(pid, &status, 0, &usage);
  std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed\n", command[0]);
    std::exit(1);
  }
  return {took.count(), usage.ru_maxrss};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) {
    std::fprintf(stderr, "usage: launch_bench FOLDER RUNS LAUNCHER... -- STARTER...\n");
    return 2;
  }
  std::string folder = argv[1];
  int runs = std::atoi(argv[2]);
  std::vector<char*> launcher, starter;
  std::vector<char*>* current = &launcher;
  for (int i = 3; i < argc; ++i) {
    if (std::string(argv[i]) == "--") {
      current = &starter;
    } else {
      current->push_back(argv[i]);
    }
  }
  launcher.push_back(nullptr);
  starter.push_back(nullptr);
  std::vector<double> launcherTimes, starterTimes, ratios;
  long peakKiB = 0;
  for (int i = 0; i < runs; ++i) {
    Sample a = Time(folder, launcher);
    Sample b = Time(folder, starter);
    launcherTimes.push_back(a.milliseconds);
    starterTimes.push_back(b.milliseconds);
    ratios.push_back(a.milliseconds / b.milliseconds);
    peakKiB = std::max(peakKiB, a.peakKiB);
  }
  std::printf("launcher %.2f ms, baseline %.2f ms, ratio %.2f (median of %d pairs), "
              "launcher peak memory %ld KiB\n",
              Median(launcherTimes), Median(starterTimes), Median(ratios), runs, peakKiB);
  return 0;
}
