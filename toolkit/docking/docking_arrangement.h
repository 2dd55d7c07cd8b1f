// One docking layout: the tree of a manager's nodes, every node it owns in
// creation order, and for every pane the containers it last lived in. It
// places its docked part during the frame's layout pass and saves and
// loads itself through the settings exchange.
#pragma once

#include <vector>

#include "docking_pane_node.h"

class CTkDockingPaneSplitGroup;
class CTkDockingPaneTabbedContainer;

struct PaneHolderEntry {
  CTkDockingPaneObject* pane;
  CTkDockingPaneTabbedContainer* floatingHolder;
  CTkDockingPaneTabbedContainer* dockingHolder;
  CTkDockingPaneTabbedContainer* lastHolder;
};

class CTkDockingPaneArrangement : public CCmdTarget {
 public:
  explicit CTkDockingPaneArrangement(CTkDockingPaneSite* site);
  ~CTkDockingPaneArrangement() override;

  void Serialize(CArchive& ar) override;

  void Free();
  PaneHolderEntry* FindEntry(const CTkDockingPaneObject* pane);
  // Appends an entry for a pane made by the application.
  PaneHolderEntry* AddEntry(CTkDockingPaneObject* pane);
  int GetPaneDirection(CTkDockingPaneNode* node) const;
  // Moves a pane or container to the auto-hide strip of its side.
  void AutoHideNode(CTkDockingPaneNode* node);
  void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pParams);
  void PurgeUnused();
  BOOL DoPropExchange(CTkPropExchange* pPX);

  // A pane's holders as persist ids, or read back through the load map.
  void ExchangeHolders(CTkPropExchange* pPX, CTkDockingPaneObject* pane);
  // The node a persist id names while loading, or NULL.
  CTkDockingPaneNode* NodeFromPersistId(int id) const;
  // Takes a node off the node list without deleting it.
  void UnlistNode(CTkDockingPaneNode* node);
  // Deletes (or, for a pane, releases) one node.
  static void DestroyNode(CTkDockingPaneNode* node);

  CTkDockingPaneSplitGroup* m_pTopContainer = nullptr;
  CTkDockingPaneNode* m_pClient = nullptr;
  std::vector<PaneHolderEntry> m_panes;
  std::vector<CTkDockingPaneNode*> m_nodes;
  CTkDockingPaneNode* m_strips[4] = {};
  BOOL m_bSnapshot = TRUE;
  CTkDockingPaneSite* m_pSite;
  std::vector<CTkDockingPaneNode*> m_loadMap;
  // Set when a node's own keys broke the tree's rules while loading.
  BOOL m_bLoadFailed = FALSE;

 private:
  BOOL Load(CTkPropExchange* pPX);
  void Save(CTkPropExchange* pPX);
};
