#include "docking_pane.h"

#include "docking_arrangement.h"
#include "docking_pane_site.h"
#include "docking_tabbed_container.h"
#include "prop_exchange.h"

CTkDockingPaneObject::CTkDockingPaneObject(CTkDockingPaneArrangement* arrangement)
    : CTkDockingPaneNode(kNodePane, arrangement) {
  EnableAutomation();
}

CString CTkDockingPaneObject::GetTitle() const {
  int lf = m_title.Find(L'\n');
  return lf < 0 ? m_title : m_title.Left(lf);
}

CString CTkDockingPaneObject::GetTabCaption() const {
  int lf = m_title.Find(L'\n');
  return lf < 0 ? m_title : m_title.Mid(lf + 1);
}

CTkImageIcon* CTkDockingPaneObject::GetIcon(int width) const {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr) return nullptr;
  return site->GetPaneImage(m_iconId == -1 ? m_id : m_iconId, width);
}

COLORREF CTkDockingPaneObject::GetTabColor() const {
  if (m_tabColor != static_cast<COLORREF>(-1)) return m_tabColor;
  if (m_hwndChild != nullptr) {
    LRESULT answer = ::SendMessageW(m_hwndChild, DockingPaneTabColorRequest, 0, 0);
    if (answer != 0) return static_cast<COLORREF>(answer);
  }
  return 0x1000000 + static_cast<COLORREF>(m_id % 8);
}

void CTkDockingPaneObject::SetFocus() {
  if (m_hwndChild == nullptr) return;
  HWND focus = ::GetFocus();
  if (focus != m_hwndChild && !::IsChild(m_hwndChild, focus)) ::SetFocus(m_hwndChild);
}

BOOL CTkDockingPaneObject::HasFocus() const {
  if (m_hwndChild == nullptr) return FALSE;
  HWND focus = ::GetFocus();
  return focus != nullptr && (focus == m_hwndChild || ::IsChild(m_hwndChild, focus));
}

void CTkDockingPaneObject::CopyFrom(const CTkDockingPaneObject* other) {
  DockingCX = other->DockingCX;
  DockingCY = other->DockingCY;
  m_title = other->m_title;
  m_iconId = other->m_iconId;
  m_options = other->m_options;
  m_tag = other->m_tag;
  m_id = other->m_id;
  m_minTrackSize = other->m_minTrackSize;
  m_maxTrackSize = other->m_maxTrackSize;
  m_hwndChild = nullptr;
}

void CTkDockingPaneObject::GetMinMaxInfo(MINMAXINFO* pInfo) {
  ZeroMemory(pInfo, sizeof(MINMAXINFO));
  pInfo->ptMinTrackSize = m_minTrackSize;
  pInfo->ptMaxTrackSize = m_maxTrackSize;
}

void CTkDockingPaneObject::OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pParams) {
  m_pDockingSite = pSite;
  // A query pass moves nothing.
  if (pParams != nullptr && pParams->hDWP == nullptr) return;
  m_paneRect = rect;
  if (pSite == nullptr || m_pParent == nullptr || pSite->GetSafeHwnd() == nullptr) return;
  HWND container = m_pParent->GetPaneHwnd();
  if (container == nullptr || m_hwndChild == nullptr) return;
  CRect mapped = rect;
  ::MapWindowPoints(pSite->GetSafeHwnd(), container, reinterpret_cast<POINT*>(&mapped), 2);
  ::MoveWindow(m_hwndChild, mapped.left, mapped.top, mapped.Width(), mapped.Height(), TRUE);
}

void CTkDockingPaneObject::OnFocusChanged() {
  if (m_pParent != nullptr) m_pParent->OnFocusChanged();
}

void CTkDockingPaneObject::SetParentContainer(CTkDockingPaneNode* pParent) {
  m_pParent = pParent;
  if (m_hwndChild == nullptr) return;
  if (pParent != nullptr) {
    HWND container = pParent->GetPaneHwnd();
    if (container != nullptr) ::SetParent(m_hwndChild, container);
    return;
  }
  ::ShowWindow(m_hwndChild, SW_HIDE);
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site != nullptr && site->GetSafeHwnd() != nullptr) ::SetParent(m_hwndChild, site->GetSafeHwnd());
  m_pDockingSite = nullptr;
}

BOOL CTkDockingPaneObject::DoPropExchange(CTkPropExchange* pPX) {
  static const int zero = 0;
  static const int minusOne = -1;
  static const int maxTrack = 32000;
  CTkDockingPaneNode::DoPropExchange(pPX);
  pPX->ExchangeValue(L"Title", kTkText, &m_title, nullptr);
  pPX->ExchangeValue(L"ID", kTkInt, &m_id, &zero);
  pPX->ExchangeValue(L"IconID", kTkInt, &m_iconId, &minusOne);
  pPX->ExchangeValue(L"Options", kTkInt, &m_options, &zero);
  CTkDockingPaneArrangement* layout = m_pArrangement;
  layout->ExchangeHolders(pPX, this);
  pPX->ExchangeValue(L"MinTrackX", kTkInt, &m_minTrackSize.x, &zero);
  pPX->ExchangeValue(L"MinTrackY", kTkInt, &m_minTrackSize.y, &zero);
  pPX->ExchangeValue(L"MaxTrackX", kTkInt, &m_maxTrackSize.x, &maxTrack);
  pPX->ExchangeValue(L"MaxTrackY", kTkInt, &m_maxTrackSize.y, &maxTrack);
  if (pPX->m_nSchema > 9) {
    pPX->ExchangeValue(L"TabColor", kTkInt, &m_tabColor, &minusOne);
    pPX->ExchangeValue(L"HelpId", kTkInt, &m_helpId, &zero);
    pPX->ExchangeValue(L"Tag", kTkInt, &m_tag, &zero);
  }
  return !pPX->IsLoading() || m_id > 0;
}

CTkDockingPaneNode* CTkDockingPaneObject::Clone(CTkDockingPaneArrangement* pArrangement, CMapPtrToPtr* pMap, DWORD) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr || pMap == nullptr) return nullptr;
  CTkDockingPaneObject* copy = static_cast<CTkDockingPaneObject*>(site->CreatePaneNode(kNodePane, pArrangement));
  if (copy == nullptr) return nullptr;
  copy->CopyFrom(this);
  pMap->SetAt(static_cast<CTkDockingPaneNode*>(this), static_cast<CTkDockingPaneNode*>(copy));
  return copy;
}

BOOL CTkDockingPaneObject::IsHidden() { return m_pParent != nullptr && m_pParent->IsHidden(); }

void CTkDockingPaneObject::ShowWindow(BOOL bShow) {
  if (bShow) {
    CTkDockingPaneSite* site = GetDockingPaneManager();
    if (site != nullptr && site->GetSite() != nullptr && site->GetSite()->GetSafeHwnd() != nullptr)
      site->GetSite()->SendMessage(DockingPaneNotify, kNotifyShowWindow, reinterpret_cast<LPARAM>(this));
  }
  if (m_hwndChild != nullptr) ::ShowWindow(m_hwndChild, bShow ? SW_SHOW : SW_HIDE);
}

void CTkDockingPaneObject::Close() {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site != nullptr) site->ClosePane(this);
}

void CTkDockingPaneObject::Hide() {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site != nullptr) site->HidePane(this);
}

CWnd* CTkDockingPaneObject::GetPaneDockingSite() const {
  return m_pParent != nullptr ? m_pParent->GetDockingSite() : nullptr;
}

BOOL CTkDockingPaneObject::IsSelected() const {
  CTkDockingPaneTabbedContainer* container = dynamic_cast<CTkDockingPaneTabbedContainer*>(m_pParent);
  return container != nullptr && container->GetSelected() == this;
}

DWORD CTkDockingPaneObject::GetOptions() const {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  return m_options | (site != nullptr ? site->m_defaultOptions : 0);
}
