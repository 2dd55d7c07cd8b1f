// The user's bars through the archive exchange: the keys behind their
// schema gates, which bars a save collects, how popup bars are numbered
// and linked back, the question about a changed program bar, and loads
// that fail without touching a bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout_fixture.h"
#include "menu_bar.h"
#include "popup_bar.h"
#include "prop_exchange.h"
#include "test_app.h"

namespace {

const int kSentinel = 0x5EED;

int OwnControls(CTkCommandBar* bar) {
  int count = 0;
  for (int i = 0; i < bar->GetControlCount(); ++i)
    if (!bar->GetControl(i)->IsTemporary()) ++count;
  return count;
}

// A popup control on the bar opening the popup bar given.
CTkControlPopup* AddPopup(CTkCommandBar* bar, UINT id, CTkCommandBar* popupBar) {
  CTkControlPopup* popup = CTkControlPopup::CreatePopup(kControlPopup);
  bar->GetControls()->AddControl(popup, id);
  popup->SetCommandBar(popupBar);
  return popup;
}

class BarExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = LayoutFrame::Make(true);
    ASSERT_NE(nullptr, frame);
    bars = frame->Bars();
    params.pOwner = bars;
  }
  void TearDown() override {
    if (frame != nullptr && frame->GetSafeHwnd() != nullptr) frame->DestroyWindow();
    TestApp& app = TheTestApp();
    app.recordMessageBoxes = false;
    app.messageBoxAnswer = IDOK;
  }
  CTkPopupBar* NewPopupBar(UINT id) {
    CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(bars);
    popup->SetBarID(id);
    popup->GetControls()->Add(kControlButton, 2001);
    return popup;
  }

  LayoutFrame* frame = nullptr;
  LayoutCommandBars* bars = nullptr;
  BarsExchangeParams params;
};

TEST(BarExchangeSchema, GatedBarKeysAreSkippedByOlderSchemas) {
  struct Case {
    UINT schema;
    CSize icons;
    BOOL closeable;
    BOOL showShadow;
    BOOL doubleGripper;
  };
  // Stored: icons 24 x 24, not closeable, no shadow, double gripper.
  const Case cases[] = {
      {16, {24, 24}, FALSE, FALSE, TRUE},
      {4, {24, 24}, TRUE, FALSE, FALSE},
      {2, {0, 0}, TRUE, TRUE, FALSE},
  };
  for (const Case& c : cases) {
    auto* toolBar = new CTkToolBar;
    toolBar->SetIconSize(CSize(24, 24));
    toolBar->SetCloseable(FALSE);
    toolBar->SetTitle(L"Tools");
    auto* popup = new CTkPopupBar;
    popup->SetShowShadow(FALSE);
    popup->SetDoubleGripper(TRUE);
    CMemFile file;
    {
      CArchive archive(&file, CArchive::store);
      CTkPropExchangeArchive exchange(archive);
      exchange.m_nSchema = c.schema;
      toolBar->ExchangeBarProperties(&exchange);
      popup->ExchangeBarProperties(&exchange);
      int sentinel = kSentinel;
      ExchangeInt(&exchange, L"End", &sentinel, 0);
      archive.Close();
    }
    file.SeekToBegin();
    auto* loadedBar = new CTkToolBar;
    auto* loadedPopup = new CTkPopupBar;
    int sentinel = 0;
    {
      CArchive archive(&file, CArchive::load);
      CTkPropExchangeArchive exchange(archive);
      exchange.m_nSchema = c.schema;
      loadedBar->ExchangeBarProperties(&exchange);
      loadedPopup->ExchangeBarProperties(&exchange);
      ExchangeInt(&exchange, L"End", &sentinel, 0);
    }
    EXPECT_EQ(kSentinel, sentinel) << c.schema;
    EXPECT_EQ(CString(L"Tools"), loadedBar->GetTitle()) << c.schema;
    // Without an own size the bar shows 16 x 16.
    EXPECT_EQ(c.icons.cx != 0 ? c.icons : CSize(16, 16), loadedBar->GetEffectiveIconSize()) << c.schema;
    EXPECT_EQ(c.closeable, loadedBar->IsCloseable()) << c.schema;
    EXPECT_EQ(c.showShadow, loadedPopup->GetShowShadow()) << c.schema;
    EXPECT_EQ(c.doubleGripper, loadedPopup->IsDoubleGripper()) << c.schema;
    for (CTkCommandBar* bar : {static_cast<CTkCommandBar*>(toolBar), static_cast<CTkCommandBar*>(popup),
                               static_cast<CTkCommandBar*>(loadedBar), static_cast<CTkCommandBar*>(loadedPopup)})
      bar->InternalRelease();
  }
}

TEST_F(BarExchangeTest, OnlyChangedCollectionSkipsUnchangedBarsAndTheirPopups) {
  CTkPopupBar* standardPopup = NewPopupBar(0);
  AddPopup(frame->Standard(), 700, standardPopup);
  standardPopup->InternalRelease();
  frame->Standard()->GetControls()->CreateOriginalControls();
  frame->Format()->GetControls()->Remove(0);
  CTkPopupBar* formatPopup = NewPopupBar(0);
  AddPopup(frame->Format(), 701, formatPopup);
  formatPopup->InternalRelease();
  CTkCommandBar* mine = bars->CreateToolBar(L"Mine", 300, FALSE);
  ASSERT_NE(nullptr, mine);

  params.bOnlyChanged = TRUE;
  CTkCommandBarList changed;
  bars->CollectBarsToSave(changed, params);
  ASSERT_EQ(3, changed.GetCount());
  EXPECT_EQ(frame->Format(), changed.GetAt(0));
  EXPECT_EQ(formatPopup, changed.GetAt(1));
  EXPECT_EQ(0x1000000u, formatPopup->GetBarID());
  EXPECT_EQ(mine, changed.GetAt(2));

  params.bOnlyChanged = FALSE;
  CTkCommandBarList all;
  bars->CollectBarsToSave(all, params);
  EXPECT_TRUE(all.Contains(bars->GetMenuBar()));
  // Depth first: each bar followed by the popups it reaches.
  int standard = -1;
  for (int i = 0; i < all.GetCount(); ++i)
    if (all.GetAt(i) == frame->Standard()) standard = i;
  ASSERT_GE(standard, 0);
  ASSERT_LT(standard + 1, all.GetCount());
  EXPECT_EQ(standardPopup, all.GetAt(standard + 1));
}

TEST_F(BarExchangeTest, PopupBarsAreNumberedOnceAndLinkedBackAfterLoading) {
  auto* toolBar = static_cast<CTkToolBar*>(bars->CreateToolBar(L"Popups", 400, FALSE));
  ASSERT_NE(nullptr, toolBar);
  CTkPopupBar* shared = NewPopupBar(0);
  CTkPopupBar* own = NewPopupBar(5);
  CTkPopupBar* stale = NewPopupBar(0x1000005);
  AddPopup(toolBar, 801, shared);
  AddPopup(toolBar, 802, shared);
  AddPopup(toolBar, 803, own);
  AddPopup(toolBar, 804, stale);
  for (CTkPopupBar* popup : {shared, own, stale}) popup->InternalRelease();

  UINT nextId = 0x1000000;
  CTkCommandBarList list;
  toolBar->CollectForSave(nextId, list, params);
  ASSERT_EQ(4, list.GetCount());
  EXPECT_EQ(0x1000000u, shared->GetBarID());
  EXPECT_EQ(5u, own->GetBarID());
  EXPECT_EQ(0x1000001u, stale->GetBarID());

  const std::string bytes = StoreBars(bars, list);
  ASSERT_FALSE(bytes.empty());
  CTkCommandBarList loaded;
  ASSERT_TRUE(LoadBars(bars, bytes, loaded));
  ASSERT_EQ(4, loaded.GetCount());
  CTkCommandBar* bar = loaded.GetAt(0);
  ASSERT_TRUE(bar->IsKindOf(RUNTIME_CLASS(CTkToolBar)));
  EXPECT_EQ(400u, bar->GetBarID());
  ASSERT_EQ(4, OwnControls(bar));
  EXPECT_EQ(0x1000000u, static_cast<CTkControlPopup*>(bar->GetControl(1))->GetStoredBarId());
  bar->RestorePopupLinks(loaded);
  CTkCommandBar* first = bar->GetControl(0)->GetCommandBar();
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(first, bar->GetControl(1)->GetCommandBar());
  EXPECT_EQ(0x1000000u, first->GetBarID());
  EXPECT_EQ(1, first->GetControlCount());
  ASSERT_NE(nullptr, bar->GetControl(2)->GetCommandBar());
  EXPECT_EQ(5u, bar->GetControl(2)->GetCommandBar()->GetBarID());
  EXPECT_EQ(0x1000001u, bar->GetControl(3)->GetCommandBar()->GetBarID());
  EXPECT_EQ(0u, static_cast<CTkControlPopup*>(bar->GetControl(1))->GetStoredBarId());
}

// A stored bar whose program original differs from today's asks once per
// customized bar, unless the load is silent.
TEST_F(BarExchangeTest, ChangedProgramBarAsksOncePerCustomizedBar) {
  struct Case {
    bool programChanged;
    bool customized;
    BOOL silent;
    int answer;
    int questions;
    bool userControls;
  };
  const Case cases[] = {
      {true, true, FALSE, IDNO, 2, true},   {true, true, FALSE, IDYES, 2, false},
      {true, true, TRUE, IDNO, 0, false},   {true, false, FALSE, IDNO, 0, false},
      {false, true, FALSE, IDYES, 0, true},
  };
  TestApp& app = TheTestApp();
  int row = 0;
  for (const Case& c : cases) {
    ++row;
    LayoutFrame* source = LayoutFrame::Make(true);
    ASSERT_NE(nullptr, source);
    for (CTkToolBar* bar : {source->Standard(), source->Format()}) {
      // The original an older program built had one button more.
      if (c.programChanged) bar->GetControls()->GetOriginalControls()->Add(kControlButton, 4000);
      if (c.programChanged && !c.customized) bar->GetControls()->Add(kControlButton, 4000);
      if (c.customized) bar->GetControls()->Remove(0);
    }
    // Lists hold bars; they go before the command bars of their bars do.
    std::string bytes;
    {
      CTkCommandBarList stored;
      BarsExchangeParams all;
      all.pOwner = source->Bars();
      source->Bars()->CollectBarsToSave(stored, all);
      bytes = StoreBars(source->Bars(), stored);
    }
    source->DestroyWindow();
    ASSERT_FALSE(bytes.empty());

    app.recordMessageBoxes = true;
    app.messageBoxAnswer = c.answer;
    app.messageBoxes = 0;
    const int barCount = bars->GetBarCount();
    {
      CTkCommandBarList loaded;
      ASSERT_TRUE(LoadBars(bars, bytes, loaded));
      bars->ReconcileChangedToolbars(loaded, c.silent);
    }
    app.recordMessageBoxes = false;
    EXPECT_EQ(c.questions, app.messageBoxes) << row;
    if (c.questions > 0) {
      EXPECT_NE(std::wstring::npos, app.lastMessageBoxText.find(L"toolbar 'Format' has changed"));
    }
    EXPECT_EQ(barCount, bars->GetBarCount()) << row;
    for (CTkToolBar* bar : {frame->Standard(), frame->Format()}) {
      EXPECT_EQ(c.userControls, bar->GetControls()->FindControl(801) == nullptr) << row;
      // The bar keeps today's original.
      ASSERT_NE(nullptr, bar->GetControls()->GetOriginalControls());
      EXPECT_EQ(nullptr, bar->GetControls()->GetOriginalControls()->FindControl(4000)) << row;
    }
    // Fresh bars for the next row.
    frame->DestroyWindow();
    frame = LayoutFrame::Make(true);
    ASSERT_NE(nullptr, frame);
    bars = frame->Bars();
  }
}

TEST_F(BarExchangeTest, UserBarIsAddedDockedWithItsStoredFlags) {
  LayoutFrame* source = LayoutFrame::Make(true);
  ASSERT_NE(nullptr, source);
  auto* mine = static_cast<CTkToolBar*>(source->Bars()->CreateToolBar(L"Mine", 300, FALSE));
  ASSERT_NE(nullptr, mine);
  mine->EnableDocking(kDockTop | kDockLeft);
  mine->GetControls()->Add(kControlButton, 2001);
  std::string bytes;
  {
    CTkCommandBarList stored;
    BarsExchangeParams changed;
    changed.bOnlyChanged = TRUE;
    changed.pOwner = source->Bars();
    source->Bars()->CollectBarsToSave(stored, changed);
    ASSERT_EQ(1, stored.GetCount());
    bytes = StoreBars(source->Bars(), stored);
  }
  source->DestroyWindow();
  {
    CTkCommandBarList loaded;
    ASSERT_TRUE(LoadBars(bars, bytes, loaded));
    bars->ReconcileChangedToolbars(loaded, FALSE);
  }
  auto* added = static_cast<CTkToolBar*>(bars->FindBarById(300));
  ASSERT_NE(nullptr, added);
  EXPECT_FALSE(added->IsBuiltIn());
  EXPECT_EQ(static_cast<DWORD>(kDockTop | kDockLeft), added->GetDockFlags());
  EXPECT_NE(nullptr, added->GetDragTracker());
  EXPECT_NE(nullptr, added->GetSafeHwnd());
  EXPECT_EQ(1, OwnControls(added));
}

TEST_F(BarExchangeTest, FailedLoadLeavesEveryBarUntouched) {
  // A bar of a class that is no command bar.
  CMemFile unknown;
  {
    CArchive archive(&unknown, CArchive::store);
    int count = 1;
    archive << count;
    archive.WriteClass(RUNTIME_CLASS(CTkControlButton));
    archive.Close();
  }
  // A real store cut short.
  frame->Standard()->GetControls()->Remove(0);
  CTkCommandBarList list;
  bars->CollectBarsToSave(list, params);
  const std::string whole = StoreBars(bars, list);
  ASSERT_FALSE(whole.empty());
  frame->Standard()->GetControls()->Add(kControlButton, 801, L"", 0);
  const UINT unknownLength = static_cast<UINT>(unknown.GetLength());
  BYTE* unknownData = unknown.Detach();
  const std::vector<std::string> inputs = {std::string(reinterpret_cast<char*>(unknownData), unknownLength),
                                           whole.substr(0, whole.size() / 2)};
  free(unknownData);
  for (const std::string& bytes : inputs) {
    const int barCount = bars->GetBarCount();
    const int standardControls = OwnControls(frame->Standard());
    CMemFile file(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), static_cast<UINT>(bytes.size()));
    BarsExchangeParams load;
    load.pOwner = bars;
    EXPECT_FALSE(bars->LoadBarsFromArchive(&file, load)) << bytes.size();
    EXPECT_EQ(barCount, bars->GetBarCount());
    EXPECT_EQ(standardControls, OwnControls(frame->Standard()));
    EXPECT_NE(nullptr, frame->Standard()->GetControls()->FindControl(801));
  }
}

TEST(ControlCollectionExchange, CustomizedControlsAreReadPastWithoutEffect) {
  auto* kept = new CTkControls;
  kept->Add(kControlButton, 10);
  kept->Add(kControlButton, 11);
  auto* customized = new CTkControls;
  for (UINT id = 20; id < 23; ++id) customized->Add(kControlButton, id);
  // Stored by hand: the collection, then a customized set a writer of
  // this form may add.
  CMemFile file;
  {
    CArchive archive(&file, CArchive::store);
    CTkPropExchangeArchive exchange(archive);
    kept->DoPropExchange(&exchange);
    archive.Close();
  }
  // Its last value is "CustomizedControls" = FALSE: made TRUE, with the set.
  file.SetLength(file.GetLength() - sizeof(int));
  file.SeekToEnd();
  {
    CArchive archive(&file, CArchive::store);
    CTkPropExchangeArchive exchange(archive);
    BOOL present = TRUE;
    ExchangeBool(&exchange, L"CustomizedControls", &present, FALSE);
    customized->DoPropExchange(&exchange);
    int sentinel = kSentinel;
    ExchangeInt(&exchange, L"End", &sentinel, 0);
    archive.Close();
  }
  file.SeekToBegin();
  auto* loaded = new CTkControls;
  int sentinel = 0;
  {
    CArchive archive(&file, CArchive::load);
    CTkPropExchangeArchive exchange(archive);
    loaded->DoPropExchange(&exchange);
    ExchangeInt(&exchange, L"End", &sentinel, 0);
  }
  EXPECT_EQ(kSentinel, sentinel);
  ASSERT_EQ(2, loaded->GetCount());
  EXPECT_EQ(10u, loaded->GetAt(0)->GetID());
  EXPECT_EQ(11u, loaded->GetAt(1)->GetID());
  for (CTkControls* set : {kept, customized, loaded}) set->InternalRelease();
}

}  // namespace

namespace {

// A menu bar whose per-document menus a test fills.
class DocumentMenuBar : public CTkMenuBar {
 public:
  using CTkMenuBar::m_menuControlSets;
};

TEST(MenuBarExchange, PerDocumentMenusTravelFromSchemaFiveOn) {
  for (UINT schema : {16u, 4u}) {
    DocumentMenuBar saved;
    saved.SetBarID(1);
    for (UINT id : {130u, 131u}) {
      auto* set = new CTkControls;
      set->Add(kControlButton, id + 1000);
      saved.m_menuControlSets[id] = set;
    }
    CMemFile file;
    {
      CArchive archive(&file, CArchive::store);
      CTkPropExchangeArchive exchange(archive);
      exchange.m_nSchema = schema;
      saved.ExchangeBarProperties(&exchange);
      int sentinel = kSentinel;
      ExchangeInt(&exchange, L"End", &sentinel, 0);
      archive.Close();
    }
    file.SeekToBegin();
    DocumentMenuBar loaded;
    int sentinel = 0;
    {
      CArchive archive(&file, CArchive::load);
      CTkPropExchangeArchive exchange(archive);
      exchange.m_nSchema = schema;
      loaded.ExchangeBarProperties(&exchange);
      ExchangeInt(&exchange, L"End", &sentinel, 0);
    }
    EXPECT_EQ(kSentinel, sentinel) << schema;
    EXPECT_EQ(1u, loaded.GetBarID());
    if (schema > 4) {
      ASSERT_EQ(2u, loaded.m_menuControlSets.size());
      ASSERT_EQ(1, loaded.m_menuControlSets[131]->GetCount());
      EXPECT_EQ(1131u, loaded.m_menuControlSets[131]->GetAt(0)->GetID());
    } else {
      EXPECT_FALSE(loaded.HasMenuSets());
    }
  }
}

}  // namespace
