#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace e2e {

// C:\App of the examples: the launcher beside lib, both properties files,
// a 64-bit Java in jre64.
class StandardInstallation : public testing::Test {
 protected:
  void SetUp() override {
    app.AddLauncher();
    app.MakeDirectory("lib");
    app.Write("launch.properties",
              "classpath.default=lib\\app.jar;lib\\util.jar\n"
              "java64=jre64\n"
              "ABC=-Dapp=abc app.Main\n"
              "QV=-Dapp=qv app.Main\n");
    app.Write("customlaunch.properties", "memory.maximum=512M\n");
    app.AddJava("jre64");
  }

  Installation app;
};

// The log of the standard installation up to the command line, for a run
// started in its folder with the given tail.
std::string StandardLogStart(const std::string& tail);
// launch.properties and customlaunch.properties as the standard
// installation's log shows them.
std::string StandardPropertiesLog();

}  // namespace e2e
