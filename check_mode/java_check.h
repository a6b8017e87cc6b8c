#pragma once

#include <string>

#include "check_mode/findings.h"

// Per bit width: keys, folder, javaw.exe, its bit width, release, archive.
void ReviewJava(const CheckRun& check, Findings& findings);

constexpr unsigned kMachineI386 = 0x14C;
constexpr unsigned kMachineAmd64 = 0x8664;
// The machine field of a Windows program's PE header, behind "PE\0\0" where
// e_lfanew (offset 0x3C) points; 0 when the bytes are no such program.
unsigned PeMachine(const std::string& bytes);
unsigned ReadPeMachine(const std::string& path);
