// KivLauncher: starts the Java application of this installation.

#include <exception>

#include "launcher/startup_sequence.h"
#include "platform/platform.h"
#include "report/launch_log.h"

namespace {

// An exception nobody caught. abort would show older runtimes' "abnormal
// termination" box, which may wait for a click nobody can give.
[[noreturn]] void EndAfterUncaughtException() {
  Log().WriteLine("Unerwarteter Fehler -> Der KivLauncher wird beendet.");
  platform::ExitImmediately(3);
}

}  // namespace

int main(int argc, char** argv) {
  std::set_terminate(EndAfterUncaughtException);
  platform::Initialize(argc, argv);
  return RunLauncher(platform::FullCommandLine());
}
