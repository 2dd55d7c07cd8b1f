#include "module_state.h"

AFX_MODULE_STATE* AfxGetModuleState() {
  static AFX_MODULE_STATE state = {::GetModuleHandleW(nullptr), ::GetModuleHandleW(nullptr), nullptr, 0x0420};
  return &state;
}

HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }
void AfxSetResourceHandle(HINSTANCE hInstResource) {
  AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType) {
  HINSTANCE resources = AfxGetResourceHandle();
  if (::FindResourceW(resources, lpszName, lpszType) != nullptr) return resources;
  HINSTANCE instance = AfxGetInstanceHandle();
  if (instance != resources && ::FindResourceW(instance, lpszName, lpszType) != nullptr) return instance;
  return resources;
}
