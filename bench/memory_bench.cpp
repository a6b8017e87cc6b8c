// The whole run's peak memory against the size of customlaunch.properties:
//   memory_bench FOLDER LAUNCHER...
// runs the launcher in FOLDER (a ready installation) with files of 1, 10
// and 100 MB made of 100 distinct keys repeated, which must stay nearly
// flat, and then once with a 300 MB file of distinct keys, which must be
// read without failure. The installation's own file is put back at the end.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

const long kMegabyte = 1024 * 1024;

// Lines of the usual form, with a comment, until the file has its size.
void WriteProperties(const std::string& path, long megabytes, long distinctKeys) {
  std::ofstream file(path, std::ios::binary);
  char line[160];
  long written = 0;
  for (long i = 0; written < megabytes * kMegabyte; ++i) {
    long key = i % distinctKeys;
    int length =
        std::snprintf(line, sizeof line,
                      "bench.key%07ld = value %07ld of a properties line   # remark\r\n", key, key);
    file.write(line, length);
    written += length;
  }
}

// Peak resident memory of the run in KiB, negative when it did not end with
// exit code 0.
long PeakKiB(const std::string& folder, std::vector<char*> command) {
  command.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = 0;
  int failed = posix_spawnp(&pid, command[0], &actions, nullptr, command.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed) return -1;
  int status = 0;
  rusage usage = {};
  wait4(pid, &status, 0, &usage);
  bool succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return succeeded ? usage.ru_maxrss : -usage.ru_maxrss;
}

void Report(const char* what, long kib) {
  if (kib < 0) {
    std::printf("%s: FAILED (peak %ld KiB)\n", what, -kib);
  } else {
    std::printf("%s: peak memory %ld KiB\n", what, kib);
  }
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: memory_bench FOLDER LAUNCHER...\n");
    return 2;
  }
  std::string folder = argv[1];
  std::vector<char*> command(argv + 2, argv + argc);
  std::string properties = folder + "/customlaunch.properties";
  std::string kept = properties + ".kept";
  std::rename(properties.c_str(), kept.c_str());
  for (long megabytes : {1, 10, 100}) {
    WriteProperties(properties, megabytes, 100);
    std::string what = std::to_string(megabytes) + " MB, 100 distinct keys";
    Report(what.c_str(), PeakKiB(folder, command));
  }
  WriteProperties(properties, 300, 1L << 40);
  Report("300 MB, distinct keys", PeakKiB(folder, command));
  std::remove(properties.c_str());
  std::remove((folder + "/KivLaunch.log").c_str());
  std::rename(kept.c_str(), properties.c_str());
  return 0;
}
