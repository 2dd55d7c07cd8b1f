// The page's pictures: each fetched on a thread of its own through the
// browser, at most eleven at once, decoded on the window's thread through
// OLE's picture loader, kept by URL and background flag across loads.
#pragma once

#include <windows.h>

#include <atomic>
#include <vector>

#include "html_document.h"

class CHtmlImageList;

class CHtmlImage {
public:
    CHtmlImage(const char16_t* url, CHtmlBrowserBase* fetcher, CHtmlImageList* list, int background);
    ~CHtmlImage();
    // Starts the loader; false when no thread could be made (the picture
    // then counts as arrived without data).
    bool Start();
    // 1 once a bitmap is made; 0 while the bytes have not arrived and wait is off.
    int Decode(int wait);
    void ReleaseBitmap();
    void ScaleSize(int& width, int& height) const { HtmlScaleSize(width, height, width_, height_); }
    void DrawAt(HDC dc, int x, int y, int width, int height) const;
    void DrawStretched(HDC dc, int x, int y, int width, int height) const;
    int IsBackground() const { return background_; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    int IsDone() const { return done_.load(); }
    const char16_t* Url() const { return url_; }
    void WaitForLoader();

private:
    static DWORD WINAPI LoaderThread(void* parameter);
    void Load();

    HBITMAP bitmap_ = nullptr;
    char16_t* url_ = nullptr;
    uint8_t* data_ = nullptr;
    int size_ = 0;
    HANDLE arrival_ = nullptr;
    int width_ = 0, height_ = 0;
    CHtmlBrowserBase* fetcher_;
    CHtmlImageList* list_;
    std::atomic<int> done_{0};
    int background_;
    HANDLE thread_ = nullptr;
};

class CHtmlImageList final : public HtmlPictures {
public:
    static constexpr int kMaxFetches = 11;

    explicit CHtmlImageList(CHtmlBrowserBase* fetcher);
    ~CHtmlImageList();
    void SetDocument(CHtmlDocument* document) { document_ = document; }

    int AddImage(const char16_t* url, int background);
    CHtmlImage* GetImage(int index) const;
    void AcquireLoadSlot();
    void OnImageLoaded();
    void StopPoller();
    void Destroy();
    HBITMAP Placeholder() const { return placeholder_; }
    bool Stopping() const { return stopping_.load(); }

    // HtmlPictures
    int FindOrAddImage(const char16_t* url, int background) override;
    int GetCount() override;
    void SizeImageBox(HtmlBox& box, int wait) override;
    void ReleaseBitmaps() override;
    void Shutdown() override;

private:
    static DWORD WINAPI PollerThread(void* parameter);

    std::vector<CHtmlImage*> images_;
    CHtmlBrowserBase* fetcher_;
    CHtmlDocument* document_ = nullptr;
    HBITMAP placeholder_ = nullptr;
    int fetching_ = 0;
    HANDLE mutex_ = nullptr;
    HANDLE pollerStop_ = nullptr;
    HANDLE poller_ = nullptr;
    std::atomic<bool> stopping_{false};
};
