#include "bar_layout.h"

#include "command_bar.h"
#include "dock_bar.h"
#include "tool_bar.h"

namespace {

const int kNoPosition = -1;
const int kNoMRUWidth = 32767;

// Values equal to their default are left out; reading them back gives the
// default.
void WriteUnlessDefault(CWinApp* app, LPCWSTR section, LPCWSTR key, int value, int defaultValue) {
  if (value != defaultValue) app->WriteProfileInt(section, key, value);
}

int ReadInt(CWinApp* app, LPCWSTR section, LPCWSTR key, int defaultValue) {
  return static_cast<int>(app->GetProfileInt(section, key, defaultValue));
}

CString BarSection(LPCWSTR profile, int index) {
  CString section;
  section.Format(L"%s-Bar%d", profile, index);
  return section;
}

CString SummarySection(LPCWSTR profile) {
  CString section;
  section.Format(L"%s-Summary", profile);
  return section;
}

void SaveEntry(CWinApp* app, LPCWSTR section, const CTkBarLayoutEntry& entry) {
  app->WriteProfileString(section, nullptr, nullptr);
  app->WriteProfileInt(section, L"BarID", static_cast<int>(entry.nBarID));
  WriteUnlessDefault(app, section, L"Visible", entry.bVisible ? 1 : 0, 1);
  WriteUnlessDefault(app, section, L"Floating", entry.bFloating ? 1 : 0, 0);
  WriteUnlessDefault(app, section, L"XPos", entry.ptPosition.x, kNoPosition);
  WriteUnlessDefault(app, section, L"YPos", entry.ptPosition.y, kNoPosition);
  WriteUnlessDefault(app, section, L"MRUWidth", entry.nMRUWidth, kNoMRUWidth);
  app->WriteProfileInt(section, L"MRUDockID", static_cast<int>(entry.nMRUDockID));
  app->WriteProfileInt(section, L"MRUDockLeftPos", entry.rcMRUDock.left);
  app->WriteProfileInt(section, L"MRUDockTopPos", entry.rcMRUDock.top);
  app->WriteProfileInt(section, L"MRUDockRightPos", entry.rcMRUDock.right);
  app->WriteProfileInt(section, L"MRUDockBottomPos", entry.rcMRUDock.bottom);
  app->WriteProfileInt(section, L"MRUFloatXPos", entry.ptMRUFloat.x);
  app->WriteProfileInt(section, L"MRUFloatYPos", entry.ptMRUFloat.y);
  app->WriteProfileInt(section, L"DialogBar", entry.bDialogBar ? 1 : 0);
  if (!entry.bDialogBar) return;
  app->WriteProfileInt(section, L"DialogBarDockingClientCx", entry.szDockingClient.cx);
  app->WriteProfileInt(section, L"DialogBarDockingClientCy", entry.szDockingClient.cy);
  app->WriteProfileInt(section, L"DialogBarFloatingClientCx", entry.szFloatingClient.cx);
  app->WriteProfileInt(section, L"DialogBarFloatingClientCy", entry.szFloatingClient.cy);
}

void LoadEntry(CWinApp* app, LPCWSTR section, const CTkBarLayoutSnapshot& snapshot, CTkBarLayoutEntry& entry) {
  entry.nBarID = static_cast<UINT>(ReadInt(app, section, L"BarID", 0));
  entry.bVisible = ReadInt(app, section, L"Visible", 1) != 0;
  entry.bFloating = ReadInt(app, section, L"Floating", 0) != 0;
  entry.ptPosition.x = ReadInt(app, section, L"XPos", kNoPosition);
  entry.ptPosition.y = ReadInt(app, section, L"YPos", kNoPosition);
  snapshot.ScalePoint(entry.ptPosition);
  entry.nMRUWidth = ReadInt(app, section, L"MRUWidth", kNoMRUWidth);
  entry.nMRUDockID = static_cast<UINT>(ReadInt(app, section, L"MRUDockID", 0));
  entry.rcMRUDock.left = ReadInt(app, section, L"MRUDockLeftPos", 0);
  entry.rcMRUDock.top = ReadInt(app, section, L"MRUDockTopPos", 0);
  entry.rcMRUDock.right = ReadInt(app, section, L"MRUDockRightPos", 0);
  entry.rcMRUDock.bottom = ReadInt(app, section, L"MRUDockBottomPos", 0);
  snapshot.ScaleRect(entry.rcMRUDock);
  entry.ptMRUFloat.x = ReadInt(app, section, L"MRUFloatXPos", 0);
  entry.ptMRUFloat.y = ReadInt(app, section, L"MRUFloatYPos", 0);
  snapshot.ScalePoint(entry.ptMRUFloat);
  entry.bDialogBar = ReadInt(app, section, L"DialogBar", 0) != 0;
  if (!entry.bDialogBar) return;
  entry.szDockingClient.cx = ReadInt(app, section, L"DialogBarDockingClientCx", entry.szDockingClient.cx);
  entry.szDockingClient.cy = ReadInt(app, section, L"DialogBarDockingClientCy", entry.szDockingClient.cy);
  entry.szFloatingClient.cx = ReadInt(app, section, L"DialogBarFloatingClientCx", entry.szFloatingClient.cx);
  entry.szFloatingClient.cy = ReadInt(app, section, L"DialogBarFloatingClientCy", entry.szFloatingClient.cy);
}

}  // namespace

CTkBarLayoutSnapshot::CTkBarLayoutSnapshot()
    : CTkBarLayoutSnapshot(CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)),
                           CSize(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON))) {}

CTkBarLayoutSnapshot::CTkBarLayoutSnapshot(CSize screen, CSize icon)
    : m_rcScreen(0, 0, screen.cx, screen.cy), m_szClamp(screen.cx - icon.cx, screen.cy - icon.cy) {}

CTkBarLayoutSnapshot::~CTkBarLayoutSnapshot() {
  for (CTkBarLayoutEntry* entry : m_entries) delete entry;
}

void CTkBarLayoutSnapshot::SetSavedScreenSize(CSize saved) {
  m_szSaved = saved;
  // Without a saved size there is nothing to divide by.
  m_bScaling = saved.cx > 0 && saved.cy > 0 && saved != m_rcScreen.Size();
}

void CTkBarLayoutSnapshot::ScalePoint(POINT& point) const {
  if (m_bScaling) {
    point.x = ::MulDiv(point.x, m_rcScreen.Width(), m_szSaved.cx);
    point.y = ::MulDiv(point.y, m_rcScreen.Height(), m_szSaved.cy);
  }
  if (point.x > m_szClamp.cx) point.x = m_szClamp.cx;
  if (point.y > m_szClamp.cy) point.y = m_szClamp.cy;
}

void CTkBarLayoutSnapshot::ScaleRect(RECT& rect) const {
  CPoint topLeft(rect.left, rect.top);
  ScalePoint(topLeft);
  ::OffsetRect(&rect, topLeft.x - rect.left, topLeft.y - rect.top);
}

void CTkBarLayoutSnapshot::SaveToProfile(LPCWSTR profile) const {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return;
  for (int i = 0; i < GetCount(); ++i) SaveEntry(app, BarSection(profile, i), *GetAt(i));
  const CString summary = SummarySection(profile);
  app->WriteProfileInt(summary, L"Bars", GetCount());
  app->WriteProfileInt(summary, L"ScreenCX", m_rcScreen.Width());
  app->WriteProfileInt(summary, L"ScreenCY", m_rcScreen.Height());
}

void CTkBarLayoutSnapshot::LoadFromProfile(LPCWSTR profile) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return;
  const CString summary = SummarySection(profile);
  const int count = ReadInt(app, summary, L"Bars", 0);
  SetSavedScreenSize(CSize(ReadInt(app, summary, L"ScreenCX", 0), ReadInt(app, summary, L"ScreenCY", 0)));
  for (int i = 0; i < count; ++i) {
    auto* entry = new CTkBarLayoutEntry;
    LoadEntry(app, BarSection(profile, i), *this, *entry);
    Add(entry);
  }
}

void CTkCommandBar::GetLayoutEntry(CTkBarLayoutEntry& entry) {
  entry.nBarID = m_nBarID;
  entry.pBar = this;
  entry.bVisible = IsVisible();
  entry.nMRUWidth = m_nMRUWidth;
  CTkToolBar* toolBar = IsKindOf(RUNTIME_CLASS(CTkToolBar)) ? static_cast<CTkToolBar*>(this) : nullptr;
  CTkBarDragTracker* tracker = toolBar != nullptr ? toolBar->GetDragTracker() : nullptr;
  if (GetSafeHwnd() != nullptr) {
    CRect rect;
    GetWindowRect(&rect);
    CTkDockBar* dockBar = toolBar != nullptr ? toolBar->GetDockBar() : nullptr;
    if (dockBar != nullptr && dockBar->GetSafeHwnd() != nullptr) dockBar->ScreenToClient(&rect);
    entry.ptPosition = rect.TopLeft();
  } else if (tracker != nullptr) {
    entry.ptPosition = tracker->GetLastFloatingPos();
  }
  entry.bFloating = m_barPosition == kBarFloating;
  if (tracker != nullptr) {
    entry.nMRUDockID = static_cast<UINT>(tracker->GetLastDockPosition());
    entry.rcMRUDock = tracker->GetLastDockedRect();
    entry.ptMRUFloat = tracker->GetLastFloatingPos();
  }
  entry.bDialogBar = QueryDialogBar();
  if (entry.bDialogBar) GetDialogBarClientSizes(entry.szDockingClient, entry.szFloatingClient);
}

void CTkCommandBar::ApplyLayoutEntry(const CTkBarLayoutEntry& entry) {
  m_nMRUWidth = entry.nMRUWidth;
  if (entry.bDialogBar && QueryDialogBar()) SetDialogBarClientSizes(entry.szDockingClient, entry.szFloatingClient);
  CTkToolBar* toolBar = IsKindOf(RUNTIME_CLASS(CTkToolBar)) ? static_cast<CTkToolBar*>(this) : nullptr;
  if (CTkBarDragTracker* tracker = toolBar != nullptr ? toolBar->GetDragTracker() : nullptr) {
    tracker->SetLastDockPosition(static_cast<int>(entry.nMRUDockID));
    tracker->SetLastDockedRect(entry.rcMRUDock);
    tracker->SetLastFloatingPos(entry.ptMRUFloat);
  }
  const BOOL floating = m_barPosition == kBarFloating;
  if (GetSafeHwnd() != nullptr) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE | (entry.bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (!floating && (toolBar == nullptr || toolBar->GetDockBar() == nullptr)) flags |= SWP_NOMOVE;
    SetWindowPos(nullptr, entry.ptPosition.x, entry.ptPosition.y, 0, 0, flags);
  }
  m_bVisible = entry.bVisible;
  if (floating && toolBar != nullptr && GetSafeHwnd() != nullptr) {
    const CSize size = toolBar->CalcBarSize(-1, kLayoutHorizontal | kLayoutMRUWidth | kLayoutCommit);
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  }
}
