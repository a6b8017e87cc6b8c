#include "settings/command_line_keys.h"

const std::vector<std::string>& CopiedCommandLineKeys() {
  static const std::vector<std::string> keys = {"start",
                                                "classpath.default",
                                                "classpath.help",
                                                "classpath.extra",
                                                "classpath.prepend32",
                                                "classpath.prepend64",
                                                "launcher.keep",
                                                "launcher.keep_and_kill",
                                                "launcher.service",
                                                "launcher.ignore_inwartung",
                                                "Dclientname",
                                                "Dautologin.user",
                                                "Dautologin.pwd",
                                                "DKivLaunchService.version",
                                                "java",
                                                "java64",
                                                "launcher.java_output",
                                                "launcher.java_watch",
                                                "launcher.class_archive"};
  return keys;
}
