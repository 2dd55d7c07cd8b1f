// The program's folder ("Raw.dat" lies there), the process's number and 8-bit
// texts of the system's code page.
#pragma once

#include <string>

// Folder of the running program, ending with a separator. Found on first
// use; the harness and tests may set it.
extern std::u16string ProgramFolder;
const std::u16string& ProgramFolderPath();

unsigned long ProcessId();

// 8-bit text of the system's ANSI code page (Latin-1 outside Windows).
std::u16string AnsiToUtf16(const std::string& text);
