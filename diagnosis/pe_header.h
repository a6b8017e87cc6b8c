#pragma once

#include <string>

constexpr unsigned kMachineI386 = 0x14C;
constexpr unsigned kMachineAmd64 = 0x8664;

// The machine field of a Windows program's PE header: the MS-DOS header's
// e_lfanew (offset 0x3C) leads to "PE\0\0", the machine follows as a
// little-endian 16-bit number. 0 when the bytes are no such program.
unsigned PeMachine(const std::string& bytes);

// PeMachine of the file's first bytes; 0 when it cannot be read.
unsigned ReadPeMachine(const std::string& path);
