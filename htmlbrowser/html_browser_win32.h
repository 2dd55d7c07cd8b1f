// The program's own small web browser: fetches pages, pictures and form
// replies, keeps the history, and draws its document into a page window
// whose every message the host forwards to HandleViewMessage.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "html_document.h"
#include "html_images_win32.h"
#include "html_painter_win32.h"
#include "string_table.h"

// Posted to the page window: lay the page out again on its own thread.
constexpr UINT HBM_RELAYOUT = 1046;
// Posted to the page window: show the status text another thread left.
constexpr UINT HBM_SHOWSTATUS = 1047;

class CHtmlBrowser final : public CHtmlBrowserBase {
public:
    // Redirects one fetch follows before it fails as an unopenable URL.
    static constexpr int kMaxRedirects = 10;

    CHtmlBrowser(HWND page, HWND title, HWND status, HWND address, HWND back);
    ~CHtmlBrowser();
    CHtmlBrowser(const CHtmlBrowser&) = delete;
    CHtmlBrowser& operator=(const CHtmlBrowser&) = delete;

    LRESULT HandleViewMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void Relayout();
    void ShowReadProgress(int bytes, int total);

    // CHtmlBrowserBase
    int OnParseProgress(int kind, int position, int total) override;
    void Navigate(const char16_t* url) override;
    int OnLinkHover(int over, const char16_t* url) override;
    int SetTitle(const char16_t* title) override;
    char16_t* FetchUrl(const char16_t* url, int* length) override;
    uint8_t* FetchImageData(const char16_t* url, int* length) override;
    int OnImageProgress(int loaded, int total) override;
    int AddForm(const char16_t* action, const char16_t* method) override;
    HtmlWindow CreateEditControl(int limit, int maxLength, int width, int height, const char16_t* text,
                                 int multiLine, const char16_t* name, int form, int password) override;
    HtmlWindow CreatePushButton(int width, int height, const char16_t* text, const char16_t* name,
                                int form) override;
    HtmlWindow CreateRadioButton(int width, int height, const char16_t* value, const char16_t* name,
                                 int form) override;
    HtmlWindow CreateCheckBox(int width, int height, const char16_t* value, const char16_t* name,
                              int form) override;
    HtmlWindow CreateComboBox(int width, int height, const CHtmlStringTable& options, int selected,
                              const char16_t* name, int form) override;
    int PlaceControl(HtmlWindow control, int x, int y) override;
    int InvalidateBox(const HtmlRect* rect) override;

    // Forms.
    void DestroyControls();
    void SubmitForm(int form, HWND window, int controlId);
    char16_t* PostForm(const char16_t* action, const char16_t* data, int* length);

    // What the host and the tests look at.
    CHtmlDocument* Document() const { return document_; }
    CHtmlImageList* Images() const { return images_; }
    const CHtmlStringTable& History() const { return history_; }
    const CHtmlStringTable& Controls() const { return controls_; }
    std::u16string CurrentUrl() const;
    HBITMAP BackBuffer() const { return backBuffer_; }

private:
    struct Fetched;
    bool Fetch(const std::u16string& url, bool navigating, Fetched& out);
    bool FetchResource(const std::u16string& url, Fetched& out);
    bool FetchLocalFile(const std::u16string& url, Fetched& out);
    void ShowStatus(const std::u16string& text);
    void ApplyPendingStatus();
    void ShowReady();
    void WritePageText(const char16_t* text);
    void LoadPage(const char16_t* text, const char16_t* baseUrl);
    void ShowPageFromTop();
    int ScrollPosition(UINT message) const;
    HWND CreateControl(const wchar_t* className, DWORD exStyle, DWORD style, int width, int height,
                       const char16_t* text, const char16_t* name, int form, const char* kind,
                       const char16_t* value, bool fixedFont);
    bool OnPageThread() const;
    // Requests under way register here, so that closing can cancel their reads.
    bool Register(void* request);
    bool Unregister(void* request);
    void CancelFetches();

    HWND page_, title_, status_, address_, back_;
    std::u16string currentUrl_;  // any length; the referrer of every request
    std::u16string statusText_;  // the last "Ready" text
    CHtmlStringTable history_;
    CGdiMeasurer measurer_;
    CHtmlImageList* images_ = nullptr;
    CHtmlDocument* document_ = nullptr;
    HBITMAP backBuffer_ = nullptr;
    POINT dragStart_ = {0, 0}, dragPoint_ = {0, 0};
    CHtmlStringTable controls_;
    CHtmlStringTable forms_;
    // The drop-down lists' option values, their items' data; kept here so
    // that they are freed however the page window ends.
    std::vector<char16_t*> optionValues_;
    char16_t* hoveredUrl_ = nullptr;
    BOOL navigating_ = FALSE;
    int defaultHeight_ = 15;
    std::u16string defaultFace_ = u"Arial";

    // Loader threads leave status texts here and post HBM_SHOWSTATUS.
    mutable CRITICAL_SECTION lock_;
    std::u16string pendingStatus_;
    bool pendingText_ = false;
    bool pendingReady_ = false;  // all pictures are in: the page's thread makes the "Ready" text
    std::atomic<bool> closing_{false};
    std::vector<void*> requests_;
    int lastParseShown_ = -1;
};
