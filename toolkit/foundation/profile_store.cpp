#include "profile_store.h"

#include <cstring>
#include <cwchar>
#include <vector>

CString ProfileIniFileName;

namespace {

const REGSAM kReadAccess = KEY_READ;
const REGSAM kWriteAccess = KEY_READ | KEY_WRITE;
const DWORD kIniTextLimit = 4096;

int WriteResult(LONG status) {
  if (status == ERROR_ACCESS_DENIED) return -1;
  return status == ERROR_SUCCESS ? 1 : 0;
}

bool UseIniFile() { return !ProfileIniFileName.IsEmpty(); }

const WCHAR kDefaultPlacementName[] = L"Window Position";
const WCHAR kDefaultPlacementSection[] = L"Settings";

}  // namespace

CString EncodeLetterPairs(const BYTE* bytes, UINT count) {
  CString text;
  LPWSTR out = text.GetBufferSetLength(static_cast<int>(count * 2));
  for (UINT i = 0; i < count; ++i) {
    out[2 * i] = static_cast<WCHAR>(L'A' + (bytes[i] & 0x0F));
    out[2 * i + 1] = static_cast<WCHAR>(L'A' + (bytes[i] >> 4));
  }
  return text;
}

void DecodeLetterPairs(LPCWSTR text, BYTE* bytes, UINT count) {
  for (UINT i = 0; i < count; ++i)
    bytes[i] = static_cast<BYTE>((text[2 * i] - L'A') + 16 * (text[2 * i + 1] - L'A'));
}

BOOL ReadRegistryText(HKEY key, LPCWSTR name, CString& text) {
  DWORD type = 0, size = 0;
  if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) return FALSE;
  // Room for the value (an odd byte count included) and one zero more
  // than we let the registry fill, so the text ends even when the stored
  // value carries no terminating zero.
  std::vector<WCHAR> buffer(size / sizeof(WCHAR) + 2, 0);
  DWORD capacity = static_cast<DWORD>((buffer.size() - 1) * sizeof(WCHAR));
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &capacity) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return FALSE;
  text = buffer.data();
  return TRUE;
}

BOOL CTkProfileStore::ResolveAppNames() {
  if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr || app->m_pszRegistryKey == nullptr || app->m_pszProfileName == nullptr) return FALSE;
    m_pszRegistryKey = app->m_pszRegistryKey;
    m_pszProfileName = app->m_pszProfileName;
  }
  return m_pszRegistryKey[0] != 0 && m_pszProfileName[0] != 0;
}

HKEY CTkProfileStore::OpenAppKey(REGSAM access) {
  if (!ResolveAppNames()) return nullptr;
  HKEY software = nullptr, company = nullptr, profile = nullptr;
  if (::RegOpenKeyExW(m_hRoot, L"Software", 0, access, &software) != ERROR_SUCCESS) return nullptr;
  DWORD disposition;
  if (::RegCreateKeyExW(software, m_pszRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &company,
                        &disposition) == ERROR_SUCCESS) {
    if (::RegCreateKeyExW(company, m_pszProfileName, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                          &profile, &disposition) != ERROR_SUCCESS)
      profile = nullptr;
    ::RegCloseKey(company);
  }
  ::RegCloseKey(software);
  return profile;
}

HKEY CTkProfileStore::OpenSectionKey(LPCWSTR section, REGSAM access) {
  HKEY app = OpenAppKey(access);
  if (app == nullptr) return nullptr;
  HKEY key = nullptr;
  DWORD disposition;
  if (::RegCreateKeyExW(app, section, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key, &disposition) !=
      ERROR_SUCCESS)
    key = nullptr;
  ::RegCloseKey(app);
  return key;
}

int CTkProfileStore::WriteText(LPCWSTR section, LPCWSTR valueName, LPCWSTR text) {
  if (UseIniFile()) return ::WritePrivateProfileStringW(section, valueName, text, ProfileIniFileName);
  if (!ResolveAppNames()) return 0;
  if (valueName == nullptr) {
    HKEY app = OpenAppKey(0);
    if (app == nullptr) return 0;
    LONG status = ::RegDeleteKeyW(app, section);
    ::RegCloseKey(app);
    return WriteResult(status);
  }
  HKEY key = OpenSectionKey(section, kWriteAccess);
  if (key == nullptr) return 0;
  LONG status = text == nullptr ? ::RegDeleteValueW(key, valueName)
                                : ::RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                                   static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(WCHAR)));
  ::RegCloseKey(key);
  return WriteResult(status);
}

CString CTkProfileStore::ReadText(LPCWSTR section, LPCWSTR valueName, LPCWSTR defaultText) {
  if (UseIniFile()) {
    std::vector<WCHAR> buffer(kIniTextLimit, 0);
    DWORD n = ::GetPrivateProfileStringW(section, valueName, defaultText != nullptr ? defaultText : L"",
                                         buffer.data(), kIniTextLimit, ProfileIniFileName);
    return CString(buffer.data(), static_cast<int>(n < kIniTextLimit ? n : kIniTextLimit - 1));
  }
  CString text(defaultText);
  if (!ResolveAppNames()) return text;
  HKEY key = OpenSectionKey(section, kReadAccess);
  if (key == nullptr) return text;
  CString stored;
  if (ReadRegistryText(key, valueName, stored)) text = stored;
  ::RegCloseKey(key);
  return text;
}

int CTkProfileStore::WriteBytes(LPCWSTR section, LPCWSTR valueName, const BYTE* bytes, UINT count) {
  if (UseIniFile()) return WriteText(section, valueName, EncodeLetterPairs(bytes, count));
  if (!ResolveAppNames()) return 0;
  HKEY key = OpenSectionKey(section, kWriteAccess);
  if (key == nullptr) return 0;
  LONG status = ::RegSetValueExW(key, valueName, 0, REG_BINARY, bytes, count);
  ::RegCloseKey(key);
  return WriteResult(status);
}

BOOL CTkProfileStore::ReadBytes(LPCWSTR section, LPCWSTR valueName, BYTE** bytes, UINT* count) {
  *bytes = nullptr;
  *count = 0;
  if (UseIniFile()) {
    CString text = ReadText(section, valueName, nullptr);
    if (text.IsEmpty()) return FALSE;
    *count = static_cast<UINT>(text.GetLength() / 2);
    *bytes = new BYTE[*count != 0 ? *count : 1];
    DecodeLetterPairs(text, *bytes, *count);
    return TRUE;
  }
  if (!ResolveAppNames()) return FALSE;
  HKEY key = OpenSectionKey(section, kReadAccess);
  if (key == nullptr) return FALSE;
  DWORD type = 0, size = 0;
  BOOL ok = FALSE;
  if (::RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    BYTE* data = new BYTE[size != 0 ? size : 1];
    if (::RegQueryValueExW(key, valueName, nullptr, &type, data, &size) == ERROR_SUCCESS) {
      *bytes = data;
      *count = size;
      ok = TRUE;
    } else {
      delete[] data;
    }
  }
  ::RegCloseKey(key);
  return ok;
}

CTkWindowPlacementStore::CTkWindowPlacementStore() {
  ZeroMemory(&m_record, sizeof m_record);
  m_record.placement.length = sizeof m_record;
  m_record.placement.showCmd = SW_SHOW;
}

BOOL CTkWindowPlacementStore::SaveWindowPlacement(CWnd* pWnd, LPCWSTR valueName, LPCWSTR section) {
  HWND hWnd = pWnd->GetSafeHwnd();
  if (hWnd == nullptr || !::IsWindow(hWnd)) return FALSE;
  // Windows takes only its own 44-byte record; the stored value keeps 48.
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (!::GetWindowPlacement(hWnd, &placement)) return FALSE;
  m_record.placement = placement;
  m_record.placement.length = sizeof m_record;
  if (m_record.placement.showCmd != SW_SHOWMAXIMIZED) m_record.placement.showCmd = SW_SHOWNORMAL;
  CTkProfileStore store(HKEY_CURRENT_USER);
  return store.WriteBytes(section != nullptr ? section : kDefaultPlacementSection,
                          valueName != nullptr ? valueName : kDefaultPlacementName,
                          reinterpret_cast<const BYTE*>(&m_record), sizeof m_record) > 0;
}

BOOL CTkWindowPlacementStore::LoadWindowPlacement(LPCWSTR valueName, LPCWSTR section) {
  CTkProfileStore store(HKEY_CURRENT_USER);
  BYTE* bytes = nullptr;
  UINT count = 0;
  if (!store.ReadBytes(section != nullptr ? section : kDefaultPlacementSection,
                       valueName != nullptr ? valueName : kDefaultPlacementName, &bytes, &count))
    return FALSE;
  BOOL ok = count == sizeof m_record;
  if (ok) std::memcpy(&m_record, bytes, sizeof m_record);
  delete[] bytes;
  return ok;
}

BOOL CTkWindowPlacementStore::RestoreWindowPlacement(CWnd* pWnd, LPCWSTR valueName, LPCWSTR section) {
  HWND hWnd = pWnd->GetSafeHwnd();
  if (hWnd == nullptr || !::IsWindow(hWnd) || !LoadWindowPlacement(valueName, section)) return FALSE;
  WINDOWPLACEMENT placement = m_record.placement;
  placement.length = sizeof placement;
  return ::SetWindowPlacement(hWnd, &placement);
}
