// A window shaped like the preview's HTML viewer: a frame whose caption
// takes the page title, a page window (a child dialog) that forwards every
// message to the browser, and a 20-pixel status bar at the bottom.
#pragma once

#include <windows.h>

#include <string>

#include "../framework/pump_until.h"
#include "html_browser_win32.h"

class BrowserHost {
public:
    BrowserHost() = default;
    ~BrowserHost();
    bool Create(int width, int height);
    void Navigate(const std::u16string& url) { browser_->Navigate(url.c_str()); }
    HWND Frame() const { return frame_; }
    HWND Page() const { return page_; }
    HWND Status() const { return status_; }
    CHtmlBrowser* Browser() const { return browser_; }
    std::u16string StatusText() const;
    std::u16string Title() const;
    // Writes the back buffer as a 24-bit BMP file.
    bool SaveBackBuffer(const std::wstring& path) const;
    void Destroy();

private:
    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void Layout();

    HWND frame_ = nullptr;
    HWND page_ = nullptr;
    HWND status_ = nullptr;
    CHtmlBrowser* browser_ = nullptr;
};
