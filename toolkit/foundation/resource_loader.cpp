#include "resource_loader.h"

#include <memory>

HINSTANCE ToolkitResourceHandle = nullptr;
HINSTANCE ToolkitInstanceHandle = nullptr;

HINSTANCE GetToolkitResourceHandle() { return ToolkitResourceHandle; }

CTkResourceHandleSwitch::CTkResourceHandleSwitch() {
  if (ToolkitResourceHandle == nullptr) return;
  AFX_MODULE_STATE* state = AfxGetModuleState();
  m_hSavedResource = state->m_hCurrentResourceHandle;
  m_hSavedInstance = state->m_hCurrentInstanceHandle;
  state->m_hCurrentResourceHandle = ToolkitResourceHandle;
  if (state->m_hCurrentInstanceHandle == nullptr) state->m_hCurrentInstanceHandle = ToolkitInstanceHandle;
  m_bActive = TRUE;
}

void CTkResourceHandleSwitch::Restore() {
  if (!m_bActive) return;
  AFX_MODULE_STATE* state = AfxGetModuleState();
  state->m_hCurrentResourceHandle = m_hSavedResource;
  state->m_hCurrentInstanceHandle = m_hSavedInstance;
  m_bActive = FALSE;
}

namespace {

// Tries the toolkit module (when it holds the resource), then the program.
template <class Load>
auto LoadFromToolkitFirst(LPCWSTR name, LPCWSTR type, Load load) -> decltype(load()) {
  if (ToolkitResourceHandle != nullptr && ::FindResourceW(ToolkitResourceHandle, name, type) != nullptr) {
    CTkResourceHandleSwitch toolkit;
    if (auto result = load()) return result;
  }
  return load();
}

}  // namespace

BOOL CTkResourceLoader::LoadString(CString& string, UINT id) {
  return LoadFromToolkitFirst(MAKEINTRESOURCEW((id >> 4) + 1), RT_STRING,
                              [&] { return string.LoadString(id); });
}

BOOL CTkResourceLoader::LoadMenu(CMenu& menu, UINT id) {
  return LoadFromToolkitFirst(MAKEINTRESOURCEW(id), RT_MENU, [&] { return menu.LoadMenu(id); });
}

BOOL CTkResourceLoader::LoadToolBar(CToolBar& toolBar, UINT id) {
  CTkResourceHandleSwitch toolkit;
  return toolBar.LoadToolBar(id);
}

BOOL CTkResourceLoader::LoadBitmap(CBitmap& bitmap, UINT id) {
  return LoadFromToolkitFirst(MAKEINTRESOURCEW(id), RT_BITMAP, [&] { return bitmap.LoadBitmap(id); });
}

HCURSOR CTkResourceLoader::LoadCursor(UINT id) {
  LPCWSTR name = MAKEINTRESOURCEW(id);
  return LoadFromToolkitFirst(name, RT_GROUP_CURSOR, [&] {
    return ::LoadCursorW(AfxFindResourceHandle(name, RT_GROUP_CURSOR), name);
  });
}

LPCDLGTEMPLATEW CTkResourceLoader::LoadDialogTemplate(UINT id) {
  LPCWSTR name = MAKEINTRESOURCEW(id);
  HINSTANCE module = ToolkitResourceHandle;
  HRSRC resource = module != nullptr ? ::FindResourceW(module, name, RT_DIALOG) : nullptr;
  if (resource == nullptr) {
    module = AfxFindResourceHandle(name, RT_DIALOG);
    resource = ::FindResourceW(module, name, RT_DIALOG);
  }
  if (resource == nullptr) return nullptr;
  HGLOBAL loaded = ::LoadResource(module, resource);
  return loaded != nullptr ? static_cast<LPCDLGTEMPLATEW>(::LockResource(loaded)) : nullptr;
}

void CTkResourceLoader::FreeResourceModule() {
  if (m_hModule != nullptr) ::FreeLibrary(m_hModule);
  m_hModule = nullptr;
}

int CTkResourceLoader::ShowMessage(UINT stringId, UINT style) {
  CString text;
  LoadString(text, stringId);
  return AfxMessageBox(text, style);
}

CTkResourceLoader* GetToolkitResourceLoader() {
  static std::unique_ptr<CTkResourceLoader> loader(new CTkResourceLoader);
  return loader.get();
}
