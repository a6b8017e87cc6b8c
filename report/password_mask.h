#pragma once

#include <string>

// The value of every "Dautologin.pwd=" option reads "xxxx".
std::string MaskPassword(const std::string& text);
