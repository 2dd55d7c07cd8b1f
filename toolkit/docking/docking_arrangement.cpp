#include "docking_arrangement.h"

#include <set>

#include "docking_hidden_strip.h"
#include "docking_pane.h"
#include "docking_pane_site.h"
#include "docking_split_group.h"
#include "docking_tabbed_container.h"
#include "prop_exchange.h"

CTkDockingPaneArrangement::CTkDockingPaneArrangement(CTkDockingPaneSite* site) : m_pSite(site) {
  if (site == nullptr) return;
  m_pClient = site->CreatePaneNode(kNodeClient, this);
  m_pTopContainer = static_cast<CTkDockingPaneSplitGroup*>(site->CreatePaneNode(kNodeSplitGroup, this));
  if (m_pTopContainer != nullptr && m_pClient != nullptr) m_pTopContainer->Init(m_pClient, TRUE, site->GetSite());
}

CTkDockingPaneArrangement::~CTkDockingPaneArrangement() { Free(); }

void CTkDockingPaneArrangement::Serialize(CArchive& ar) {
  CTkPropExchangeArchive px(ar);
  DoPropExchange(&px);
}

void CTkDockingPaneArrangement::DestroyNode(CTkDockingPaneNode* node) {
  if (node->GetType() == kNodePane) static_cast<CTkDockingPaneObject*>(node)->InternalRelease();
  else delete node;
}

void CTkDockingPaneArrangement::Free() {
  // Slid-out and closing windows go first, while what they show is there.
  for (CTkDockingPaneNode* node : m_nodes)
    if (node->GetType() == kNodeHiddenStrip) static_cast<CTkDockingPaneHiddenStrip*>(node)->DestroyAutoHideWindows();
  std::vector<CTkDockingPaneNode*> nodes;
  nodes.swap(m_nodes);
  // Pane windows belong to the application: they leave their containers'
  // windows before those are destroyed.
  for (CTkDockingPaneNode* node : nodes) {
    if (node->GetType() != kNodePane) continue;
    CTkDockingPaneObject* pane = static_cast<CTkDockingPaneObject*>(node);
    if (pane->m_hwndChild != nullptr && ::IsWindow(pane->m_hwndChild) && pane->m_pParent != nullptr)
      pane->SetParentContainer(nullptr);
  }
  for (CTkDockingPaneNode* node : nodes) node->m_pParent = nullptr;
  for (CTkDockingPaneNode* node : nodes)
    if (node->GetType() != kNodePane) DestroyNode(node);
  for (CTkDockingPaneNode* node : nodes)
    if (node->GetType() == kNodePane) DestroyNode(node);
  m_panes.clear();
  for (CTkDockingPaneNode*& strip : m_strips) strip = nullptr;
  m_pTopContainer = nullptr;
  m_pClient = nullptr;
}

PaneHolderEntry* CTkDockingPaneArrangement::FindEntry(const CTkDockingPaneObject* pane) {
  for (PaneHolderEntry& entry : m_panes)
    if (entry.pane == pane) return &entry;
  return nullptr;
}

PaneHolderEntry* CTkDockingPaneArrangement::AddEntry(CTkDockingPaneObject* pane) {
  PaneHolderEntry* existing = FindEntry(pane);
  if (existing != nullptr) return existing;
  m_panes.push_back(PaneHolderEntry{pane, nullptr, nullptr, nullptr});
  return &m_panes.back();
}

void CTkDockingPaneArrangement::UnlistNode(CTkDockingPaneNode* node) {
  for (auto it = m_nodes.begin(); it != m_nodes.end(); ++it)
    if (*it == node) {
      m_nodes.erase(it);
      return;
    }
}

int CTkDockingPaneArrangement::GetPaneDirection(CTkDockingPaneNode* node) const {
  if (node == nullptr) return kDockLeft;
  CTkDockingPaneNode* child = node->GetType() == kNodePane ? node->m_pParent : node;
  while (child != nullptr && child->m_pParent != nullptr) {
    CTkDockingPaneNode* group = child->m_pParent;
    if (group->GetType() == kNodeHiddenStrip) return static_cast<CTkDockingPaneHiddenStrip*>(group)->GetSide();
    if (group->GetType() == kNodeSplitGroup && m_pClient != nullptr && group->ContainsPane(m_pClient)) {
      CTkDockingPaneSplitGroup* split = static_cast<CTkDockingPaneSplitGroup*>(group);
      int nodeIndex = -1;
      int clientIndex = -1;
      for (int i = 0; i < static_cast<int>(split->m_children.size()); ++i) {
        if (split->m_children[i] == child) nodeIndex = i;
        if (split->m_children[i]->ContainsPane(m_pClient)) clientIndex = i;
      }
      if (nodeIndex != clientIndex && nodeIndex >= 0 && clientIndex >= 0) {
        if (nodeIndex < clientIndex) return split->m_bHorizontal ? kDockLeft : kDockTop;
        return split->m_bHorizontal ? kDockRight : kDockBottom;
      }
    }
    child = group;
  }
  return kDockLeft;
}

void CTkDockingPaneArrangement::OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pParams) {
  for (CTkDockingPaneNode* strip : m_strips)
    if (strip != nullptr) static_cast<CTkDockingPaneHiddenStrip*>(strip)->OnSizeParent(pSite, &rect, pParams);
  if (m_pClient != nullptr) m_pClient->OnSizeParent(pSite, rect, pParams);
  if (m_pTopContainer != nullptr) m_pTopContainer->OnSizeParent(pSite, rect, pParams);
}

void CTkDockingPaneArrangement::AutoHideNode(CTkDockingPaneNode* node) {
  if (node == nullptr || m_pSite == nullptr) return;
  if (node->GetType() == kNodeSplitGroup) {
    // A group goes container by container.
    std::vector<CTkDockingPaneNode*> containers;
    node->FindPanes(kNodeTabbedContainer, containers);
    for (CTkDockingPaneNode* container : containers) AutoHideNode(container);
    return;
  }
  if (node->GetType() != kNodePane && node->GetType() != kNodeTabbedContainer) return;
  int side = GetPaneDirection(node);
  auto* strip = static_cast<CTkDockingPaneHiddenStrip*>(m_strips[side]);
  if (strip == nullptr) {
    strip = dynamic_cast<CTkDockingPaneHiddenStrip*>(m_pSite->CreatePaneNode(kNodeHiddenStrip, this));
    if (strip == nullptr) return;
    strip->SetSide(side);
    m_strips[side] = strip;
  }
  std::vector<CTkDockingPaneNode*> panes;
  node->FindPanes(kNodePane, panes);
  // Panes docked in one container share one auto-hidden container.
  PaneHolderEntry* first = panes.empty() ? nullptr : FindEntry(static_cast<CTkDockingPaneObject*>(panes.front()));
  if (first != nullptr && first->dockingHolder != nullptr) {
    for (CTkDockingPaneTabbedContainer* container : strip->GetContainers()) {
      if (container->IsEmpty()) continue;
      PaneHolderEntry* entry = FindEntry(container->GetPanes().front());
      if (entry == nullptr || entry->dockingHolder != first->dockingHolder) continue;
      for (CTkDockingPaneNode* each : panes) {
        auto* pane = static_cast<CTkDockingPaneObject*>(each);
        if (pane->GetOptions() & kPaneNoAutoHide) continue;
        if (pane->m_pParent != nullptr) pane->m_pParent->RemovePane(pane);
        container->AddPane(pane, TRUE);
      }
      return;
    }
  }
  if (node->GetType() == kNodeTabbedContainer) {
    auto* copy = static_cast<CTkDockingPaneTabbedContainer*>(node->Clone(this, nullptr, kPaneNoAutoHide));
    if (copy != nullptr) strip->AddContainer(copy);
    return;
  }
  auto* pane = static_cast<CTkDockingPaneObject*>(node);
  if (pane->m_pParent != nullptr) pane->m_pParent->RemovePane(pane);
  auto* container = static_cast<CTkDockingPaneTabbedContainer*>(m_pSite->CreatePaneNode(kNodeTabbedContainer, this));
  if (container == nullptr) return;
  container->InitFromPane(pane, m_pSite->GetSite());
  strip->AddContainer(container);
}

void CTkDockingPaneArrangement::PurgeUnused() {
  std::set<CTkDockingPaneNode*> used;
  for (const PaneHolderEntry& entry : m_panes) {
    used.insert(entry.dockingHolder);
    used.insert(entry.floatingHolder);
    used.insert(entry.pane->m_pParent);
  }
  for (BOOL removed = TRUE; removed;) {
    removed = FALSE;
    for (CTkDockingPaneNode* node : m_nodes) {
      CTkDockingPaneNode* parent = node->m_pParent;
      if (node->GetType() == kNodeTabbedContainer) {
        if (used.count(node) != 0) continue;
        if (parent != nullptr) parent->RemovePane(node);
      } else if (node->GetType() == kNodeSplitGroup) {
        CTkDockingPaneSplitGroup* group = static_cast<CTkDockingPaneSplitGroup*>(node);
        if (node == m_pTopContainer) continue;
        if (group->m_children.empty()) {
          if (parent != nullptr) parent->RemovePane(node);
        } else if (group->m_children.size() == 1 && parent != nullptr && parent->GetType() == kNodeSplitGroup &&
                   static_cast<CTkDockingPaneSplitGroup*>(parent)->m_children.size() == 1) {
          CTkDockingPaneNode* child = group->m_children.front();
          group->RemovePaneQuietly(child);
          static_cast<CTkDockingPaneSplitGroup*>(parent)->ReplacePane(node, child);
        } else {
          continue;
        }
      } else {
        continue;
      }
      UnlistNode(node);
      DestroyNode(node);
      removed = TRUE;
      break;
    }
  }
}

CTkDockingPaneNode* CTkDockingPaneArrangement::NodeFromPersistId(int id) const {
  if (id <= 0 || id >= static_cast<int>(m_loadMap.size())) return nullptr;
  return m_loadMap[id];
}

void CTkDockingPaneArrangement::ExchangeHolders(CTkPropExchange* pPX, CTkDockingPaneObject* pane) {
  static const int zero = 0;
  LPCWSTR names[3] = {L"DockingHolder", L"FloatingHolder", L"LastHolder"};
  if (!pPX->IsLoading()) {
    PaneHolderEntry* entry = FindEntry(pane);
    CTkDockingPaneTabbedContainer* holders[3] = {};
    if (entry != nullptr) {
      holders[0] = entry->dockingHolder;
      holders[1] = entry->floatingHolder;
      holders[2] = entry->lastHolder;
    }
    for (int i = 0; i < 3; ++i) {
      int id = holders[i] != nullptr ? holders[i]->m_persistId : 0;
      pPX->ExchangeValue(names[i], kTkInt, &id, &zero);
    }
    return;
  }
  CTkDockingPaneTabbedContainer* holders[3] = {};
  for (int i = 0; i < 3; ++i) {
    int id = 0;
    pPX->ExchangeValue(names[i], kTkInt, &id, &zero);
    if (id == 0) continue;
    CTkDockingPaneNode* node = NodeFromPersistId(id);
    // A holder is always a tabbed container.
    if (node == nullptr || node->GetType() != kNodeTabbedContainer) {
      m_bLoadFailed = TRUE;
      continue;
    }
    holders[i] = static_cast<CTkDockingPaneTabbedContainer*>(node);
  }
  m_panes.push_back(PaneHolderEntry{pane, holders[1], holders[0], holders[2]});
}

BOOL CTkDockingPaneArrangement::DoPropExchange(CTkPropExchange* pPX) {
  if (pPX->IsLoading()) return Load(pPX);
  Save(pPX);
  return TRUE;
}

void CTkDockingPaneArrangement::Save(CTkPropExchange* pPX) {
  static const int zero = 0;
  pPX->ClearSection();
  PurgeUnused();
  int count = static_cast<int>(m_nodes.size());
  {
    CTkPropExchangeSectionHolder summary(pPX->OpenSection(L"Summary"));
    summary->ExchangeValue(L"Panes", kTkInt, &count, nullptr);
    summary->ExchangeSchema();
  }
  for (int i = 0; i < count; ++i) m_nodes[i]->m_persistId = i + 1;
  for (CTkDockingPaneNode* node : m_nodes) {
    CString name;
    name.Format(L"Pane-%d", node->m_persistId);
    CTkPropExchangeSectionHolder section(pPX->OpenSection(name));
    int type = node->GetType();
    section->ExchangeValue(L"Type", kTkInt, &type, nullptr);
  }
  for (CTkDockingPaneNode* node : m_nodes) {
    CString name;
    name.Format(L"Pane-%d", node->m_persistId);
    CTkPropExchangeSectionHolder section(pPX->OpenSection(name));
    node->DoPropExchange(section.operator->());
  }
  CTkPropExchangeSectionHolder summary(pPX->OpenSection(L"Summary"));
  int top = m_pTopContainer != nullptr ? m_pTopContainer->m_persistId : 0;
  int client = m_pClient != nullptr ? m_pClient->m_persistId : 0;
  summary->ExchangeValue(L"TopContainer", kTkInt, &top, nullptr);
  summary->ExchangeValue(L"Client", kTkInt, &client, nullptr);
  (void)zero;
}

namespace {

// The client node appears once in the docked tree and nowhere else.
int CountClientNodes(CTkDockingPaneNode* node) {
  if (node->GetType() == kNodeClient) return 1;
  if (node->GetType() != kNodeSplitGroup) return 0;
  int count = 0;
  for (CTkDockingPaneNode* child : static_cast<CTkDockingPaneSplitGroup*>(node)->m_children)
    count += CountClientNodes(child);
  return count;
}

}  // namespace

BOOL CTkDockingPaneArrangement::Load(CTkPropExchange* pPX) {
  static const int minusOne = -1;
  Free();
  m_bLoadFailed = FALSE;
  m_loadMap.assign(1, nullptr);
  int count = 0;
  {
    CTkPropExchangeSectionHolder summary(pPX->OpenSection(L"Summary"));
    if (!summary->ExchangeValue(L"Panes", kTkInt, &count, nullptr) || count < 2) return FALSE;
    summary->ExchangeSchema();
  }
  // Every node takes at least one value: a count beyond the store's end
  // fails at its first missing node.
  for (int n = 1; n <= count; ++n) {
    CString name;
    name.Format(L"Pane-%d", n);
    CTkPropExchangeSectionHolder section(pPX->OpenSection(name));
    int type = -1;
    section->ExchangeValue(L"Type", kTkInt, &type, &minusOne);
    CTkDockingPaneNode* node = m_pSite != nullptr ? m_pSite->CreatePaneNode(type, this) : nullptr;
    if (node == nullptr) return FALSE;
    node->m_persistId = n;
    m_loadMap.push_back(node);
  }
  std::vector<CTkDockingPaneNode*> nodes = m_nodes;
  for (CTkDockingPaneNode* node : nodes) {
    CString name;
    name.Format(L"Pane-%d", node->m_persistId);
    CTkPropExchangeSectionHolder section(pPX->OpenSection(name));
    if (!node->DoPropExchange(section.operator->()) || m_bLoadFailed) return FALSE;
  }
  CTkPropExchangeSectionHolder summary(pPX->OpenSection(L"Summary"));
  int top = 0;
  int client = 0;
  if (!summary->ExchangeValue(L"TopContainer", kTkInt, &top, nullptr)) return FALSE;
  CTkDockingPaneNode* topNode = NodeFromPersistId(top);
  // The top container is a split group at the root of the docked tree.
  if (topNode == nullptr || topNode->GetType() != kNodeSplitGroup || topNode->m_pParent != nullptr) return FALSE;
  if (!summary->ExchangeValue(L"Client", kTkInt, &client, nullptr)) return FALSE;
  CTkDockingPaneNode* clientNode = NodeFromPersistId(client);
  if (clientNode == nullptr || clientNode->GetType() != kNodeClient) return FALSE;
  if (CountClientNodes(topNode) != 1 || !topNode->ContainsPane(clientNode)) return FALSE;
  m_pTopContainer = static_cast<CTkDockingPaneSplitGroup*>(topNode);
  m_pClient = clientNode;
  m_loadMap.clear();
  return TRUE;
}
