#include "document_view.h"

#include <initializer_list>

#include "app_message.h"
#include "app_message_dlg.h"
#include "preview_state.h"
#include "shell_document.h"
#include "text_file_reader.h"
#include "word_converter.h"

IMPLEMENT_DYNAMIC(CRtfPreviewCtrl, CRichEditCtrl)
IMPLEMENT_DYNCREATE(CAdobeReaderView, CView)

BEGIN_MESSAGE_MAP(CRtfPreviewCtrl, CRichEditCtrl)
  ON_WM_CREATE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CAdobeReaderView, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

constexpr DWORD kStorageMode = STGM_TRANSACTED | STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE;
constexpr UINT kRichEditId = 183;
constexpr UINT kPdfControlId = 182;

// The rich edit's reader: no exception may leave it into the control.
DWORD CALLBACK ReadRtfStream(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* read) {
  *read = 0;
  try {
    *read = static_cast<LONG>(reinterpret_cast<CFile*>(cookie)->Read(buffer, static_cast<UINT>(count)));
    return 0;
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  return 1;
}

// The control's text limit: at least the length given, so long files load whole.
void RaiseTextLimit(CRichEditCtrl& edit, ULONGLONG length) {
  const ULONGLONG limit = length + 1 < 0x7FFFFFFE ? length + 1 : 0x7FFFFFFE;
  if (static_cast<long>(limit) > 32767) edit.LimitText(static_cast<long>(limit));
}

// The converters take ANSI paths of at most 260 characters.
void ToAnsiPath(const CString& path, char (&out)[260]) {
  out[0] = 0;
  const int written = ::WideCharToMultiByte(CP_ACP, 0, path, -1, out, sizeof out, nullptr, nullptr);
  if (written <= 0) out[0] = 0;
  out[sizeof out - 1] = 0;
}

}  // namespace

CRtfOleCallback* CRtfOleCallback::Create() {
  IStorage* root = nullptr;
  if (FAILED(::StgCreateDocfile(nullptr, kStorageMode, 0, &root)) || root == nullptr)
    return nullptr;
  auto* callback = new CRtfOleCallback(root);
  root->Release();
  return callback;
}

CRtfOleCallback::CRtfOleCallback(IStorage* root) : m_root(root) {
  if (m_root != nullptr) m_root->AddRef();
}

CRtfOleCallback::~CRtfOleCallback() {
  if (m_root != nullptr) m_root->Release();
}

HRESULT CRtfOleCallback::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IRichEditOleCallback)) {
    *ppv = static_cast<IRichEditOleCallback*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG CRtfOleCallback::AddRef() { return ++m_references; }

ULONG CRtfOleCallback::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT CRtfOleCallback::GetNewStorage(LPSTORAGE* lplpstg) {
  if (lplpstg == nullptr) return E_INVALIDARG;
  *lplpstg = nullptr;
  if (m_root == nullptr) return E_UNEXPECTED;
  WCHAR name[32];
  wsprintfW(name, L"REOLEStorage%d", ++m_storageCount);
  return m_root->CreateStorage(name, kStorageMode, 0, 0, lplpstg);
}

HRESULT CRtfOleCallback::GetInPlaceContext(LPOLEINPLACEFRAME*, LPOLEINPLACEUIWINDOW*, LPOLEINPLACEFRAMEINFO) {
  return S_OK;
}
HRESULT CRtfOleCallback::ShowContainerUI(BOOL) { return S_OK; }
HRESULT CRtfOleCallback::QueryInsertObject(LPCLSID, LPSTORAGE, LONG) { return S_OK; }
HRESULT CRtfOleCallback::DeleteObject(LPOLEOBJECT) { return S_OK; }
HRESULT CRtfOleCallback::QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) { return S_OK; }
HRESULT CRtfOleCallback::ContextSensitiveHelp(BOOL) { return S_OK; }
HRESULT CRtfOleCallback::GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT*) { return S_OK; }
HRESULT CRtfOleCallback::GetDragDropEffect(BOOL, DWORD, LPDWORD) { return S_OK; }
HRESULT CRtfOleCallback::GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU*) { return S_OK; }

CRtfPreviewCtrl::~CRtfPreviewCtrl() {
  if (m_callback != nullptr) m_callback->Release();
}

void CRtfPreviewCtrl::InstallCallback() {
  if (m_callback == nullptr) {
    // Without a root storage RTF loads without its embedded objects.
    m_callback = CRtfOleCallback::Create();
    if (m_callback == nullptr) return;
    m_callback->AddRef();
  }
  m_callbackAccepted = SetOLECallback(m_callback);
}

void CRtfPreviewCtrl::PreSubclassWindow() {
  CRichEditCtrl::PreSubclassWindow();
  InstallCallback();
}

int CRtfPreviewCtrl::OnCreate(LPCREATESTRUCTW) {
  const int result = static_cast<int>(Default());
  if (!m_callbackAccepted) InstallCallback();
  return result;
}

void CRtfPreviewCtrl::LoadRtfFile(const CString& path) {
  PreviewLoadedFlag() = 1;
  CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
  RaiseTextLimit(*this, file.GetLength());
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&file), 0, ReadRtfStream};
  if (StreamIn(SF_RTF, stream) <= 0) PreviewLoadedFlag() = 0;
  file.Close();
}

CString ConvertedDocumentPath() {
  WCHAR temp[256] = {};
  ::GetTempPathW(255, temp);
  return CString(temp) + L"New.rtf";
}

CAdobeReaderView::~CAdobeReaderView() { m_font.DeleteObject(); }

void CAdobeReaderView::CreateRichEdit() {
  m_richEdit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                    CRect(0, 0, 0, 0), this, kRichEditId);
}

void CAdobeReaderView::FinishRichEdit() {
  m_richEdit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), TRUE);
  m_richEdit.SetReadOnly(TRUE);
}

int CAdobeReaderView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  CEx_StyleDoc* document = PreviewDocument(GetDocument());
  const CString path = document != nullptr ? document->PreviewPath : CString();
  m_font.CreateFont(15, 15, 0, 0, 400, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, 0x20, L"Arial");
  const int dot = path.ReverseFind(L'.');
  CString extension = L"." + (dot >= 0 ? path.Mid(dot + 1) : path);
  extension.MakeLower();
  PreviewLoadedFlag() = 1;

  if (extension == L".pdf") {
    if (!m_pdfControl.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kPdfControlId)) {
      // Cleared before refusing, so that the pane shows its card and not
      // nothing under flags that say a preview is shown.
      PreviewLoadedFlag() = 0;
      SetAppMessage(2, u"Unable to open.");
      CAppMessageDlg dialog(this);
      dialog.DoModal();
      return -1;
    }
    PreviewLoadedFlag() = 1;
    try {
      m_pdfControl.LoadFile(path);
    } catch (CException* e) {
      e->Delete();
      PreviewLoadedFlag() = 0;
    }
  } else if (extension == L".rtf") {
    CreateRichEdit();
    m_richEdit.LoadRtfFile(path);
    FinishRichEdit();
  } else if (extension == L".doc") {
    // A "New.rtf" left by an earlier run must not pass for this document.
    const CString target = ConvertedDocumentPath();
    ::DeleteFileW(target);
    try {
      CWordConverter converter;
      char source[260], destination[260];
      ToAnsiPath(path, source);
      ToAnsiPath(target, destination);
      converter.ConvertToRtf("MSWord8", "MSWord6RTFExp", source, destination);
      CreateRichEdit();
      m_richEdit.LoadRtfFile(target);
      FinishRichEdit();
    } catch (CException* e) {
      e->Delete();
      PreviewLoadedFlag() = 0;
    }
    ::DeleteFileW(target);
  } else {
    CreateRichEdit();
    BeginWaitCursor();
    CTextFileReader reader(path);
    if (!reader.IsOpen()) {
      PreviewLoadedFlag() = 0;
      reader.Close();
      EndWaitCursor();
      return 1;
    }
    CString text;
    reader.ReadAll(text, L"\r\n");
    RaiseTextLimit(m_richEdit, static_cast<ULONGLONG>(text.GetLength()));
    m_richEdit.SetWindowText(text);
    FinishRichEdit();
    reader.Close();
    EndWaitCursor();
  }
  return 0;
}

void CAdobeReaderView::OnSize(UINT, int, int) {
  Default();
  CRect client;
  GetClientRect(&client);
  for (CWnd* child : {static_cast<CWnd*>(&m_pdfControl), static_cast<CWnd*>(&m_richEdit)}) {
    if (child->GetSafeHwnd() == nullptr) continue;
    child->MoveWindow(&client, TRUE);
    child->Invalidate(TRUE);
  }
}
