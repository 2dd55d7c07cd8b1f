#include "html_view.h"

#include "ole_control_site.h"

IMPLEMENT_DYNCREATE(CHtmlView, CView)

BEGIN_MESSAGE_MAP(CHtmlView, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// A VARIANT holding a string, or nothing when text is null.
class OptionalText {
 public:
  explicit OptionalText(LPCWSTR text) {
    ::VariantInit(&value);
    if (text == nullptr) return;
    value.vt = VT_BSTR;
    value.bstrVal = ::SysAllocString(text);
  }
  ~OptionalText() { ::VariantClear(&value); }
  OptionalText(const OptionalText&) = delete;
  OptionalText& operator=(const OptionalText&) = delete;
  VARIANT value;
};

}  // namespace

BOOL CHtmlView::PreCreateWindow(CREATESTRUCTW& cs) {
  // The control and any window over it paint themselves.
  cs.style |= WS_CLIPCHILDREN;
  return CView::PreCreateWindow(cs);
}

int CHtmlView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  CRect client;
  GetClientRect(&client);
  if (!m_wndBrowser.CreateControl(CLSID_WebBrowser, nullptr, WS_CHILD | WS_VISIBLE, client, this,
                                  AFX_IDW_PANE_FIRST))
    return -1;
  IDispatch* dispatch = m_wndBrowser.m_pCtrlSite->m_dispatch.m_lpDispatch;
  if (dispatch == nullptr ||
      FAILED(dispatch->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_pBrowserApp)))) {
    m_pBrowserApp = nullptr;
    m_wndBrowser.DestroyWindow();
    return -1;
  }
  return 0;
}

void CHtmlView::OnSize(UINT, int, int) {
  Default();
  if (!::IsWindow(m_wndBrowser.GetSafeHwnd())) return;
  CRect client;
  GetClientRect(&client);
  m_wndBrowser.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                            SWP_NOACTIVATE | SWP_NOZORDER);
}

void CHtmlView::OnDestroy() {
  if (m_pBrowserApp != nullptr) {
    m_pBrowserApp->Release();
    m_pBrowserApp = nullptr;
  }
  if (m_wndBrowser.GetSafeHwnd() != nullptr) m_wndBrowser.DestroyWindow();
  CView::OnDestroy();
}

HRESULT CHtmlView::Navigate2(LPCWSTR url, DWORD flags, LPCWSTR targetFrameName, const void* postData,
                             DWORD postDataLength, LPCWSTR headers) {
  if (m_pBrowserApp == nullptr) return E_UNEXPECTED;
  OptionalText address(url != nullptr ? url : L"");
  VARIANT flagsValue;
  ::VariantInit(&flagsValue);
  flagsValue.vt = VT_I4;
  flagsValue.lVal = static_cast<LONG>(flags);
  OptionalText target(targetFrameName);
  OptionalText headerText(headers);
  VARIANT post;
  ::VariantInit(&post);
  if (postData != nullptr) {
    SAFEARRAY* bytes = ::SafeArrayCreateVector(VT_UI1, 0, postDataLength);
    if (bytes == nullptr) return E_OUTOFMEMORY;
    void* data = nullptr;
    if (SUCCEEDED(::SafeArrayAccessData(bytes, &data))) {
      memcpy(data, postData, postDataLength);
      ::SafeArrayUnaccessData(bytes);
    }
    post.vt = VT_ARRAY | VT_UI1;
    post.parray = bytes;
  }
  const HRESULT hr =
      m_pBrowserApp->Navigate2(&address.value, &flagsValue, &target.value, &post, &headerText.value);
  ::VariantClear(&post);
  return hr;
}
