// KivLauncher: starts the Java application of this installation.

#include "launcher/startup_sequence.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  platform::Initialize(argc, argv);
  return RunLauncher(platform::FullCommandLine());
}
