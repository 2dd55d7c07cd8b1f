#include "dxf_drawing.h"

namespace {

const char* const kEntryNames[] = {
    "drwCreate", "drwDestroy", "drwAddTableType", "drwDeleteTableType", "drwFindTableType",
    "drwAddBlock", "drwDeleteBlock", "drwFindBlock", "drwAddEntity", "drwDeleteEntity",
    "drwChangeEntity", "drwFindEntity", "drwSaveDataToFile", "drwLoadDataFromFile", "drwInitView",
    "drwPaint", "drwGetViewProperties", "drwSetViewProperties", "drwGetDrawingBorder", "drwZoomExtents",
};

}  // namespace

BOOL CDxfDrawing::Load() {
    Unload();
    m_library = LoadLibraryW(L"DXF.dll");
    if (!m_library) return FALSE;
    for (int i = 0; i < kEntryPoints; ++i) {
        m_entries[i] = GetProcAddress(m_library, kEntryNames[i]);
        if (!m_entries[i]) return FALSE;
    }
    m_usable = TRUE;
    return TRUE;
}

void CDxfDrawing::Unload() {
    if (m_drawing) Destroy();
    m_drawing = nullptr;
    if (m_library) FreeLibrary(m_library);
    m_library = nullptr;
    m_usable = FALSE;
    for (FARPROC& entry : m_entries) entry = nullptr;
}

BOOL CDxfDrawing::Create() {
    if (!m_usable || m_drawing) return FALSE;
    m_drawing = Entry<CreateProc>(kCreate)();
    return m_drawing != nullptr;
}

BOOL CDxfDrawing::Destroy() {
    if (!m_usable) return FALSE;
    BOOL result = Entry<DrawingProc>(kDestroy)(m_drawing);
    if (result) m_drawing = nullptr;
    return result;
}

BOOL CDxfDrawing::LoadFile(LPCSTR path, HWND window) {
    if (!m_usable) return FALSE;
    return Entry<LoadProc>(kLoadDataFromFile)(m_drawing, 0, 0, path, window);
}

BOOL CDxfDrawing::InitView(int x, int y, int width, int height) {
    if (!HasDrawing()) return FALSE;
    return Entry<InitViewProc>(kInitView)(m_drawing, x, y, width, height);
}

BOOL CDxfDrawing::Paint(HDC dc) {
    if (!m_usable) return FALSE;
    return Entry<PaintProc>(kPaint)(m_drawing, dc);
}

BOOL CDxfDrawing::GetViewProperties(DxfViewProperties* properties) {
    if (!m_usable) return FALSE;
    return Entry<PropertiesProc>(kGetViewProperties)(m_drawing, properties);
}

BOOL CDxfDrawing::SetViewProperties(DxfViewProperties* properties) {
    if (!m_usable) return FALSE;
    return Entry<PropertiesProc>(kSetViewProperties)(m_drawing, properties);
}

BOOL CDxfDrawing::ZoomExtents() {
    if (!m_usable) return FALSE;
    return Entry<DrawingProc>(kZoomExtents)(m_drawing);
}

double CDxfDrawing::GetZoom() {
    DxfViewProperties properties;
    if (!GetViewProperties(&properties)) return 0.0;
    return properties.zoom;
}

BOOL CDxfDrawing::SetZoom(double zoom) {
    DxfViewProperties properties;
    if (!GetViewProperties(&properties)) return FALSE;
    // A zero zoom or scale has no centre to keep.
    if (properties.zoom * properties.scale == 0 || zoom * properties.scale == 0) return FALSE;
    double k = 1 / (properties.zoom * properties.scale);
    int halfWidth = (properties.right - properties.left) / 2;
    int halfHeight = (properties.bottom - properties.top) / 2;
    double centreX = properties.originX + halfWidth * k;
    double centreY = properties.originY + halfHeight * k;
    double next = 1 / (zoom * properties.scale);
    properties.originX = centreX - halfWidth * next;
    properties.originY = centreY - halfHeight * next;
    properties.zoom = zoom;
    return SetViewProperties(&properties);
}
