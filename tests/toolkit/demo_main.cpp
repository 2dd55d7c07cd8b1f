// The entry point of the toolkit's demonstration programs: the wide command
// line goes to their application object.
#include "framework.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, GetCommandLineW(), nCmdShow);
}
