// Opening a link target: through the shell, else through the command line
// of the program registered for ".htm" files.
#pragma once

#include "framework.h"

// The shell and process calls used to open targets; tests replace them so
// that no program is ever started.
extern HINSTANCE(WINAPI* LinkShellExecute)(HWND hWnd, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                          LPCWSTR directory, INT show);
extern UINT(WINAPI* LinkWinExec)(LPCSTR commandLine, UINT show);

// The registry value is read with a byte count of 260: at most 129
// characters and the terminator.
const DWORD kRegistryValueChars = 130;
// The fallback command line, terminator included, must fit this.
const int kCommandLineChars = 520;

// Reads the default value of root\subKey as text into buffer (of
// bufferChars characters, at most kRegistryValueChars are used). Returns 0,
// or the error of opening the key or reading the value (missing, not
// text, too long); the buffer is always terminated, empty on failure.
LONG ReadRegistryDefaultValue(HKEY hRoot, LPCWSTR lpszSubKey, LPWSTR lpszBuffer,
                              DWORD bufferChars = kRegistryValueChars);

// The association's command cut at its "%1" (the quoted one first, its
// opening quote going too) with a space and the target appended. FALSE,
// and nothing built, when the result would not fit kCommandLineChars.
BOOL BuildFallbackCommandLine(LPCWSTR lpszCommand, LPCWSTR lpszTarget, CString& commandLine);

// Opens the target with the shell's "open", else runs the ".htm" class's
// open command with it. Above 32 on success, else the error code.
INT_PTR OpenLinkTarget(LPCWSTR lpszTarget, int nShowCmd);

// "Unable to open hyperlink:\n\n" and the reason for an error code.
CString OpenErrorMessage(INT_PTR code);
