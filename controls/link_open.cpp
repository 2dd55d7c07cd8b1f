#include "link_open.h"

#include <shellapi.h>

#include <vector>

HINSTANCE(WINAPI* LinkShellExecute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) = &::ShellExecuteW;
UINT(WINAPI* LinkWinExec)(LPCSTR, UINT) = &::WinExec;

LONG ReadRegistryDefaultValue(HKEY hRoot, LPCWSTR lpszSubKey, LPWSTR lpszBuffer, DWORD bufferChars) {
  if (lpszBuffer == nullptr || bufferChars == 0) return ERROR_INVALID_PARAMETER;
  lpszBuffer[0] = 0;
  HKEY hKey = nullptr;
  LONG status = ::RegOpenKeyExW(hRoot, lpszSubKey, 0, KEY_QUERY_VALUE, &hKey);
  if (status != ERROR_SUCCESS) return status;
  DWORD chars = bufferChars < kRegistryValueChars ? bufferChars : kRegistryValueChars;
  std::vector<WCHAR> value(chars + 1, 0);
  DWORD type = 0;
  DWORD bytes = chars * sizeof(WCHAR);
  status = ::RegQueryValueExW(hKey, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(value.data()), &bytes);
  ::RegCloseKey(hKey);
  if (status == ERROR_SUCCESS && type != REG_SZ && type != REG_EXPAND_SZ) status = ERROR_INVALID_DATATYPE;
  if (status != ERROR_SUCCESS) return status;
  // A value stored without its terminator still ends inside the buffer.
  DWORD length = bytes / sizeof(WCHAR);
  while (length > 0 && value[length - 1] == 0) --length;
  if (length >= chars) return ERROR_MORE_DATA;
  wmemcpy(lpszBuffer, value.data(), length);
  lpszBuffer[length] = 0;
  return ERROR_SUCCESS;
}

BOOL BuildFallbackCommandLine(LPCWSTR lpszCommand, LPCWSTR lpszTarget, CString& commandLine) {
  CString command(lpszCommand);
  int cut = command.Find(L"\"%1\"");
  if (cut < 0) cut = command.Find(L"%1");
  if (cut >= 0) command = command.Left(cut);
  CString built = command + L" " + lpszTarget;
  if (built.GetLength() + 1 > kCommandLineChars) return FALSE;
  commandLine = built;
  return TRUE;
}

INT_PTR OpenLinkTarget(LPCWSTR lpszTarget, int nShowCmd) {
  INT_PTR result =
      reinterpret_cast<INT_PTR>(LinkShellExecute(nullptr, L"open", lpszTarget, nullptr, nullptr, nShowCmd));
  if (result > 32) return result;
  WCHAR htmlClass[kRegistryValueChars];
  // An empty value names no handler: running " target" would start the target itself.
  if (ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, L".htm", htmlClass) != ERROR_SUCCESS || htmlClass[0] == 0)
    return result;
  CString key = CString(htmlClass) + L"\\shell\\open\\command";
  WCHAR command[kRegistryValueChars];
  if (ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, key, command) != ERROR_SUCCESS || command[0] == 0) return result;
  // A command line that does not fit is not run, and not cut either.
  CString commandLine;
  if (!BuildFallbackCommandLine(command, lpszTarget, commandLine)) return result;
  return static_cast<INT_PTR>(LinkWinExec(commandLine.ToAnsi().c_str(), static_cast<UINT>(nShowCmd)));
}

CString OpenErrorMessage(INT_PTR code) {
  static const struct {
    INT_PTR code;
    LPCWSTR text;
  } kReasons[] = {
      {0, L"The operating system is out\nof memory or resources."},
      {2, L"The specified file was not found."},
      {3, L"The specified path was not found."},
      {5, L"The operating system denied\naccess to the specified file."},
      {8, L"There was not enough memory to complete the operation."},
      {11, L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
      {26, L"A sharing violation occurred. "},
      {27, L"The filename association is\nincomplete or invalid."},
      {28, L"The DDE transaction could not\nbe completed because the request timed out."},
      {29, L"The DDE transaction failed."},
      {30, L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
      {31, L"There is no application associated\nwith the given filename extension."},
      {32, L"The specified dynamic-link library was not found."},
  };
  CString reason;
  for (const auto& entry : kReasons)
    if (entry.code == code) reason = entry.text;
  if (reason.IsEmpty()) reason.Format(L"Unknown Error (%d) occurred.", static_cast<int>(code));
  return CString(L"Unable to open hyperlink:\n\n") + reason;
}
