#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_app.h"
#include "window_hooks.h"

namespace {

const UINT kProbe = WM_APP + 17;

std::vector<std::string>* events = nullptr;

LRESULT CALLBACK ProbeWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) {
    if (events != nullptr) events->push_back("window");
    return 7;
  }
  if (message == WM_NCDESTROY && events != nullptr)
    events->push_back(CTkWindowHookTable::FindChain(hWnd) == nullptr ? "ncdestroy unhooked" : "ncdestroy hooked");
  return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

class ScriptedClient : public CTkHookClient {
 public:
  ScriptedClient(const char* name, int answer, LRESULT result = 0) : m_name(name), m_answer(answer), m_result(result) {}
  int OnHookMessage(HWND, UINT message, WPARAM&, LPARAM&, LRESULT& result) override {
    if (message != kProbe && message != WM_KEYDOWN) return kNotHandled;
    seenRecord = AfxLastSentMessage();
    if (events != nullptr) events->push_back(m_name);
    if (m_answer == kHandled) result = m_result;
    return m_answer;
  }
  MSG seenRecord = {};

 private:
  std::string m_name;
  int m_answer;
  LRESULT m_result;
};

class WindowHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ProbeWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MulvaraHookProbe";
    ::RegisterClassW(&windowClass);
    window = ::CreateWindowExW(0, L"MulvaraHookProbe", L"", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    events = &seen;
  }
  void TearDown() override {
    events = nullptr;
    if (::IsWindow(window)) ::DestroyWindow(window);
  }

  HWND window = nullptr;
  std::vector<std::string> seen;
};

TEST_F(WindowHookTest, ClientsAreAskedNewestFirstAndTheirAnswerDecides) {
  struct Case {
    int olderAnswer;
    int newerAnswer;
    LRESULT expectedResult;
    std::vector<std::string> expectedEvents;
  };
  const Case cases[] = {
      {0, 0, 7, {"newer", "older", "window"}},
      {0, 2, 7, {"newer", "window"}},
      {0, 1, 42, {"newer"}},
      {1, 0, 42, {"newer", "older"}},
  };
  for (const Case& c : cases) {
    ScriptedClient older("older", c.olderAnswer, 42);
    ScriptedClient newer("newer", c.newerAnswer, 42);
    CTkWindowHookTable::AttachClient(window, &older);
    CTkWindowHookTable::AttachClient(window, &newer);
    seen.clear();
    EXPECT_EQ(c.expectedResult, ::SendMessageW(window, kProbe, 0, 0));
    EXPECT_EQ(c.expectedEvents, seen);
    CTkWindowHookTable::DetachClientEverywhere(&older);
    CTkWindowHookTable::DetachClientEverywhere(&newer);
  }
}

TEST_F(WindowHookTest, OneEntryPerClientAndTheLastDetachRestoresTheProcedure) {
  LONG_PTR original = ::GetWindowLongPtrW(window, GWLP_WNDPROC);
  ScriptedClient client("client", 0);
  ScriptedClient other("other", 0);
  CTkWindowHookTable::AttachClient(window, &client);
  CTkWindowHookTable::AttachClient(window, &client);
  CTkWindowHookTable::AttachClient(window, &other);
  EXPECT_NE(original, ::GetWindowLongPtrW(window, GWLP_WNDPROC));
  ASSERT_NE(nullptr, CTkWindowHookTable::FindChain(window));
  EXPECT_EQ(2u, CTkWindowHookTable::FindChain(window)->m_clients.size());
  CTkWindowHookTable::DetachClient(window, &client);
  EXPECT_NE(original, ::GetWindowLongPtrW(window, GWLP_WNDPROC));
  CTkWindowHookTable::DetachClient(window, &other);
  EXPECT_EQ(original, ::GetWindowLongPtrW(window, GWLP_WNDPROC));
  EXPECT_EQ(nullptr, CTkWindowHookTable::FindChain(window));
  seen.clear();
  ::SendMessageW(window, kProbe, 0, 0);
  EXPECT_EQ(std::vector<std::string>{"window"}, seen);
}

TEST_F(WindowHookTest, ADestroyedWindowHasItsProcedureBackBeforeNcDestroy) {
  ScriptedClient client("client", 0);
  CTkWindowHookTable::AttachClient(window, &client);
  ::DestroyWindow(window);
  EXPECT_EQ(nullptr, CTkWindowHookTable::FindChain(window));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ("ncdestroy unhooked", seen.back());
}

TEST_F(WindowHookTest, TheCurrentMessageRecordComesBackOnEveryPath) {
  const MSG outer = {reinterpret_cast<HWND>(0x1234), WM_APP + 99, 5, 6, 0, {0, 0}};
  for (int answer : {0, 1, 2}) {
    ScriptedClient client("client", answer);
    CTkWindowHookTable::AttachClient(window, &client);
    AfxLastSentMessage() = outer;
    ::SendMessageW(window, kProbe, 11, 12);
    EXPECT_EQ(window, client.seenRecord.hwnd);
    EXPECT_EQ(kProbe, client.seenRecord.message);
    EXPECT_EQ(11u, client.seenRecord.wParam);
    EXPECT_EQ(outer.hwnd, AfxLastSentMessage().hwnd) << answer;
    EXPECT_EQ(outer.message, AfxLastSentMessage().message) << answer;
    CTkWindowHookTable::DetachClient(window, &client);
  }
  ScriptedClient client("client", 0);
  CTkWindowHookTable::AttachClient(window, &client);
  AfxLastSentMessage() = outer;
  ::DestroyWindow(window);
  EXPECT_EQ(outer.hwnd, AfxLastSentMessage().hwnd);
  EXPECT_EQ(outer.message, AfxLastSentMessage().message);
}

// A bar in menu mode covering a screen rectangle.
class FakeBar : public CTkTrackedBar {
 public:
  FakeBar(CTkMouseTracker& tracker, CRect area) : m_tracker(tracker), m_area(area) {}
  HWND GetTrackedWindow() const override { return ::GetDesktopWindow(); }
  void LeaveMenuMode() override {
    ++closed;
    m_tracker.RemoveTrackedBar(this);
  }
  void ClearHighlight() override { ++highlightCleared; }
  int ContainsPoint(CPoint point) override { return m_area.PtInRect(point) ? 1 : 0; }
  void OnTrackedMouseMove(UINT, CPoint) override { ++moves; }

  int closed = 0;
  int moves = 0;
  int highlightCleared = 0;

 private:
  CTkMouseTracker& m_tracker;
  CRect m_area;
};

TEST(MouseTracker, RepeatedMovesToOnePointDeliverOnce) {
  CTkMouseTracker tracker;
  FakeBar bar(tracker, CRect(0, 0, 10, 10));
  tracker.AddTrackedBar(&bar);
  EXPECT_FALSE(tracker.OnMouseMessage(WM_MOUSEMOVE, {500, 501}));
  EXPECT_TRUE(tracker.OnMouseMessage(WM_MOUSEMOVE, {500, 501}));
  EXPECT_FALSE(tracker.OnMouseMessage(WM_MOUSEMOVE, {502, 501}));
  EXPECT_EQ(2, bar.moves);
  tracker.CloseTrackedBars();
  EXPECT_FALSE(tracker.OnMouseMessage(WM_MOUSEMOVE, {502, 501}));  // nothing tracked
}

TEST(MouseTracker, OutsideClickRules) {
  HWND exempt = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 300, 300, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
  struct Case {
    const char* name;
    UINT message;
    POINT point;
    int suppressCount;
    BOOL swallowRelease;
    BOOL closes;
    BOOL discarded;
  };
  const Case cases[] = {
      {"press outside", WM_LBUTTONDOWN, {200, 200}, 0, FALSE, TRUE, FALSE},
      {"right press outside", WM_RBUTTONDOWN, {200, 200}, 0, FALSE, TRUE, FALSE},
      {"non-client press", WM_NCLBUTTONDOWN, {200, 200}, 0, FALSE, TRUE, FALSE},
      {"release outside", WM_LBUTTONUP, {200, 200}, 0, FALSE, TRUE, FALSE},
      {"release with a list open", WM_LBUTTONUP, {200, 200}, 1, FALSE, FALSE, FALSE},
      {"press with a list open", WM_LBUTTONDOWN, {200, 200}, 1, FALSE, TRUE, FALSE},
      {"press inside the bar", WM_LBUTTONDOWN, {5, 5}, 0, FALSE, FALSE, FALSE},
      {"press in an exempt window", WM_LBUTTONDOWN, {310, 310}, 0, FALSE, FALSE, FALSE},
      {"release after expanding", WM_LBUTTONUP, {200, 200}, 0, TRUE, FALSE, TRUE},
      {"press clears the swallow", WM_LBUTTONDOWN, {200, 200}, 0, TRUE, TRUE, FALSE},
  };
  for (const Case& c : cases) {
    CTkMouseTracker tracker;
    FakeBar bar(tracker, CRect(0, 0, 10, 10));
    tracker.AddTrackedBar(&bar);
    tracker.AddExemptWindow(exempt);
    tracker.m_suppressCount = c.suppressCount;
    tracker.m_bSwallowNextRelease = c.swallowRelease;
    EXPECT_EQ(c.discarded, tracker.OnMouseMessage(c.message, c.point)) << c.name;
    EXPECT_EQ(c.closes ? 1 : 0, bar.closed) << c.name;
    EXPECT_EQ(c.closes, tracker.m_trackedBars.empty()) << c.name;
    tracker.RemoveExemptWindow(exempt);
    tracker.CloseTrackedBars();
  }
  ::DestroyWindow(exempt);
}

TEST(MouseTracker, LockedBarsSurviveAndOthersAreTold) {
  CTkMouseTracker tracker;
  FakeBar outer(tracker, CRect(0, 0, 10, 10));
  FakeBar inner(tracker, CRect(20, 20, 30, 30));
  FakeBar highlighted(tracker, CRect(40, 40, 50, 50));
  tracker.m_pHighlightedBar = &highlighted;
  tracker.AddTrackedBar(&outer);
  EXPECT_EQ(1, highlighted.highlightCleared);
  tracker.LockTrackedBars(TRUE);
  tracker.AddTrackedBar(&inner);
  tracker.AddTrackedBar(&inner);
  EXPECT_EQ(2u, tracker.m_trackedBars.size());
  EXPECT_TRUE(tracker.IsTrackingOtherBar(&outer));  // locked
  EXPECT_FALSE(tracker.IsTrackingOtherBar(&inner));
  EXPECT_TRUE(tracker.IsTrackingOtherBar(&highlighted));
  EXPECT_TRUE(tracker.IsTrackingOtherBar(nullptr));
  // A press on the locked outer bar closes only the unlocked nested one.
  tracker.OnMouseMessage(WM_LBUTTONDOWN, {5, 5});
  EXPECT_EQ(1, inner.closed);
  EXPECT_EQ(0, outer.closed);
  EXPECT_EQ(0, tracker.LastMousePosition.x);
  tracker.LockTrackedBars(FALSE);
  tracker.CloseTrackedBars();
  EXPECT_FALSE(tracker.IsTrackingOtherBar(&outer));
}

TEST(KeyboardHook, KeysGoToClientsNewestFirstAndAltClosesMenus) {
  CTkKeyboardHook& hook = *GetKeyboardHook();
  std::vector<std::string> seen;
  events = &seen;
  ScriptedClient older("older", CTkHookClient::kNotHandled);
  ScriptedClient passing("passing", CTkHookClient::kStopAsking);
  EXPECT_TRUE(hook.OfferKey(WM_KEYDOWN, VK_DOWN, 0));  // no clients
  EXPECT_EQ(0, hook.AddClient(&older));
  EXPECT_NE(nullptr, hook.m_hKeyboardHook);
  EXPECT_TRUE(hook.OnKey(VK_DOWN, 0));  // every client answered 0
  EXPECT_EQ(1, hook.AddClient(&passing));
  EXPECT_EQ(1, hook.AddClient(&passing));
  seen.clear();
  EXPECT_FALSE(hook.OnKey(VK_DOWN, 0));
  EXPECT_EQ(std::vector<std::string>{"passing"}, seen);
  EXPECT_FALSE(hook.OnKey(VK_DOWN, static_cast<LPARAM>(0x80000000u)));  // a release

  FakeBar bar(*GetMouseTracker(), CRect(0, 0, 10, 10));
  GetMouseTracker()->AddTrackedBar(&bar);
  EXPECT_FALSE(hook.OnKey(VK_MENU, 0x20000000 | 0x40000000));  // held down: passed on
  EXPECT_EQ(0, bar.closed);
  seen.clear();
  EXPECT_TRUE(hook.OnKey(VK_MENU, 0x20000000));
  EXPECT_EQ(1, bar.closed);
  EXPECT_TRUE(seen.empty());

  hook.RemoveClient(&passing);
  hook.RemoveClient(&older);
  EXPECT_EQ(nullptr, hook.m_hKeyboardHook);
  EXPECT_EQ(nullptr, hook.m_hMessageHook);
  events = nullptr;
}

TEST(KeyboardHook, LosingActivationClosesTheThreadsMenus) {
  ScriptedClient client("client", CTkHookClient::kNotHandled);
  GetKeyboardHook()->AddClient(&client);
  HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  FakeBar bar(*GetMouseTracker(), CRect(0, 0, 10, 10));
  GetMouseTracker()->AddTrackedBar(&bar);
  ::SendMessageW(window, WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_EQ(0, bar.closed);
  ::SendMessageW(window, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(1, bar.closed);
  GetKeyboardHook()->RemoveClient(&client);
  ::DestroyWindow(window);
}

TEST(MouseTracker, HoverLeavePostsMouseLeaveWhenTheCursorIsOutside) {
  CTkMouseTracker& tracker = *GetMouseTracker();
  HWND first = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 4000, 4000, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
  HWND second = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 4100, 4000, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
  tracker.TrackMouseLeave(first);
  EXPECT_EQ(first, tracker.m_hHoverWindow);
  tracker.TrackMouseLeave(second);  // first is sent its leave at once
  EXPECT_EQ(second, tracker.m_hHoverWindow);
  tracker.OnHoverTimer();  // the cursor is nowhere near
  EXPECT_EQ(nullptr, tracker.m_hHoverWindow);
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, second, WM_MOUSELEAVE, WM_MOUSELEAVE, PM_REMOVE));
  ::DestroyWindow(first);
  ::DestroyWindow(second);
}

}  // namespace
