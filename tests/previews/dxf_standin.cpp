// A stand-in for the drawing library, built for the tests only and placed
// beside them in a folder of its own: it records the calls it gets and
// keeps one view-properties record.
#include <windows.h>

#include <cstring>

namespace {
char calls[4096];
BYTE properties[72];

void Record(const char* name) {
    if (strlen(calls) + strlen(name) + 2 < sizeof calls) {
        strcat(calls, name);
        strcat(calls, " ");
    }
}
}  // namespace

#define STANDIN extern "C" __declspec(dllexport)

STANDIN const char* WINAPI standinCalls() { return calls; }
STANDIN BYTE* WINAPI standinProperties() { return properties; }
STANDIN HANDLE WINAPI drwCreate() { Record("drwCreate"); return HANDLE(0x1234); }
STANDIN BOOL WINAPI drwDestroy(HANDLE) { Record("drwDestroy"); return TRUE; }
STANDIN BOOL WINAPI drwLoadDataFromFile(HANDLE, int, int, LPCSTR, HWND) { Record("drwLoadDataFromFile"); return TRUE; }
STANDIN BOOL WINAPI drwInitView(HANDLE, int, int, int, int) { Record("drwInitView"); return TRUE; }
STANDIN BOOL WINAPI drwPaint(HANDLE, HDC) { Record("drwPaint"); return TRUE; }
STANDIN BOOL WINAPI drwGetViewProperties(HANDLE, BYTE* record) {
    Record("drwGetViewProperties");
    memcpy(record, properties, sizeof properties);
    return TRUE;
}
STANDIN BOOL WINAPI drwSetViewProperties(HANDLE, const BYTE* record) {
    Record("drwSetViewProperties");
    memcpy(properties, record, sizeof properties);
    return TRUE;
}
STANDIN BOOL WINAPI drwZoomExtents(HANDLE) { Record("drwZoomExtents"); return TRUE; }
#define UNUSED_ENTRY(name) STANDIN BOOL WINAPI name() { Record(#name); return FALSE; }
UNUSED_ENTRY(drwAddTableType)
UNUSED_ENTRY(drwDeleteTableType)
UNUSED_ENTRY(drwFindTableType)
UNUSED_ENTRY(drwAddBlock)
UNUSED_ENTRY(drwDeleteBlock)
UNUSED_ENTRY(drwFindBlock)
UNUSED_ENTRY(drwAddEntity)
UNUSED_ENTRY(drwDeleteEntity)
UNUSED_ENTRY(drwChangeEntity)
UNUSED_ENTRY(drwFindEntity)
UNUSED_ENTRY(drwSaveDataToFile)
#ifndef STANDIN_WITHOUT_BORDER
UNUSED_ENTRY(drwGetDrawingBorder)
#endif
