#include "docking_fixtures.h"

BOOL DockingTestFrame::CreateFrame(int topBarHeight) {
  CRect rect(20, 20, 20 + 600, 20 + 400);
  ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
  if (!Create(nullptr, L"Docking test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect)) return FALSE;
  view.Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_WHITERECT, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST);
  if (topBarHeight > 0) {
    // A bar made before the manager: the layout reaches it first.
    auto* bar = new CWnd;
    bar->Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, CRect(0, 0, 10, topBarHeight), this, 0xE810);
    topBar = bar;
  }
  return TRUE;
}

LRESULT DockingTestFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == DockingPaneNotify) {
    DockingNote note = {wParam, -1, nullptr};
    if (wParam == kNotifyAction) {
      auto* record = reinterpret_cast<DockingPaneAction*>(lParam);
      note.action = record->action;
      note.pane = record->pane;
      for (int vetoed : vetoedActions)
        if (vetoed == record->action) record->cancel = TRUE;
      if (veto && veto(*record)) record->cancel = TRUE;
    } else if (wParam == kNotifyShowWindow || wParam == kNotifyClosePane) {
      note.pane = reinterpret_cast<CTkDockingPaneObject*>(lParam);
    }
    notes.push_back(note);
    if (wParam == kNotifyClosePane && vetoClose) return -1;
    return 0;
  }
  if (message == WM_SIZEPARENT && topBar != nullptr) {
    // Unused: the bar is a plain window; see BarWindowProc.
  }
  return CFrameWnd::WindowProc(message, wParam, lParam);
}

namespace {

// A top bar answers the layout pass like a control bar of fixed height.
LRESULT CALLBACK TopBarProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC old = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, L"DockTestOld"));
  if (message == WM_SIZEPARENT) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    int height = static_cast<int>(reinterpret_cast<INT_PTR>(::GetPropW(hWnd, L"DockTestHeight")));
    CRect rect(layout->rect.left, layout->rect.top, layout->rect.right, layout->rect.top + height);
    AfxRepositionWindow(layout, hWnd, &rect);
    layout->rect.top += height;
    return 0;
  }
  return ::CallWindowProcW(old, hWnd, message, wParam, lParam);
}

}  // namespace

DockingFixture::DockingFixture(int topBarHeight, BOOL install) {
  frame = new DockingTestFrame;
  frame->CreateFrame(topBarHeight);
  if (frame->topBar != nullptr) {
    HWND bar = frame->topBar->GetSafeHwnd();
    ::SetPropW(bar, L"DockTestHeight", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(topBarHeight)));
    ::SetPropW(bar, L"DockTestOld",
               reinterpret_cast<HANDLE>(::SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TopBarProc))));
  }
  if (install) site.InstallInFrame(frame);
  frame->ShowWindow(SW_SHOW);
  frame->RecalcLayout();
}

DockingFixture::~DockingFixture() {
  if (frame->topBar != nullptr) {
    HWND bar = frame->topBar->GetSafeHwnd();
    ::SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(::GetPropW(bar, L"DockTestOld")));
    ::RemovePropW(bar, L"DockTestOld");
    ::RemovePropW(bar, L"DockTestHeight");
    delete frame->topBar;
    frame->topBar = nullptr;
  }
  // The frame object deletes itself when its window goes.
  frame->DestroyWindow();
}

CTkDockingPaneObject* DockingFixture::MakePane(int id, LPCWSTR title) {
  HWND child = ::CreateWindowExW(0, L"STATIC", title, WS_CHILD | SS_GRAYRECT, 0, 0, 0, 0, frame->GetSafeHwnd(),
                                 nullptr, nullptr, nullptr);
  paneWindows.push_back(child);
  CTkDockingPaneObject* pane = site.CreatePane(id, title, child);
  // A size the panes show at; tests of the distribution set their own.
  pane->DockingCX = 160;
  pane->DockingCY = 120;
  return pane;
}

CRect DockingFixture::ViewRect() const {
  CRect rect;
  frame->view.GetWindowRect(&rect);
  frame->ScreenToClient(&rect);
  return rect;
}

int DockingFixture::CountActions(int action) const {
  int count = 0;
  for (const DockingNote& note : frame->notes)
    if (note.code == kNotifyAction && note.action == action) ++count;
  return count;
}

std::string DescribeNode(CTkDockingPaneNode* node) {
  if (node == nullptr) return "-";
  switch (node->GetType()) {
    case kNodeClient:
      return "C";
    case kNodePane:
      return std::to_string(static_cast<CTkDockingPaneObject*>(node)->m_id);
    case kNodeTabbedContainer: {
      auto* container = static_cast<CTkDockingPaneTabbedContainer*>(node);
      std::string text = "T(";
      for (size_t i = 0; i < container->GetPanes().size(); ++i)
        text += (i ? "," : "") + DescribeNode(container->GetPanes()[i]);
      return text + ")";
    }
    case kNodeSplitGroup: {
      auto* group = static_cast<CTkDockingPaneSplitGroup*>(node);
      std::string text = group->m_bHorizontal ? "H[" : "V[";
      for (size_t i = 0; i < group->m_children.size(); ++i)
        text += (i ? "," : "") + DescribeNode(group->m_children[i]);
      return text + "]";
    }
    case kNodeMiniFrame:
      return "F{" + DescribeNode(static_cast<CTkDockingPaneMiniWnd*>(node)->m_pTopContainer) + "}";
    case kNodeHiddenStrip: {
      auto* strip = static_cast<CTkDockingPaneHiddenStrip*>(node);
      std::string text = "S" + std::to_string(strip->GetSide()) + "{";
      for (size_t i = 0; i < strip->GetContainers().size(); ++i)
        text += (i ? "," : "") + DescribeNode(strip->GetContainers()[i]);
      return text + "}";
    }
    default:
      return "?";
  }
}

std::vector<CTkDockingPaneMiniWnd*> FloatingFrames(CTkDockingPaneArrangement* layout) {
  std::vector<CTkDockingPaneMiniWnd*> frames;
  for (CTkDockingPaneNode* node : layout->m_nodes)
    if (node->GetType() == kNodeMiniFrame) frames.push_back(static_cast<CTkDockingPaneMiniWnd*>(node));
  return frames;
}

ButtonOwner::ButtonOwner() : CTkDockingPaneNode(kNodeTabbedContainer, nullptr) {
  for (int id : {kButtonClose, kButtonMaximize, kButtonRestore, kButtonAutoHide, kButtonMenu})
    m_captionButtons.push_back(new CTkDockingPaneCaptionButton(id, this));
}

PainterPtr MakeTheme(int theme) {
  CTkDockingPanePainter* painter = CreateDockingPanePainter(theme);
  painter->m_theme = theme;
  painter->RefreshMetrics();
  return {painter, [](CTkDockingPanePainter* p) { p->InternalRelease(); }};
}
