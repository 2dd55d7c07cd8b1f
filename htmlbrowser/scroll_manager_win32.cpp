#include "scroll_manager_win32.h"

#include <vector>

namespace {

struct ScrollRecord {
    int maximum[2] = {0, 0};     // SB_HORZ, SB_VERT
    int position[2] = {0, 0};
    int thumbRange[2] = {0, 0};  // 100 - the bar's page
    int lineStep[2] = {10, 10};
    int contentWidth = 0, contentHeight = 0;
    int resizing = 0;
    HWND window = nullptr;
    int dragging = 0;
};

// One record per window, living until the release call; window thread only.
std::vector<ScrollRecord>* records = nullptr;
POINT dragAnchor = {0, 0};

ScrollRecord& RecordOf(HWND window, bool created) {
    if (!records) records = new std::vector<ScrollRecord>();
    if (!created)
        for (ScrollRecord& record : *records)
            if (record.window == window) return record;
    ScrollRecord record;
    record.window = window;
    records->push_back(record);
    return records->back();
}

void MoveThumb(ScrollRecord& record, int bar) {
    if (record.maximum[bar] == 0) return;
    long long thumb = 1LL * record.position[bar] * record.thumbRange[bar] / record.maximum[bar];
    if (record.position[bar] > 0) ++thumb;
    SetScrollPos(record.window, bar, int(thumb), TRUE);
}

// Moves the content by amount (positive: towards the start), kept inside 0..maximum.
void ScrollBy(ScrollRecord& record, int bar, int amount) {
    int target = record.position[bar] - amount;
    if (target < 0) target = 0;
    if (target > record.maximum[bar]) target = record.maximum[bar];
    amount = record.position[bar] - target;
    record.position[bar] = target;
    HWND window = record.window;
    int dx = bar == SB_HORZ ? amount : 0, dy = bar == SB_VERT ? amount : 0;
    SendMessageW(window, SCM_SCROLLED, WPARAM(dx), LPARAM(dy));
    // The message may have released the records: find ours again.
    ScrollRecord& again = RecordOf(window, false);
    ScrollWindow(window, dx, dy, nullptr, nullptr);
    MoveThumb(again, bar);
}

void OnScroll(HWND window, int bar, int code, int thumbPosition) {
    ScrollRecord& record = RecordOf(window, false);
    RECT client;
    GetClientRect(window, &client);
    int page = bar == SB_HORZ ? client.right : client.bottom;
    int amount = 0;
    switch (code) {
    case SB_LINEUP: amount = record.lineStep[bar]; break;
    case SB_LINEDOWN: amount = -record.lineStep[bar]; break;
    case SB_PAGEUP: amount = page; break;
    case SB_PAGEDOWN: amount = -page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        if (record.thumbRange[bar])
            amount = record.position[bar] -
                     int(1LL * thumbPosition * record.maximum[bar] / record.thumbRange[bar]);
        break;
    default: break;
    }
    ScrollBy(record, bar, amount);
}

void OnSize(HWND window, int clientWidth, int clientHeight) {
    ScrollRecord& record = RecordOf(window, false);
    if (record.resizing) return;
    record.resizing = 1;
    bool shown[2] = {record.maximum[SB_HORZ] != 0, record.maximum[SB_VERT] != 0};
    int visible[2] = {clientWidth + (shown[SB_VERT] ? GetSystemMetrics(SM_CXHTHUMB) : 0),
                      clientHeight + (shown[SB_HORZ] ? GetSystemMetrics(SM_CYVTHUMB) : 0)};
    int content[2] = {record.contentWidth, record.contentHeight};
    for (int round = 0; round < 2; ++round) {
        if (content[SB_HORZ] > visible[SB_HORZ]) {
            record.maximum[SB_HORZ] = content[SB_HORZ] - visible[SB_HORZ];
            if (round == 0) visible[SB_VERT] -= GetSystemMetrics(SM_CXHTHUMB);
        } else {
            record.maximum[SB_HORZ] = 0;
        }
        if (content[SB_VERT] > visible[SB_VERT]) {
            record.maximum[SB_VERT] = content[SB_VERT] - visible[SB_VERT];
            if (round == 0) visible[SB_HORZ] -= GetSystemMetrics(SM_CYVTHUMB);
        } else {
            record.maximum[SB_VERT] = 0;
        }
    }
    for (int bar : {SB_HORZ, SB_VERT}) {
        if (record.position[bar] > record.maximum[bar]) OnScroll(window, bar, SB_LINEDOWN, 0);
        ScrollRecord& current = RecordOf(window, false);
        bool nowShown = current.maximum[bar] != 0;
        if (nowShown != shown[bar]) {
            SetScrollPos(window, bar, 0, TRUE);
            ShowScrollBar(window, bar, nowShown);
        }
        ScrollRecord& after = RecordOf(window, false);
        if (content[bar] && after.maximum[bar]) {
            int page = int(1LL * visible[bar] * 100 / content[bar]);
            after.thumbRange[bar] = SetScrollPage(window, bar, page);
        }
    }
    RecordOf(window, false).resizing = 0;
}

void SetPosition(HWND window, int bar, LPARAM lparam) {
    ScrollRecord& record = RecordOf(window, false);
    if (!record.thumbRange[bar] || !record.maximum[bar]) return;
    LONG_PTR wanted = lparam;
    int target = wanted < 0 ? 0 : wanted > record.maximum[bar] ? record.maximum[bar] : int(wanted);
    ScrollBy(record, bar, record.position[bar] - target);
}

}  // namespace

int SetScrollPage(HWND window, int bar, int pagePercent) {
    if (pagePercent < 1) pagePercent = 1;
    if (pagePercent > 99) pagePercent = 99;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_PAGE;
    info.nPage = UINT(pagePercent);
    SetScrollInfo(window, bar, &info, FALSE);
    return 100 - pagePercent;
}

LRESULT ScrollManagerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!window) {
        if (message == 0) {
            delete records;
            records = nullptr;
        }
        return 0;
    }
    if (message == WM_CREATE) {
        RecordOf(window, true);
        return 0;
    }
    RecordOf(window, false);
    switch (message) {
    case WM_SIZE:
        OnSize(window, LOWORD(lparam), HIWORD(lparam));
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lparam == 0 && LOWORD(wparam) != SB_ENDSCROLL)
            OnScroll(window, message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wparam), short(HIWORD(wparam)));
        return 0;
    case WM_LBUTTONDOWN:
        dragAnchor = {short(LOWORD(lparam)), short(HIWORD(lparam))};
        SetCapture(window);
        RecordOf(window, false).dragging = 1;
        return 0;
    case WM_MOUSEMOVE: {
        ScrollRecord& record = RecordOf(window, false);
        if (GetCapture() != window || !record.dragging) return 0;
        POINT point = {short(LOWORD(lparam)), short(HIWORD(lparam))};
        int amount[2] = {int(dragAnchor.x - point.x), int(dragAnchor.y - point.y)};
        for (int bar : {SB_HORZ, SB_VERT}) {
            ScrollRecord& current = RecordOf(window, false);
            int target = current.position[bar] + amount[bar];
            if (target < 0) target = 0;
            if (target > current.maximum[bar]) target = current.maximum[bar];
            amount[bar] = target - current.position[bar];
            if (amount[bar]) ScrollBy(current, bar, -amount[bar]);
        }
        dragAnchor.x -= amount[SB_HORZ];
        dragAnchor.y -= amount[SB_VERT];
        SendMessageW(window, WM_VSCROLL, SB_ENDSCROLL, 0);
        return 0;
    }
    case WM_LBUTTONUP:
        if (GetCapture() == window) ReleaseCapture();
        RecordOf(window, false).dragging = 0;
        return 0;
    case WM_CAPTURECHANGED:
        RecordOf(window, false).dragging = 0;
        return 0;
    case WM_MOUSEWHEEL: {
        int code = short(HIWORD(wparam)) > 0 ? SB_LINEUP : SB_LINEDOWN;
        for (int i = 0; i < 3; ++i) SendMessageW(window, WM_VSCROLL, WPARAM(code), 0);
        SendMessageW(window, WM_VSCROLL, SB_ENDSCROLL, 0);
        return 0;
    }
    case SCM_SETCONTENTSIZE: {
        ScrollRecord& record = RecordOf(window, false);
        record.contentWidth = int(wparam);
        record.contentHeight = int(lparam);
        RECT client;
        GetClientRect(window, &client);
        OnSize(window, client.right, client.bottom);
        return 0;
    }
    case SCM_SETXPOS:
    case SCM_SETYPOS:
        SetPosition(window, message == SCM_SETXPOS ? SB_HORZ : SB_VERT, lparam);
        SendMessageW(window, WM_VSCROLL, SB_ENDSCROLL, 0);
        return 0;
    case SCM_GETXPOS:
    case SCM_GETYPOS: {
        int position = RecordOf(window, false).position[message == SCM_GETXPOS ? SB_HORZ : SB_VERT];
        if (lparam) *reinterpret_cast<int*>(lparam) = position;
        return position;
    }
    case SCM_GETXMAX: return RecordOf(window, false).maximum[SB_HORZ];
    case SCM_GETYMAX: return RecordOf(window, false).maximum[SB_VERT];
    default: return 0;
    }
}
