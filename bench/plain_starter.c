/* The least a program can do to start Java: hand its own command-line tail
   to the system and return. The honest baseline of a whole launcher run.
   On Windows it imports KERNEL32 alone (no C runtime); built with
   KIV_WITH_USER32 it also imports USER32, as every program must that can show
   a message box. Natively it is one posix_spawn. */

#ifdef _WIN32
#include <windows.h>

static char* Tail(char* commandLine) {
  int quoted = 0;
  for (; *commandLine && (quoted || (*commandLine != ' ' && *commandLine != '\t')); ++commandLine) {
    if (*commandLine == '"') quoted = !quoted;
  }
  while (*commandLine == ' ' || *commandLine == '\t') ++commandLine;
  return commandLine;
}

void __stdcall Start(void) {
  STARTUPINFOA startup = {0};
  PROCESS_INFORMATION information;
  char* commandLine = GetCommandLineA();
  startup.cb = sizeof startup;
#ifdef KIV_WITH_USER32
  if (!commandLine) MessageBoxA(NULL, "", "", MB_OK);
#endif
  BOOL started = CreateProcessA(NULL, Tail(commandLine), NULL, NULL, FALSE, 0, NULL, NULL,
                                &startup, &information);
  ExitProcess(started ? 0 : 1);
}

#else
#include <spawn.h>

extern char** environ;

int main(int argc, char** argv) {
  pid_t child;
  if (argc < 2) return 2;
  return posix_spawn(&child, argv[1], NULL, NULL, argv + 1, environ) == 0 ? 0 : 1;
}
#endif
