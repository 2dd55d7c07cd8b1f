#include "file_type_access.h"

IMPLEMENT_DYNAMIC(CGCFileTypeAccess, CObject)

BOOL CGCFileTypeAccess::WriteRegistryString(HKEY root, LPCWSTR subkey, LPCWSTR valueName, LPCWSTR text) {
  if (root == nullptr || subkey == nullptr || *subkey == 0 || valueName == nullptr || text == nullptr) {
    ::SetLastError(static_cast<DWORD>(E_INVALIDARG));
    return FALSE;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return FALSE;
  const DWORD bytes = static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(WCHAR));
  const BOOL written = RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) ==
                       ERROR_SUCCESS;
  RegCloseKey(key);
  return written;
}

BOOL CGCFileTypeAccess::RegisterAll() {
  RegisterExtension();
  RegisterProgId();
  return TRUE;
}

BOOL CGCFileTypeAccess::RegisterExtension() {
  if (m_extension.IsEmpty()) return TRUE;
  const CString key = L"." + m_extension;
  WriteRegistryString(HKEY_CLASSES_ROOT, key, L"", m_progId);
  if (!m_extensionOpenCommand.IsEmpty())
    WriteRegistryString(HKEY_CLASSES_ROOT, key + L"\\shell\\open\\command", L"", m_extensionOpenCommand);
  return TRUE;
}

BOOL CGCFileTypeAccess::RegisterProgId() {
  if (m_progId.IsEmpty()) return TRUE;
  WriteRegistryString(HKEY_CLASSES_ROOT, m_progId, L"", m_progIdDescription);
  if (!m_defaultIcon.IsEmpty())
    WriteRegistryString(HKEY_CLASSES_ROOT, m_progId + L"\\DefaultIcon", L"", m_defaultIcon);
  if (!m_progIdOpenCommand.IsEmpty())
    WriteRegistryString(HKEY_CLASSES_ROOT, m_progId + L"\\shell\\open\\command", L"", m_progIdOpenCommand);
  return TRUE;
}

CString SnapshotOpenCommand(LPCWSTR programPath) {
  CString command;
  command.Format(L"\"%ls\" \"%%0\"", programPath);
  return command;
}

void RegisterSnapshotFileType(LPCWSTR programPath) {
  const CString command = SnapshotOpenCommand(programPath);
  CGCFileTypeAccess access;
  access.SetExtension(L"wrx");
  access.SetExtensionOpenCommand(command);
  access.SetProgId(L"Tarnwick.Document");
  access.SetDefaultIcon(CString(programPath) + L",1");
  access.SetProgIdOpenCommand(command);
  access.RegisterAll();
}
