// Time per line of the properties reader at 1,000, 10,000 and 100,000 lines;
// it must stay flat.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "report/launch_log.h"
#include "settings/properties_file.h"

namespace {

double NanosecondsPerLine(const std::string& folder, int lines) {
  std::string name = "bench" + std::to_string(lines) + ".properties";
  {
    std::ofstream file(folder + "/" + name, std::ios::binary);
    for (int i = 0; i < lines; ++i) {
      file << "key" << i << " = value " << i << "   # comment \"quoted # part\"\r\n";
    }
  }
  int repeats = 1000000 / lines;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) {
    Log().Open(folder + "/KivLaunch.log");
    Settings settings;
    ReadPropertiesFile(folder + "/", name, settings);
    Log().Close();
  }
  std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
  return took.count() / repeats / lines;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : ".";
  double first = 0;
  for (int lines : {1000, 10000, 100000}) {
    double perLine = NanosecondsPerLine(folder, lines);
    if (lines == 1000) first = perLine;
    std::printf("properties reader, %6d lines: %7.1f ns per line (%.2f x the 1,000-line figure)\n",
                lines, perLine, perLine / first);
  }
  return 0;
}
