// The least a launcher must do: start Java with the given command line the
// way KivLauncher does, through the same platform layer, and return.

#include <string>

#include "platform/platform.h"

int main(int argc, char** argv) {
  platform::Initialize(argc, argv);
  std::string commandLine;
  for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
  platform::Process java;
  return platform::StartProcess(commandLine, {}, &java) ? 0 : 1;
}
