#include "html_browser_win32.h"

#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "browser_rules.h"
#include "html_string.h"
#include "html_text.h"
#include "scroll_manager_win32.h"

namespace {

const wchar_t kUserAgent[] = L"Fennors Browser";

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::u16string Narrow16(const wchar_t* text) {
    std::wstring wide(text ? text : L"");
    return std::u16string(wide.begin(), wide.end());
}

std::u16string Format(const char* format, int a, int b = 0, int c = 0, int d = 0) {
    char buffer[160];
    std::snprintf(buffer, sizeof(buffer), format, a, b, c, d);
    return HtmlAscii(buffer);
}

// Bytes of the system's ANSI code page as new terminated UTF-16 text.
char16_t* FromAnsi(const std::vector<uint8_t>& bytes, size_t count) {
    int n = count ? MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()), int(count), nullptr, 0) : 0;
    auto* text = static_cast<char16_t*>(std::malloc((size_t(n) + 1) * sizeof(char16_t)));
    if (!text) return nullptr;
    if (n) MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()), int(count),
                               reinterpret_cast<wchar_t*>(text), n);
    text[n] = 0;
    return text;
}

}  // namespace

struct CHtmlBrowser::Fetched {
    std::vector<uint8_t> bytes;  // terminated by one zero byte beyond count
    size_t count = 0;
    std::u16string location;
    bool unicode = false;  // a resource: already UTF-16
};

CHtmlBrowser::CHtmlBrowser(HWND page, HWND title, HWND status, HWND address, HWND back)
    : page_(page), title_(title), status_(status), address_(address), back_(back) {
    InitializeCriticalSection(&lock_);
    images_ = new CHtmlImageList(this);
    document_ = new CHtmlDocument(this, 0, measurer_, images_);
    images_->SetDocument(document_);
}

CHtmlBrowser::~CHtmlBrowser() {
    CancelFetches();
    DestroyControls();
    if (backBuffer_) DeleteObject(backBuffer_);
    document_->Shutdown();
    delete document_;
    delete images_;
    std::free(hoveredUrl_);
    ScrollManagerProc(nullptr, 0, 0, 0);
    history_.Destroy();
    controls_.Destroy();
    forms_.Destroy();
    DeleteCriticalSection(&lock_);
}

bool CHtmlBrowser::Register(void* request) {
    EnterCriticalSection(&lock_);
    bool open = !closing_;
    if (open) requests_.push_back(request);
    LeaveCriticalSection(&lock_);
    return open;
}

bool CHtmlBrowser::Unregister(void* request) {
    EnterCriticalSection(&lock_);
    bool mine = false;
    for (size_t i = 0; i < requests_.size() && !mine; ++i) {
        if (requests_[i] != request) continue;
        requests_.erase(requests_.begin() + std::ptrdiff_t(i));
        mine = true;
    }
    LeaveCriticalSection(&lock_);
    return mine;
}

void CHtmlBrowser::CancelFetches() {
    // A closed request ends the read that waits on it; its loader then
    // finds it gone and leaves the closing to us.
    EnterCriticalSection(&lock_);
    closing_ = true;
    std::vector<void*> open;
    open.swap(requests_);
    LeaveCriticalSection(&lock_);
    for (void* request : open) InternetCloseHandle(static_cast<HINTERNET>(request));
}

bool CHtmlBrowser::OnPageThread() const {
    return GetWindowThreadProcessId(page_, nullptr) == GetCurrentThreadId();
}

std::u16string CHtmlBrowser::CurrentUrl() const {
    EnterCriticalSection(&lock_);
    std::u16string url = currentUrl_;
    LeaveCriticalSection(&lock_);
    return url;
}

// --- Status texts -------------------------------------------------------------

void CHtmlBrowser::ShowStatus(const std::u16string& text) {
    if (OnPageThread()) {
        SetWindowTextW(status_, Wide(text).c_str());
        return;
    }
    // Never a sent message from a loader: the page's thread may be waiting for it.
    EnterCriticalSection(&lock_);
    pendingStatus_ = text;
    pendingText_ = true;
    LeaveCriticalSection(&lock_);
    PostMessageW(page_, HBM_SHOWSTATUS, 0, 0);
}

void CHtmlBrowser::ApplyPendingStatus() {
    EnterCriticalSection(&lock_);
    std::u16string text = pendingStatus_;
    bool ready = pendingReady_, shown = pendingText_;
    pendingReady_ = pendingText_ = false;
    LeaveCriticalSection(&lock_);
    if (ready)
        ShowReady();
    else if (shown)
        SetWindowTextW(status_, Wide(text).c_str());
}

void CHtmlBrowser::ShowReadProgress(int bytes, int total) {
    if (bytes < 0) return;
    ShowStatus(total <= 0 ? Format("Reading %d", bytes) : Format("Reading %d of %d", bytes, total));
}

int CHtmlBrowser::OnParseProgress(int kind, int position, int total) {
    if (kind != 0) return kind;
    // Shown in steps of a hundredth: a text per character would cost more than the parse.
    int step = total / 100 > 0 ? total / 100 : 1;
    if (position == total || position < lastParseShown_ || position - lastParseShown_ >= step) {
        lastParseShown_ = position;
        ShowStatus(HtmlAscii("Parsing ") + Format("%d of %d", position, total));
    }
    return 0;
}

int CHtmlBrowser::OnImageProgress(int loaded, int total) {
    if (closing_) return 0;
    if (RelayoutAfterPicture(loaded, total))
        PostMessageW(page_, HBM_RELAYOUT, 0, 0);
    else
        InvalidateRect(page_, nullptr, FALSE);
    if (loaded != total) {
        // A loader that counted earlier may report after the last one: never over "Ready".
        EnterCriticalSection(&lock_);
        bool late = pendingReady_;
        LeaveCriticalSection(&lock_);
        if (!late) ShowStatus(Format("Loaded Image %d of %d", loaded, total));
        return 0;
    }
    // Counted on the page's thread, once the page that is loading has been parsed.
    if (OnPageThread()) {
        ShowReady();
        return 0;
    }
    EnterCriticalSection(&lock_);
    pendingReady_ = true;
    pendingText_ = false;
    LeaveCriticalSection(&lock_);
    PostMessageW(page_, HBM_SHOWSTATUS, 0, 0);
    return 0;
}

void CHtmlBrowser::ShowReady() {
    int boxes = 0, images = 0, links = 0, level = 0;
    document_->GetCounts(&boxes, &images, &links, &level);
    std::u16string ready = Format("Ready, items:%d, images:%d, links:%d, level:%d", boxes, images, links, level);
    EnterCriticalSection(&lock_);
    statusText_ = ready;
    LeaveCriticalSection(&lock_);
    ShowStatus(ready);
}

int CHtmlBrowser::OnLinkHover(int over, const char16_t* url) {
    if (!url) url = u"";
    if (!hoveredUrl_ || std::u16string(hoveredUrl_) != url) {
        if (hoveredUrl_) document_->InvalidateLink(hoveredUrl_);
        std::free(hoveredUrl_);
        hoveredUrl_ = HtmlCopy(url);
    }
    if (over) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        document_->InvalidateLink(url);
        ShowStatus(url);
    } else {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        EnterCriticalSection(&lock_);
        std::u16string saved = statusText_;
        LeaveCriticalSection(&lock_);
        ShowStatus(saved);
    }
    return 0;
}

int CHtmlBrowser::SetTitle(const char16_t* title) {
    SetWindowTextW(title_, Wide(title ? title : u"").c_str());
    return 1;
}

int CHtmlBrowser::AddForm(const char16_t* action, const char16_t* method) {
    int row = forms_.AddRow() - 1;
    forms_.AppendToRow(row, action, -1);
    forms_.AppendToRow(row, method, -1);
    return row;
}

int CHtmlBrowser::PlaceControl(HtmlWindow control, int x, int y) {
    HWND window = reinterpret_cast<HWND>(control);
    RECT rect;
    if (!GetWindowRect(window, &rect)) return 0;
    SetWindowPos(window, nullptr, x - ScrollPosition(SCM_GETXPOS), y - ScrollPosition(SCM_GETYPOS), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOWNA);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    return 1;
}

int CHtmlBrowser::InvalidateBox(const HtmlRect* rect) {
    if (!rect) return 0;
    int x = ScrollPosition(SCM_GETXPOS), y = ScrollPosition(SCM_GETYPOS);
    RECT moved = {rect->left - x, rect->top - y, rect->right - x, rect->bottom - y};
    InvalidateRect(page_, &moved, FALSE);
    return 1;
}

int CHtmlBrowser::ScrollPosition(UINT message) const {
    if (!OnPageThread()) return 0;
    return int(ScrollManagerProc(page_, message, 0, 0));
}

// --- Navigation ---------------------------------------------------------------

void CHtmlBrowser::LoadPage(const char16_t* text, const char16_t* baseUrl) {
    DestroyControls();
    lastParseShown_ = -1;
    document_->Load(text, defaultFace_.c_str(), defaultHeight_, 0, baseUrl);
}

void CHtmlBrowser::ShowPageFromTop() {
    Relayout();
    SendMessageW(page_, SCM_SETXPOS, 0, 0);
    SendMessageW(page_, SCM_SETYPOS, 0, 0);
    InvalidateRect(page_, nullptr, FALSE);
    UpdateWindow(page_);
}

void CHtmlBrowser::Navigate(const char16_t* url) {
    // The URL may live in the link list the next load frees.
    std::u16string target = url ? url : u"";
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    EnterCriticalSection(&lock_);
    statusText_.clear();
    LeaveCriticalSection(&lock_);
    bool submit = false;
    int form = SubmitLinkForm(target.c_str(), submit);
    if (submit) {
        SubmitForm(form, nullptr, 0);
        return;
    }
    if (int rows = history_.GetRowCount()) {
        std::u16string position = HtmlDecimal(ScrollPosition(SCM_GETYPOS));
        if (history_.GetRow(rows - 1).GetCount() >= 3)
            history_.SetInRow(rows - 1, 2, position.c_str(), -1);
        else
            history_.AppendToRow(rows - 1, position.c_str(), -1);
    }
    if (IsPictureUrl(target.c_str())) {
        if (address_) SetWindowTextW(address_, Wide(target).c_str());
        std::u16string page = PicturePage(target.c_str());
        int row = history_.AddRow() - 1;
        history_.AppendToRow(row, target.c_str(), -1);
        history_.AppendToRow(row, page.c_str(), -1);
        LoadPage(page.c_str(), u"");
    } else {
        ShowStatus(HtmlAscii("From Internet"));
        navigating_ = TRUE;
        int length = 0;
        char16_t* text = FetchUrl(target.c_str(), &length);
        navigating_ = FALSE;
        if (!text) return;
        std::u16string current = CurrentUrl();
        int row = history_.AddRow() - 1;
        history_.AppendToRow(row, current.c_str(), -1);
        history_.AppendToRow(row, text, -1);
        if (back_) EnableWindow(back_, history_.GetRowCount() > 1);
        WritePageText(text);
        LoadPage(text, current.c_str());
        if (address_) SetWindowTextW(address_, Wide(current).c_str());
        std::free(text);
    }
    ShowPageFromTop();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void CHtmlBrowser::WritePageText(const char16_t* text) {
    wchar_t module[MAX_PATH * 4];
    DWORD n = GetModuleFileNameW(nullptr, module, DWORD(sizeof(module) / sizeof(module[0])));
    if (n == 0 || n >= sizeof(module) / sizeof(module[0])) return;
    std::wstring path = Wide(PageTextPath(Narrow16(module)));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text, DWORD(HtmlLength(text) * sizeof(char16_t)), &written, nullptr);
    CloseHandle(file);
}

void CHtmlBrowser::Relayout() {
    RECT client;
    GetClientRect(page_, &client);
    HtmlRect rect{client.left, client.top, client.right, client.bottom};
    document_->Layout(rect);
    SendMessageW(page_, SCM_SETCONTENTSIZE, WPARAM(rect.right), LPARAM(rect.bottom));
}

// --- Fetching -----------------------------------------------------------------

bool CHtmlBrowser::FetchResource(const std::u16string& url, Fetched& out) {
    HMODULE module = GetModuleHandleW(nullptr);
    std::wstring name = Wide(url.substr(6));
    HRSRC resource = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(23));
    if (!resource) {
        size_t slash = url.rfind(u'/');
        std::wstring last = Wide(slash == std::u16string::npos ? url : url.substr(slash + 1));
        resource = FindResourceW(module, last.c_str(), MAKEINTRESOURCEW(23));
    }
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return false;
    // A copy of its own, terminated: the resource is the module's, not ours.
    DWORD size = SizeofResource(module, resource);
    out.bytes.assign(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + size);
    out.count = size;
    out.unicode = true;
    return true;
}

bool CHtmlBrowser::FetchLocalFile(const std::u16string& url, Fetched& out) {
    std::u16string path = HtmlStartsWithNoCase(url.c_str(), "file://") ? url.substr(7) : url;
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    int total = size.QuadPart > 0x7FFFFFFF ? 0x7FFFFFFF : int(size.QuadPart);
    for (;;) {
        out.bytes.resize(out.count + 1000);
        DWORD read = 0;
        if (closing_ || !ReadFile(file, out.bytes.data() + out.count, 1000, &read, nullptr) || read == 0) break;
        out.count += read;
        ShowReadProgress(int(out.count), total);
    }
    CloseHandle(file);
    return true;
}

bool CHtmlBrowser::Fetch(const std::u16string& url, bool navigating, Fetched& out) {
    if (HtmlStartsWithNoCase(url.c_str(), "res://")) {
        if (navigating) {
            EnterCriticalSection(&lock_);
            currentUrl_ = url;
            LeaveCriticalSection(&lock_);
        }
        return FetchResource(url, out);
    }
    HINTERNET internet = InternetOpenW(kUserAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!internet) return false;
    std::u16string headers = u"Referer: " + CurrentUrl();
    if (navigating) {
        EnterCriticalSection(&lock_);
        currentUrl_ = url;
        LeaveCriticalSection(&lock_);
    }
    std::wstring wideHeaders = Wide(headers), wideUrl = Wide(url);
    HINTERNET request = InternetOpenUrlW(internet, wideUrl.c_str(), wideHeaders.c_str(), DWORD(-1),
                                         INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT |
                                             INTERNET_FLAG_NO_COOKIES,
                                         0);
    if (!request) {
        DWORD error = GetLastError();
        InternetCloseHandle(internet);
        // WinINet may refuse local files; they are read directly then.
        return error == ERROR_INTERNET_UNRECOGNIZED_SCHEME && FetchLocalFile(url, out);
    }
    char lengthText[50] = {};
    DWORD size = sizeof(lengthText) - 1;
    int total = HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, lengthText, &size, nullptr) ? atoi(lengthText) : 0;
    wchar_t location[2048] = {};
    size = sizeof(location) - sizeof(wchar_t);  // in bytes
    if (!HttpQueryInfoW(request, HTTP_QUERY_LOCATION, location, &size, nullptr)) {
        location[0] = 0;
        if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) out.location = u"\x1";  // too long to follow
    }
    if (location[0]) out.location = Narrow16(location);
    if (Register(request)) {
        for (;;) {
            out.bytes.resize(out.count + 1000);
            // Reads no more than has arrived, so that a slow server never
            // holds a read (and a closing page) for long.
            DWORD available = 0, read = 0;
            if (closing_ || !InternetQueryDataAvailable(request, &available, 0, 0) || available == 0) break;
            if (closing_ ||
                !InternetReadFile(request, out.bytes.data() + out.count, available < 1000 ? available : 1000, &read) ||
                read == 0)
                break;
            out.count += read;
            ShowReadProgress(int(out.count), total);
        }
        if (Unregister(request)) InternetCloseHandle(request);
    } else {
        InternetCloseHandle(request);
    }
    InternetCloseHandle(internet);
    return true;
}

char16_t* CHtmlBrowser::FetchUrl(const char16_t* url, int* length) {
    std::u16string target = url ? url : u"";
    for (int redirects = 0;; ++redirects) {
        Fetched fetched;
        if (!Fetch(target, navigating_ != FALSE, fetched)) return nullptr;
        fetched.bytes.resize(fetched.count + 2);
        fetched.bytes[fetched.count] = fetched.bytes[fetched.count + 1] = 0;
        if (length) *length = int(fetched.count);
        if (fetched.unicode) {
            size_t n = fetched.count / 2;
            char16_t* text = static_cast<char16_t*>(std::malloc((n + 1) * sizeof(char16_t)));
            if (!text) return nullptr;
            std::memcpy(text, fetched.bytes.data(), n * sizeof(char16_t));
            text[n] = 0;
            return text;
        }
        if (navigating_) {
            for (size_t i = 0; i < fetched.count; ++i)
                if (fetched.bytes[i] == 0) fetched.bytes[i] = ' ';
            if (!fetched.location.empty()) {
                // A bounded number of redirects, none longer than a URL may be.
                if (redirects >= kMaxRedirects || fetched.location[0] == 1 ||
                    fetched.location.size() >= size_t(kHtmlUrlSize - 1))
                    return nullptr;
                char16_t resolved[kHtmlUrlSize];
                ResolveUrl(fetched.location.c_str(), resolved, target.c_str());
                target = resolved;
                EnterCriticalSection(&lock_);
                currentUrl_ = target;
                LeaveCriticalSection(&lock_);
                continue;
            }
        }
        return FromAnsi(fetched.bytes, fetched.count);
    }
}

uint8_t* CHtmlBrowser::FetchImageData(const char16_t* url, int* length) {
    Fetched fetched;
    if (!Fetch(url ? url : u"", false, fetched)) return nullptr;
    auto* bytes = static_cast<uint8_t*>(std::malloc(fetched.count + 1));
    if (!bytes) return nullptr;
    if (fetched.count) std::memcpy(bytes, fetched.bytes.data(), fetched.count);
    bytes[fetched.count] = 0;
    if (length) *length = int(fetched.count);
    return bytes;
}

// --- The page window ----------------------------------------------------------

LRESULT CHtmlBrowser::HandleViewMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE:
    case HBM_RELAYOUT: {
        if (backBuffer_) DeleteObject(backBuffer_);
        RECT client;
        GetClientRect(window, &client);
        HDC dc = GetDC(window);
        backBuffer_ = CreateCompatibleBitmap(dc, client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1);
        ReleaseDC(window, dc);
        Relayout();
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
        break;
    }
    case HBM_SHOWSTATUS:
        ApplyPendingStatus();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        if (!backBuffer_) backBuffer_ = CreateCompatibleBitmap(dc, client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, backBuffer_);
        PaintHtmlDocument(*document_, images_, memory, client, ScrollPosition(SCM_GETXPOS), ScrollPosition(SCM_GETYPOS));
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        EndPaint(window, &paint);
        return 1;
    }
    case WM_LBUTTONDOWN: {
        POINT point = {short(LOWORD(lparam)), short(HIWORD(lparam))};
        int x = ScrollPosition(SCM_GETXPOS), y = ScrollPosition(SCM_GETYPOS);
        document_->OnClick(point.x + x, point.y + y);
        dragStart_ = point;
        HtmlRect single{int(point.x + x), int(point.y + y), int(point.x + x), int(point.y + y)};
        document_->SetSelection(single);
        InvalidateRect(window, nullptr, FALSE);
        HWND focus = GetFocus();
        if (focus && GetParent(focus) == window) {
            HWND target = address_ ? GetDlgItem(GetParent(address_), 1) : nullptr;
            SetFocus(target);
        }
        SetCapture(window);
        return 0;
    }
    case WM_MOUSEMOVE: {
        POINT point = {short(LOWORD(lparam)), short(HIWORD(lparam))};
        int x = ScrollPosition(SCM_GETXPOS), y = ScrollPosition(SCM_GETYPOS);
        document_->OnMouseMove(point.x + x, point.y + y);
        if (GetCapture() != window) return 0;
        dragPoint_ = point;
        HtmlRect selection{int(std::min(dragStart_.x, point.x)) + x, int(std::min(dragStart_.y, point.y)) + y,
                           int(std::max(dragStart_.x, point.x)) + x, int(std::max(dragStart_.y, point.y)) + y};
        document_->SetSelection(selection);
        InvalidateRect(window, nullptr, FALSE);
        RECT client;
        GetClientRect(window, &client);
        // Dragging past an edge scrolls; the start point follows the content.
        int axes[2][4] = {{int(point.x), int(client.right), x, int(ScrollManagerProc(window, SCM_GETXMAX, 0, 0))},
                          {int(point.y), int(client.bottom), y, int(ScrollManagerProc(window, SCM_GETYMAX, 0, 0))}};
        for (int axis = 0; axis < 2; ++axis) {
            int at = axes[axis][0], edge = axes[axis][1], position = axes[axis][2], maximum = axes[axis][3];
            int wanted = position;
            if (at < 0) wanted = std::max(0, position + at);
            if (at > edge) wanted = std::min(maximum, position + (at - edge));
            if (wanted == position) continue;
            SendMessageW(window, axis == 0 ? SCM_SETXPOS : SCM_SETYPOS, 0, LPARAM(wanted));
            (axis == 0 ? dragStart_.x : dragStart_.y) -= wanted - position;
        }
        return 0;
    }
    case WM_LBUTTONUP:
        if (GetCapture() == window) ReleaseCapture();
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
        HWND control = reinterpret_cast<HWND>(lparam);
        if (GetWindowLongPtrW(control, GWL_STYLE) & 0xF) {
            SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        break;
    }
    case WM_CTLCOLORDLG:
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    default:
        break;
    }
    return ScrollManagerProc(window, message, wparam, lparam);
}
