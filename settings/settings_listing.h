#pragma once

#include <string>

#include "settings/settings.h"

// Every setting as "key = value", the automatic-login keys left out.
void LogAllSettings(const Settings& settings);
