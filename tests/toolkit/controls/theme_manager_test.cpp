#include <gtest/gtest.h>

#include "header_control.h"
#include "test_app.h"
#include "theme_manager.h"

namespace {

class CountingTheme : public CTkThemeStyleBase {
 public:
  void RefreshMetrics() override { ++refreshes; }
  int refreshes = 0;
};

class CountingFactory : public CTkThemeManagerStyleFactory {
  DECLARE_DYNCREATE(CountingFactory)
 public:
  CTkThemeStyleBase* CreateTheme(int theme) override {
    auto* made = new CountingTheme;
    made->m_nTheme = theme;
    return made;
  }
};
IMPLEMENT_DYNCREATE(CountingFactory, CTkThemeManagerStyleFactory)

class CountingClient : public CTkThemeClient {
 public:
  CountingClient() : CTkThemeClient(RUNTIME_CLASS(CountingFactory)) {}
  void OnThemeChanged() override { ++changes; }
  int changes = 0;
};

CTkThemeManagerStyleFactory* SharedFactory(CRuntimeClass* factoryClass) {
  return GetThemeRegistry()->GetFactory(factoryClass);
}

TEST(ThemeManager, ClientsShareTheFactoryAndItsLazyTheme) {
  CTkThemeManagerStyleFactory* factory = SharedFactory(RUNTIME_CLASS(CountingFactory));
  ASSERT_NE(nullptr, factory);
  EXPECT_EQ(factory, SharedFactory(RUNTIME_CLASS(CountingFactory)));
  EXPECT_EQ(nullptr, SharedFactory(RUNTIME_CLASS(CObject)));
  {
    CountingClient first;
    CountingClient second;
    EXPECT_EQ(factory, first.GetFactory());
    EXPECT_TRUE(factory->HasClient(&first));
    EXPECT_TRUE(factory->HasClient(&second));
    EXPECT_EQ(nullptr, factory->m_pTheme);  // made when first asked for
    auto* theme = static_cast<CountingTheme*>(first.GetTheme());
    ASSERT_NE(nullptr, theme);
    EXPECT_EQ(theme, second.GetTheme());
    EXPECT_EQ(0, theme->m_nTheme);
    EXPECT_EQ(factory, theme->m_pFactory);
    EXPECT_EQ(1, theme->refreshes);

    // A new shared theme reaches every client of the factory.
    auto* replacement = new CountingTheme;
    factory->SetTheme(replacement);
    EXPECT_EQ(replacement, second.GetTheme());
    EXPECT_EQ(1, replacement->refreshes);
    EXPECT_EQ(1, first.changes);
    EXPECT_EQ(1, second.changes);
  }
  // Destroyed clients have left the list.
  EXPECT_EQ(nullptr, factory->m_pFirstClient);
}

TEST(ThemeManager, APrivateThemeAndBackToTheShared) {
  CountingClient mine;
  CountingClient other;
  CTkThemeManagerStyleFactory* shared = mine.GetFactory();
  CTkThemeStyleBase* sharedTheme = other.GetTheme();

  mine.SetTheme(nullptr);  // already shared: nothing happens
  EXPECT_EQ(0, mine.changes);

  auto* own = new CountingTheme;
  mine.SetTheme(own);
  EXPECT_EQ(own, mine.GetTheme());
  EXPECT_NE(shared, mine.GetFactory());
  EXPECT_TRUE(mine.m_bOwnsPrivateFactory);
  EXPECT_TRUE(mine.GetFactory()->HasClient(&mine));
  EXPECT_FALSE(shared->HasClient(&mine));
  EXPECT_EQ(sharedTheme, other.GetTheme());
  EXPECT_EQ(1, mine.changes);
  EXPECT_EQ(0, other.changes);

  mine.SetTheme(nullptr);
  EXPECT_EQ(shared, mine.GetFactory());
  EXPECT_EQ(sharedTheme, mine.GetTheme());
  EXPECT_TRUE(shared->HasClient(&mine));
  EXPECT_EQ(2, mine.changes);
}

TEST(ThemeManager, AFactoryThatEndsFirstLeavesItsClientsWithout) {
  // So it is when the process's registry goes before a control does.
  CountingClient client;
  CTkThemeManagerStyleFactory* factory = client.GetFactory();
  GetThemeRegistry()->m_factories.RemoveKey(RUNTIME_CLASS(CountingFactory));
  delete factory;
  EXPECT_EQ(nullptr, client.GetFactory());
  EXPECT_EQ(nullptr, client.GetTheme());
}

// A parent window with two headers of the classic look.
class SharedHeaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Headers", WS_POPUP | WS_VISIBLE, CRect(200, 200, 600, 300),
                                nullptr, 0));
  }
  void TearDown() override { parent.DestroyWindow(); }
  BOOL MakeHeader(CTkHeaderCtrl& header, int top) {
    if (!header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS, CRect(0, top, 400, top + 24), &parent, 10 + top)) return FALSE;
    HDITEMW item = {};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.cxy = 120;
    item.pszText = const_cast<LPWSTR>(L"Name");
    header.SendMessage(HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return TRUE;
  }
  CWnd parent;
};

TEST_F(SharedHeaderTest, HeadersShareOneThemeMadeOnTheFirstPaint) {
  CTkThemeManagerStyleFactory* factory = SharedFactory(RUNTIME_CLASS(CTkHeaderCtrlThemeFactory));
  ASSERT_NE(nullptr, factory);
  auto* first = new CTkHeaderCtrl;
  CTkHeaderCtrl second;
  ASSERT_TRUE(MakeHeader(*first, 0));
  ASSERT_TRUE(MakeHeader(second, 40));
  EXPECT_EQ(nullptr, factory->m_pTheme);
  first->UpdateWindow();
  CTkThemeStyleBase* theme = factory->m_pTheme;
  ASSERT_NE(nullptr, theme);
  EXPECT_EQ(theme, second.GetTheme());
  EXPECT_EQ(CTkHeaderCtrlTheme::kVisualStyles | CTkHeaderCtrlTheme::kHotTracking | CTkHeaderCtrlTheme::kSortArrows,
            second.GetHeaderTheme()->m_nFlags);

  delete first;
  second.Invalidate();
  second.UpdateWindow();
  EXPECT_EQ(theme, second.GetTheme());
  EXPECT_TRUE(factory->HasClient(&second));
}

TEST_F(SharedHeaderTest, TheFlatHeaderDrawsWithItsOwnThemeAndColoursFollowTheSystem) {
  CTkFlatHeaderCtrl flat;
  CTkHeaderCtrl classic;
  ASSERT_TRUE(MakeHeader(flat, 0));
  ASSERT_TRUE(MakeHeader(classic, 40));
  EXPECT_NE(flat.GetTheme(), classic.GetTheme());
  EXPECT_EQ(CTkHeaderCtrlTheme::kSortArrows, flat.GetHeaderTheme()->m_nFlags);
  EXPECT_EQ(classic.GetFactory(), SharedFactory(RUNTIME_CLASS(CTkHeaderCtrlThemeFactory)));

  CTkHeaderCtrlTheme* theme = flat.GetHeaderTheme();
  EXPECT_EQ(::GetSysColor(COLOR_3DFACE), theme->m_clrFace);
  theme->m_clrFace = RGB(1, 2, 3);
  flat.SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ(::GetSysColor(COLOR_3DFACE), theme->m_clrFace);
}

}  // namespace
