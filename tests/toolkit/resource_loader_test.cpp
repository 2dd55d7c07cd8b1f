#include <gtest/gtest.h>

#include <vector>

#include "resource_loader.h"
#include "test_resources.h"
#include "toolkit_resources.h"

namespace {

HMODULE LoadModuleResources() {
  WCHAR path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  while (length > 0 && path[length - 1] != L'\\' && path[length - 1] != L'/') --length;
  lstrcpyW(path + length, L"toolkit_module_resources.dll");
  return LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

CString MenuText(CMenu& menu) {
  CString text;
  menu.GetMenuString(0, text, MF_BYPOSITION);
  return text;
}

TEST(ResourceLoader, WithoutAToolkitModuleEverythingComesFromTheProgram) {
  ASSERT_EQ(GetToolkitResourceHandle(), nullptr);
  CTkResourceLoader* loader = GetToolkitResourceLoader();
  ASSERT_EQ(loader, GetToolkitResourceLoader());

  HCURSOR cursor = loader->LoadCursor(IDC_TK_SPLIT_COLUMNS);
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor, LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_TK_SPLIT_COLUMNS)));

  CString text;
  EXPECT_TRUE(loader->LoadString(text, IDS_TK_TEST_BOTH));
  EXPECT_EQ(text, L"Program 9100");
  EXPECT_FALSE(loader->LoadString(text, 9999));
  EXPECT_EQ(loader->LoadCursor(9999), nullptr);
  EXPECT_NE(loader->LoadDialogTemplate(IDD_TK_TEST_PROGRAM), nullptr);
  EXPECT_EQ(loader->LoadDialogTemplate(9999), nullptr);
  CBitmap bitmap;
  EXPECT_FALSE(loader->LoadBitmap(bitmap, 9999));
}

// The toolkit module wins where it holds the resource; everything else
// falls back to the program, and the resource handle is always restored.
TEST(ResourceLoader, TriesTheToolkitModuleFirstThenTheProgram) {
  HMODULE module = LoadModuleResources();
  ASSERT_NE(module, nullptr);
  HINSTANCE programResources = AfxGetResourceHandle();
  ToolkitResourceHandle = module;
  CTkResourceLoader loader;

  struct Case {
    UINT id;
    LPCWSTR expected;
  } cases[] = {
      {IDS_TK_TEST_BOTH, L"Module 9100"},
      {IDS_TK_TEST_SAME_BLOCK, L"Program 9101"},
      {IDS_TK_TEST_PROGRAM_ONLY, L"Program 9190"},
  };
  for (const Case& c : cases) {
    CString text;
    EXPECT_TRUE(loader.LoadString(text, c.id)) << c.id;
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(AfxGetResourceHandle(), programResources);
  }
  CString missing;
  EXPECT_FALSE(loader.LoadString(missing, 9102));

  CMenu menu;
  ASSERT_TRUE(loader.LoadMenu(menu, IDM_TK_TEST_BOTH));
  EXPECT_EQ(MenuText(menu), L"Module item");

  EXPECT_NE(loader.LoadDialogTemplate(IDD_TK_TEST_MODULE), nullptr);
  EXPECT_NE(loader.LoadDialogTemplate(IDD_TK_TEST_PROGRAM), nullptr);
  EXPECT_EQ(loader.LoadDialogTemplate(9999), nullptr);
  EXPECT_NE(loader.LoadCursor(IDC_TK_SPLIT_COLUMNS), nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), programResources);

  ToolkitResourceHandle = nullptr;
  FreeLibrary(module);
}

std::vector<UINT> ToolBarIds(CToolBar& bar) {
  std::vector<UINT> ids;
  for (int i = 0; i < bar.GetCount(); ++i) ids.push_back(bar.GetItemID(i));
  return ids;
}

// The framework bar's own loading, from the toolkit module where it has the
// tool bar and from the program otherwise.
TEST(ResourceLoader, LoadsToolBarsThroughTheBar) {
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, L"Tool bar loading", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  CToolBar bar;
  ASSERT_TRUE(bar.Create(frame));
  CTkResourceLoader loader;

  EXPECT_TRUE(loader.LoadToolBar(bar, IDR_TK_TEST_TOOLBAR));
  EXPECT_EQ(ToolBarIds(bar), (std::vector<UINT>{801, 0, 802, 803}));
  EXPECT_FALSE(loader.LoadToolBar(bar, 9999));
  EXPECT_EQ(bar.GetCount(), 4);

  HMODULE module = LoadModuleResources();
  ASSERT_NE(module, nullptr);
  HINSTANCE programResources = AfxGetResourceHandle();
  ToolkitResourceHandle = module;
  EXPECT_TRUE(loader.LoadToolBar(bar, IDR_TK_TEST_TOOLBAR));
  EXPECT_EQ(ToolBarIds(bar), (std::vector<UINT>{ID_TK_TEST_MODULE_TOOL, ID_TK_TEST_MODULE_TOOL + 1}));
  EXPECT_TRUE(loader.LoadToolBar(bar, IDR_TK_TEST_SEPARATORS));
  EXPECT_EQ(ToolBarIds(bar), (std::vector<UINT>{0, 0}));
  EXPECT_FALSE(loader.LoadToolBar(bar, 9999));
  EXPECT_EQ(AfxGetResourceHandle(), programResources);
  ToolkitResourceHandle = nullptr;
  FreeLibrary(module);
  frame->DestroyWindow();
}

TEST(ResourceLoader, SwitchInstallsTheModuleForItsScopeOnly) {
  HINSTANCE resources = AfxGetResourceHandle();
  {
    CTkResourceHandleSwitch inactive;
    EXPECT_EQ(AfxGetResourceHandle(), resources);
  }
  HINSTANCE fake = reinterpret_cast<HINSTANCE>(GetModuleHandleW(L"kernel32.dll"));
  ToolkitResourceHandle = fake;
  {
    CTkResourceHandleSwitch active;
    EXPECT_EQ(AfxGetResourceHandle(), fake);
    active.Restore();
    EXPECT_EQ(AfxGetResourceHandle(), resources);
  }
  try {
    CTkResourceHandleSwitch active;
    throw 1;
  } catch (int) {
  }
  EXPECT_EQ(AfxGetResourceHandle(), resources);
  ToolkitResourceHandle = nullptr;
}

}  // namespace
