// "--close-after MS" on a demonstration program's command line: how long
// it stays open by itself (0: until the user closes it).
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <cstdlib>

inline UINT CloseAfterArgument() {
  UINT closeAfter = 0;
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  for (int i = 1; argv != nullptr && i + 1 < argc; ++i)
    if (std::wcscmp(argv[i], L"--close-after") == 0) closeAfter = static_cast<UINT>(_wtoi(argv[i + 1]));
  ::LocalFree(argv);
  return closeAfter;
}
