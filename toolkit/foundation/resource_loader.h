// The toolkit's resources (ids from 9000 up) are loaded through one
// object: from the toolkit's resource module when one is set, else from
// the program's own resources.
#pragma once

#include "framework.h"

// The module holding the toolkit's resources; null means the program.
extern HINSTANCE ToolkitResourceHandle;
// The instance handle installed while switched when the module state has none.
extern HINSTANCE ToolkitInstanceHandle;
HINSTANCE GetToolkitResourceHandle();

// Makes the toolkit module the framework's resource handle for one scope.
class CTkResourceHandleSwitch {
 public:
  CTkResourceHandleSwitch();
  ~CTkResourceHandleSwitch() { Restore(); }
  CTkResourceHandleSwitch(const CTkResourceHandleSwitch&) = delete;
  CTkResourceHandleSwitch& operator=(const CTkResourceHandleSwitch&) = delete;
  void Restore();

 private:
  BYTE m_bActive = FALSE;
  HINSTANCE m_hSavedResource = nullptr;
  HINSTANCE m_hSavedInstance = nullptr;
};

class CTkResourceLoader {
 public:
  CTkResourceLoader() = default;
  virtual ~CTkResourceLoader() { FreeResourceModule(); }
  CTkResourceLoader(const CTkResourceLoader&) = delete;
  CTkResourceLoader& operator=(const CTkResourceLoader&) = delete;

  virtual BOOL LoadString(CString& string, UINT id);
  virtual BOOL LoadMenu(CMenu& menu, UINT id);
  // The bar's own loading, with the toolkit module as resource handle.
  virtual BOOL LoadToolBar(CToolBar& toolBar, UINT id);
  virtual BOOL LoadBitmap(CBitmap& bitmap, UINT id);
  virtual HCURSOR LoadCursor(UINT id);
  virtual LPCDLGTEMPLATEW LoadDialogTemplate(UINT id);
  virtual void FreeResourceModule();

  int ShowMessage(UINT stringId, UINT style);

 private:
  HMODULE m_hModule = nullptr;
};

CTkResourceLoader* GetToolkitResourceLoader();
