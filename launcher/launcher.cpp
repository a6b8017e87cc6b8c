// KivLauncher: starts the Java application of this installation.

#include <exception>

#include "launcher/startup_sequence.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
#ifdef _MSC_VER
  // Built with exceptions, MSVC's library ends a fault through terminate.
  std::set_terminate(EndAfterFault);
#endif
  platform::Initialize(argc, argv);
  return RunLauncher(platform::FullCommandLine());
}
