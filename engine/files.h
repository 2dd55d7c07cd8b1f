// Files beside the device: opening by UTF-16 path, the temporary and the
// program's folders, and 8-bit texts of the system's code page.
#pragma once

#include <cstdio>
#include <string>

// fopen with a UTF-16 path; null on failure.
std::FILE* OpenFile(const std::u16string& path, const char* mode);
// Deletes a file; silent when it does not exist.
void RemoveFile(const std::u16string& path);
// Deletes the files (not the subfolders) of a folder, then the folder when
// it has become empty.
void RemoveFolderFiles(const std::u16string& folder);

unsigned long ProcessId();

// The system's temporary folder, ending with a separator.
std::u16string TemporaryFolderPath();

// Folder of the running program, ending with a separator; "Raw.dat" lies
// there. Found on first use; the harness and tests may set it.
extern std::u16string ProgramFolder;
const std::u16string& ProgramFolderPath();

// 8-bit text of the system's ANSI code page (Latin-1 outside Windows).
std::u16string AnsiToUtf16(const std::string& text);
std::string Utf16ToAnsi(const std::u16string& text);
