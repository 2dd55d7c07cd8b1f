#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "msaa_support.h"
#include "test_app.h"

namespace {

// A toolkit object that embeds the mix-in and answers for itself.
class AccessibleBar : public CCmdTarget, public CTkMsaaSupport {
 public:
  explicit AccessibleBar(LPCWSTR name = nullptr) : m_name(name) {}
  CCmdTarget* AccGetOwner() override { return this; }
  LPUNKNOWN GetInterface(const IID& iid) override {
    if (iid == IID_IAccessible || iid == IID_IDispatch || iid == IID_IUnknown) return GetAccessible();
    return nullptr;
  }
  HRESULT AccGetName(VARIANT child, BSTR* name) override {
    if (m_name == nullptr) return CTkMsaaSupport::AccGetName(child, name);
    long id = ChildIdFromVariant(&child);
    if (id == CHILDID_SELF) *name = SysAllocString(m_name);
    else *name = SysAllocString((std::wstring(L"Item ") + std::to_wstring(id)).c_str());
    return S_OK;
  }
  HRESULT AccGetChildCount(long* count) override {
    if (m_name == nullptr) return E_NOTIMPL;
    (void)count;
    throw std::runtime_error("must not reach the system");
  }
  LONG References() const { return m_dwRef; }

 private:
  LPCWSTR m_name;
};

TEST(MsaaSupport, ChildIdsFromVariants) {
  LONG four = 4;
  SHORT minusFive = -5;
  VARIANT i4, i2, byRef4, byRef2, nullRef, bstr, chainEnd, chain2, chain1, toBstr, empty, nullChain;
  VariantInit(&i4);
  i4.vt = VT_I4;
  i4.lVal = 3;
  VariantInit(&i2);
  i2.vt = VT_I2;
  i2.iVal = -2;
  byRef4.vt = VT_I4 | VT_BYREF;
  byRef4.plVal = &four;
  byRef2.vt = VT_I2 | VT_BYREF;
  byRef2.piVal = &minusFive;
  nullRef.vt = VT_I4 | VT_BYREF;
  nullRef.plVal = nullptr;
  bstr.vt = VT_BSTR;
  bstr.bstrVal = nullptr;
  chainEnd = i4;
  chain2.vt = VT_VARIANT | VT_BYREF;
  chain2.pvarVal = &chainEnd;
  chain1.vt = VT_VARIANT | VT_BYREF;
  chain1.pvarVal = &chain2;
  toBstr.vt = VT_VARIANT | VT_BYREF;
  toBstr.pvarVal = &bstr;
  VariantInit(&empty);
  nullChain.vt = VT_VARIANT | VT_BYREF;
  nullChain.pvarVal = nullptr;
  VARIANT loop;
  loop.vt = VT_VARIANT | VT_BYREF;
  loop.pvarVal = &loop;

  struct Case {
    const VARIANT* variant;
    long expected;
  } cases[] = {{&i4, 3},       {&i2, -2},    {&byRef4, 4},     {&byRef2, -5},    {&nullRef, -1}, {&chain1, 3},
               {&toBstr, -1},  {&empty, -1}, {&nullChain, -1}, {nullptr, -1},    {&loop, -1}};
  int index = 0;
  for (const Case& c : cases) EXPECT_EQ(CTkMsaaSupport::ChildIdFromVariant(c.variant), c.expected) << index++;
}

TEST(MsaaSupport, DefaultsAndTheOwnersReferenceCount) {
  AccessibleBar bar;
  IAccessible* face = bar.GetAccessible();
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;

  VARIANT focus;
  focus.vt = VT_I4;
  focus.lVal = 1234;
  EXPECT_EQ(face->get_accFocus(&focus), S_FALSE);
  EXPECT_EQ(focus.vt, VT_I4);
  EXPECT_EQ(focus.lVal, 1234);
  EXPECT_EQ(face->get_accSelection(&focus), S_FALSE);
  BSTR name = nullptr;
  EXPECT_EQ(face->get_accName(self, &name), E_NOTIMPL);
  EXPECT_EQ(face->accDoDefaultAction(self), E_NOTIMPL);
  UINT typeInfos = 0;
  EXPECT_EQ(face->GetTypeInfoCount(&typeInfos), E_NOTIMPL);

  EXPECT_EQ(bar.References(), 1);
  face->AddRef();
  EXPECT_EQ(bar.References(), 2);
  IAccessible* queried = nullptr;
  ASSERT_EQ(face->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&queried)), S_OK);
  EXPECT_EQ(queried, face);
  EXPECT_EQ(bar.References(), 3);
  IUnknown* other = nullptr;
  EXPECT_EQ(face->QueryInterface(IID_IStream, reinterpret_cast<void**>(&other)), E_NOINTERFACE);
  queried->Release();
  face->Release();
  EXPECT_EQ(bar.References(), 1);

  // A fault inside an override stops at the face.
  AccessibleBar named(L"Menu Bar");
  long count = 7;
  TestApp& app = TheTestApp();
  int caught = app.exceptionsCaught;
  EXPECT_EQ(named.GetAccessible()->get_accChildCount(&count), E_FAIL);
  EXPECT_EQ(app.exceptionsCaught, caught + 1);
}

AccessibleBar* windowObject = nullptr;

LRESULT CALLBACK AccessibleWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && windowObject != nullptr)
    return CTkMsaaSupport::LresultFromObject(IID_IAccessible, wParam, windowObject->GetAccessible());
  return DefWindowProcW(hWnd, message, wParam, lParam);
}

TEST(MsaaSupport, AWindowAnswersWmGetObjectWithItsObject) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &AccessibleWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TkAccessibleTestWindow";
  RegisterClassW(&wc);
  HWND hWnd = CreateWindowExW(0, wc.lpszClassName, L"Bar", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                              wc.hInstance, nullptr);
  ASSERT_NE(hWnd, nullptr);
  AccessibleBar* bar = new AccessibleBar(L"Menu Bar");
  windowObject = bar;

  IAccessible* accessible = nullptr;
  ASSERT_EQ(CTkMsaaSupport::AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                       reinterpret_cast<void**>(&accessible)),
            S_OK);
  ASSERT_NE(accessible, nullptr);
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  ASSERT_EQ(accessible->get_accName(child, &name), S_OK);
  EXPECT_STREQ(name, L"Menu Bar");
  SysFreeString(name);
  child.lVal = 2;
  ASSERT_EQ(accessible->get_accName(child, &name), S_OK);
  EXPECT_STREQ(name, L"Item 2");
  SysFreeString(name);
  accessible->Release();

  CTkMsaaSupport::NotifyWinEvent(EVENT_OBJECT_FOCUS, hWnd, OBJID_CLIENT, CHILDID_SELF);
  windowObject = nullptr;
  DestroyWindow(hWnd);
  PumpPending();
  CoUninitialize();
  bar->InternalRelease();
}

}  // namespace
