// Saving and loading the panel's groups and items through the registry and
// an archive, the schema gates, and clipboard data that names a class of
// the wrong kind.
#include <gtest/gtest.h>

#include <cstring>

#include "prop_exchange.h"
#include "registry_key_test.h"
#include "task_panel_fixture.h"

namespace {

class TaskPanelExchange : public RegistryKeyTest {
 protected:
  TaskPanelExchange() : RegistryKeyTest(L"Software\\Mulvara Toolkit Tests\\TaskPanel") {}
  void Save(CTkTaskPanel& panel, UINT schema = 16) {
    CTkPropExchangeRegistry px(FALSE, parent, L"Panel");
    px.m_nSchema = schema;
    panel.GetGroups()->DoPropExchange(&px);
  }
  void Load(CTkTaskPanel& panel, UINT schema = 16) {
    CTkPropExchangeRegistry px(TRUE, parent, L"Panel");
    px.m_nSchema = schema;
    panel.GetGroups()->DoPropExchange(&px);
  }
  void SetText(LPCWSTR path, LPCWSTR name, LPCWSTR value) {
    HKEY key;
    RegCreateKeyExW(parent, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
};

// Two groups whose settings all differ from their defaults somewhere.
void Populate(CTkTaskPanel& panel) {
  CTkTaskPanelGroup* tasks = panel.AddGroup(L"Tasks", 3, 7);
  tasks->SetSpecial(TRUE);
  tasks->SetLayout(kLayoutImageAboveText);
  tasks->SetIconSize(CSize(24, 24));
  tasks->SetInnerMargins(CRect(1, 2, 3, 4));
  CTkTaskPanelGroupItem* link = tasks->AddItem(L"Scan", kTaskItemLink, 2, 11);
  link->SetTooltip(L"Scans a drive");
  link->SetBold(TRUE);
  link->SetSelected(TRUE);
  link->SetAutoHeight(TRUE);
  link->SetDragText(L"scan");
  link->SetVisible(FALSE);
  link->SetIconPadding(CRect(5, 6, 7, 8));
  CTkTaskPanelGroupItem* text = tasks->AddItem(L"Some text", kTaskItemText);
  text->SetItemSize(CSize(40, 20));
  text->SetEnabled(FALSE);
  CTkTaskPanelGroup* other = panel.AddGroup(L"Other");
  other->SetCaptionVisible(FALSE);
  other->SetExpandable(FALSE);
  other->SetExpanded(FALSE);
}

void ExpectSame(CTkTaskPanel& loaded, UINT schema) {
  ASSERT_EQ(2, loaded.GetGroupCount());
  CTkTaskPanelGroup* tasks = loaded.GetGroupAt(0);
  EXPECT_STREQ(L"Tasks", tasks->GetCaption());
  EXPECT_EQ(7, tasks->GetId());
  EXPECT_EQ(3, tasks->GetIconIndex());
  EXPECT_TRUE(tasks->IsSpecial());
  EXPECT_EQ(kLayoutImageAboveText, tasks->m_layout);
  EXPECT_EQ(CSize(24, 24), tasks->m_iconSize);
  EXPECT_EQ(CRect(1, 2, 3, 4), CRect(tasks->m_innerMargins));
  EXPECT_TRUE(tasks->IsExpanded());
  ASSERT_EQ(2, tasks->GetItemCount());
  CTkTaskPanelGroupItem* link = tasks->GetItemAt(0);
  EXPECT_EQ(tasks, link->GetGroup());
  EXPECT_EQ(&loaded, link->GetPanel());
  EXPECT_STREQ(L"Scan", link->GetCaption());
  EXPECT_STREQ(L"Scans a drive", link->GetTooltip());
  EXPECT_EQ(kTaskItemLink, link->GetType());
  EXPECT_EQ(11, link->GetId());
  EXPECT_TRUE(link->IsBold());
  EXPECT_TRUE(link->IsSelected());
  EXPECT_EQ(schema >= 9, !link->IsVisible());
  EXPECT_EQ(schema >= 9 ? CRect(5, 6, 7, 8) : CRect(kTaskPanelDefaultRect), CRect(link->m_iconPadding));
  EXPECT_EQ(schema >= 9, link->IsAutoHeight());
  EXPECT_STREQ(schema >= 10 ? L"scan" : L"", link->GetDragText());
  CTkTaskPanelGroupItem* text = tasks->GetItemAt(1);
  EXPECT_EQ(kTaskItemText, text->GetType());
  EXPECT_FALSE(text->IsEnabled());
  EXPECT_EQ(40, text->GetItemSize().cx);
  CTkTaskPanelGroup* other = loaded.GetGroupAt(1);
  EXPECT_FALSE(other->IsCaptionVisible());
  EXPECT_FALSE(other->m_bExpandable);
  EXPECT_FALSE(other->IsExpanded());
}

TEST_F(TaskPanelExchange, RegistryRoundTripWithSchemaGates) {
  for (UINT schema : {16u, 10u, 9u, 8u}) {
    SHDeleteKeyW(parent, L"Panel");
    CTkTaskPanel saved;
    Populate(saved);
    Save(saved, schema);
    PanelFixture f;
    f.AddGroup(L"Replaced", 2);
    Load(f.panel, schema);
    ExpectSame(f.panel, schema);
    EXPECT_FALSE(f.panel.IsLayoutLocked());
    EXPECT_FALSE(f.panel.GetGroupAt(0)->GetTargetRect().IsRectEmpty()) << "laid out after loading";
  }
}

TEST_F(TaskPanelExchange, LoadingDropsThePanelsReferencesFirst) {
  CTkTaskPanel saved;
  Populate(saved);
  Save(saved);
  PanelFixture f(240, 400, kPanelModeList);
  CTkTaskPanelGroup* old = f.AddGroup(L"Old", 2);
  old->SetExpanded(TRUE);
  f.panel.MoveFocusTo(old->GetItemAt(1), TRUE);
  Load(f.panel);
  EXPECT_EQ(nullptr, f.panel.GetFocusedItem());
  EXPECT_NE(old, f.panel.GetActiveGroup());
  EXPECT_EQ(2, f.panel.GetGroupCount());
}

TEST_F(TaskPanelExchange, EntriesOfTheWrongKindEndTheLoading) {
  CTkTaskPanel saved;
  Populate(saved);
  Save(saved);
  // A group's list naming a group, the groups list naming a plain item.
  SetText(L"Panel\\Item0\\Items\\Item1", L"Class", L"CTkTaskPanelGroup");
  SetText(L"Panel\\Item1", L"Class", L"CTkTaskPanelItem");
  PanelFixture f;
  Load(f.panel);
  ASSERT_EQ(1, f.panel.GetGroupCount());
  CTkTaskPanelGroup* tasks = f.panel.GetGroupAt(0);
  ASSERT_EQ(1, tasks->GetItemCount());
  EXPECT_TRUE(tasks->GetItemAt(0)->IsKindOf(RUNTIME_CLASS(CTkTaskPanelGroupItem)));
}

TEST(TaskPanelArchive, GroupsRoundTripThroughAnArchive) {
  CTkTaskPanel saved;
  Populate(saved);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    CTkPropExchangeArchive px(ar);
    px.m_nSchema = 16;
    saved.GetGroups()->DoPropExchange(&px);
  }
  file.SeekToBegin();
  PanelFixture f;
  f.AddGroup(L"Replaced", 2);
  CArchive ar(&file, CArchive::load);
  CTkPropExchangeArchive px(ar);
  px.m_nSchema = 16;
  f.panel.GetGroups()->DoPropExchange(&px);
  ExpectSame(f.panel, 16);
  EXPECT_FALSE(f.panel.IsLayoutLocked());
}

TEST(TaskPanelClipboard, ItemsAndGroupsRoundTrip) {
  CTkTaskPanel panel;
  Populate(panel);
  CTkTaskPanelGroupItem* link = panel.GetGroupAt(0)->GetItemAt(0);
  HGLOBAL memory = link->CopyToGlobalMemory();
  ASSERT_NE(nullptr, memory);
  CTkTaskPanelItem* copy = CTkTaskPanelItem::CreateFromGlobalMemory(memory, RUNTIME_CLASS(CTkTaskPanelItem));
  ASSERT_NE(nullptr, copy);
  ASSERT_TRUE(copy->IsKindOf(RUNTIME_CLASS(CTkTaskPanelGroupItem)));
  auto* item = static_cast<CTkTaskPanelGroupItem*>(copy);
  EXPECT_STREQ(L"Scan", item->GetCaption());
  EXPECT_STREQ(L"scan", item->GetDragText());
  EXPECT_TRUE(item->IsBold());
  EXPECT_EQ(nullptr, item->GetPanel());
  copy->InternalRelease();
  ::GlobalFree(memory);

  // A group carries its items.
  memory = panel.GetGroupAt(0)->CopyToGlobalMemory();
  ASSERT_NE(nullptr, memory);
  copy = CTkTaskPanelItem::CreateFromGlobalMemory(memory, RUNTIME_CLASS(CTkTaskPanelItem));
  ASSERT_NE(nullptr, copy);
  ASSERT_TRUE(copy->IsKindOf(RUNTIME_CLASS(CTkTaskPanelGroup)));
  EXPECT_EQ(2, static_cast<CTkTaskPanelGroup*>(copy)->GetItemCount());
  EXPECT_STREQ(L"Some text", static_cast<CTkTaskPanelGroup*>(copy)->GetItemAt(1)->GetCaption());
  copy->InternalRelease();
  ::GlobalFree(memory);
}

TEST(TaskPanelClipboard, DataNamingAnotherClassMakesNothing) {
  // A class record of a creatable class that is no task panel item, then
  // a few bytes: what another program could put on the clipboard.
  CSharedFile file;
  {
    CArchive archive(&file, CArchive::store);
    archive.WriteClass(RUNTIME_CLASS(CTkTaskPanelItems));
    archive << 1 << 2 << 3;
    archive.Close();
  }
  HGLOBAL memory = file.Detach();
  EXPECT_EQ(nullptr, CTkTaskPanelItem::CreateFromGlobalMemory(memory, RUNTIME_CLASS(CTkTaskPanelItem)));
  ::GlobalFree(memory);

  // A group where only group items are wanted; truncated data.
  CTkTaskPanel panel;
  Populate(panel);
  memory = panel.GetGroupAt(0)->CopyToGlobalMemory();
  EXPECT_EQ(nullptr, CTkTaskPanelItem::CreateFromGlobalMemory(memory, RUNTIME_CLASS(CTkTaskPanelGroupItem)));
  ::GlobalFree(memory);
  memory = panel.GetGroupAt(0)->GetItemAt(0)->CopyToGlobalMemory();
  HGLOBAL cut = ::GlobalAlloc(GMEM_MOVEABLE, 20);
  std::memcpy(::GlobalLock(cut), ::GlobalLock(memory), 20);
  ::GlobalUnlock(cut);
  ::GlobalUnlock(memory);
  EXPECT_EQ(nullptr, CTkTaskPanelItem::CreateFromGlobalMemory(cut, RUNTIME_CLASS(CTkTaskPanelItem)));
  ::GlobalFree(cut);
  ::GlobalFree(memory);
  EXPECT_NE(0, GetTaskPanelClipboardFormat());
  EXPECT_EQ(GetTaskPanelClipboardFormat(), ::RegisterClipboardFormatW(L"TaskPanelGroupItem"));
}

}  // namespace
