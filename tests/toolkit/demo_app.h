// The application object of the toolkit's demonstration programs: the look
// a demo chose is let go when it ends. Their entry point is demo_main.cpp.
#pragma once

#include "bar_painter.h"
#include "framework.h"

class CTkDemoApp : public CWinApp {
 public:
  explicit CTkDemoApp(LPCWSTR name) : CWinApp(name) {}
  int ExitInstance() override {
    ReleaseCurrentBarPainter();
    return CWinApp::ExitInstance();
  }
};
