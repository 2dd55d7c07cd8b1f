#include "browser_host.h"

#include <commctrl.h>

#include <vector>

namespace {

const wchar_t kFrameClass[] = L"MulvaraHtmlHost";

// The page window's template: a child dialog without controls, as the
// preview's.
struct PageTemplate {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
};

}  // namespace

BrowserHost::~BrowserHost() { Destroy(); }

void BrowserHost::Destroy() {
    if (page_) DestroyWindow(page_);
    page_ = nullptr;
    delete browser_;
    browser_ = nullptr;
    if (frame_) DestroyWindow(frame_);
    frame_ = nullptr;
}

LRESULT CALLBACK BrowserHost::FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    try {
        auto* host = reinterpret_cast<BrowserHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_SIZE && host) host->Layout();
        if (message == WM_CLOSE) PostQuitMessage(0);
        return DefWindowProcW(window, message, wparam, lparam);
    } catch (...) {
        return 0;
    }
}

INT_PTR CALLBACK BrowserHost::PageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    try {
        auto* host = reinterpret_cast<BrowserHost*>(GetWindowLongPtrW(GetParent(window), GWLP_USERDATA));
        if (!host || !host->browser_) return 0;
        LRESULT result = host->browser_->HandleViewMessage(window, message, wparam, lparam);
        // Colour messages return their brush; others their result for the dialog.
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return INT_PTR(result);
        SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
        return message == WM_PAINT || message == WM_GETDLGCODE ? TRUE : INT_PTR(result);
    } catch (...) {
        return 0;
    }
}

bool BrowserHost::Create(int width, int height) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW frameClass = {};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = kFrameClass;
    RegisterClassW(&frameClass);
    frame_ = CreateWindowExW(0, kFrameClass, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10, width, height,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!frame_) return false;
    SetWindowLongPtrW(frame_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    PageTemplate page = {};
    page.dialog.style = WS_CHILD | DS_CONTROL;
    page.dialog.cx = 252;
    page.dialog.cy = 139;
    page_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &page.dialog, frame_, PageProc, 0);
    status_ = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", frame_, 0);
    if (!page_ || !status_) return false;
    ShowWindow(page_, SW_SHOW);
    browser_ = new CHtmlBrowser(page_, frame_, status_, nullptr, nullptr);
    Layout();
    ShowWindow(frame_, SW_SHOW);
    UpdateWindow(frame_);
    return true;
}

void BrowserHost::Layout() {
    if (!page_ || !status_) return;
    RECT client;
    GetClientRect(frame_, &client);
    MoveWindow(status_, 0, client.bottom - 20, client.right, 20, TRUE);
    MoveWindow(page_, 0, 0, client.right, client.bottom - 20, TRUE);
    InvalidateRect(status_, nullptr, TRUE);
}

std::u16string BrowserHost::StatusText() const {
    wchar_t text[512] = {};
    GetWindowTextW(status_, text, 512);
    std::wstring wide(text);
    return std::u16string(wide.begin(), wide.end());
}

std::u16string BrowserHost::Title() const {
    wchar_t text[512] = {};
    GetWindowTextW(frame_, text, 512);
    std::wstring wide(text);
    return std::u16string(wide.begin(), wide.end());
}

bool BrowserHost::SaveBackBuffer(const std::wstring& path) const {
    HBITMAP bitmap = browser_ ? browser_->BackBuffer() : nullptr;
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return false;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    DWORD stride = (DWORD(info.bmWidth) * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(size_t(stride) * size_t(info.bmHeight));
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, bitmap, 0, UINT(info.bmHeight), pixels.data(),
                          reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != info.bmHeight) return false;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + DWORD(pixels.size());
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
              WriteFile(out, &header, sizeof(header), &written, nullptr) &&
              WriteFile(out, pixels.data(), DWORD(pixels.size()), &written, nullptr);
    CloseHandle(out);
    return ok;
}
