// KivLauncher: starts the Java application of this installation.

#include <new>

#include "launcher/startup_sequence.h"
#include "platform/platform.h"
#include "report/launch_log.h"

// Built without exceptions, the shipped exe has the C++ library's helpers
// that would raise one bound to these at link (CMakeLists.txt). abort would
// show older runtimes' "abnormal termination" box, which may wait for a
// click nobody can give.
extern "C" [[noreturn]] void EndAfterFault() {
  Log().WriteLine("Unerwarteter Fehler -> Der KivLauncher wird beendet.");
  platform::ExitImmediately(3);
}

// A string or table too long for the memory: the new-handler's report.
extern "C" [[noreturn]] void EndOutOfMemory() {
  if (std::new_handler handler = std::get_new_handler()) handler();
  EndAfterFault();
}

int main(int argc, char** argv) {
  platform::Initialize(argc, argv);
  return RunLauncher(platform::FullCommandLine());
}
