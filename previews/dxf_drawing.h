// The drawing library "DXF.dll", loaded by name: it loads, keeps and paints
// drawings. Every operation answers 0 while the library or one of its 20
// entry points is missing. Entry points use the standard Win32 calling
// convention.
#pragma once

#include <windows.h>

#include <cstddef>

// The view properties the library fills and takes back; other bytes are
// passed back unchanged.
struct DxfViewProperties {
    BYTE reserved0[4];
    INT32 left, top, right, bottom;
    BYTE reserved20[4];
    double originX, originY;  // drawing units
    BYTE reserved40[16];
    double scale;  // pixels per drawing unit
    double zoom;
};
static_assert(sizeof(DxfViewProperties) == 72, "the library's record is 72 bytes");
static_assert(offsetof(DxfViewProperties, originX) == 24 && offsetof(DxfViewProperties, scale) == 56,
              "the library's field offsets");

class CDxfDrawing {
public:
    ~CDxfDrawing() { Unload(); }
    BOOL Load();
    void Unload();
    BOOL IsUsable() const { return m_usable; }
    BOOL HasDrawing() const { return m_usable && m_drawing; }
    BOOL Create();
    BOOL Destroy();
    BOOL LoadFile(LPCSTR path, HWND window);
    BOOL InitView(int x, int y, int width, int height);
    BOOL Paint(HDC dc);
    BOOL GetViewProperties(DxfViewProperties* properties);
    BOOL SetViewProperties(DxfViewProperties* properties);
    BOOL ZoomExtents();
    double GetZoom();
    // Keeps the window's centre on the same drawing point.
    BOOL SetZoom(double zoom);

private:
    typedef HANDLE(WINAPI* CreateProc)();
    typedef BOOL(WINAPI* DrawingProc)(HANDLE);
    typedef BOOL(WINAPI* LoadProc)(HANDLE, int, int, LPCSTR, HWND);
    typedef BOOL(WINAPI* InitViewProc)(HANDLE, int, int, int, int);
    typedef BOOL(WINAPI* PaintProc)(HANDLE, HDC);
    typedef BOOL(WINAPI* PropertiesProc)(HANDLE, DxfViewProperties*);

    enum {
        kCreate, kDestroy, kAddTableType, kDeleteTableType, kFindTableType, kAddBlock, kDeleteBlock,
        kFindBlock, kAddEntity, kDeleteEntity, kChangeEntity, kFindEntity, kSaveDataToFile,
        kLoadDataFromFile, kInitView, kPaint, kGetViewProperties, kSetViewProperties,
        kGetDrawingBorder, kZoomExtents, kEntryPoints
    };
    template <typename Proc>
    Proc Entry(int index) const {
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(m_entries[index]));
    }

    HMODULE m_library = nullptr;
    HANDLE m_drawing = nullptr;
    BOOL m_usable = FALSE;
    FARPROC m_entries[kEntryPoints] = {};
};
