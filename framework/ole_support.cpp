#include "ole_support.h"

#include <ole2.h>
#include <oleauto.h>

#include <cstdio>
#include <cstdlib>

#include "module_state.h"
#include "win_app.h"

namespace {

BOOL controlContainer = FALSE;
BOOL oleInitialised = FALSE;

void UninitialiseOle() {
  if (oleInitialised) ::OleUninitialize();
  oleInitialised = FALSE;
}

}  // namespace

BOOL AfxOleInit() {
  if (oleInitialised) return TRUE;
  if (FAILED(::OleInitialize(nullptr))) return FALSE;
  oleInitialised = TRUE;
  std::atexit(UninitialiseOle);
  return TRUE;
}

void AfxEnableControlContainer() { controlContainer = TRUE; }
BOOL AfxControlContainerEnabled() { return controlContainer; }

void COleObjectFactory::UpdateRegistryAll(BOOL) {}
BOOL COleObjectFactory::RegisterAll() { return TRUE; }
int COleObjectFactory::FactoryCount() { return 0; }
