// The module's instance and resource handles. The program is one module,
// so this is process-wide data set once at start-up.
#pragma once

#include <windows.h>

struct AFX_MODULE_STATE {
  HINSTANCE m_hCurrentInstanceHandle;
  HINSTANCE m_hCurrentResourceHandle;
  LPCWSTR m_lpszCurrentAppName;
  DWORD m_dwVersion;
};

AFX_MODULE_STATE* AfxGetModuleState();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
// The module holding the named resource of that type.
HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType);

// Switching module state is a no-op in a one-module program.
#define AFX_MANAGE_STATE(p)
