/* The least a Windows program can do to start Java: hand its own command-line tail
   to the system and return. The honest baseline of a whole launcher run.
   On Windows it imports KERNEL32 alone (no C runtime); built with
   KIV_WITH_USER32 it also imports USER32, as every program must that can show
   a message box. plain_starter_posix.c is the native one. */

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
  BOOL started = CreateProcessA(NULL, Tail(commandLine), NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                                &information);
  ExitProcess(started ? 0 : 1);
}
