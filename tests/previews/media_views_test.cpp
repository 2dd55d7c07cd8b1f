// The media viewers in the preview pane: the real Windows Media Player
// control of Wine over a WAV file made by sox, a stand-in control under the
// player's class id that records the calls, and an MCI window over an
// uncompressed AVI file written here. Nothing listens to the sound or looks
// at the video: only the windows and the calls are checked.
#include <gtest/gtest.h>

#include <vfw.h>

#include <optional>
#include <string>
#include <vector>

#include "control_standin.h"
#include "media_views.h"
#include "placeholder_views.h"
#include "preview_frame.h"
#include "shell_resources.h"

namespace {

std::wstring ProgramFolder() {
  WCHAR path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path);
  return program.substr(0, program.find_last_of(L"\\/"));
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// An uncompressed AVI: one stream of 24-bit frames, each of one shade of
// grey, at ten frames a second, with its index.
std::string AviFile(int width, int height, int frames) {
  const int frameBytes = width * 3 * height;  // width * 3 is a multiple of 4
  std::string out;
  auto put16 = [&](int v) { out += static_cast<char>(v & 0xFF), out += static_cast<char>((v >> 8) & 0xFF); };
  auto put32 = [&](int v) { put16(v & 0xFFFF), put16((v >> 16) & 0xFFFF); };
  auto fourcc = [&](const char* code) { out.append(code, 4); };
  auto patch32 = [&](size_t at, int v) {
    for (int n = 0; n < 4; ++n) out[at + n] = static_cast<char>((v >> (8 * n)) & 0xFF);
  };
  fourcc("RIFF");
  const size_t riffSize = out.size();
  put32(0);
  fourcc("AVI ");
  fourcc("LIST");
  const size_t hdrlSize = out.size();
  put32(0);
  fourcc("hdrl");
  fourcc("avih");
  put32(56);
  put32(100000), put32(frameBytes * 10), put32(0), put32(AVIF_HASINDEX);
  put32(frames), put32(0), put32(1), put32(frameBytes), put32(width), put32(height);
  put32(0), put32(0), put32(0), put32(0);
  fourcc("LIST");
  const size_t strlSize = out.size();
  put32(0);
  fourcc("strl");
  fourcc("strh");
  put32(56);
  fourcc("vids"), fourcc("DIB "), put32(0), put16(0), put16(0), put32(0);
  put32(1), put32(10), put32(0), put32(frames), put32(frameBytes), put32(-1), put32(0);
  put16(0), put16(0), put16(width), put16(height);
  fourcc("strf");
  put32(40);
  put32(40), put32(width), put32(height), put16(1), put16(24), put32(BI_RGB), put32(frameBytes);
  put32(0), put32(0), put32(0), put32(0);
  patch32(strlSize, static_cast<int>(out.size() - strlSize - 4));
  patch32(hdrlSize, static_cast<int>(out.size() - hdrlSize - 4));
  fourcc("LIST");
  const size_t moviSize = out.size();
  put32(0);
  const size_t movi = out.size();
  fourcc("movi");
  std::vector<int> offsets;
  for (int n = 0; n < frames; ++n) {
    offsets.push_back(static_cast<int>(out.size() - movi));
    fourcc("00db");
    put32(frameBytes);
    out.append(static_cast<size_t>(frameBytes), static_cast<char>(40 + n * 20));
  }
  patch32(moviSize, static_cast<int>(out.size() - moviSize - 4));
  fourcc("idx1");
  put32(frames * 16);
  for (int offset : offsets) fourcc("00db"), put32(AVIIF_KEYFRAME), put32(offset), put32(frameBytes);
  patch32(riffSize, static_cast<int>(out.size() - riffSize - 4));
  return out;
}

class MediaPreview : public PreviewFrameTest {
 protected:
  void SetUp() override {
    ::OleInitialize(nullptr);
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    MakeFolder(std::wstring(temp) + L"media-test-" + std::to_wstring(GetCurrentProcessId()));
    StandInControl::calls.clear();
    StandInControl::invoked.clear();
    StandInControl::raiseText.clear();
    StandInControl::raiseOnly = 0;
    StandInControl::refuseCreation = false;
    OpenFrame();
  }
  void TearDown() override {
    CloseFrameAndFolder();
    CoUninitialize();
    ::OleUninitialize();
  }
  UINT CardShown() const {
    return host->Placeholder == nullptr
               ? 0
               : PlaceholderCardFor(NoFileSelectedFlag(), PreviewSupportedFlag(), PreviewLoadedFlag());
  }
  void ResizeFrame(int width, int height) {
    frame->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
  }
  // The calls but the moves, which follow the layout.
  static std::vector<std::string> CallsButMoves() {
    std::vector<std::string> calls;
    for (const std::string& call : StandInControl::calls)
      if (call != "SetObjectRects") calls.push_back(call);
    return calls;
  }
  static std::wstring Lowered(std::wstring path) {
    CharLowerW(path.data());
    return path;
  }
};

TEST_F(MediaPreview, WinesPlayerFillsTheViewAfterAResize) {
  const std::wstring sound = ProgramFolder() + L"\\media\\tone.wav";
  ASSERT_TRUE(Exists(sound)) << "made by sox at build time";
  Show(sound);
  EXPECT_EQ(PreviewSupportedFlag(), 1);
  // Wine's player has no working dispatch: setting the URL raises there and
  // the card covers the player, which is laid out all the same.
  EXPECT_EQ(CardShown(), PreviewLoadedFlag() ? 0u : static_cast<UINT>(IDB_CARD_CORRUPTED));
  ASSERT_NE(host->MediaView, nullptr);
  CWnd* control = host->MediaView->GetDlgItem(185);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control, &host->MediaView->m_player);
  EXPECT_TRUE(control->IsWindowVisible());
  for (const CSize size : {CSize(640, 420), CSize(520, 380)}) {
    ResizeFrame(size.cx, size.cy);
    CRect client;
    host->MediaView->GetClientRect(&client);
    EXPECT_EQ(ChildRect(host->MediaView, control), client);
  }
  const HWND window = control->GetSafeHwnd();
  host->CloseAllPreviews();
  PumpPending();
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(MediaPreview, PlayerHearsTheUrlThenTheReadsThenCloseAtTheEnd) {
  WriteBytes(File(L"song.mp3"), "ID3");
  const std::vector<std::string> made = {"InitNew", "SetClientSite", "InPlaceActivate"};
  const std::vector<std::string> closed = {"call 3", "InPlaceDeactivate", "Close", "SetClientSite(null)"};
  const struct {
    const char* name;
    const wchar_t* raise;
    DISPID raiseOnly;
    std::vector<std::string> reads;
    int loaded;
  } cases[] = {
      {"plays", L"", 0, {"put 1", "get 2", "get 10", "get 18"}, 1},
      {"refuses the file", L"Cannot open", 0, {"put 1"}, 0},
      {"status unreadable", L"Not implemented", 18, {"put 1", "get 2", "get 10", "get 18"}, 0},
  };
  std::optional<StandInControl::Registration> registration;
  registration.emplace(CWMPPlayer4::kClassId);
  ASSERT_TRUE(registration->ok());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StandInControl::calls.clear();
    StandInControl::invoked.clear();
    StandInControl::raiseText = c.raise;
    StandInControl::raiseOnly = c.raiseOnly;
    Show(File(L"song.mp3"));
    std::vector<std::string> expected = made;
    expected.insert(expected.end(), c.reads.begin(), c.reads.end());
    EXPECT_EQ(CallsButMoves(), expected);
    ASSERT_FALSE(StandInControl::invoked.empty());
    EXPECT_EQ(StandInControl::invoked[0].second, Lowered(File(L"song.mp3")));
    EXPECT_EQ(PreviewLoadedFlag(), c.loaded);
    EXPECT_EQ(CardShown(), c.loaded ? 0u : static_cast<UINT>(IDB_CARD_CORRUPTED));
    ASSERT_NE(host->MediaView, nullptr);
    EXPECT_EQ(host->MediaView->GetDlgItem(185), &host->MediaView->m_player);

    // Close reaches the player while it exists, even one that raised, and
    // the control is released after it.
    StandInControl::calls.clear();
    host->CloseAllPreviews();
    PumpPending();
    EXPECT_EQ(CallsButMoves(), closed);
    EXPECT_EQ(StandInControl::live, 0);
  }
  StandInControl::raiseText.clear();
  StandInControl::raiseOnly = 0;
}

TEST_F(MediaPreview, PlayerThatCannotBeMadeEndsInTheCard) {
  // Wine has the real player: a factory that makes nothing stands in for
  // a system without it.
  StandInControl::Registration registration(CWMPPlayer4::kClassId);
  ASSERT_TRUE(registration.ok());
  StandInControl::refuseCreation = true;
  WriteBytes(File(L"voice.wma"), "x");
  Show(File(L"voice.wma"));
  StandInControl::refuseCreation = false;
  EXPECT_EQ(PreviewSupportedFlag(), 1);
  EXPECT_EQ(PreviewLoadedFlag(), 0);
  EXPECT_EQ(CardShown(), static_cast<UINT>(IDB_CARD_CORRUPTED));
  ASSERT_NE(host->MediaView, nullptr);
  EXPECT_EQ(host->MediaView->GetDlgItem(185), nullptr);
  EXPECT_TRUE(StandInControl::calls.empty());
  host->CloseAllPreviews();
  PumpPending();
}

// The messages that reach the MCI window from the view, in order.
std::vector<UINT> mciMessages;
WNDPROC mciProcedure = nullptr;

LRESULT CALLBACK RecordMciMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == MCI_STOP || message == WM_CLOSE) mciMessages.push_back(message);
  return CallWindowProcW(mciProcedure, window, message, wParam, lParam);
}

TEST_F(MediaPreview, VideoWindowKeepsItsOwnSizeAndStopsBeforeItCloses) {
  WriteBytes(File(L"clip.avi"), AviFile(64, 48, 10));
  Show(File(L"clip.avi"));
  EXPECT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_EQ(host->Placeholder, nullptr);
  ASSERT_NE(host->VideoView, nullptr);
  const HWND mci = host->VideoView->m_mciWindow;
  ASSERT_NE(mci, nullptr);
  EXPECT_EQ(GetParent(mci), host->VideoView->GetSafeHwnd());
  EXPECT_TRUE(IsWindowVisible(mci));
  CRect before;
  GetWindowRect(mci, &before);
  ScreenToClient(host->VideoView->GetSafeHwnd(), reinterpret_cast<POINT*>(&before));
  ScreenToClient(host->VideoView->GetSafeHwnd(), reinterpret_cast<POINT*>(&before) + 1);
  // The window took the size of the movie (and its play bar), not the view's.
  EXPECT_GE(before.Width(), 64);
  CRect view;
  host->VideoView->GetClientRect(&view);
  EXPECT_LT(before.Width(), view.Width());

  ResizeFrame(660, 460);
  CRect resized;
  host->VideoView->GetClientRect(&resized);
  EXPECT_NE(resized.Size(), view.Size());
  CRect after;
  GetWindowRect(mci, &after);
  ScreenToClient(host->VideoView->GetSafeHwnd(), reinterpret_cast<POINT*>(&after));
  ScreenToClient(host->VideoView->GetSafeHwnd(), reinterpret_cast<POINT*>(&after) + 1);
  EXPECT_EQ(after, before);

  mciMessages.clear();
  mciProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(mci, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordMciMessages)));
  host->CloseAllPreviews();
  PumpPending();
  EXPECT_EQ(mciMessages, (std::vector<UINT>{MCI_STOP, WM_CLOSE}));
  EXPECT_FALSE(IsWindow(mci));
}

}  // namespace
