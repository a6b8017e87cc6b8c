/* The least a program can do to start Java natively: one posix_spawn of its
   arguments. The baseline of a native launcher run; plain_starter.c is the
   Windows one. */

#include <spawn.h>

extern char** environ;

int main(int argc, char** argv) {
  pid_t child;
  if (argc < 2) return 2;
  return posix_spawn(&child, argv[1], NULL, NULL, argv + 1, environ) == 0 ? 0 : 1;
}
