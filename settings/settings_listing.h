#pragma once

#include <string>

#include "settings/settings.h"

// Every setting as "key = value", the automatic-login keys left out.
void LogAllSettings(const Settings& settings);

// The value of every "Dautologin.pwd=" option reads "xxxx".
std::string MaskPassword(const std::string& text);
