// OLE start-up for the program, the control-container flag, the class
// factories' registration and the DAO engine's start (dao_classes.h has the
// database classes).
#pragma once

#include "cmd_target.h"
#include "cstring.h"
#include "exceptions.h"
#include "object.h"

// OLE for the calling thread; uninitialised again at process exit. FALSE
// when OLE cannot be initialised.
BOOL AfxOleInit();
// Windows may host ActiveX controls (the previews create them).
void AfxEnableControlContainer();
BOOL AfxControlContainerEnabled();

// The program's OLE class factories (it has none).
class COleObjectFactory : public CCmdTarget {
 public:
  static void UpdateRegistryAll(BOOL bRegister = TRUE);
  static BOOL RegisterAll();
  static int FactoryCount();
};

class COleTemplateServer : public COleObjectFactory {};

// Loads the DAO engine's class when it is registered; nothing fails here.
void AfxDaoInit();
void AfxDaoTerm();

#include "dao_classes.h"
