// Saving and loading docking layouts through the registry and an archive,
// and the stores that must not load.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <functional>

#include "docking_fixtures.h"
#include "prop_exchange.h"
#include "registry_key_test.h"
#include "test_app.h"

namespace {

class DockingPersistence : public RegistryKeyTest {
 protected:
  DockingPersistence() : RegistryKeyTest(L"Software\\Mulvara Toolkit Tests\\Docking") {}
  bool ReadDword(LPCWSTR path, LPCWSTR name, DWORD* value) {
    HKEY key;
    if (RegOpenKeyExW(parent, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = sizeof *value;
    LONG status = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
  }
  void SetDword(LPCWSTR path, LPCWSTR name, DWORD value) {
    HKEY key;
    RegCreateKeyExW(parent, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
  }
  void DeleteValue(LPCWSTR path, LPCWSTR name) {
    HKEY key;
    if (RegOpenKeyExW(parent, path, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name);
    RegCloseKey(key);
  }
  void Save(CTkDockingPaneArrangement* layout, UINT schema = 16) {
    CTkPropExchangeRegistry px(FALSE, parent, L"Layout");
    px.m_nSchema = schema;
    EXPECT_TRUE(layout->DoPropExchange(&px));
  }
  BOOL Load(CTkDockingPaneArrangement* layout, UINT schema = 16) {
    CTkPropExchangeRegistry px(TRUE, parent, L"Layout");
    px.m_nSchema = schema;
    return layout->DoPropExchange(&px);
  }
};

// Three panes in a container left, one below it, one right of the view.
void BuildLayout(DockingFixture& f) {
  CTkDockingPaneObject* a = f.MakePane(101, L"Alpha\nA");
  a->m_options = kPaneMenuButton;
  a->m_iconId = 5;
  a->m_tabColor = RGB(10, 20, 30);
  a->m_helpId = 44;
  a->m_tag = 9;
  a->m_minTrackSize = CPoint(40, 50);
  a->m_maxTrackSize = CPoint(400, 500);
  a->DockingCX = 180;
  f.site.DockPane(a, kDockLeft);
  f.site.AttachPane(f.MakePane(102, L"Beta"), a);
  f.site.AttachPane(f.MakePane(103, L"Gamma"), a);
  f.site.DockPane(f.MakePane(104, L"Delta"), kDockBottom, a);
  f.site.DockPane(f.MakePane(105, L"Epsilon"), kDockRight);
  f.site.FloatPane(f.MakePane(106, L"Zeta"), CRect(700, 120, 900, 280));
  f.Relayout();
}

TEST_F(DockingPersistence, FreshLayoutGivesTheExampleKeys) {
  DockingFixture f;
  Save(f.Layout());
  struct {
    LPCWSTR path;
    LPCWSTR name;
    DWORD value;
  } expected[] = {
      {L"Layout\\Summary", L"Panes", 2},   {L"Layout\\Summary", L"TopContainer", 2},
      {L"Layout\\Summary", L"Client", 1},  {L"Layout\\Pane-1", L"Type", 4},
      {L"Layout\\Pane-2", L"Type", 2},     {L"Layout\\Pane-2", L"Horiz", 1},
      {L"Layout\\Pane-2", L"Panes", 1},    {L"Layout\\Pane-2", L"Pane-1", 1},
  };
  for (const auto& e : expected) {
    DWORD value = 0;
    EXPECT_TRUE(ReadDword(e.path, e.name, &value)) << e.value;
    EXPECT_EQ(e.value, value) << e.value;
  }
  DWORD unused = 0;
  EXPECT_FALSE(ReadDword(L"Layout\\Summary", L"Schema", &unused));
  EXPECT_FALSE(ReadDword(L"Layout\\Pane-1", L"DockingCX", &unused));

  CTkDockingPaneArrangement* loaded = f.site.CreateLayout();
  EXPECT_TRUE(Load(loaded));
  EXPECT_EQ("H[C]", DescribeNode(loaded->m_pTopContainer));
  EXPECT_EQ(kNodeClient, loaded->m_pClient->GetType());
  loaded->InternalRelease();
}

void ExpectSameLayout(CTkDockingPaneArrangement* loaded) {
  EXPECT_EQ("H[V[T(101,102,103),T(104)],C,T(105)]", DescribeNode(loaded->m_pTopContainer));
  std::vector<CTkDockingPaneMiniWnd*> frames = FloatingFrames(loaded);
  ASSERT_EQ(1u, frames.size());
  EXPECT_EQ("F{H[T(106)]}", DescribeNode(frames[0]));
  EXPECT_EQ(CRect(700, 120, 900, 280), frames[0]->m_paneRect);
  EXPECT_EQ(frames[0], frames[0]->m_pTopContainer->GetParentNode());
  EXPECT_FALSE(frames[0]->m_bCollapsed);
  ASSERT_EQ(6u, loaded->m_panes.size());
  CTkDockingPaneObject* a = nullptr;
  for (const PaneHolderEntry& entry : loaded->m_panes)
    if (entry.pane->m_id == 101) a = entry.pane;
  ASSERT_NE(nullptr, a);
  EXPECT_EQ(CString(L"Alpha\nA"), a->m_title);
  EXPECT_EQ(static_cast<DWORD>(kPaneMenuButton), a->m_options);
  EXPECT_EQ(5, a->m_iconId);
  EXPECT_EQ(RGB(10, 20, 30), a->m_tabColor);
  EXPECT_EQ(44u, a->m_helpId);
  EXPECT_EQ(9u, a->m_tag);
  EXPECT_EQ(CPoint(40, 50), a->m_minTrackSize);
  EXPECT_EQ(CPoint(400, 500), a->m_maxTrackSize);
  PaneHolderEntry* entry = loaded->FindEntry(a);
  ASSERT_NE(nullptr, entry);
  EXPECT_EQ(a->GetContainer(), entry->dockingHolder);
  EXPECT_EQ(a->GetContainer(), entry->lastHolder);
  EXPECT_EQ(nullptr, entry->floatingHolder);
  auto* container = static_cast<CTkDockingPaneTabbedContainer*>(a->GetContainer());
  EXPECT_EQ(103, container->GetSelected()->m_id);
  // A loaded snapshot makes no windows.
  EXPECT_EQ(nullptr, container->GetSafeHwnd());
}

TEST_F(DockingPersistence, RoundTripsThroughTheRegistry) {
  DockingFixture f;
  BuildLayout(f);
  Save(f.Layout());
  CTkDockingPaneArrangement* loaded = f.site.CreateLayout();
  EXPECT_TRUE(Load(loaded));
  ExpectSameLayout(loaded);
  loaded->InternalRelease();
}

TEST_F(DockingPersistence, RoundTripsThroughAnArchive) {
  DockingFixture f;
  BuildLayout(f);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    f.Layout()->Serialize(ar);
  }
  file.SeekToBegin();
  CTkDockingPaneArrangement* loaded = f.site.CreateLayout();
  {
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive px(ar);
    EXPECT_TRUE(loaded->DoPropExchange(&px));
  }
  ExpectSameLayout(loaded);
  loaded->InternalRelease();
}

TEST_F(DockingPersistence, SchemaNineLeavesTheNewerKeysOut) {
  DockingFixture f;
  BuildLayout(f);
  Save(f.Layout(), 9);
  // Node 1 is the client, 2 the top group; the first pane made comes next.
  DWORD value = 0;
  int paneNode = 0;
  for (int n = 1; n <= 12 && paneNode == 0; ++n) {
    CString path;
    path.Format(L"Layout\\Pane-%d", n);
    if (ReadDword(path, L"ID", &value) && value == 101) paneNode = n;
  }
  ASSERT_NE(0, paneNode);
  CString path;
  path.Format(L"Layout\\Pane-%d", paneNode);
  EXPECT_FALSE(ReadDword(path, L"TabColor", &value));
  EXPECT_FALSE(ReadDword(path, L"HelpId", &value));
  EXPECT_FALSE(ReadDword(path, L"Tag", &value));
  // Written with the newer keys, read with schema 9: they are not read.
  Save(f.Layout(), 16);
  SetDword(L"Layout\\Summary", L"Schema", 9);
  CTkDockingPaneArrangement* loaded = f.site.CreateLayout();
  ASSERT_TRUE(Load(loaded, 9));
  CTkDockingPaneObject* a = nullptr;
  for (const PaneHolderEntry& entry : loaded->m_panes)
    if (entry.pane->m_id == 101) a = entry.pane;
  ASSERT_NE(nullptr, a);
  EXPECT_EQ(static_cast<COLORREF>(-1), a->m_tabColor);
  EXPECT_EQ(0u, a->m_helpId);
  EXPECT_EQ(0u, a->m_tag);
  loaded->InternalRelease();
}

// The node numbers of the layout BuildLayout saves, found by their keys.
struct SavedNodes {
  int client = 0;
  int top = 0;
  int leftGroup = 0;
  int tabs = 0;      // the container of 101..103
  int bottom = 0;    // the container of 104
  int pane101 = 0;
  int pane104 = 0;
  int frame = 0;       // the floating frame of 106
  int frameGroup = 0;  // its split group
};

TEST_F(DockingPersistence, StoresThatMustNotLoad) {
  DockingFixture f;
  BuildLayout(f);
  Save(f.Layout());
  SavedNodes n;
  DWORD count = 0;
  ASSERT_TRUE(ReadDword(L"Layout\\Summary", L"Panes", &count));
  for (int i = 1; i <= static_cast<int>(count); ++i) {
    CString path;
    path.Format(L"Layout\\Pane-%d", i);
    DWORD type = 0;
    DWORD value = 0;
    ReadDword(path, L"Type", &type);
    if (type == kNodeClient) n.client = i;
    if (type == kNodeMiniFrame) n.frame = i;
    if (type == kNodePane && ReadDword(path, L"ID", &value)) {
      if (value == 101) n.pane101 = i;
      if (value == 104) n.pane104 = i;
    }
  }
  DWORD value = 0;
  ASSERT_TRUE(ReadDword(L"Layout\\Summary", L"TopContainer", &value));
  n.top = static_cast<int>(value);
  for (int i = 1; i <= static_cast<int>(count); ++i) {
    CString path;
    path.Format(L"Layout\\Pane-%d", i);
    DWORD type = 0;
    ReadDword(path, L"Type", &type);
    DWORD first = 0;
    ReadDword(path, L"Pane-1", &first);
    if (type == kNodeTabbedContainer && static_cast<int>(first) == n.pane101) n.tabs = i;
    if (type == kNodeTabbedContainer && static_cast<int>(first) == n.pane104) n.bottom = i;
    if (type == kNodeSplitGroup && i != n.top && first != 0) n.leftGroup = i;
  }
  auto node = [](int i) {
    CString path;
    path.Format(L"Layout\\Pane-%d", i);
    return path;
  };
  ASSERT_NE(0, n.frame);
  ASSERT_TRUE(ReadDword(node(n.frame), L"TopContaner", &value));
  n.frameGroup = static_cast<int>(value);
  if (n.leftGroup == n.frameGroup) n.leftGroup = 0;
  for (int i = 1; i <= static_cast<int>(count) && n.leftGroup == 0; ++i) {
    DWORD type = 0;
    DWORD first = 0;
    ReadDword(node(i), L"Type", &type);
    ReadDword(node(i), L"Pane-1", &first);
    if (type == kNodeSplitGroup && i != n.top && i != n.frameGroup && first != 0) n.leftGroup = i;
  }
  ASSERT_TRUE(n.client && n.top && n.leftGroup && n.tabs && n.bottom && n.pane101 && n.pane104);

  struct BadStore {
    const char* name;
    std::function<void()> change;
  } cases[] = {
      {"one node", [&] { SetDword(L"Layout\\Summary", L"Panes", 1); }},
      {"unknown type", [&] { SetDword(node(n.pane104), L"Type", 9); }},
      {"floating frame type", [&] { SetDword(node(n.bottom), L"Type", kNodeMiniFrame); }},
      {"pane id 0", [&] { DeleteValue(node(n.pane101), L"ID"); }},
      {"no client", [&] { DeleteValue(L"Layout\\Summary", L"Client"); }},
      {"client of another type", [&] { SetDword(L"Layout\\Summary", L"Client", n.leftGroup); }},
      {"top container a tabbed container", [&] { SetDword(L"Layout\\Summary", L"TopContainer", n.tabs); }},
      {"top container inside the tree", [&] { SetDword(L"Layout\\Summary", L"TopContainer", n.leftGroup); }},
      {"group lists itself", [&] { SetDword(node(n.leftGroup), L"Pane-1", n.leftGroup); }},
      {"group lists its ancestor", [&] { SetDword(node(n.leftGroup), L"Pane-1", n.top); }},
      {"node placed twice", [&] { SetDword(node(n.leftGroup), L"Pane-2", n.tabs); }},
      {"client placed twice", [&] { SetDword(node(n.leftGroup), L"Pane-2", n.client); }},
      {"group lists a pane", [&] { SetDword(node(n.leftGroup), L"Pane-2", n.pane104); }},
      {"container lists a pane twice", [&] { SetDword(node(n.tabs), L"Pane-2", n.pane101); }},
      {"pane in two containers", [&] { SetDword(node(n.bottom), L"Pane-1", n.pane101); }},
      {"container lists a group", [&] { SetDword(node(n.tabs), L"Pane-1", n.leftGroup); }},
      {"reference past the end", [&] { SetDword(node(n.tabs), L"Pane-1", count + 3); }},
      {"holder that is no container", [&] { SetDword(node(n.pane101), L"DockingHolder", n.top); }},
      {"floating frame without its group", [&] { DeleteValue(node(n.frame), L"TopContaner"); }},
      {"floating frame without its rectangle", [&] { DeleteValue(node(n.frame), L"WindowRectLeftPos"); }},
      {"floating frame holding a container", [&] { SetDword(node(n.frame), L"TopContaner", n.bottom); }},
      {"floating frame holding the docked tree", [&] { SetDword(node(n.frame), L"TopContaner", n.top); }},
      {"floating frame holding a docked group", [&] { SetDword(node(n.frame), L"TopContaner", n.leftGroup); }},
      {"floating group docked as well",
       [&] {
         SetDword(node(n.leftGroup), L"Panes", 3);
         SetDword(node(n.leftGroup), L"Pane-3", n.frameGroup);
       }},
  };
  for (const BadStore& c : cases) {
    SCOPED_TRACE(c.name);
    Save(f.Layout());
    c.change();
    CTkDockingPaneArrangement* loaded = f.site.CreateLayout();
    EXPECT_FALSE(Load(loaded));
    loaded->InternalRelease();
  }
  // The unchanged store loads.
  Save(f.Layout());
  CTkDockingPaneArrangement* loaded = f.site.CreateLayout();
  EXPECT_TRUE(Load(loaded));
  loaded->InternalRelease();
}

}  // namespace
