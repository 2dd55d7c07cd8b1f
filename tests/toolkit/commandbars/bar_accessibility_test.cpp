#include <gtest/gtest.h>

#include <oleacc.h>

#include "bar_fixtures.h"

namespace {

VARIANT Child(long id) {
  VARIANT variant;
  ::VariantInit(&variant);
  variant.vt = VT_I4;
  variant.lVal = id;
  return variant;
}

CString NameOf(IAccessible* accessible, long child) {
  BSTR name = nullptr;
  if (FAILED(accessible->get_accName(Child(child), &name)) || name == nullptr) return L"(none)";
  CString text(name);
  ::SysFreeString(name);
  return text;
}

long LongOf(HRESULT (STDMETHODCALLTYPE IAccessible::*getter)(VARIANT, VARIANT*), IAccessible* accessible, long child) {
  VARIANT value;
  ::VariantInit(&value);
  if (FAILED((accessible->*getter)(Child(child), &value)) || value.vt != VT_I4) return -1;
  return value.lVal;
}

// The bar as screen readers get it: through the window, from oleacc.
IAccessible* AccessibleOf(CWnd* window) {
  IAccessible* accessible = nullptr;
  CTkMsaaSupport::AccessibleObjectFromWindow(window->m_hWnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                             reinterpret_cast<void**>(&accessible));
  return accessible;
}

class BarAccessibilityTest : public BarWindowTest {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    BarWindowTest::SetUp();
  }
  void TearDown() override {
    BarWindowTest::TearDown();
    ::CoUninitialize();
  }
  // Open (with a shortcut, checked), a disabled Save, and a popup.
  void Fill(CTkCommandBar* target) {
    CTkControls* controls = target->GetControls();
    CTkControl* open = controls->AddControl(new FixedControl(30, 20), kCmdPlain);
    open->SetCaption(L"&Open\tCtrl+O");
    open->SetChecked(TRUE);
    CTkControl* save = controls->AddControl(new FixedControl(30, 20), kCmdEnabled);
    save->SetCaption(L"&Save");
    save->SetEnabled(FALSE);
    CTkControl* more = controls->Add(kControlPopup, 0);
    more->SetCaption(L"&More");
    for (int i = 0; i < 3; ++i) target->GetControl(i)->SetControlRect(CRect(2 + 30 * i, 2, 32 + 30 * i, 22));
  }
};

TEST_F(BarAccessibilityTest, ToolBarAndPopupBar) {
  Fill(bar);
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(commandBars);
  ASSERT_TRUE(popup->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE,
                              CRect(300, 300, 400, 360), frame, 0));
  Fill(popup);
  bar->SetTitle(L"Standard");
  popup->SetTitle(L"Edit");
  bar->SetHighlightedControl(0, FALSE);
  struct Case {
    CTkCommandBar* target;
    long barRole, childRole;
    CString title;
  };
  const Case cases[] = {{bar, ROLE_SYSTEM_TOOLBAR, ROLE_SYSTEM_MENUITEM, L"Standard"},
                        {popup, ROLE_SYSTEM_MENUPOPUP, ROLE_SYSTEM_MENUITEM, L"Edit"}};
  for (const Case& c : cases) {
    IAccessible* accessible = AccessibleOf(c.target);
    ASSERT_NE(nullptr, accessible);
    long count = 0;
    EXPECT_EQ(S_OK, accessible->get_accChildCount(&count));
    EXPECT_EQ(3, count);
    EXPECT_EQ(c.title, NameOf(accessible, CHILDID_SELF));
    EXPECT_EQ(CString(L"Open\tCtrl+O"), NameOf(accessible, 1));
    EXPECT_EQ(CString(L"More"), NameOf(accessible, 3));
    EXPECT_EQ(c.barRole, LongOf(&IAccessible::get_accRole, accessible, CHILDID_SELF));
    EXPECT_EQ(c.childRole, LongOf(&IAccessible::get_accRole, accessible, 2));
    EXPECT_EQ(0, LongOf(&IAccessible::get_accState, accessible, CHILDID_SELF));
    const long hot = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSED |
                     STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_SELECTED;
    EXPECT_EQ(c.target == bar ? hot : STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE,
              LongOf(&IAccessible::get_accState, accessible, 1));
    BSTR name = nullptr;
    EXPECT_EQ(E_INVALIDARG, accessible->get_accName(Child(4), &name));

    CRect window;
    c.target->GetWindowRect(&window);
    long left = 0, top = 0, width = 0, height = 0;
    EXPECT_EQ(S_OK, accessible->accLocation(&left, &top, &width, &height, Child(2)));
    EXPECT_EQ(CRect(window.left + 32, window.top + 2, window.left + 62, window.top + 22),
              CRect(left, top, left + width, top + height));
    VARIANT hit;
    EXPECT_EQ(S_OK, accessible->accHitTest(window.left + 40, window.top + 10, &hit));
    EXPECT_EQ(2, hit.lVal);
    EXPECT_EQ(S_OK, accessible->accHitTest(window.left + 99, window.top + 25, &hit));
    EXPECT_EQ(CHILDID_SELF, hit.lVal);
    EXPECT_EQ(S_FALSE, accessible->accHitTest(window.left - 5, window.top - 5, &hit));
    accessible->Release();
  }
  popup->InternalRelease();
}

TEST_F(BarAccessibilityTest, EachControlAnswersForItself) {
  Fill(bar);
  struct Case {
    int index;
    long role;
    long state;
    LPCWSTR name;
  };
  const long focusable = STATE_SYSTEM_FOCUSABLE;
  const Case cases[] = {
      {0, ROLE_SYSTEM_PUSHBUTTON, focusable | STATE_SYSTEM_CHECKED, L"Open\tCtrl+O"},
      {1, ROLE_SYSTEM_PUSHBUTTON, focusable | STATE_SYSTEM_UNAVAILABLE, L"Save"},
      {2, ROLE_SYSTEM_BUTTONMENU, focusable | static_cast<long>(STATE_SYSTEM_HASPOPUP), L"More"},
  };
  for (const Case& c : cases) {
    CTkControl* control = bar->GetControl(c.index);
    IAccessible* accessible = control->GetAccessible();
    EXPECT_EQ(c.role, LongOf(&IAccessible::get_accRole, accessible, CHILDID_SELF)) << c.index;
    EXPECT_EQ(c.state, LongOf(&IAccessible::get_accState, accessible, CHILDID_SELF)) << c.index;
    EXPECT_EQ(CString(c.name), NameOf(accessible, CHILDID_SELF)) << c.index;
    long count = -1;
    accessible->get_accChildCount(&count);
    EXPECT_EQ(c.index == 2 ? 1 : 0, count) << c.index;
  }
  // Selected, hidden and pressed controls say so; a control in a popup is a menu item.
  CTkControl* open = bar->GetControl(0);
  open->SetSelected(1);
  open->SetPressed(1);
  open->SetHideFlags(kHideWrapped);
  const long expected = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED |
                        STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_CHECKED |
                        STATE_SYSTEM_PRESSED;
  EXPECT_EQ(expected, LongOf(&IAccessible::get_accState, open->GetAccessible(), CHILDID_SELF));
  CTkControl* inner = bar->GetControl(2)->GetCommandBar()->GetControls()->Add(kControlButton, kCmdPlain);
  EXPECT_EQ(ROLE_SYSTEM_MENUITEM, LongOf(&IAccessible::get_accRole, inner->GetAccessible(), CHILDID_SELF));

  // Location and hit test in screen coordinates.
  CRect window;
  bar->GetWindowRect(&window);
  CTkControl* save = bar->GetControl(1);
  long left = 0, top = 0, width = 0, height = 0;
  EXPECT_EQ(S_OK, save->GetAccessible()->accLocation(&left, &top, &width, &height, Child(CHILDID_SELF)));
  EXPECT_EQ(CRect(window.left + 32, window.top + 2, window.left + 62, window.top + 22),
            CRect(left, top, left + width, top + height));
  VARIANT hit;
  EXPECT_EQ(S_OK, save->GetAccessible()->accHitTest(window.left + 40, window.top + 10, &hit));
  EXPECT_EQ(S_FALSE, save->GetAccessible()->accHitTest(window.left + 5, window.top + 10, &hit));
  EXPECT_EQ(E_INVALIDARG, save->GetAccessible()->get_accRole(Child(1), &hit));
  IDispatch* parent = nullptr;
  EXPECT_EQ(S_OK, save->GetAccessible()->get_accParent(&parent));
  EXPECT_EQ(static_cast<IUnknown*>(bar->GetAccessible()), static_cast<IUnknown*>(parent));
  parent->Release();
}

}  // namespace
