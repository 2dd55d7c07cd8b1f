// The command bars' state between runs: the places of the bars, the rows
// of the dock bars, the status bar's visibility and the user's customized
// bars, kept in the application's profile (large customizations in a
// hidden file beside it).
#include <shlobj.h>

#include <cstdlib>

#include "bar_layout.h"
#include "command_bar_list.h"
#include "command_bars.h"
#include "dock_bar.h"
#include "menu_bar.h"
#include "prop_exchange.h"
#include "tool_bar.h"

namespace {

const UINT kStatusBarId = 59393;
// Larger controls data goes to a file: the profile is no place for it.
const UINT kMaxProfileControls = 16000;
const UINT kArchiveBuffer = 4096;

CTkToolBar* AsToolBar(CTkCommandBar* bar) {
  return bar != nullptr && bar->IsKindOf(RUNTIME_CLASS(CTkToolBar)) ? static_cast<CTkToolBar*>(bar) : nullptr;
}

CString ProfileSection(LPCWSTR format, LPCWSTR profile) {
  CString section;
  section.Format(format, profile);
  return section;
}

CFrameWnd* FrameworkFrame(CWnd* frame) {
  return frame != nullptr && frame->GetSafeHwnd() != nullptr && frame->IsFrameWnd() ? static_cast<CFrameWnd*>(frame)
                                                                                      : nullptr;
}

BOOL FileExists(LPCWSTR path) { return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// A hidden file is not deleted by every path to it; its attributes go first.
void DeleteFileAnyway(LPCWSTR path) {
  if (!FileExists(path)) return;
  ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(path);
}

BOOL IsAtLeastNT5() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExW(&version)) return FALSE;
#pragma GCC diagnostic pop
  return version.dwPlatformId >= VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
}

// The shell's folder, bound by name: an old shell has no such entry.
BOOL GetShellAppDataFolder(CString& folder) {
  typedef BOOL(WINAPI * SpecialFolderPath)(HWND, LPWSTR, int, BOOL);
  HMODULE shell = ::LoadLibraryW(L"shell32.dll");
  if (shell == nullptr) return FALSE;
  auto query = reinterpret_cast<SpecialFolderPath>(
      reinterpret_cast<void*>(::GetProcAddress(shell, "SHGetSpecialFolderPathW")));
  WCHAR buffer[MAX_PATH] = {};
  const BOOL found = query != nullptr && query(nullptr, buffer, CSIDL_APPDATA, FALSE) && buffer[0] != 0;
  ::FreeLibrary(shell);
  if (found) folder = buffer;
  return found;
}

}  // namespace

void CTkCommandBars::GetLayoutSnapshot(CTkBarLayoutSnapshot& snapshot) {
  for (CTkCommandBar* bar : m_bars) {
    auto* entry = new CTkBarLayoutEntry;
    bar->GetLayoutEntry(*entry);
    snapshot.Add(entry);
  }
}

void CTkCommandBars::SetLayoutSnapshot(const CTkBarLayoutSnapshot& snapshot) {
  for (int i = 0; i < snapshot.GetCount(); ++i) {
    const CTkBarLayoutEntry& entry = *snapshot.GetAt(i);
    CTkCommandBar* bar = FindBarById(entry.nBarID);
    if (bar == nullptr) continue;
    if (entry.bFloating) {
      FloatCommandBar(bar);
    } else if (CTkToolBar* toolBar = AsToolBar(bar)) {
      CWnd* parent = toolBar->GetDockBar() != nullptr ? static_cast<CWnd*>(toolBar->GetDockBar()) : m_pFrame;
      toolBar->SetupBarWindow(parent, FALSE);
    }
    bar->ApplyLayoutEntry(entry);
  }
}

void CTkCommandBars::SaveDockBarsState(LPCWSTR profile) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return;
  for (int d = 0; d < 4; ++d) {
    CString section;
    section.Format(L"%s-DockBar%d", profile, d);
    app->WriteProfileString(section, nullptr, nullptr);
    CTkDockBar* dockBar = m_pDocks[d];
    if (dockBar == nullptr || dockBar->GetEntryCount() <= 1) continue;
    int written = 0;
    int last = -1;
    for (int i = 0; i < dockBar->GetEntryCount(); ++i) {
      CTkToolBar* bar = dockBar->GetBarAt(i);
      const int value = bar != nullptr ? static_cast<int>(bar->GetBarID()) : 0;
      // A run of row ends is one row end.
      if (value == 0 && last == 0) continue;
      CString key;
      key.Format(L"Bar#%d", written++);
      app->WriteProfileInt(section, key, value);
      last = value;
    }
    app->WriteProfileInt(section, L"Bars", written);
  }
  CFrameWnd* frame = FrameworkFrame(m_pFrame);
  CControlBar* status = frame != nullptr ? frame->GetControlBar(kStatusBarId) : nullptr;
  if (status != nullptr && status->GetSafeHwnd() != nullptr && (status->GetStyle() & WS_VISIBLE) == 0)
    app->WriteProfileInt(profile, L"StatusBar", 0);
  else
    app->WriteProfileString(profile, L"StatusBar", nullptr);
}

void CTkCommandBars::LoadDockBarsState(LPCWSTR profile) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return;
  for (int d = 0; d < 4; ++d) {
    CTkDockBar* dockBar = m_pDocks[d];
    if (dockBar == nullptr) continue;
    CString section;
    section.Format(L"%s-DockBar%d", profile, d);
    const int count = static_cast<int>(app->GetProfileInt(section, L"Bars", 0));
    if (count <= 1) continue;
    for (int j = 0; j < count; ++j) {
      CString key;
      key.Format(L"Bar#%d", j);
      CTkToolBar* bar = AsToolBar(FindBarById(app->GetProfileInt(section, key, 0)));
      if (bar != nullptr) {
        if (bar->GetSafeHwnd() != nullptr && ::GetParent(bar->m_hWnd) != dockBar->m_hWnd) bar->SetParent(dockBar);
        if (CTkDockBar* previous = bar->GetDockBar()) previous->RemoveCommandBar(bar);
        bar->SetDockBar(dockBar);
        bar->SetPosition(dockBar->GetPosition());
      }
      dockBar->InsertEntry(j, bar);
    }
    dockBar->RemoveEmptyRows();
  }
  CFrameWnd* frame = FrameworkFrame(m_pFrame);
  CControlBar* status = frame != nullptr ? frame->GetControlBar(kStatusBarId) : nullptr;
  if (status != nullptr && app->GetProfileInt(profile, L"StatusBar", 1) == 0) frame->ShowControlBar(status, FALSE, FALSE);
}

void CTkCommandBars::GetAppDataFilePath(CString& path, LPCWSTR fileName) {
  path.Empty();
  CWinApp* app = AfxGetApp();
  CString folder;
  if (app == nullptr || app->m_pszAppName == nullptr || !IsAtLeastNT5() || !GetShellAppDataFolder(folder)) return;
  folder += L"\\";
  folder += app->m_pszAppName;
  if (!FileExists(folder)) ::CreateDirectoryW(folder, nullptr);
  const DWORD attributes = ::GetFileAttributesW(folder);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return;
  path = folder + L"\\" + fileName;
}

void CTkCommandBars::GetControlsFilePath(CString& path, LPCWSTR profile) {
  CString name(profile);
  name.Replace(L'\\', L'_');
  GetAppDataFilePath(path, name);
  if (!path.IsEmpty()) return;
  WCHAR program[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  path.Format(L"%s-%s", program, static_cast<LPCWSTR>(name));
}

BOOL CTkCommandBars::WriteControlsFile(LPCWSTR path, const BYTE* data, UINT length) {
  CFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive)) return FALSE;
  try {
    file.Write(data, length);
    file.Close();
  } catch (CFileException* e) {
    e->Delete();
    file.Abort();
    DeleteFileAnyway(path);
    return FALSE;
  }
  return TRUE;
}

BOOL CTkCommandBars::StoreControlsData(LPCWSTR profile, const BYTE* data, UINT length) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return FALSE;
  const CString section = ProfileSection(L"%s-Controls", profile);
  CString path;
  GetControlsFilePath(path, profile);
  if (length > kMaxProfileControls) {
    // The new file is complete before it takes the old one's place, and
    // the values change only then: a failed write loses nothing.
    const CString temporary = path + L".new";
    DeleteFileAnyway(temporary);
    if (!WriteControlsFile(temporary, data, length)) {
      DeleteFileAnyway(temporary);
      return FALSE;
    }
    const DWORD oldAttributes = ::GetFileAttributesW(path);
    if (oldAttributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    if (!::MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING)) {
      if (oldAttributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesW(path, oldAttributes);
      DeleteFileAnyway(temporary);
      return FALSE;
    }
    ::SetFileAttributesW(path, FILE_ATTRIBUTE_HIDDEN);
    app->WriteProfileString(section, L"Controls", path);
    app->WriteProfileInt(section, L"LoadFromFile", 1);
    return TRUE;
  }
  if (!app->WriteProfileBinary(section, L"Controls", const_cast<BYTE*>(data), length)) return FALSE;
  app->WriteProfileInt(section, L"LoadFromFile", 0);
  DeleteFileAnyway(path);
  return TRUE;
}

void CTkCommandBars::SaveCommandBarsLayout(LPCWSTR profile, BOOL onlyChanged) {
  CTkBarLayoutSnapshot snapshot;
  GetLayoutSnapshot(snapshot);
  snapshot.SaveToProfile(profile);
  SaveDockBarsState(profile);
  if (m_bCustomizeAllowed) {
    BarsExchangeParams params;
    params.bOnlyChanged = onlyChanged;
    params.pOwner = this;
    CTkCommandBarList list;
    CollectBarsToSave(list, params);
    CMemFile file(1024);
    BOOL stored = FALSE;
    try {
      CArchive archive(&file, CArchive::store, kArchiveBuffer);
      CTkPropExchangeArchive exchange(archive);
      exchange.m_pUserData = &params;
      stored = SaveBarsToExchange(&exchange, list);
      if (stored)
        archive.Close();
      else
        archive.Abort();
    } catch (CException* e) {
      e->Delete();
      stored = FALSE;
    }
    // Data that could not be made leaves what was stored before.
    if (stored) {
      const UINT length = static_cast<UINT>(file.GetLength());
      BYTE* data = file.Detach();
      StoreControlsData(profile, data, length);
      std::free(data);
    }
  }
  if (m_pMenuBar != nullptr && m_pMenuBar->TakeSetsRestored()) {
    if (CFrameWnd* frame = FrameworkFrame(m_pFrame)) frame->OnUpdateFrameMenu(nullptr);
  }
}

BOOL CTkCommandBars::LoadBarsFromArchive(CFile* file, const BarsExchangeParams& params) {
  CTkCommandBarList list;
  BOOL loaded = FALSE;
  try {
    CArchive archive(file, CArchive::load, kArchiveBuffer);
    CTkPropExchangeArchive exchange(archive);
    exchange.m_pUserData = const_cast<BarsExchangeParams*>(&params);
    loaded = LoadBarsFromExchange(&exchange, list);
    archive.Abort();
  } catch (CException* e) {
    e->Delete();
    loaded = FALSE;
  }
  if (!loaded) return FALSE;
  ReconcileChangedToolbars(list, params.bLoadSilent);
  CTkCommandBar* first = FindBarById(1);
  if (first != nullptr && first->IsKindOf(RUNTIME_CLASS(CTkMenuBar))) m_pMenuBar = static_cast<CTkMenuBar*>(first);
  return TRUE;
}

void CTkCommandBars::LoadCommandBarsLayout(LPCWSTR profile, BOOL silent) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return;
  if (m_bCustomizeAllowed) {
    BarsExchangeParams params;
    params.bLoadSilent = silent;
    params.pOwner = this;
    const CString section = ProfileSection(L"%s-Controls", profile);
    if (app->GetProfileInt(section, L"LoadFromFile", 0) != 0) {
      const CString path = app->GetProfileString(section, L"Controls", L"");
      CFile file;
      // A file that cannot be opened is skipped.
      if (!path.IsEmpty() && file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) LoadBarsFromArchive(&file, params);
    } else {
      BYTE* data = nullptr;
      UINT size = 0;
      if (app->GetProfileBinary(section, L"Controls", &data, &size) && data != nullptr) {
        CMemFile file(data, size);
        LoadBarsFromArchive(&file, params);
      }
      delete[] data;
    }
  }
  CTkBarLayoutSnapshot snapshot;
  snapshot.LoadFromProfile(profile);
  LoadDockBarsState(profile);
  SetLayoutSnapshot(snapshot);
  RecalcFrameLayout(TRUE);
}
