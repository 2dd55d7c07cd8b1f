// The preview pane in a test frame of its own: the flags and cards for
// each kind of file, the layout, the picture viewers' geometry read back
// from the pixels, the document viewer, the converter driver over a
// stand-in converter, and the faults the pane must not repeat.
#include <gtest/gtest.h>

#include <wincodec.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app_message.h"
#include "control_standin.h"
#include "bar_painter.h"
#include "database_views.h"
#include "document_view.h"
#include "engine_ui.h"
#include "picture_views.h"
#include "placeholder_views.h"
#include "preview_frame.h"
#include "preview_host.h"
#include "preview_state.h"
#include "shell_document.h"
#include "shell_resources.h"
#include "test_app.h"
#include "thumb_view.h"
#include "word_converter.h"

namespace {

const COLORREF kRed = RGB(220, 30, 40);

std::wstring ProgramFolder() {
  WCHAR path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path);
  return program.substr(0, program.find_last_of(L"\\/"));
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A picture of one colour written by WIC's encoder of the container.
void WritePicture(const std::wstring& path, const GUID& container, UINT width, UINT height, COLORREF color) {
  IWICImagingFactory* factory = nullptr;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IWICImagingFactory, reinterpret_cast<void**>(&factory)));
  std::vector<BYTE> pixels(static_cast<size_t>(width) * height * 3);
  for (size_t n = 0; n < pixels.size(); n += 3) {
    pixels[n] = GetBValue(color);
    pixels[n + 1] = GetGValue(color);
    pixels[n + 2] = GetRValue(color);
  }
  IWICBitmap* bitmap = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  IPropertyBag2* options = nullptr;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  HRESULT hr = factory->CreateBitmapFromMemory(width, height, GUID_WICPixelFormat24bppBGR, width * 3,
                                               static_cast<UINT>(pixels.size()), pixels.data(), &bitmap);
  if (SUCCEEDED(hr)) hr = factory->CreateStream(&stream);
  if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
  if (SUCCEEDED(hr)) hr = factory->CreateEncoder(container, nullptr, &encoder);
  if (SUCCEEDED(hr)) hr = encoder->Initialize(stream, WICBitmapEncoderNoCache);
  if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(&frame, &options);
  if (SUCCEEDED(hr)) hr = frame->Initialize(options);
  if (SUCCEEDED(hr)) hr = frame->SetSize(width, height);
  if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
  if (SUCCEEDED(hr)) hr = frame->WriteSource(bitmap, nullptr);
  if (SUCCEEDED(hr)) hr = frame->Commit();
  if (SUCCEEDED(hr)) hr = encoder->Commit();
  for (IUnknown* object : std::initializer_list<IUnknown*>{options, frame, encoder, stream, bitmap, factory})
    if (object != nullptr) object->Release();
  ASSERT_HRESULT_SUCCEEDED(hr) << std::string(path.begin(), path.end());
}

// A 32 x 32 icon, opaque red in its middle 16 x 16 and transparent around.
void WriteIcon(const std::wstring& path) {
  std::string bytes;
  auto put16 = [&](int v) { bytes += static_cast<char>(v & 0xFF), bytes += static_cast<char>((v >> 8) & 0xFF); };
  auto put32 = [&](int v) { put16(v & 0xFFFF), put16((v >> 16) & 0xFFFF); };
  const int pixelBytes = 32 * 32 * 4, maskBytes = 32 * 4;
  put16(0), put16(1), put16(1);
  bytes += static_cast<char>(32), bytes += static_cast<char>(32), bytes += '\0', bytes += '\0';
  put16(1), put16(32), put32(40 + pixelBytes + maskBytes), put32(22);
  put32(40), put32(32), put32(64), put16(1), put16(32), put32(0), put32(pixelBytes + maskBytes);
  put32(0), put32(0), put32(0), put32(0);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool inside = x >= 8 && x < 24 && y >= 8 && y < 24;
      bytes += static_cast<char>(inside ? GetBValue(kRed) : 0);
      bytes += static_cast<char>(inside ? GetGValue(kRed) : 0);
      bytes += static_cast<char>(inside ? GetRValue(kRed) : 0);
      bytes += static_cast<char>(inside ? 0xFF : 0);
    }
  for (int y = 0; y < 32; ++y) {
    const bool row = y >= 8 && y < 24;
    bytes += static_cast<char>(row ? 0xFF : 0xFF), bytes += static_cast<char>(row ? 0x00 : 0xFF);
    bytes += static_cast<char>(row ? 0x00 : 0xFF), bytes += static_cast<char>(row ? 0xFF : 0xFF);
  }
  WriteBytes(path, bytes);
}

// What a view paints, on a white memory bitmap of its client size.
class Painted {
 public:
  explicit Painted(CView* view) {
    CRect client;
    view->GetClientRect(&client);
    m_width = client.Width();
    m_height = client.Height();
    HDC screen = GetDC(nullptr);
    m_dc = CreateCompatibleDC(screen);
    m_bitmap = CreateCompatibleBitmap(screen, m_width, m_height);
    ReleaseDC(nullptr, screen);
    m_old = SelectObject(m_dc, m_bitmap);
    PatBlt(m_dc, 0, 0, m_width, m_height, WHITENESS);
    CDC dc;
    dc.Attach(m_dc);
    view->OnDraw(&dc);
    dc.Detach();
  }
  ~Painted() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
  bool IsWhite(int x, int y) const { return At(x, y) == RGB(255, 255, 255); }
  // Near the colour: the decoders and stretching may round a little.
  bool IsNear(int x, int y, COLORREF color) const {
    const COLORREF c = At(x, y);
    return abs(GetRValue(c) - GetRValue(color)) < 24 && abs(GetGValue(c) - GetGValue(color)) < 24 &&
           abs(GetBValue(c) - GetBValue(color)) < 24;
  }

 private:
  int m_width, m_height;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
};

// Sizes a viewer so that its client area is width x height.
void SetClientSize(CWnd* view, int width, int height) {
  CRect window, client;
  view->GetWindowRect(&window);
  view->GetClientRect(&client);
  view->SetWindowPos(nullptr, 0, 0, width + window.Width() - client.Width(), height + window.Height() - client.Height(),
                     SWP_NOZORDER | SWP_NOMOVE);
}

CString Text(CWnd& window) {
  CString text;
  window.GetWindowText(text);
  return text;
}

// The pane alone in a frame, over a temporary folder of the test's own
// (the temporary path is the process's, so parallel tests do not meet).
class PreviewPane : public PreviewFrameTest {
 protected:
  void SetUp() override {
    MakeFolder(SystemTemp() + L"preview-test-" + std::to_wstring(GetCurrentProcessId()));
    SetEnvironmentVariableW(L"TMP", folder.c_str());
    SetEnvironmentVariableW(L"TEMP", folder.c_str());
    SetEnvironmentVariableW(L"WORDCNV_DIR", nullptr);
    OpenFrame();
  }
  void TearDown() override {
    CloseFrameAndFolder();
    SetEnvironmentVariableW(L"TMP", SystemTemp().c_str());
    SetEnvironmentVariableW(L"TEMP", SystemTemp().c_str());
    CoUninitialize();
  }
  // The system's folder, taken before the first test moves TMP.
  static const std::wstring& SystemTemp() {
    static const std::wstring base = [] {
      WCHAR path[MAX_PATH];
      GetTempPathW(MAX_PATH, path);
      return std::wstring(path);
    }();
    return base;
  }
  UINT CardShown() const {
    return host->Placeholder == nullptr
               ? 0
               : PlaceholderCardFor(NoFileSelectedFlag(), PreviewSupportedFlag(), PreviewLoadedFlag());
  }
};

TEST_F(PreviewPane, StartsWithTheSelectCard) {
  // Made while no file was selected: the placeholder shows "Select file".
  ASSERT_NE(host->Placeholder, nullptr);
  EXPECT_EQ(PreviewSupportedFlag(), 0);
  EXPECT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_EQ(PlaceholderCardFor(1, PreviewSupportedFlag(), PreviewLoadedFlag()), IDB_CARD_SELECT_FILE);
  EXPECT_EQ(host->LeftBottomText, L"Preview:");
}

TEST_F(PreviewPane, FlagsAndCardsByKindOfFile) {
  WritePicture(File(L"good.png"), GUID_ContainerFormatPng, 40, 30, kRed);
  WriteBytes(File(L"broken.png"), "\x89PNG not really");
  WriteBytes(File(L"note.txt"), "hello");
  WriteBytes(File(L"picture.pcx"), std::string(128, '\n'));
  WriteBytes(File(L"slides.ppt"), "not a presentation");
  const struct {
    std::wstring path;
    int supported, loaded;
    UINT card;  // 0: no placeholder
  } cases[] = {
      {File(L"good.png"), 1, 1, 0},
      {File(L"broken.png"), 1, 0, IDB_CARD_CORRUPTED},
      {File(L"note.txt"), 1, 1, 0},
      {File(L"missing.txt"), 1, 0, IDB_CARD_CORRUPTED},
      {File(L"missing.cpp"), 1, 0, IDB_CARD_CORRUPTED},
      {File(L"picture.pcx"), 1, 0, IDB_CARD_CORRUPTED},  // no decoder here
      {File(L"anything.xyz"), 0, 1, IDB_CARD_NOT_AVAILABLE},
      {File(L"README"), 0, 1, IDB_CARD_NOT_AVAILABLE},
      {File(L"SHOUT.GIF"), 1, 1, 0},  // the web view, lower-cased
      {File(L"book.XLS"), 1, 1, 0},
      {File(L"slides.ppt"), 1, 1, IDB_CARD_CORRUPTED},  // no PowerPoint
      {File(L"table.mdb"), 1, 0, IDB_CARD_CORRUPTED},
  };
  for (const auto& c : cases) {
    Show(c.path);
    const std::string name(c.path.begin() + c.path.find_last_of(L'\\') + 1, c.path.end());
    EXPECT_EQ(PreviewSupportedFlag(), c.supported) << name;
    EXPECT_EQ(PreviewLoadedFlag(), c.loaded) << name;
    EXPECT_EQ(CardShown(), c.card) << name;
  }
}

TEST_F(PreviewPane, LargeFilesGetTheirOwnCardOnly) {
  Show(L"tmp1.largefile");
  EXPECT_NE(host->LargeFileView, nullptr);
  EXPECT_EQ(host->Placeholder, nullptr);
}

TEST_F(PreviewPane, FailedPreviewForgetsThePlace) {
  PreviewInfoText = L"\\folder\\broken.png";
  WriteBytes(File(L"broken.png"), "nothing");
  Show(File(L"broken.png"));
  EXPECT_EQ(PreviewInfoText, L"");
}

TEST_F(PreviewPane, ViewersSitBelowTheCaption) {
  WritePicture(File(L"good.bmp"), GUID_ContainerFormatBmp, 40, 30, kRed);
  Show(File(L"good.bmp"));
  ASSERT_NE(host->ImageView, nullptr);
  for (CSize size : {CSize(500, 400), CSize(640, 300)}) {
    frame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
    frame->RecalcLayout();
    PumpPending();
    CRect client, viewer;
    host->GetClientRect(&client);
    viewer = ChildRect(host, host->ImageView);
    EXPECT_EQ(viewer, CRect(0, kPreviewViewerTop, client.right, client.bottom)) << size.cx;
  }
}

TEST_F(PreviewPane, CloseAllForgetsOnlyViewersWithWindows) {
  CImage_View unmade;
  host->ImageView = &unmade;
  ASSERT_NE(host->Placeholder, nullptr);
  HWND placeholder = host->Placeholder->GetSafeHwnd();
  host->CloseAllPreviews();
  EXPECT_EQ(host->Placeholder, nullptr);
  EXPECT_FALSE(IsWindow(placeholder));
  EXPECT_EQ(host->ImageView, &unmade);
  host->ImageView = nullptr;
}

TEST_F(PreviewPane, PicturesLandWhereTheirRatioPutsThem) {
  EXPECT_EQ(ImageViewPlacement(600, 400, 300), CRect(200, 22, 400, 197));
  EXPECT_EQ(ImageViewPlacement(600, 100, 100), CRect(200, 10, 400, 210));
  EXPECT_EQ(ImageViewPlacement(601, 100, 300), CRect(200, -90, 400, 310));
  const struct {
    const wchar_t* name;
    GUID container;
  } formats[] = {{L"p.png", GUID_ContainerFormatPng}, {L"p.jpg", GUID_ContainerFormatJpeg},
                 {L"p.bmp", GUID_ContainerFormatBmp}, {L"p.tif", GUID_ContainerFormatTiff}};
  for (const auto& format : formats) {
    WritePicture(File(format.name), format.container, 400, 300, kRed);
    Show(File(format.name));
    ASSERT_NE(host->ImageView, nullptr) << format.name;
    EXPECT_EQ(PreviewLoadedFlag(), 1);
    SetClientSize(host->ImageView, 600, 300);
    CRect client;
    host->ImageView->GetClientRect(&client);
    ASSERT_EQ(client.Width(), 600);
    Painted painted(host->ImageView);
    const std::string name(format.name, format.name + wcslen(format.name));
    EXPECT_TRUE(painted.IsNear(300, 100, kRed)) << name;
    EXPECT_TRUE(painted.IsNear(201, 23, kRed)) << name;
    EXPECT_TRUE(painted.IsNear(398, 195, kRed)) << name;
    EXPECT_TRUE(painted.IsWhite(198, 100)) << name;
    EXPECT_TRUE(painted.IsWhite(401, 100)) << name;
    EXPECT_TRUE(painted.IsWhite(300, 20)) << name;
    EXPECT_TRUE(painted.IsWhite(300, 198)) << name;
  }
}

TEST_F(PreviewPane, TransparentIconIsStretchedIntoTheBox) {
  WriteIcon(File(L"mark.ico"));
  Show(File(L"mark.ico"));
  ASSERT_NE(host->PictureView, nullptr);
  ASSERT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_EQ(host->PictureView->m_width, 32);
  SetClientSize(host->PictureView, 600, 320);
  Painted painted(host->PictureView);
  // Box (200, 10) to (400, 310): the icon's middle half is red.
  EXPECT_TRUE(painted.IsNear(300, 160, kRed));
  EXPECT_FALSE(painted.IsNear(150, 160, kRed));
  EXPECT_FALSE(painted.IsNear(450, 160, kRed));
}

TEST_F(PreviewPane, MetafileDrawnByGdiLoads) {
  const std::wstring path = File(L"drawing.emf");
  HDC metafile = CreateEnhMetaFileW(nullptr, path.c_str(), nullptr, nullptr);
  ASSERT_NE(metafile, nullptr);
  HBRUSH brush = CreateSolidBrush(kRed);
  RECT box = {0, 0, 80, 60};
  FillRect(metafile, &box, brush);
  DeleteObject(brush);
  DeleteEnhMetaFile(CloseEnhMetaFile(metafile));
  Show(path);
  ASSERT_NE(host->PictureView, nullptr);
  EXPECT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_GT(host->PictureView->m_width, 0);
  EXPECT_EQ(host->Placeholder, nullptr);
}

TEST_F(PreviewPane, PrintingScalesScreenPixelsToThePrinters) {
  WriteIcon(File(L"mark.ico"));
  Show(File(L"mark.ico"));
  ASSERT_NE(host->PictureView, nullptr);
  HDC screen = GetDC(nullptr);
  const int screenX = GetDeviceCaps(screen, LOGPIXELSX), screenY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  for (BOOL printing : {FALSE, TRUE}) {
    SCOPED_TRACE(printing ? "printing" : "on screen");
    CDC dc;
    dc.Attach(CreateCompatibleDC(nullptr));
    dc.m_bPrinting = printing;
    SetMapMode(dc.GetSafeHdc(), MM_ANISOTROPIC);
    SetMapMode(dc.GetSafeHdc(), MM_TEXT);
    SetWindowOrgEx(dc.GetSafeHdc(), 7, 9, nullptr);
    SetViewportOrgEx(dc.GetSafeHdc(), 11, 13, nullptr);
    host->PictureView->OnPrepareDC(&dc, nullptr);
    SIZE window = {}, viewport = {};
    POINT windowOrigin = {}, viewportOrigin = {};
    GetWindowExtEx(dc.GetSafeHdc(), &window);
    GetViewportExtEx(dc.GetSafeHdc(), &viewport);
    GetWindowOrgEx(dc.GetSafeHdc(), &windowOrigin);
    GetViewportOrgEx(dc.GetSafeHdc(), &viewportOrigin);
    if (!printing) {
      EXPECT_EQ(GetMapMode(dc.GetSafeHdc()), MM_TEXT);
      EXPECT_EQ(windowOrigin.x, 7);
    } else {
      // The screen's pixels per inch map onto the device's.
      EXPECT_EQ(GetMapMode(dc.GetSafeHdc()), MM_ANISOTROPIC);
      EXPECT_EQ(window.cx * dc.GetDeviceCaps(LOGPIXELSX), viewport.cx * screenX);
      EXPECT_EQ(window.cy * dc.GetDeviceCaps(LOGPIXELSY), viewport.cy * screenY);
      EXPECT_EQ(windowOrigin.x, 0);
      EXPECT_EQ(windowOrigin.y, 0);
      EXPECT_EQ(viewportOrigin.x, 0);
      EXPECT_EQ(viewportOrigin.y, 0);
    }
    DeleteDC(dc.Detach());
  }
}

TEST(Thumbnails, CellPlacementByRatio) {
  EXPECT_EQ(ThumbnailPlacement(400, 300), CRect(0, 0, 160, 120));
  EXPECT_EQ(ThumbnailPlacement(100, 300), CRect(60, 0, 100, 120));
  EXPECT_EQ(ThumbnailPlacement(320, 120), CRect(0, 30, 160, 90));
}

TEST_F(PreviewPane, ThumbnailsNumberEveryPictureAndLeaveBadOnesBlank) {
  // Named as a slide export names them: the tenth after the ninth.
  for (int n = 1; n <= 12; ++n) {
    const std::wstring name = L"Slide" + std::to_wstring(n) + L".gif";
    if (n == 2) WriteBytes(File(name.c_str()), "GIF89a broken");
    else WritePicture(File(name.c_str()), GUID_ContainerFormatGif, n == 3 ? 100 : 400, 300, RGB(0, 0, 255));
  }
  auto* document = PreviewDocument(host->GetDocument());
  ASSERT_NE(document, nullptr);
  host->ShowSlideThumbnails(folder.c_str());
  ASSERT_NE(host->SlideThumbnails, nullptr);
  CListCtrl& list = host->SlideThumbnails->GetListCtrl();
  ASSERT_EQ(list.GetItemCount(), 12);
  EXPECT_EQ(list.GetItemText(0, 0), L"1");
  EXPECT_EQ(list.GetItemText(11, 0), L"12");
  // The folder's pictures are gone, the thumbnails stay.
  EXPECT_FALSE(Exists(File(L"Slide1.gif")));
  EXPECT_FALSE(Exists(folder));
  CreateDirectoryW(folder.c_str(), nullptr);
  auto pixel = [&](int image, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP cell = CreateCompatibleBitmap(screen, 160, 120);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, cell);
    ImageList_Draw(host->SlideThumbnails->m_images.GetSafeHandle(), image, dc, 0, 0, ILD_NORMAL);
    const COLORREF color = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(cell);
    DeleteDC(dc);
    return color;
  };
  EXPECT_EQ(pixel(0, 0, 0), RGB(0, 0, 0));        // the frame
  // GIF's palette may move a colour a little.
  auto blue = [](COLORREF c) { return GetRValue(c) < 16 && GetGValue(c) < 16 && GetBValue(c) > 236; };
  EXPECT_TRUE(blue(pixel(0, 80, 60)));   // a 4:3 slide fills the cell
  EXPECT_TRUE(blue(pixel(0, 80, 1)));
  EXPECT_EQ(pixel(2, 30, 60), RGB(255, 255, 255));  // 100 x 300 is 40 wide at x = 60
  EXPECT_TRUE(blue(pixel(2, 80, 60)));
  EXPECT_FALSE(blue(pixel(1, 80, 60)));  // undecodable: blank
}

// A stand-in for the presentation program's automation object: the
// application (2001 gives the presentations, 2021 quits), the presentations
// (2004 opens one) and a presentation (2036 saves its slides as GIF
// pictures in the folder the target names without ".gif").
class SlideStandIn final : public IDispatch {
 public:
  enum Role { kApplication, kPresentations, kPresentation };
  struct Record {
    int alive = 0;
    int quits = 0;
    bool failSave = false;
    std::wstring opened;
    std::wstring target;
  };
  SlideStandIn(Role role, Record& record) : m_role(role), m_record(record) { ++m_record.alive; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --m_references;
    if (left == 0) {
      --m_record.alive;
      delete this;
    }
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* error, UINT*) override {
    auto child = [&](Role role) {
      if (result == nullptr) return E_INVALIDARG;
      result->vt = VT_DISPATCH;
      result->pdispVal = new SlideStandIn(role, m_record);
      return S_OK;
    };
    // Arguments come last first.
    auto text = [&](UINT fromLast) {
      const VARIANT& v = params->rgvarg[params->cArgs - 1 - fromLast];
      return v.vt == VT_BSTR && v.bstrVal != nullptr ? std::wstring(v.bstrVal) : std::wstring();
    };
    if (m_role == kApplication && id == 2001) return child(kPresentations);
    if (m_role == kApplication && id == 2021) return ++m_record.quits, S_OK;
    if (m_role == kPresentations && id == 2004 && params->cArgs == 4) {
      m_record.opened = text(0);
      return child(kPresentation);
    }
    if (m_role == kPresentation && id == 2036 && params->cArgs == 3) {
      m_record.target = text(0);
      if (m_record.failSave) {
        if (error != nullptr) {
          *error = {};
          error->bstrDescription = SysAllocString(L"The presentation cannot be saved.");
          error->scode = E_FAIL;
        }
        return DISP_E_EXCEPTION;
      }
      const std::wstring folder = m_record.target.substr(0, m_record.target.size() - 4);
      CreateDirectoryW(folder.c_str(), nullptr);
      for (int n = 1; n <= 3; ++n)
        WritePicture(folder + L"\\Slide" + std::to_wstring(n) + L".GIF", GUID_ContainerFormatGif, 400, 300,
                     RGB(0, 0, 255));
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  Role m_role;
  Record& m_record;
  ULONG m_references = 1;
};

class SlideStandInFactory : public IClassFactory {
 public:
  explicit SlideStandInFactory(SlideStandIn::Record& record) : m_record(record) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto* application = new SlideStandIn(SlideStandIn::kApplication, m_record);
    const HRESULT hr = application->QueryInterface(iid, out);
    application->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  SlideStandIn::Record& m_record;
};

// {6B1F3E52-5D0A-4C47-9E1B-2F6A31C0D7A4}
const CLSID kSlideStandInClass = {0x6b1f3e52, 0x5d0a, 0x4c47, {0x9e, 0x1b, 0x2f, 0x6a, 0x31, 0xc0, 0xd7, 0xa4}};

TEST_F(PreviewPane, SlidesThroughAnAutomationObjectBecomeThumbnails) {
  // The program's name for it leads to the stand-in, registered for this
  // process only; other processes of the prefix still find no program.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"Powerpoint.Application\\CLSID", 0, nullptr, 0, KEY_WRITE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  const wchar_t classText[] = L"{6B1F3E52-5D0A-4C47-9E1B-2F6A31C0D7A4}";
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(classText), sizeof classText);
  RegCloseKey(key);
  WriteBytes(File(L"talk.ppt"), "a presentation");
  const WCHAR* kSlides[] = {L"1", L"2", L"3"};
  for (bool failSave : {false, true}) {
    SCOPED_TRACE(failSave ? "the export fails" : "the export succeeds");
    SlideStandIn::Record record;
    record.failSave = failSave;
    SlideStandInFactory factory(record);
    DWORD cookie = 0;
    ASSERT_HRESULT_SUCCEEDED(
        CoRegisterClassObject(kSlideStandInClass, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    Show(File(L"talk.ppt"));
    CoRevokeClassObject(cookie);
    // The pane lower-cases the path it is given.
    EXPECT_EQ(_wcsicmp(record.opened.c_str(), File(L"talk.ppt").c_str()), 0) << record.opened;
    EXPECT_EQ(_wcsicmp(record.target.c_str(), (folder + L"\\ssss.gif").c_str()), 0) << record.target;
    EXPECT_EQ(record.quits, 1);
    EXPECT_EQ(record.alive, 0);  // every object it gave was released
    EXPECT_FALSE(Exists(folder + L"\\ssss"));
    if (failSave) {
      EXPECT_EQ(CardShown(), static_cast<UINT>(IDB_CARD_CORRUPTED));
      continue;
    }
    EXPECT_EQ(PreviewLoadedFlag(), 1);
    EXPECT_EQ(host->Placeholder, nullptr);
    ASSERT_NE(host->SlideThumbnails, nullptr);
    CListCtrl& list = host->SlideThumbnails->GetListCtrl();
    ASSERT_EQ(list.GetItemCount(), 3);
    for (int n = 0; n < 3; ++n) EXPECT_EQ(list.GetItemText(n, 0), kSlides[n]);
  }
  RegDeleteKeyW(HKEY_CLASSES_ROOT, L"Powerpoint.Application\\CLSID");
  RegDeleteKeyW(HKEY_CLASSES_ROOT, L"Powerpoint.Application");
}

TEST_F(PreviewPane, AccessDatabaseWithoutEngineIsReportedAsCorrupted) {
  // No database engine here: the user reads why, and the card says the
  // file could not be shown.
  AfxDaoInit();
  WriteBytes(File(L"orders.mdb"), std::string(4096, '\0'));
  SetAppMessage(0, u"");
  auto* document = PreviewDocument(host->GetDocument());
  ASSERT_NE(document, nullptr);
  // The report comes first, while no card is shown yet.
  struct ReportWatch : EngineUi {
    CMainPreviewView* host = nullptr;
    int reports = 0;
    bool cardBefore = false;
    void ShowAppMessage(int, const std::u16string&) override {
      ++reports;
      cardBefore = cardBefore || host->Placeholder != nullptr;
    }
  } watch;
  watch.host = host;
  SetEngineUi(&watch);
  Show(File(L"orders.mdb"));
  SetEngineUi(nullptr);
  EXPECT_EQ(watch.reports, 1);
  EXPECT_FALSE(watch.cardBefore);
  CString path = File(L"orders.mdb").c_str();
  path.MakeLower();
  EXPECT_EQ(document->PreviewPath, path);
  const AppMessage shown = GetAppMessage();
  EXPECT_EQ(shown.kind, 2);
  EXPECT_NE(shown.text.find(u"not installed"), std::u16string::npos);
  EXPECT_EQ(PreviewLoadedFlag(), 0);
  EXPECT_EQ(CardShown(), static_cast<UINT>(IDB_CARD_CORRUPTED));
  EXPECT_EQ(document->Database, nullptr);
  ASSERT_NE(host->AccessView, nullptr);
  EXPECT_FALSE(host->AccessView->IsWindowVisible());
  SetAppMessage(0, u"");
}

TEST_F(PreviewPane, DocumentRefillsTheDatabaseViews) {
  AfxDaoInit();
  WriteBytes(File(L"orders.mdb"), std::string(4096, '\0'));
  auto* document = PreviewDocument(host->GetDocument());
  ASSERT_NE(document, nullptr);
  Show(File(L"orders.mdb"));
  SetAppMessage(0, u"");
  // The Access view's two panes registered themselves.
  ASSERT_NE(document->DatabaseTree, nullptr);
  ASSERT_NE(document->RecordList, nullptr);
  CListCtrl& records = document->RecordList->List;
  records.InsertColumn(0, L"Index", LVCFMT_LEFT, 100);
  records.InsertColumn(1, L"Name", LVCFMT_LEFT, 100);
  records.InsertItem(0, L"1");
  // Without a database set there is nothing to refill.
  document->RefreshDatabaseViews();
  EXPECT_EQ(records.GetItemCount(), 1);
  // A database the engine lists nothing of: the list empties, columns too,
  // and the tree holds its root and the three groups in order.
  document->Database = new CDaoDatabase;
  document->RefreshDatabaseViews();
  EXPECT_EQ(records.GetItemCount(), 0);
  EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(records.GetSafeHwnd())), 0);
  CTreeCtrl& tree = document->DatabaseTree->GetTreeCtrl();
  HTREEITEM root = tree.GetRootItem();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(tree.GetItemText(root), L"Access DataBase");
  std::vector<CString> groups;
  for (HTREEITEM item = tree.GetChildItem(root); item != nullptr; item = tree.GetNextSiblingItem(item))
    groups.push_back(tree.GetItemText(item));
  EXPECT_EQ(groups, (std::vector<CString>{L"Tables", L"Relations", L"QueryDefs"}));
  EXPECT_EQ(document->DatabaseTree->Populating, 0);
  // Closed views are no longer called.
  host->CloseAllPreviews();
  PumpPending();
  EXPECT_EQ(document->DatabaseTree, nullptr);
  EXPECT_EQ(document->RecordList, nullptr);
  document->RefreshDatabaseViews();
  delete document->Database;
  document->Database = nullptr;
}

TEST_F(PreviewPane, TextWithAMarkShowsWithCrLf) {
  WriteBytes(File(L"utf8.txt"), "\xEF\xBB\xBF" "caf\xC3\xA9\nline two\r\nthree");
  Show(File(L"utf8.txt"));
  ASSERT_NE(host->DocumentView, nullptr);
  EXPECT_EQ(Text(host->DocumentView->m_richEdit), L"caf\u00E9\r\nline two\r\nthree");
  EXPECT_TRUE(host->DocumentView->m_richEdit.GetStyle() & ES_READONLY);
}

TEST_F(PreviewPane, LongRtfLoadsWhole) {
  // In paragraphs: Wine's rich edit takes minutes over one paragraph this long.
  std::string rtf = "{\\rtf1\\ansi ";
  for (int n = 0; n < 7000; ++n) rtf += n % 10 == 9 ? "abcdefghi\\par " : "abcdefghi ";
  rtf += "END}";
  WriteBytes(File(L"long.rtf"), rtf);
  Show(File(L"long.rtf"));
  ASSERT_NE(host->DocumentView, nullptr);
  EXPECT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_GE(host->DocumentView->m_richEdit.GetTextLength(), 70003);
  EXPECT_EQ(Text(host->DocumentView->m_richEdit).Right(3), L"END");
}

TEST_F(PreviewPane, EmptyRtfFails) {
  WriteBytes(File(L"empty.rtf"), "");
  Show(File(L"empty.rtf"));
  EXPECT_EQ(PreviewLoadedFlag(), 0);
  EXPECT_EQ(CardShown(), static_cast<UINT>(IDB_CARD_CORRUPTED));
}

TEST_F(PreviewPane, PdfInTheControlOrTheCard) {
  // Wine has no PDF control: the stand-in takes its class id where a case
  // wants one.
  WriteBytes(File(L"paper.pdf"), "%PDF-1.4");
  std::wstring lowered = File(L"paper.pdf");
  CharLowerW(lowered.data());
  const struct {
    const char* name;
    bool installed;
    const wchar_t* raise;
    int loaded;
    UINT card;
  } cases[] = {
      {"not installed", false, L"", 0, IDB_CARD_CORRUPTED},
      {"opens", true, L"", 1, 0},
      {"control raises", true, L"Damaged file", 0, IDB_CARD_CORRUPTED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StandInControl::invoked.clear();
    StandInControl::raiseText = c.raise;
    std::optional<StandInControl::Registration> registration;
    if (c.installed) registration.emplace(CWPViewPDFX::kClassId);
    SetAppMessage(0, u"");
    {
      Watcher answer([&] {
        if (c.installed) return;
        HWND box = WaitForDialog(L"Mulvara");
        if (box != nullptr) PostMessageW(box, WM_COMMAND, IDOK, 0);
      });
      Show(File(L"paper.pdf"));
    }
    EXPECT_EQ(PreviewSupportedFlag(), 1);
    EXPECT_EQ(PreviewLoadedFlag(), c.loaded);
    EXPECT_EQ(CardShown(), c.card);
    if (!c.installed) {
      const AppMessage shown = GetAppMessage();
      EXPECT_EQ(shown.text, u"Unable to open.");
      EXPECT_EQ(shown.kind, 2);
      // The view refused creation: nothing but the card is in the pane.
      EXPECT_EQ(host->DocumentView, nullptr);
      continue;
    }
    ASSERT_NE(host->DocumentView, nullptr);
    ASSERT_EQ(StandInControl::invoked.size(), 1u);
    EXPECT_EQ(StandInControl::invoked[0].first, 207);
    EXPECT_EQ(StandInControl::invoked[0].second, lowered);
    CWnd* control = host->DocumentView->GetDlgItem(182);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control, &host->DocumentView->m_pdfControl);
    EXPECT_TRUE(control->IsWindowVisible());
    CRect client;
    host->DocumentView->GetClientRect(&client);
    EXPECT_EQ(ChildRect(host->DocumentView, control), client);
    EXPECT_EQ(CRect(StandInControl::last->objectRect), client);
    host->CloseAllPreviews();
    PumpPending();
    EXPECT_EQ(StandInControl::live, 0);
  }
  StandInControl::raiseText.clear();
  SetAppMessage(0, u"");
}

TEST(RtfOleCallback, NumbersItsStoragesFromOne) {
  CoInitialize(nullptr);
  CRtfOleCallback* callback = CRtfOleCallback::Create();
  ASSERT_NE(callback, nullptr);
  callback->AddRef();
  for (const wchar_t* name : {L"REOLEStorage1", L"REOLEStorage2"}) {
    IStorage* storage = nullptr;
    ASSERT_EQ(callback->GetNewStorage(&storage), S_OK);
    storage->Release();
    IStorage* opened = nullptr;
    EXPECT_EQ(callback->m_root->OpenStorage(name, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &opened),
              S_OK);
    if (opened != nullptr) opened->Release();
  }
  callback->Release();
  CoUninitialize();
}

TEST(RtfOleCallback, StorageThatCannotBeMadeIsAnErrorCode) {
  CoInitialize(nullptr);
  WCHAR temp[MAX_PATH], path[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  GetTempFileNameW(temp, L"stg", 0, path);
  IStorage* made = nullptr;
  ASSERT_HRESULT_SUCCEEDED(
      StgCreateDocfile(path, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &made));
  made->Release();
  IStorage* readOnly = nullptr;
  ASSERT_HRESULT_SUCCEEDED(StgOpenStorage(path, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &readOnly));
  auto* callback = new CRtfOleCallback(readOnly);
  readOnly->Release();
  callback->AddRef();
  IStorage* storage = reinterpret_cast<IStorage*>(1);
  EXPECT_TRUE(FAILED(callback->GetNewStorage(&storage)));
  EXPECT_EQ(storage, nullptr);
  callback->Release();
  DeleteFileW(path);
  CoUninitialize();
}

// The driver over the stand-in converter, its messages collected.
std::string converterMessages;

class ConverterDriver : public PreviewPane {
 protected:
  void SetUp() override {
    PreviewPane::SetUp();
    converterMessages.clear();
    ConverterMessageSink = [](const char* text) { converterMessages += text; };
    converters = File(L"converters");
    CreateDirectoryW(converters.c_str(), nullptr);
  }
  void TearDown() override {
    ConverterMessageSink = [](const char* text) { fputs(text, stderr); };
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((converters + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do DeleteFileW((converters + L"\\" + found.cFileName).c_str());
      while (FindNextFileW(find, &found));
      FindClose(find);
    }
    RemoveDirectoryW(converters.c_str());
    PreviewPane::TearDown();
  }
  // The stand-in under a name of the converter folder.
  void Install(const wchar_t* name) {
    ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\converter_standin.dll").c_str(), (converters + L"\\" + name).c_str(),
                          FALSE));
    SetEnvironmentVariableW(L"WORDCNV_DIR", converters.c_str());
  }
  int Convert(const std::string& source, const std::string& target, const char* import = "MSWord8",
              const char* exportClass = "MSWord6RTFExp") {
    CWordConverter converter;
    return converter.ConvertToRtf(import, exportClass, source.c_str(), target.c_str());
  }
  std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
  size_t TempFilesLeft() {
    size_t count = 0;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\cnv*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do ++count;
      while (FindNextFileW(find, &found));
      FindClose(find);
    }
    return count;
  }

  std::wstring converters;
};

TEST_F(ConverterDriver, ConvertsThroughTheStandIn) {
  Install(L"standin.cnv");
  WriteBytes(File(L"letter.doc"), "Dear reader");
  EXPECT_EQ(Convert(Narrow(File(L"letter.doc")), Narrow(File(L"out.rtf"))), 0);
  std::ifstream in(Narrow(File(L"out.rtf")), std::ios::binary);
  std::string rtf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(rtf, "{\\rtf1 Dear reader}");
  EXPECT_EQ(TempFilesLeft(), 0u);
  EXPECT_EQ(converterMessages, "");
}

TEST_F(ConverterDriver, RefusedInputSkipsTheExport) {
  Install(L"standin.cnv");
  WriteBytes(File(L"odd.doc"), "UNKNOWN format");
  const std::string source = Narrow(File(L"odd.doc"));
  EXPECT_EQ(Convert(source, Narrow(File(L"out.rtf"))), 0);
  EXPECT_FALSE(Exists(File(L"out.rtf")));
  EXPECT_EQ(TempFilesLeft(), 0u);
  EXPECT_EQ(converterMessages, "wordcnv: error: converter did not recognise input file '" + source + "'\n");
}

TEST_F(ConverterDriver, FolderNamesAndClasses) {
  const struct {
    const wchar_t* library;  // null: no folder at all
    const char* import;
    int result;
    bool converted;
    const char* message;
  } cases[] = {
      {nullptr, "MSWord8", 1, false, "wordcnv: error: FindFirstFile failed with error 3\n"},
      {L"a.cnv", "MSWord8", 0, false, "wordcnv: error: Import class MSWord8 not found\n"},
      {L"WORD.CNV", "MSWord8", 0, true, ""},
      {L"word97.Wpc", "msword8", 0, true, ""},
      {L"word.dll", "MSWord8", 0, false, "wordcnv: error: Import class MSWord8 not found\n"},
      {L"word.cnv", "msword6rtfexp", 1, false, "wordcnv: error: Nothing to do; import and export class are the same\n"},
  };
  WriteBytes(File(L"letter.doc"), "text");
  for (const auto& c : cases) {
    converterMessages.clear();
    DeleteFileW(File(L"out.rtf").c_str());
    if (c.library == nullptr) {
      SetEnvironmentVariableW(L"WORDCNV_DIR", File(L"no such folder").c_str());
    } else {
      Install(c.library);
    }
    const std::string name = c.library != nullptr ? Narrow(c.library) : "no folder";
    EXPECT_EQ(Convert(Narrow(File(L"letter.doc")), Narrow(File(L"out.rtf")), c.import,
                      c.library != nullptr && wcscmp(c.library, L"word.cnv") == 0 ? "MSWORD6RTFEXP" : "MSWord6RTFExp"),
              c.result)
        << name;
    EXPECT_EQ(Exists(File(L"out.rtf")), c.converted) << name;
    EXPECT_EQ(converterMessages, c.message) << name;
    if (c.library != nullptr) DeleteFileW((converters + L"\\" + c.library).c_str());
  }
}

TEST_F(ConverterDriver, WordPreviewWithAndWithoutAConverter) {
  WriteBytes(File(L"letter.doc"), "Hello from Word");
  // Without converters a stale "New.rtf" must not pass for the document.
  WriteBytes(std::wstring(folder + L"\\New.rtf"), "{\\rtf1 STALE}");
  SetEnvironmentVariableW(L"WORDCNV_DIR", File(L"no such folder").c_str());
  Show(File(L"letter.doc"));
  EXPECT_EQ(PreviewLoadedFlag(), 0);
  EXPECT_EQ(CardShown(), static_cast<UINT>(IDB_CARD_CORRUPTED));
  EXPECT_FALSE(Exists(folder + L"\\New.rtf"));

  Install(L"standin.cnv");
  Show(File(L"letter.doc"));
  EXPECT_EQ(PreviewLoadedFlag(), 1);
  ASSERT_NE(host->DocumentView, nullptr);
  EXPECT_EQ(Text(host->DocumentView->m_richEdit), L"Hello from Word");
  EXPECT_FALSE(Exists(folder + L"\\New.rtf"));
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(ConverterDriver, WordAndSpreadsheetWindowsSurvive) {
  // Windows of a word processor's and a spreadsheet's class, owned by this
  // very process: ending their owner would end the test.
  HWND windows[2] = {};
  const wchar_t* classes[] = {L"OpusApp", L"XLMain"};
  for (int n = 0; n < 2; ++n) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = classes[n];
    RegisterClassW(&windowClass);
    windows[n] = CreateWindowW(classes[n], classes[n], WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(windows[n], nullptr);
  }
  Install(L"standin.cnv");
  WriteBytes(File(L"letter.doc"), "still here");
  Show(File(L"letter.doc"));
  EXPECT_EQ(PreviewLoadedFlag(), 1);
  host->CloseAllPreviews();
  PumpPending();
  for (HWND window : windows) {
    EXPECT_TRUE(IsWindow(window));
    DestroyWindow(window);
  }
}

}  // namespace
