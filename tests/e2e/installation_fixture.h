#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {

// C:\App of the examples: the launcher beside lib, both properties files,
// a 64-bit Java in jre64.
class StandardInstallation : public testing::Test {
 protected:
  void SetUp() override;
  Installation app;
};

extern const char kLaunchProperties[];
extern const char kCustomLaunchProperties[];

// Pieces of the expected log, with LF line ends (Crlf turns them into the
// file's form).
std::string LogStart(const std::string& tail);
std::string NoHandOver();
// The banner, the opened line and every line as logged.
std::string FileSection(const std::string& name, const std::string& path,
                        const std::vector<std::string>& loggedLines);
// Both files of the standard installation, as its log shows them.
std::string StandardPropertiesLog();
std::string StandardLaunchPropertiesLog();
std::string AdditionalParameters(const std::string& read, const std::string& readApp);
// The standard installation's settings with the changes given.
std::map<std::string, std::string> StandardSettings(
    const std::map<std::string, std::string>& changes = {});
std::string Listing(const std::map<std::string, std::string>& settings);
std::string MaintenanceCheck(const std::string& line = "Es existiert keine InWartung.txt");
// The start banner up to the logged command line of a 64-bit start with
// the standard class path.
std::string Java64Start(const std::string& key, const std::string& startValue,
                        const std::string& middle = "");
std::string Report(const std::string& text);
// The names of the launcher's logs in the folder: KivLaunch.log and those
// written beside it.
std::vector<std::string> LogFiles(const std::string& folder);

// Everything of a standard run before the start banner.
std::string StandardRunUntilStart(const std::string& tail,
                                  const std::map<std::string, std::string>& changes = {});

}  // namespace e2e
