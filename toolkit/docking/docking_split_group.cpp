#include "docking_split_group.h"

#include <algorithm>

#include "docking_arrangement.h"
#include "docking_pane_painter.h"
#include "docking_pane_site.h"
#include "draw_helpers.h"
#include "prop_exchange.h"
#include "resource_loader.h"
#include "toolkit_resources.h"

int GetSplitterWidth(CTkDockingPaneSite* site) {
  CTkDockingPanePainter* painter = site != nullptr ? site->GetPaintManager() : nullptr;
  return painter != nullptr ? painter->m_splitterWidth : 4;
}

namespace {

int AxisSize(const CTkDockingPaneNode* node, BOOL horizontal) { return horizontal ? node->DockingCX : node->DockingCY; }

void SetAxisSize(CTkDockingPaneNode* node, BOOL horizontal, int value) {
  if (horizontal) node->DockingCX = value;
  else node->DockingCY = value;
}

void AxisLimits(CTkDockingPaneNode* node, BOOL horizontal, int& minimum, int& maximum) {
  MINMAXINFO info;
  node->GetMinMaxInfo(&info);
  minimum = horizontal ? info.ptMinTrackSize.x : info.ptMinTrackSize.y;
  maximum = horizontal ? info.ptMaxTrackSize.x : info.ptMaxTrackSize.y;
}

}  // namespace

// Split group.

CTkDockingPaneSplitGroup::CTkDockingPaneSplitGroup(CTkDockingPaneArrangement* arrangement)
    : CTkDockingPaneNode(kNodeSplitGroup, arrangement) {}

CTkDockingPaneSplitGroup::~CTkDockingPaneSplitGroup() { DestroySplitBars(); }

void CTkDockingPaneSplitGroup::DestroySplitBars() {
  std::vector<CTkDockingPaneSplitBar*> bars;
  bars.swap(m_splitBars);
  for (CTkDockingPaneSplitBar* bar : bars) delete bar;
}

void CTkDockingPaneSplitGroup::Init(CTkDockingPaneNode* first, BOOL horizontal, CWnd* pSite) {
  m_pDockingSite = pSite;
  m_bHorizontal = horizontal;
  m_children.clear();
  m_children.push_back(first);
  first->SetParentContainer(this);
  DockingCX = first->DockingCX;
  DockingCY = first->DockingCY;
}

void CTkDockingPaneSplitGroup::InsertPane(CTkDockingPaneNode* node, CTkDockingPaneNode* neighbour, BOOL bAfter) {
  auto it = std::find(m_children.begin(), m_children.end(), neighbour);
  if (neighbour == nullptr || it == m_children.end()) it = bAfter ? m_children.end() : m_children.begin();
  else if (bAfter) ++it;
  m_children.insert(it, node);
  node->SetParentContainer(this);
  node->SetDockingSite(m_pDockingSite);
  DelayRecalcSite();
  RebuildSplitBars();
  if (m_pParent != nullptr) m_pParent->OnChildContainerChanged(this);
  node->OnParentContainerChanged(this);
}

void CTkDockingPaneSplitGroup::ReplacePane(CTkDockingPaneNode* oldNode, CTkDockingPaneNode* newNode) {
  auto it = std::find(m_children.begin(), m_children.end(), oldNode);
  if (it == m_children.end()) return;
  *it = newNode;
  newNode->SetParentContainer(this);
  if (oldNode->m_pParent == this) oldNode->m_pParent = nullptr;
  RebuildSplitBars();
  if (m_pParent != nullptr) m_pParent->OnChildContainerChanged(this);
}

void CTkDockingPaneSplitGroup::RemovePaneQuietly(CTkDockingPaneNode* node) {
  m_children.erase(std::remove(m_children.begin(), m_children.end(), node), m_children.end());
  if (node->m_pParent == this) node->m_pParent = nullptr;
}

void CTkDockingPaneSplitGroup::RemovePane(CTkDockingPaneNode* node) {
  auto it = std::find(m_children.begin(), m_children.end(), node);
  if (it == m_children.end()) return;
  m_children.erase(it);
  RebuildSplitBars();
  DelayRecalcSite();
  if (m_pParent != nullptr) m_pParent->OnChildContainerChanged(this);
  if (m_children.empty() && m_pParent != nullptr) m_pParent->RemovePane(this);
  node->SetParentContainer(nullptr);
}

void CTkDockingPaneSplitGroup::OnChildContainerChanged(CTkDockingPaneNode* node) {
  if (m_pParent != nullptr) m_pParent->OnChildContainerChanged(node);
  RebuildSplitBars();
  DelayRecalcSite();
}

void CTkDockingPaneSplitGroup::OnParentContainerChanged(CTkDockingPaneNode* parent) {
  m_pDockingSite = parent->GetDockingSite();
  RebuildSplitBars();
  for (CTkDockingPaneNode* child : m_children) child->OnParentContainerChanged(parent);
}

BOOL CTkDockingPaneSplitGroup::ContainsPane(CTkDockingPaneNode* node) {
  if (node == this) return TRUE;
  for (CTkDockingPaneNode* child : m_children)
    if (child->ContainsPane(node)) return TRUE;
  return FALSE;
}

void CTkDockingPaneSplitGroup::FindPanes(int type, std::vector<CTkDockingPaneNode*>& list) {
  for (CTkDockingPaneNode* child : m_children) {
    if (child->IsEmpty()) continue;
    if (child->GetType() == type) list.push_back(child);
    else child->FindPanes(type, list);
  }
}

void CTkDockingPaneSplitGroup::FindChildPanes(int type, std::vector<CTkDockingPaneNode*>& list) {
  for (CTkDockingPaneNode* child : m_children)
    if (!child->IsEmpty() && child->GetType() == type) list.push_back(child);
}

BOOL CTkDockingPaneSplitGroup::IsChildBefore(CTkDockingPaneNode* node, int position) const {
  for (int i = 0; i < position && i < static_cast<int>(m_children.size()); ++i)
    if (m_children[i] == node) return TRUE;
  return FALSE;
}

BOOL CTkDockingPaneSplitGroup::IsEmpty() {
  for (CTkDockingPaneNode* child : m_children)
    if (!child->IsEmpty()) return FALSE;
  return TRUE;
}

void CTkDockingPaneSplitGroup::GetMinMaxInfo(MINMAXINFO* pInfo) {
  CTkDockingPaneNode::GetMinMaxInfo(pInfo);
  int count = 0;
  for (CTkDockingPaneNode* child : m_children) {
    if (child->IsEmpty()) continue;
    MINMAXINFO info;
    child->GetMinMaxInfo(&info);
    if (count++ == 0) {
      *pInfo = info;
      continue;
    }
    if (m_bHorizontal) {
      pInfo->ptMinTrackSize.x += info.ptMinTrackSize.x;
      pInfo->ptMaxTrackSize.x += info.ptMaxTrackSize.x;
      pInfo->ptMinTrackSize.y = std::max(pInfo->ptMinTrackSize.y, info.ptMinTrackSize.y);
      pInfo->ptMaxTrackSize.y = std::min(pInfo->ptMaxTrackSize.y, info.ptMaxTrackSize.y);
    } else {
      pInfo->ptMinTrackSize.y += info.ptMinTrackSize.y;
      pInfo->ptMaxTrackSize.y += info.ptMaxTrackSize.y;
      pInfo->ptMinTrackSize.x = std::max(pInfo->ptMinTrackSize.x, info.ptMinTrackSize.x);
      pInfo->ptMaxTrackSize.x = std::min(pInfo->ptMaxTrackSize.x, info.ptMaxTrackSize.x);
    }
  }
  if (count > 1) {
    int bars = (count - 1) * GetSplitterWidth(GetDockingPaneManager());
    LONG& minimum = m_bHorizontal ? pInfo->ptMinTrackSize.x : pInfo->ptMinTrackSize.y;
    LONG& maximum = m_bHorizontal ? pInfo->ptMaxTrackSize.x : pInfo->ptMaxTrackSize.y;
    minimum += bars;
    maximum += bars;
  }
}

void CTkDockingPaneSplitGroup::DistributeSizes(CTkDockingPaneSite* site, const std::vector<CTkDockingPaneNode*>& list,
                                               const CRect& rect, BOOL horizontal, BOOL bApply, int& total,
                                               int& extra) {
  total = 0;
  extra = 0;
  if (list.empty()) return;
  CTkDockingPaneNode* client = site != nullptr && site->GetLayout() != nullptr ? site->GetLayout()->m_pClient : nullptr;
  BOOL hideClient = site != nullptr && site->m_bHideClient;
  int count = static_cast<int>(list.size());
  std::vector<int> minimum(count), maximum(count);
  std::vector<char> fixed(count, 0);
  CTkDockingPaneNode* holder = nullptr;
  for (int i = 0; i < count; ++i) {
    CTkDockingPaneNode* node = list[i];
    AxisLimits(node, horizontal, minimum[i], maximum[i]);
    int length = AxisSize(node, horizontal);
    if (minimum[i] > std::min(length, maximum[i])) length = minimum[i];
    else if (length > maximum[i]) length = maximum[i];
    if (holder == nullptr && client != nullptr && node->ContainsPane(client) &&
        (!hideClient || (node->DockingCX == 0 && node->DockingCY == 0))) {
      holder = node;
      length = 0;
      if (bApply) node->DockingCX = node->DockingCY = 0;
    }
    node->m_layoutLength = length;
    total += length;
  }
  extra = (horizontal ? rect.Width() : rect.Height()) - (count - 1) * GetSplitterWidth(site);
  if (holder != nullptr && total < extra) {
    holder->m_layoutLength = extra - total;
    if (bApply) SetAxisSize(holder, horizontal, holder->m_layoutLength);
    total = extra;
  }
  if (extra <= 0) return;
  for (BOOL restart = TRUE; restart;) {
    restart = FALSE;
    for (int i = 0; i < count && total != 0; ++i) {
      CTkDockingPaneNode* node = list[i];
      if (fixed[i] || node->m_layoutLength < 0) continue;
      int previous = node->m_layoutLength;
      int share = static_cast<int>(static_cast<long long>(extra) * previous / total);
      if (share < minimum[i]) node->m_layoutLength = -minimum[i];
      else if (share > maximum[i]) node->m_layoutLength = -maximum[i];
      else continue;
      fixed[i] = 1;
      extra += node->m_layoutLength;
      total -= previous;
      if (extra < 0) {
        node->m_layoutLength -= extra;
        extra = 0;
        return;
      }
      restart = TRUE;
      break;
    }
  }
  // A fixed node's length is its negated layout length; a node fixed at 0
  // keeps 0, which the walk also reads as a fixed length.
}

std::vector<CRect> CTkDockingPaneSplitGroup::PlaceNodes(CTkDockingPaneSite* site,
                                                        const std::vector<CTkDockingPaneNode*>& list,
                                                        const CRect& rect, BOOL horizontal, BOOL bApply) {
  int total = 0;
  int extra = 0;
  DistributeSizes(site, list, rect, horizontal, bApply, total, extra);
  int splitter = GetSplitterWidth(site);
  std::vector<CRect> result;
  int position = horizontal ? rect.left : rect.top;
  for (size_t i = 0; i < list.size(); ++i) {
    int length = list[i]->m_layoutLength;
    int w;
    if (length > 0) {
      w = total != 0 ? static_cast<int>(static_cast<long long>(length) * extra / total) : 0;
      total -= length;
      extra -= w;
      if (extra <= 0) extra = 0;
    } else {
      w = -length;
    }
    CRect child = rect;
    if (horizontal) {
      child.left = position;
      child.right = i + 1 == list.size() ? rect.right : position + w;
      position = child.right + splitter;
    } else {
      child.top = position;
      child.bottom = i + 1 == list.size() ? rect.bottom : position + w;
      position = child.bottom + splitter;
    }
    result.push_back(child);
  }
  return result;
}

void CTkDockingPaneSplitGroup::OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pParams) {
  m_pDockingSite = pSite;
  m_paneRect = rect;
  CTkDockingPaneSite* site = GetDockingPaneManager();
  CTkDockingPaneNode* client = site != nullptr && site->GetLayout() != nullptr ? site->GetLayout()->m_pClient : nullptr;
  std::vector<CTkDockingPaneNode*> list;
  BOOL holdsClient = FALSE;
  for (CTkDockingPaneNode* child : m_children) {
    if (child->IsEmpty()) {
      if (client != nullptr && child->ContainsPane(client)) holdsClient = TRUE;
      continue;
    }
    list.push_back(child);
  }
  // With the client area hidden the frame's view gets nothing.
  if (site != nullptr && site->m_bHideClient && holdsClient) client->OnSizeParent(pSite, CRect(0, 0, 0, 0), pParams);
  if (list.empty()) return;
  if (list.size() == 1) {
    list.front()->OnSizeParent(pSite, rect, pParams);
    return;
  }
  if (m_bBusy) return;
  m_bBusy = TRUE;
  std::vector<CRect> rects = PlaceNodes(site, list, rect, m_bHorizontal, TRUE);
  int splitter = GetSplitterWidth(site);
  BOOL realPass = pParams == nullptr || pParams->hDWP != nullptr;
  size_t bar = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    list[i]->OnSizeParent(pSite, rects[i], pParams);
    if (i + 1 == list.size()) break;
    CRect band = rect;
    if (m_bHorizontal) {
      band.left = rects[i].right;
      band.right = band.left + splitter;
    } else {
      band.top = rects[i].bottom;
      band.bottom = band.top + splitter;
    }
    band.IntersectRect(band, rect);
    if (realPass && bar < m_splitBars.size()) {
      CTkDockingPaneSplitBar* splitBar = m_splitBars[bar++];
      if (splitBar->GetSafeHwnd() != nullptr) {
        ::SetWindowPos(splitBar->GetSafeHwnd(), HWND_BOTTOM, band.left, band.top, band.Width(), band.Height(),
                       SWP_NOACTIVATE);
        splitBar->Invalidate();
      }
    }
  }
  m_bBusy = FALSE;
}

void CTkDockingPaneSplitGroup::RebuildSplitBars() {
  if (m_bBusy) return;
  DestroySplitBars();
  // A snapshot layout makes no windows.
  if (m_pArrangement == nullptr || m_pArrangement->m_bSnapshot) return;
  if (m_pDockingSite == nullptr || m_pDockingSite->GetSafeHwnd() == nullptr) return;
  CTkDockingPaneNode* previous = nullptr;
  for (CTkDockingPaneNode* child : m_children) {
    if (child->IsEmpty()) continue;
    if (previous != nullptr) {
      CTkDockingPaneSplitBar* bar = CreateSplitBar();
      if (bar->Create(this, previous, child)) m_splitBars.push_back(bar);
      else delete bar;
    }
    previous = child;
  }
}

BOOL CTkDockingPaneSplitGroup::DoPropExchange(CTkPropExchange* pPX) {
  static const BOOL no = FALSE;
  static const int zero = 0;
  CTkDockingPaneNode::DoPropExchange(pPX);
  pPX->ExchangeValue(L"Horiz", kTkBool, &m_bHorizontal, &no);
  int count = static_cast<int>(m_children.size());
  if (!pPX->IsLoading()) {
    pPX->ExchangeValue(L"Panes", kTkInt, &count, nullptr);
    for (int i = 0; i < count; ++i) {
      CString name;
      name.Format(L"Pane-%d", i + 1);
      int id = m_children[i]->m_persistId;
      pPX->ExchangeValue(name, kTkInt, &id, nullptr);
    }
    return TRUE;
  }
  count = 0;
  pPX->ExchangeValue(L"Panes", kTkInt, &count, &zero);
  for (int i = 0; i < count; ++i) {
    CString name;
    name.Format(L"Pane-%d", i + 1);
    int id = 0;
    pPX->ExchangeValue(name, kTkInt, &id, &zero);
    CTkDockingPaneNode* child = m_pArrangement->NodeFromPersistId(id);
    if (child == nullptr) return FALSE;
    // A group holds groups, tabbed containers and the client node, each
    // once, and never itself or a group that holds it.
    int type = child->GetType();
    if (type != kNodeSplitGroup && type != kNodeTabbedContainer && type != kNodeClient) return FALSE;
    if (child->m_pParent != nullptr || child->ContainsPane(this)) return FALSE;
    m_children.push_back(child);
    child->SetParentContainer(this);
    child->SetDockingSite(m_pDockingSite);
  }
  return TRUE;
}

void CTkDockingPaneSplitGroup::CopyFrom(CTkDockingPaneSplitGroup* other, CMapPtrToPtr* pMap) {
  m_bHorizontal = other->m_bHorizontal;
  CTkDockingPaneSite* site = GetDockingPaneManager();
  m_pDockingSite = site != nullptr ? site->GetSite() : nullptr;
  std::vector<CTkDockingPaneNode*> children = other->m_children;
  for (CTkDockingPaneNode* child : children) {
    if (pMap == nullptr && child->IsEmpty()) continue;
    CTkDockingPaneNode* copy = child->Clone(m_pArrangement, pMap, 0);
    if (copy == nullptr) continue;
    m_children.push_back(copy);
    copy->SetParentContainer(this);
  }
  DockingCX = other->DockingCX;
  DockingCY = other->DockingCY;
  m_paneRect = other->m_paneRect;
  RebuildSplitBars();
}

CTkDockingPaneNode* CTkDockingPaneSplitGroup::Clone(CTkDockingPaneArrangement* pArrangement, CMapPtrToPtr* pMap,
                                                    DWORD) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr) return nullptr;
  CTkDockingPaneSplitGroup* copy =
      static_cast<CTkDockingPaneSplitGroup*>(site->CreatePaneNode(kNodeSplitGroup, pArrangement));
  if (copy == nullptr) return nullptr;
  copy->CopyFrom(this, pMap);
  if (pMap != nullptr) pMap->SetAt(this, copy);
  return copy;
}

CRect CTkDockingPaneSplitGroup::GetDockingRect(CTkDockingPaneNode* pane, int direction, CTkDockingPaneNode* neighbour) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site != nullptr) direction = site->MirrorDirection(direction);
  BOOL after = direction == kDockRight || direction == kDockBottom;
  std::vector<CTkDockingPaneNode*> list;
  BOOL placed = FALSE;
  for (CTkDockingPaneNode* child : m_children) {
    if (child == pane || child->IsEmpty()) continue;
    if (child == neighbour && !after) {
      list.push_back(pane);
      placed = TRUE;
    }
    list.push_back(child);
    if (child == neighbour && after) {
      list.push_back(pane);
      placed = TRUE;
    }
  }
  if (!placed) {
    if (after) list.push_back(pane);
    else list.insert(list.begin(), pane);
  }
  std::vector<CRect> rects = PlaceNodes(site, list, m_paneRect, m_bHorizontal, FALSE);
  CRect result;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == pane) result = rects[i];
  if (m_pDockingSite != nullptr && m_pDockingSite->GetSafeHwnd() != nullptr)
    ::MapWindowPoints(m_pDockingSite->GetSafeHwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&result), 2);
  return result;
}

CRect CTkDockingPaneSplitGroup::GetSplitDockingRect(CTkDockingPaneNode* node, CTkDockingPaneNode* pane, int direction) {
  BOOL after = direction == kDockRight || direction == kDockBottom;
  BOOL horizontal = direction == kDockLeft || direction == kDockRight;
  std::vector<CTkDockingPaneNode*> list;
  if (after) list = {node, pane};
  else list = {pane, node};
  std::vector<CRect> rects = PlaceNodes(node->GetDockingPaneManager(), list, node->GetScreenRect(), horizontal, FALSE);
  return rects[after ? 1 : 0];
}

// Split bar.

BEGIN_MESSAGE_MAP(CTkDockingPaneSplitBar, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_ERASEBKGND()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CTkDockingPaneSplitBar::~CTkDockingPaneSplitBar() {
  if (GetSafeHwnd() != nullptr) DestroyWindow();
}

BOOL CTkDockingPaneSplitBar::Create(CTkDockingPaneSplitGroup* group, CTkDockingPaneNode* first,
                                    CTkDockingPaneNode* second) {
  m_pGroup = group;
  m_pFirst = first;
  m_pSecond = second;
  m_hCursor = GetToolkitResourceLoader()->LoadCursor(group->m_bHorizontal ? IDC_TK_SPLIT_BAR_COLUMNS
                                                                          : IDC_TK_SPLIT_BAR_ROWS);
  LPCWSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
  return CreateEx(0, windowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                  group->GetDockingSite(), 0);
}

BOOL CTkDockingPaneSplitBar::IsHorizontal() const { return !m_pGroup->m_bHorizontal; }

BOOL CTkDockingPaneSplitBar::GetTrackRect(CRect& track, CRect& span) const {
  CTkDockingPaneSite* site = m_pGroup->GetDockingPaneManager();
  if (site == nullptr) return FALSE;
  int margin = site->m_autoHideMargin;
  int splitter = GetSplitterWidth(site);
  span.UnionRect(m_pFirst->GetScreenRect(), m_pSecond->GetScreenRect());
  track = span;
  MINMAXINFO first;
  MINMAXINFO second;
  m_pFirst->GetMinMaxInfo(&first);
  m_pSecond->GetMinMaxInfo(&second);
  if (m_pGroup->m_bHorizontal) {
    track.left += std::max<int>(first.ptMinTrackSize.x, margin);
    track.right -= std::max<int>(second.ptMinTrackSize.x + splitter, margin);
    if (span.Width() > first.ptMaxTrackSize.x) track.right = std::min<int>(track.right, span.left + first.ptMaxTrackSize.x);
    if (span.Width() > second.ptMaxTrackSize.x)
      track.left = std::max<int>(track.left, span.right - second.ptMaxTrackSize.x - splitter);
    return track.left < track.right;
  }
  track.top += std::max<int>(first.ptMinTrackSize.y, margin);
  track.bottom -= std::max<int>(second.ptMinTrackSize.y + splitter, margin);
  if (span.Height() > first.ptMaxTrackSize.y) track.bottom = std::min<int>(track.bottom, span.top + first.ptMaxTrackSize.y);
  if (span.Height() > second.ptMaxTrackSize.y)
    track.top = std::max<int>(track.top, span.bottom - second.ptMaxTrackSize.y - splitter);
  return track.top < track.bottom;
}

void CTkDockingPaneSplitBar::ApplyPosition(const CRect& barRect, const CRect& span) {
  int splitter = GetSplitterWidth(m_pGroup->GetDockingPaneManager());
  if (m_pGroup->m_bHorizontal) {
    int sum = m_pFirst->DockingCX + m_pSecond->DockingCX + splitter;
    if (span.Width() <= 0) return;
    int first = static_cast<int>(static_cast<double>(sum) * (barRect.left - span.left) / span.Width());
    CWnd* site = m_pGroup->GetDockingSite();
    if (site != nullptr && site->GetSafeHwnd() != nullptr && (site->GetExStyle() & WS_EX_LAYOUTRTL))
      first = sum - first - splitter;
    m_pFirst->DockingCX = first;
    m_pSecond->DockingCX = sum - first - splitter;
    return;
  }
  int sum = m_pFirst->DockingCY + m_pSecond->DockingCY + splitter;
  if (span.Height() <= 0) return;
  int first = static_cast<int>(static_cast<double>(sum) * (barRect.top - span.top) / span.Height());
  m_pFirst->DockingCY = first;
  m_pSecond->DockingCY = sum - first - splitter;
}

BOOL CTkDockingPaneSplitBar::CanDrag() const {
  CTkDockingPaneSite* site = m_pGroup->GetDockingPaneManager();
  if (site == nullptr || site->m_bLockAutoHideSize) return FALSE;
  CRect track;
  CRect span;
  return GetTrackRect(track, span);
}

void CTkDockingPaneSplitBar::OnPaint() {
  CPaintDC dc(this);
  CTkDockingPanePainter* painter = m_pGroup->GetPaintManager();
  if (painter != nullptr) painter->DrawSplitter(&dc, this);
}

BOOL CTkDockingPaneSplitBar::OnEraseBkgnd(CDC*) { return TRUE; }

BOOL CTkDockingPaneSplitBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (m_hCursor != nullptr && CanDrag()) {
    ::SetCursor(m_hCursor);
    return TRUE;
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CTkDockingPaneSplitBar::OnLButtonDown(UINT, CPoint point) {
  CTkDockingPaneSite* site = m_pGroup->GetDockingPaneManager();
  if (site == nullptr || site->m_bLockAutoHideSize) return;
  CRect track;
  CRect span;
  if (!GetTrackRect(track, span)) return;
  BOOL horizontal = m_pGroup->m_bHorizontal;
  for (CTkDockingPaneNode* child : m_pGroup->m_children) {
    if (child->IsEmpty()) continue;
    if (horizontal) child->DockingCX = child->m_paneRect.Width();
    else child->DockingCY = child->m_paneRect.Height();
  }
  if (horizontal) m_pGroup->DockingCX = m_pGroup->m_paneRect.Width();
  else m_pGroup->DockingCY = m_pGroup->m_paneRect.Height();
  if (!site->m_bResizeWithTracker) {
    TrackLive(point, track, span);
    return;
  }
  CRect bar;
  GetWindowRect(&bar);
  CPoint start = point;
  ClientToScreen(&start);
  CTkDragLineTracker tracker;
  // The tracker moves the line's leading edge within its bounds.
  CRect bounds = track;
  if (horizontal) bounds.right += bar.Width();
  else bounds.bottom += bar.Height();
  if (!tracker.Track(this, bounds, bar, start, horizontal)) return;
  ApplyPosition(bar, span);
  m_pGroup->DelayRecalcSite();
  CFrameWnd* frame = dynamic_cast<CFrameWnd*>(m_pGroup->GetDockingSite());
  if (frame != nullptr) frame->RecalcLayout();
}

void CTkDockingPaneSplitBar::TrackLive(CPoint point, const CRect& track, const CRect& span) {
  CRect bar;
  GetWindowRect(&bar);
  CPoint screen = point;
  ClientToScreen(&screen);
  HWND hWnd = GetSafeHwnd();
  TrackAlongAxis(hWnd, track, bar, screen, m_pGroup->m_bHorizontal, TRUE,
                 [this, hWnd, &span](const CRect&, const CRect& to) {
                   ApplyPosition(to, span);
                   CFrameWnd* frame = dynamic_cast<CFrameWnd*>(m_pGroup->GetDockingSite());
                   if (frame != nullptr) frame->RecalcLayout();
                   // The layout rebuilt nothing, but this bar may be gone
                   // with a group emptied meanwhile.
                   return ::IsWindow(hWnd);
                 });
}
