#include <gtest/gtest.h>

#include <ole2.h>

#include "icon_fixtures.h"
#include "image_manager.h"
#include "prop_exchange.h"
#include "test_resources.h"

namespace {

CTkIconHandle SolidHandle(int width, int height, COLORREF color = RGB(0, 0, 255)) {
  CTkIconHandle handle;
  handle.AttachIcon(MakeSolidIcon(width, height, color));
  return handle;
}

std::vector<BYTE> SaveIconSet(CTkImageManager& manager, UINT id) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    manager.ExchangeIconSetToArchive(id, ar);
  }
  std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

BOOL LoadIconSet(CTkImageManager& manager, UINT id, std::vector<BYTE> bytes) {
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  try {
    manager.ExchangeIconSetToArchive(id, ar);
  } catch (CArchiveException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

TEST(ImageManager, CustomIdsStayAboveEveryExchangedId) {
  CTkImageManager manager;
  EXPECT_EQ(CTkImageManager::kFirstCustomId + 1, manager.AddCustomIcon(SolidHandle(16, 16)));
  ASSERT_TRUE(manager.SetIcon(SolidHandle(16, 16), 70000));
  SaveIconSet(manager, 70000);
  EXPECT_EQ(70001u, manager.AddCustomIcon(SolidHandle(16, 16)));
}

TEST(ImageManager, SetIconNeedsAnImageAndANormalFirst) {
  CTkImageManager manager;
  EXPECT_FALSE(manager.SetIcon(CTkIconHandle(), 10));
  EXPECT_FALSE(manager.SetIcon(SolidHandle(16, 16), 10, 0, 0, kTkImageHot));
  EXPECT_EQ(nullptr, manager.FindIconSet(10));
  EXPECT_TRUE(manager.SetIcon(SolidHandle(16, 16), 10));
  EXPECT_TRUE(manager.SetIcon(SolidHandle(16, 16, RGB(255, 0, 0)), 10, 0, 0, kTkImageHot));
  CTkImageIcon* icon = manager.GetImage(10, 16);
  ASSERT_NE(nullptr, icon);
  EXPECT_NE(icon->GetHotImage().GetIcon(), icon->GetNormalImage().GetIcon());
}

TEST(ImageManager, StripsSkipSeparatorIdsAndRefuseUnevenAlphaStrips) {
  struct Case {
    std::vector<UINT> ids;
    int expectedSets;
  };
  const Case cases[] = {
      {{801, 802, 803}, 3},
      {{801, 0, 802, 803}, 3},  // the 0 entry is a separator: no image used
  };
  for (const Case& c : cases) {
    CTkImageManager manager;
    EXPECT_TRUE(manager.AddIconsFromResource(IDB_TK_TEST_STRIP, c.ids.data(), static_cast<int>(c.ids.size()), 16, 16));
    EXPECT_EQ(static_cast<size_t>(c.expectedSets), manager.m_iconSets.size());
    ASSERT_NE(nullptr, manager.GetImage(803, 16));
    EXPECT_EQ(16, manager.GetImage(803, 16)->GetWidth());
  }
  CTkImageManager manager;
  const UINT ids[] = {901, 902};
  EXPECT_FALSE(manager.AddIconsFromResource(IDB_TK_TEST_ALPHA_STRIP, ids, 2, 15, 16));
  EXPECT_TRUE(manager.m_iconSets.empty());
  EXPECT_TRUE(manager.AddIconsFromResource(IDB_TK_TEST_ALPHA_STRIP, ids, 2, 16, 16));
  ASSERT_NE(nullptr, manager.GetImage(902, 16));
  EXPECT_TRUE(manager.GetImage(902, 16)->IsAlpha());
}

TEST(ImageManager, ToolBarsGiveOneIconPerButtonAndSeparatorsOnlyFailCleanly) {
  CTkImageManager manager;
  std::vector<UINT> ids;
  CSize size;
  ASSERT_TRUE(ReadToolBarResource(IDR_TK_TEST_TOOLBAR, ids, size));
  EXPECT_EQ((std::vector<UINT>{801, 802, 803}), ids);
  EXPECT_EQ(CSize(16, 16), size);
  EXPECT_TRUE(manager.AddIconsFromToolBar(IDR_TK_TEST_TOOLBAR, IDB_TK_TEST_STRIP));
  EXPECT_EQ(3u, manager.m_iconSets.size());
  EXPECT_EQ(16, manager.GetImage(802, 16)->GetWidth());

  CTkImageManager separators;
  EXPECT_FALSE(separators.AddIconsFromToolBar(IDR_TK_TEST_SEPARATORS));
  EXPECT_FALSE(separators.AddIconsFromResource(IDB_TK_TEST_STRIP, nullptr, 0, 0, 0));
  EXPECT_TRUE(separators.m_iconSets.empty());
}

TEST(ImageManager, NearestWidthIsScaledOnceAndNeverSaved) {
  CTkImageManager manager;
  manager.SetIcon(SolidHandle(16, 16), 20);
  manager.SetIcon(SolidHandle(32, 40), 20);
  CTkImageIcon* scaled = manager.GetImage(20, 24);
  ASSERT_NE(nullptr, scaled);
  EXPECT_TRUE(scaled->m_bGenerated);
  EXPECT_EQ(24, scaled->GetWidth());
  EXPECT_EQ(24, scaled->GetHeight());  // from the 16 one: ties go to the first met
  EXPECT_EQ(scaled, manager.GetImage(20, 24));
  EXPECT_EQ(3, manager.FindIconSet(20)->GetIconCount());

  std::vector<BYTE> saved = SaveIconSet(manager, 20);
  CTkImageManager other;
  ASSERT_TRUE(LoadIconSet(other, 20, saved));
  EXPECT_EQ(2, other.FindIconSet(20)->GetIconCount());
  EXPECT_EQ(40, other.GetImage(20, 32)->GetHeight());

  manager.ResetDerivedImages();
  EXPECT_EQ(2, manager.FindIconSet(20)->GetIconCount());

  CTkImageManager alpha;
  CTkIconHandle section;
  section.AttachBitmap(MakeAlphaSection(16, 1, std::vector<DWORD>(16, Bgra(1, 2, 3, 255))));
  alpha.SetIcon(section, 30);
  CTkImageIcon* exact = alpha.GetImage(30, 16);
  EXPECT_EQ(exact, alpha.GetImage(30, 20));
  EXPECT_EQ(1, alpha.FindIconSet(30)->GetIconCount());
}

TEST(ImageManager, ExchangeRejectsAForeignCheckSumBeforeTouchingTheSet) {
  CTkImageManager manager;
  manager.SetIcon(SolidHandle(16, 16), 40);
  std::vector<BYTE> empty = SaveIconSet(manager, 41);  // no set: zero icons
  ASSERT_TRUE(LoadIconSet(manager, 42, empty));
  EXPECT_EQ(nullptr, manager.GetImage(42, 16));

  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    CTkPropExchangeArchive exchange(ar);
    CString other = L"SomethingElse";
    ExchangeText(&exchange, L"CheckSum", &other, L"");
    exchange.WriteCount(0);
  }
  std::vector<BYTE> foreign(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  file.Read(foreign.data(), static_cast<UINT>(foreign.size()));
  EXPECT_FALSE(LoadIconSet(manager, 40, foreign));
  EXPECT_EQ(1, manager.FindIconSet(40)->GetIconCount());
}

TEST(ImageManager, WholeManagerSerializesItsSets) {
  CTkImageManager manager;
  manager.SetIcon(SolidHandle(16, 16), 50);
  manager.SetIcon(SolidHandle(24, 24), 50);
  manager.SetIcon(SolidHandle(16, 16), 51);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    manager.Serialize(ar);
  }
  file.SeekToBegin();
  CTkImageManager loaded;
  loaded.SetIcon(SolidHandle(16, 16), 99);
  {
    CArchive ar(&file, CArchive::load);
    loaded.Serialize(ar);
  }
  EXPECT_EQ(nullptr, loaded.FindIconSet(99));
  ASSERT_NE(nullptr, loaded.FindIconSet(50));
  EXPECT_EQ(2, loaded.FindIconSet(50)->GetIconCount());
  EXPECT_EQ(1, loaded.FindIconSet(51)->GetIconCount());
}

TEST(ImageManager, ClipboardRoundTripMakesANewCustomIcon) {
  EXPECT_NE(0u, ToolBarImageClipboardFormat);
  EXPECT_NE(0u, AlphaBitmapClipboardFormat);
  ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  CTkImageManager manager;
  manager.SetIcon(SolidHandle(16, 16), 60);
  manager.SetIcon(SolidHandle(32, 32), 60);
  ASSERT_TRUE(::OpenClipboard(owner));
  ::EmptyClipboard();
  EXPECT_TRUE(manager.CopyIconToClipboard(60));
  ::CloseClipboard();

  IDataObject* data = nullptr;
  ASSERT_TRUE(SUCCEEDED(::OleGetClipboard(&data)));
  UINT id = manager.PasteIconFromClipboard(data);
  EXPECT_EQ(CTkImageManager::kFirstCustomId + 1, id);
  ASSERT_NE(nullptr, manager.FindIconSet(id));
  EXPECT_EQ(2, manager.FindIconSet(id)->GetIconCount());
  EXPECT_FALSE(manager.GetImage(id, 32)->GetNormalImage().IsEmpty());
  data->Release();

  ASSERT_TRUE(::OpenClipboard(owner));
  ::EmptyClipboard();
  ::CloseClipboard();
  ASSERT_TRUE(SUCCEEDED(::OleGetClipboard(&data)));
  EXPECT_EQ(0u, manager.PasteIconFromClipboard(data));
  data->Release();
  ::DestroyWindow(owner);
  ::OleUninitialize();
}

}  // namespace
