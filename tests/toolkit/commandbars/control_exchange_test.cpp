#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>

#include "command_bar_list.h"
#include "command_bars.h"
#include "command_bar.h"
#include "control.h"
#include "icon_fixtures.h"
#include "image_manager.h"
#include "prop_exchange.h"
#include "registry_key_test.h"
#include "test_app.h"

namespace {

const UINT kCustomIcon = CTkImageManager::kFirstCustomId + 5;

// Stores one control's properties in an archive and loads them into
// another, at the exchange's own schema unless one is given.
void ExchangeThroughArchive(CTkControl* saved, CTkControl* loaded, int schema = -1) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    CTkPropExchangeArchive exchange(ar);
    if (schema >= 0) exchange.m_nSchema = schema;
    saved->ExchangeControlProperties(&exchange);
    ar.Close();
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  CTkPropExchangeArchive exchange(ar);
  exchange.m_bLoading = TRUE;
  if (schema >= 0) exchange.m_nSchema = schema;
  loaded->ExchangeControlProperties(&exchange);
}

CTkControl* FullControl(BOOL withCustomIcon) {
  auto* control = new CTkControlButton;
  control->SetType(kControlButtonPopup);
  control->SetID(2006);
  control->SetIconId(12);
  control->SetBeginGroup(TRUE);
  control->SetTag(7);
  control->SetFlags(kFlagRightAligned | kFlagStretched);
  control->SetHideFlags(kHideByUser);
  control->SetCaption(L"&Open");
  control->SetShortcutText(L"F3");
  control->SetPrompt(L"Opens a file\nOpen");
  control->SetParameter(L"param");
  control->SetCustomIconId(withCustomIcon ? static_cast<int>(kCustomIcon) : 0);
  control->SetCustomCaption(L"Mine");
  control->SetCategory(L"File");
  control->GetExcludedDocTemplates().SetAt(400, TRUE);
  control->GetAssignedDocTemplates().SetAt(300, TRUE);
  control->GetAssignedDocTemplates().SetAt(301, TRUE);
  control->SetDefaultItem(TRUE);
  control->SetCloseSubMenuOnClick(FALSE);
  control->SetCustomStyle(kButtonIcon);
  return control;
}

void ExpectSameStoredFields(CTkControl* expected, CTkControl* loaded) {
  EXPECT_TRUE(loaded->IsEqualControl(expected));
  EXPECT_EQ(expected->GetTag(), loaded->GetTag());
  EXPECT_EQ(expected->GetHideFlags(), loaded->GetHideFlags());
  EXPECT_EQ(expected->GetShortcutText(), loaded->GetShortcutText());
  EXPECT_EQ(expected->GetCategory(), loaded->GetCategory());
  EXPECT_EQ(expected->IsDefaultItem(), loaded->IsDefaultItem());
  EXPECT_EQ(expected->GetCloseSubMenuOnClick(), loaded->GetCloseSubMenuOnClick());
  EXPECT_EQ(expected->GetAssignedDocTemplates().GetCount(), loaded->GetAssignedDocTemplates().GetCount());
  EXPECT_EQ(expected->GetExcludedDocTemplates().GetCount(), loaded->GetExcludedDocTemplates().GetCount());
  BOOL flag = FALSE;
  EXPECT_TRUE(loaded->GetAssignedDocTemplates().Lookup(301, flag));
  EXPECT_TRUE(loaded->GetExcludedDocTemplates().Lookup(400, flag));
}

TEST(ControlExchange, RoundTripThroughAnArchive) {
  CTkControl* saved = FullControl(FALSE);
  auto* loaded = new CTkControlButton;
  ExchangeThroughArchive(saved, loaded);
  ExpectSameStoredFields(saved, loaded);
  saved->InternalRelease();
  loaded->InternalRelease();
}

// A store without binary values: maps go as counted sections.
class SectionedRegistryExchange : public CTkPropExchangeRegistry {
 public:
  using CTkPropExchangeRegistry::CTkPropExchangeRegistry;
  BOOL HasNativeBinary() override { return FALSE; }
};

class RegistryControlExchange : public RegistryKeyTest {
 protected:
  RegistryControlExchange() : RegistryKeyTest(L"Software\\Mulvara Toolkit Tests\\Controls") {}
  bool HasValue(LPCWSTR path, LPCWSTR name) {
    HKEY key;
    if (RegOpenKeyExW(parent, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    const bool found = RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
  }
  bool HasKey(LPCWSTR path) {
    HKEY key;
    if (RegOpenKeyExW(parent, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
};

TEST_F(RegistryControlExchange, RoundTripWithTheCustomIcon) {
  auto* commandBars = new CTkCommandBars;
  auto* images = new CTkImageManager;
  CTkIconHandle icon;
  icon.AttachIcon(MakeSolidIcon(16, 16, RGB(200, 0, 0)));
  images->SetIcon(icon, kCustomIcon);
  commandBars->SetImageManager(images);
  CTkControl* saved = FullControl(TRUE);
  {
    CTkPropExchangeRegistry exchange(FALSE, parent, L"Control");
    BarsExchangeParams params;
    params.pOwner = commandBars;
    exchange.m_pUserData = &params;
    saved->ExchangeControlProperties(&exchange);
  }
  EXPECT_TRUE(HasKey(L"Control\\CustomIcon"));
  // The icon comes back into the loading command bars' own image manager.
  auto* loadingBars = new CTkCommandBars;
  loadingBars->SetImageManager(new CTkImageManager);
  auto* loaded = new CTkControlButton;
  {
    CTkPropExchangeRegistry exchange(TRUE, parent, L"Control");
    BarsExchangeParams params;
    params.pOwner = loadingBars;
    exchange.m_pUserData = &params;
    loaded->ExchangeControlProperties(&exchange);
  }
  ExpectSameStoredFields(saved, loaded);
  ASSERT_NE(nullptr, loadingBars->GetImageManagerOrDefault()->FindIconSet(kCustomIcon));
  EXPECT_NE(nullptr, loadingBars->GetImageManagerOrDefault()->GetImage(kCustomIcon, 16));
  saved->InternalRelease();
  loaded->InternalRelease();
  commandBars->InternalRelease();
  loadingBars->InternalRelease();
}

TEST_F(RegistryControlExchange, NewerKeysWaitForTheirSchema) {
  struct Case {
    UINT schema;
    bool category, templates, defaultItem, closeSubMenu, customStyle;
  };
  const Case cases[] = {
      {1, false, false, false, false, false},
      {3, true, false, false, false, false},
      {6, true, true, true, false, false},
      {7, true, true, true, true, false},
      {8, true, true, true, true, true},
  };
  for (const Case& c : cases) {
    const std::wstring section = L"Schema" + std::to_wstring(c.schema);
    CTkControl* saved = FullControl(FALSE);
    {
      CTkPropExchangeRegistry exchange(FALSE, parent, section.c_str());
      exchange.m_nSchema = c.schema;
      saved->ExchangeControlProperties(&exchange);
    }
    EXPECT_TRUE(HasValue(section.c_str(), L"Caption")) << c.schema;
    EXPECT_EQ(c.category, HasValue(section.c_str(), L"Category")) << c.schema;
    EXPECT_EQ(c.templates, HasValue(section.c_str(), L"DocTemplatesAssigned")) << c.schema;
    EXPECT_EQ(c.templates, HasValue(section.c_str(), L"DocTemplatesExcluded")) << c.schema;
    EXPECT_EQ(c.defaultItem, HasValue(section.c_str(), L"DefaultItem")) << c.schema;
    EXPECT_EQ(c.closeSubMenu, HasValue(section.c_str(), L"CloseSubMenuOnClick")) << c.schema;
    EXPECT_EQ(c.customStyle, HasValue(section.c_str(), L"CustomStyle")) << c.schema;

    // Loading with the same schema leaves the newer fields at their defaults.
    auto* loaded = new CTkControlButton;
    {
      CTkPropExchangeRegistry exchange(TRUE, parent, section.c_str());
      exchange.m_nSchema = c.schema;
      loaded->ExchangeControlProperties(&exchange);
    }
    EXPECT_EQ(c.category ? CString(L"File") : CString(), loaded->GetCategory()) << c.schema;
    EXPECT_EQ(c.closeSubMenu ? FALSE : TRUE, loaded->GetCloseSubMenuOnClick()) << c.schema;
    EXPECT_EQ(c.customStyle ? kButtonIcon : 0, loaded->GetCustomStyle()) << c.schema;
    saved->InternalRelease();
    loaded->InternalRelease();
  }
}

TEST_F(RegistryControlExchange, EmptyTemplateSetsStayOutOfAKeyedStore) {
  auto* saved = new CTkControlButton;
  saved->SetID(2006);
  {
    CTkPropExchangeRegistry exchange(FALSE, parent, L"Plain");
    saved->ExchangeControlProperties(&exchange);
  }
  EXPECT_FALSE(HasValue(L"Plain", L"DocTemplatesAssigned"));
  EXPECT_FALSE(HasValue(L"Plain", L"DocTemplatesExcluded"));
  // A keyed store without binary values keeps a set as a counted section.
  saved->GetAssignedDocTemplates().SetAt(300, TRUE);
  {
    SectionedRegistryExchange exchange(FALSE, parent, L"Sections");
    saved->ExchangeControlProperties(&exchange);
  }
  EXPECT_TRUE(HasValue(L"Sections\\DocTemplatesAssigned", L"Count"));
  EXPECT_TRUE(HasValue(L"Sections\\DocTemplatesAssigned", L"Item0"));
  EXPECT_FALSE(HasKey(L"Sections\\DocTemplatesExcluded"));
  auto* loaded = new CTkControlButton;
  loaded->GetExcludedDocTemplates().SetAt(999, TRUE);
  {
    SectionedRegistryExchange exchange(TRUE, parent, L"Sections");
    loaded->ExchangeControlProperties(&exchange);
  }
  BOOL flag = FALSE;
  EXPECT_TRUE(loaded->GetAssignedDocTemplates().Lookup(300, flag));
  EXPECT_EQ(1, loaded->GetAssignedDocTemplates().GetCount());
  EXPECT_EQ(0, loaded->GetExcludedDocTemplates().GetCount()) << "a missing section loads as an empty set";
  saved->InternalRelease();
  loaded->InternalRelease();
}

TEST_F(RegistryControlExchange, AStoredMapShorterThanItsCountLeavesTheMapAsItWas) {
  CTkIdMap map;
  map.SetAt(5, TRUE);
  map.SetAt(6, TRUE);
  {
    CTkPropExchangeRegistry exchange(FALSE, parent, L"Maps");
    ASSERT_TRUE(ExchangeIdMap(&exchange, L"UsedCommands", map));
  }
  // Count 3, but only one pair follows.
  const BYTE truncated[] = {3, 0, 7, 0, 0, 0, 1, 0, 0, 0};
  HKEY maps;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(parent, L"Maps", 0, KEY_ALL_ACCESS, &maps));
  RegSetValueExW(maps, L"Truncated", 0, REG_BINARY, truncated, sizeof truncated);
  RegCloseKey(maps);

  struct Case {
    LPCWSTR key;
    BOOL ok;
    int count;
    UINT present;
  };
  const Case cases[] = {{L"UsedCommands", TRUE, 2, 6}, {L"Truncated", FALSE, 1, 1}, {L"Missing", FALSE, 1, 1}};
  for (const Case& c : cases) {
    CTkIdMap loaded;
    loaded.SetAt(1, TRUE);
    CTkPropExchangeRegistry exchange(TRUE, parent, L"Maps");
    EXPECT_EQ(c.ok, ExchangeIdMap(&exchange, c.key, loaded)) << c.count;
    EXPECT_EQ(c.count, loaded.GetCount());
    BOOL flag = FALSE;
    EXPECT_TRUE(loaded.Lookup(c.present, flag));
  }
}

}  // namespace

namespace {

// The button's style, and the popup's bar id and style (the style only from
// schema 5 on), through an archive.
TEST(ControlExchange, PopupsStoreTheirBarIdAndStyle) {
  struct Case {
    UINT schema;
    int loadedStyle;
  };
  for (const Case& c : {Case{16, kButtonIconAndCaption}, Case{4, 0}}) {
    auto* saved = CTkControlPopup::CreatePopup(kControlButtonPopup);
    saved->SetStyle(kButtonIconAndCaption);
    auto* bar = new CTkCommandBar;
    bar->SetBarID(77);
    saved->SetCommandBar(bar);
    bar->InternalRelease();
    auto* loaded = CTkControlPopup::CreatePopup(kControlButtonPopup);
    ExchangeThroughArchive(saved, loaded, c.schema);
    EXPECT_EQ(77u, loaded->GetStoredBarId()) << c.schema;
    EXPECT_EQ(c.loadedStyle, loaded->GetStyle()) << c.schema;
    saved->InternalRelease();
    loaded->InternalRelease();
  }
  auto* button = new CTkControlButton;
  button->SetStyle(kButtonCaption);
  auto* loaded = new CTkControlButton;
  ExchangeThroughArchive(button, loaded);
  EXPECT_EQ(kButtonCaption, loaded->GetStyle());
  button->InternalRelease();
  loaded->InternalRelease();
}

}  // namespace
