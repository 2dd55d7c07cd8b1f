#include "browser_standin.h"

std::vector<StandInBrowser::Navigation> StandInBrowser::navigations;

namespace {

std::wstring TextOf(const VARIANT* value) {
  if (value == nullptr || value->vt != VT_BSTR || value->bstrVal == nullptr) return std::wstring();
  return value->bstrVal;
}

VARTYPE TypeOf(const VARIANT* value) { return value != nullptr ? value->vt : static_cast<VARTYPE>(VT_ERROR); }

}  // namespace

HRESULT StandInBrowser::QueryInterface(REFIID riid, void** ppv) {
  if (IsEqualIID(riid, IID_IWebBrowser2) || IsEqualIID(riid, IID_IWebBrowserApp) ||
      IsEqualIID(riid, IID_IWebBrowser)) {
    *ppv = static_cast<IWebBrowser2*>(this);
    AddRef();
    return S_OK;
  }
  return StandInControl::QueryInterface(riid, ppv);
}

HRESULT StandInBrowser::Navigate2(VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                                  VARIANT* Headers) {
  calls.push_back("Navigate2");
  Navigation navigation;
  navigation.urlType = TypeOf(URL);
  navigation.url = TextOf(URL);
  navigation.flagsType = TypeOf(Flags);
  if (navigation.flagsType == VT_I4) navigation.flags = Flags->lVal;
  navigation.targetType = TypeOf(TargetFrameName);
  navigation.target = TextOf(TargetFrameName);
  navigation.postType = TypeOf(PostData);
  if (navigation.postType == (VT_ARRAY | VT_UI1) && PostData->parray != nullptr) {
    const SAFEARRAY* bytes = PostData->parray;
    const BYTE* data = static_cast<const BYTE*>(bytes->pvData);
    navigation.post.assign(data, data + bytes->rgsabound[0].cElements);
  }
  navigation.headersType = TypeOf(Headers);
  navigation.headers = TextOf(Headers);
  navigations.push_back(navigation);
  return S_OK;
}
