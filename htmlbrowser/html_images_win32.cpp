#include "html_images_win32.h"

#include <ole2.h>
#include <olectl.h>

#include <cstdlib>
#include <cstring>

#include "html_string.h"

// --- One picture ------------------------------------------------------------

CHtmlImage::CHtmlImage(const char16_t* url, CHtmlBrowserBase* fetcher, CHtmlImageList* list, int background)
    : url_(HtmlCopy(url ? url : u"")), fetcher_(fetcher), list_(list), background_(background) {
    arrival_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

CHtmlImage::~CHtmlImage() {
    WaitForLoader();
    ReleaseBitmap();
    std::free(url_);
    std::free(data_);
    if (arrival_) CloseHandle(arrival_);
}

bool CHtmlImage::Start() {
    thread_ = CreateThread(nullptr, 0, LoaderThread, this, 0, nullptr);
    if (thread_) return true;
    if (arrival_) SetEvent(arrival_);
    done_ = 1;
    return false;
}

void CHtmlImage::WaitForLoader() {
    // The loader uses this image and its list until its last step.
    if (!thread_) return;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
}

DWORD WINAPI CHtmlImage::LoaderThread(void* parameter) {
    try {
        static_cast<CHtmlImage*>(parameter)->Load();
    } catch (...) {
    }
    return 0;
}

void CHtmlImage::Load() {
    list_->AcquireLoadSlot();
    if (fetcher_ && !list_->Stopping()) {
        int size = 0;
        data_ = fetcher_->FetchImageData(url_, &size);
        size_ = data_ ? size : 0;
    }
    SetEvent(arrival_);
    done_ = 1;
    list_->OnImageLoaded();
}

int CHtmlImage::Decode(int wait) {
    if (bitmap_) return 1;
    if (arrival_) {
        if (WaitForSingleObject(arrival_, wait ? INFINITE : 0) != WAIT_OBJECT_0) return 0;
        CloseHandle(arrival_);
        arrival_ = nullptr;
    }
    if (data_ && size_ > 0) {
        HGLOBAL block = GlobalAlloc(GMEM_FIXED, SIZE_T(size_));
        IStream* stream = nullptr;
        if (block) {
            std::memcpy(reinterpret_cast<void*>(block), data_, size_t(size_));
            if (FAILED(CreateStreamOnHGlobal(block, FALSE, &stream))) stream = nullptr;
        }
        if (!stream) {
            if (block) GlobalFree(block);
            return 0;
        }
        IPicture* picture = nullptr;
        HRESULT loaded = OleLoadPicture(stream, size_, FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
        stream->Release();
        GlobalFree(block);
        OLE_HANDLE handle = 0;
        if (SUCCEEDED(loaded) && picture && SUCCEEDED(picture->get_Handle(&handle)) && handle) {
            HBITMAP source = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
            BITMAP info = {};
            if (GetObjectW(source, sizeof(info), &info) && info.bmWidth > 0 && info.bmHeight > 0) {
                HDC screen = GetDC(nullptr);
                HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
                bitmap_ = CreateCompatibleBitmap(screen, info.bmWidth, info.bmHeight);
                if (bitmap_) {
                    HGDIOBJ oldFrom = SelectObject(from, source), oldTo = SelectObject(to, bitmap_);
                    BitBlt(to, 0, 0, info.bmWidth, info.bmHeight, from, 0, 0, SRCCOPY);
                    SelectObject(from, oldFrom);
                    SelectObject(to, oldTo);
                }
                DeleteDC(from);
                DeleteDC(to);
                ReleaseDC(nullptr, screen);
            }
        }
        if (picture) picture->Release();
    }
    if (!bitmap_) bitmap_ = list_->Placeholder();
    BITMAP info = {};
    if (bitmap_ && GetObjectW(bitmap_, sizeof(info), &info)) {
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    }
    return bitmap_ ? 1 : 0;
}

void CHtmlImage::ReleaseBitmap() {
    if (bitmap_ && bitmap_ != list_->Placeholder()) DeleteObject(bitmap_);
    bitmap_ = nullptr;
}

void CHtmlImage::DrawAt(HDC dc, int x, int y, int width, int height) const {
    if (!bitmap_) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    BitBlt(dc, x, y, width < width_ ? width : width_, height < height_ ? height : height_, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void CHtmlImage::DrawStretched(HDC dc, int x, int y, int width, int height) const {
    if (!bitmap_) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, x, y, width, height, memory, 0, 0, width_, height_, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

// --- The list ---------------------------------------------------------------

CHtmlImageList::CHtmlImageList(CHtmlBrowserBase* fetcher) : fetcher_(fetcher) {
    mutex_ = CreateMutexW(nullptr, FALSE, nullptr);
    HDC screen = GetDC(nullptr);
    placeholder_ = CreateCompatibleBitmap(screen, 60, 40);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, placeholder_);
    RECT all = {0, 0, 60, 40};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    pollerStop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    poller_ = CreateThread(nullptr, 0, PollerThread, this, 0, nullptr);
}

CHtmlImageList::~CHtmlImageList() {
    Shutdown();
    if (placeholder_) DeleteObject(placeholder_);
    if (mutex_) CloseHandle(mutex_);
    if (pollerStop_) CloseHandle(pollerStop_);
}

DWORD WINAPI CHtmlImageList::PollerThread(void* parameter) {
    // Pictures never change once decoded, so there is nothing to repaint:
    // the poller only waits to be stopped.
    auto* list = static_cast<CHtmlImageList*>(parameter);
    WaitForSingleObject(list->pollerStop_, INFINITE);
    return 0;
}

int CHtmlImageList::AddImage(const char16_t* url, int background) {
    auto* image = new CHtmlImage(url, fetcher_, this, background);
    WaitForSingleObject(mutex_, INFINITE);
    images_.push_back(image);
    int index = int(images_.size()) - 1;
    bool decodeRound = images_.size() % 10 == 0;
    ReleaseMutex(mutex_);
    image->Start();
    if (decodeRound)
        for (CHtmlImage* known : images_)
            if (!known->IsDone()) known->Decode(0);
    return index;
}

CHtmlImage* CHtmlImageList::GetImage(int index) const {
    return index >= 0 && size_t(index) < images_.size() ? images_[size_t(index)] : nullptr;
}

void CHtmlImageList::AcquireLoadSlot() {
    for (;;) {
        WaitForSingleObject(mutex_, INFINITE);
        if (fetching_ < kMaxFetches || stopping_) {
            ++fetching_;
            ReleaseMutex(mutex_);
            return;
        }
        ReleaseMutex(mutex_);
        Sleep(20);
    }
}

void CHtmlImageList::OnImageLoaded() {
    WaitForSingleObject(mutex_, INFINITE);
    int done = 0;
    for (CHtmlImage* image : images_) done += image->IsDone();
    int total = int(images_.size());
    --fetching_;
    ReleaseMutex(mutex_);
    if (fetcher_ && !stopping_) fetcher_->OnImageProgress(done, total);
}

void CHtmlImageList::StopPoller() {
    if (!poller_) return;
    SetEvent(pollerStop_);
    WaitForSingleObject(poller_, INFINITE);
    CloseHandle(poller_);
    poller_ = nullptr;
}

void CHtmlImageList::Destroy() {
    stopping_ = true;
    // Loaders end their reads at the stop flag; each is waited for before
    // what it uses is freed.
    for (CHtmlImage* image : images_) image->WaitForLoader();
    for (CHtmlImage* image : images_) delete image;
    images_.clear();
}

int CHtmlImageList::FindOrAddImage(const char16_t* url, int background) {
    WaitForSingleObject(mutex_, INFINITE);
    int found = -1;
    for (size_t i = 0; i < images_.size() && found < 0; ++i) {
        const char16_t* known = images_[i]->Url();
        size_t k = 0;
        while (known[k] && known[k] == url[k]) ++k;
        if (known[k] == url[k] && images_[i]->IsBackground() == background) found = int(i);
    }
    ReleaseMutex(mutex_);
    return found >= 0 ? found : AddImage(url, background);
}

int CHtmlImageList::GetCount() {
    WaitForSingleObject(mutex_, INFINITE);
    int count = int(images_.size());
    ReleaseMutex(mutex_);
    return count;
}

void CHtmlImageList::SizeImageBox(HtmlBox& box, int wait) {
    CHtmlImage* image = GetImage(box.image);
    if (!image) return;
    image->Decode(wait);
    image->ScaleSize(box.width, box.height);
}

void CHtmlImageList::ReleaseBitmaps() {
    for (CHtmlImage* image : images_) image->ReleaseBitmap();
}

void CHtmlImageList::Shutdown() {
    StopPoller();
    Destroy();
}
