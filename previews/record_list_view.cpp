#include "record_list_view.h"

#include "main_frame.h"
#include "shell_app.h"
#include "shell_document.h"

IMPLEMENT_DYNCREATE(CMDBListView, CView)

BEGIN_MESSAGE_MAP(CStatusListCtrl, CListCtrl)
  ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
  ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
  ON_NOTIFY_REFLECT(NM_DBLCLK, OnDoubleClick)
  ON_WM_CREATE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMDBListView, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

constexpr UINT kRecordListId = 186;
constexpr int kColumnWidth = 100;
constexpr int kDefaultMaxTableRows = 10000;

struct StatusColour {
  LPCWSTR word;
  COLORREF text;
};
// Tried in this order; a later match wins.
const StatusColour kStatusColours[] = {
    {L"Pending", RGB(0, 0, 0)},
    {L"Done", RGB(0, 0, 255)},
    {L"Fail", RGB(255, 0, 0)},
    {L"Progress", RGB(0, 255, 0)},
};

// The cell background by column; CLR_NONE keeps the list's own.
COLORREF ColumnBackground(int column) {
  switch (column) {
    case 0: return RGB(245, 243, 178);
    case 1:
    case 3: return RGB(248, 233, 243);
    case 2:
    case 4:
    case 5: return RGB(220, 242, 226);
    default: return CLR_NONE;
  }
}

struct TypeName {
  VARTYPE type;
  LPCWSTR name;
};
// The types whose name stands for the value; the rest of the base types
// are named only after "Array of " or "Pointer to ".
const TypeName kNamedTypes[] = {
    {VT_DISPATCH, L"VT_DISPATCH"}, {VT_ERROR, L"VT_ERROR"},
    {VT_VARIANT, L"VT_VARIANT"}, {VT_UNKNOWN, L"VT_UNKNOWN"},
    {VT_I1, L"VT_I1"}, {VT_UI2, L"VT_UI2"},
    {VT_UI4, L"VT_UI4"}, {VT_I8, L"VT_I8"},
    {VT_UI8, L"VT_UI8"}, {VT_INT, L"VT_INT"},
    {VT_UINT, L"VT_UINT"}, {VT_VOID, L"VT_VOID"},
    {VT_HRESULT, L"VT_HRESULT"}, {VT_PTR, L"VT_PTR"},
    {VT_SAFEARRAY, L"VT_SAFEARRAY"}, {VT_CARRAY, L"VT_CARRAY"},
    {VT_USERDEFINED, L"VT_USERDEFINED"}, {VT_LPSTR, L"VT_LPSTR"},
    {VT_LPWSTR, L"VT_LPWSTR"}, {VT_FILETIME, L"VT_FILETIME"},
    {VT_BLOB, L"VT_BLOB"}, {VT_STREAM, L"VT_STREAM"},
    {VT_STORAGE, L"VT_STORAGE"}, {VT_STREAMED_OBJECT, L"VT_STREAMED_OBJECT"},
    {VT_STORED_OBJECT, L"VT_STORED_OBJECT"}, {VT_BLOB_OBJECT, L"VT_BLOB_OBJECT"},
    {VT_CF, L"VT_CF"}, {VT_CLSID, L"VT_CLSID"},
};
const TypeName kValueTypes[] = {
    {VT_EMPTY, L"VT_EMPTY"}, {VT_NULL, L"VT_NULL"}, {VT_I2, L"VT_I2"},     {VT_I4, L"VT_I4"},
    {VT_R4, L"VT_R4"},       {VT_R8, L"VT_R8"},     {VT_CY, L"VT_CY"},     {VT_DATE, L"VT_DATE"},
    {VT_BSTR, L"VT_BSTR"},   {VT_BOOL, L"VT_BOOL"}, {VT_UI1, L"VT_UI1"},
};

LPCWSTR NameIn(const TypeName* names, size_t count, VARTYPE type) {
  for (size_t n = 0; n < count; ++n)
    if (names[n].type == type) return names[n].name;
  return nullptr;
}

LPCWSTR NamedTypeName(VARTYPE type) { return NameIn(kNamedTypes, sizeof kNamedTypes / sizeof *kNamedTypes, type); }

LPCWSTR BaseTypeName(VARTYPE type) {
  LPCWSTR name = NameIn(kValueTypes, sizeof kValueTypes / sizeof *kValueTypes, type);
  return name != nullptr ? name : NamedTypeName(type);
}

CString Formatted(LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  CString text;
  text.FormatV(format, args);
  va_end(args);
  return text;
}

int MaxTableRows() {
  auto* app = dynamic_cast<CEx_StyleApp*>(AfxGetApp());
  return app != nullptr ? app->MaxTableRows : kDefaultMaxTableRows;
}

void SetStatusText(const CString& text) {
  if (auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
    if (frame->GetSafeHwnd() != nullptr) frame->SetMessageText(text);
}

}  // namespace

CString BoolToText(BOOL value) { return value != 0 ? CString(L"TRUE") : CString(L"FALSE"); }

CString VariantToText(const VARIANT& value) {
  CString text = L"Fish";
  switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL: text = L"NULL"; break;
    case VT_I2: text = Formatted(L"%hd", value.iVal); break;
    case VT_I4: text = Formatted(L"%d", static_cast<int>(value.lVal)); break;
    case VT_R4: text = Formatted(L"%e", static_cast<double>(value.fltVal)); break;
    case VT_R8: text = Formatted(L"%e", value.dblVal); break;
    case VT_CY: text = COleCurrency(value.cyVal).Format(); break;
    case VT_DATE: text = COleDateTime(value.date).Format(L"%m %d %y"); break;
    case VT_BSTR: text = value.bstrVal != nullptr ? value.bstrVal : L""; break;
    case VT_BOOL: return BoolToText(value.boolVal != VARIANT_FALSE);
    case VT_UI1: text = Formatted(L"0x%02hX", static_cast<unsigned short>(value.bVal)); break;
    default:
      if (LPCWSTR name = NamedTypeName(value.vt)) text = name;
      break;
  }
  const VARTYPE flags = value.vt & (VT_ARRAY | VT_BYREF);
  if ((flags & VT_ARRAY) != 0) text = L"Array of ";
  if ((flags & VT_BYREF) != 0) text += L"Pointer to ";
  if (flags != 0)
    if (LPCWSTR name = BaseTypeName(value.vt & ~(VT_ARRAY | VT_BYREF))) text += name;
  return text;
}

void CStatusListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
  *pResult = CDRF_DODEFAULT;
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: *pResult = CDRF_NOTIFYITEMDRAW; break;
    case CDDS_ITEMPREPAINT:
      m_itemText = draw->clrText;
      m_itemBackground = draw->clrTextBk;
      *pResult = CDRF_NOTIFYSUBITEMDRAW;
      break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      // Each cell starts from the item's own colours: what one cell set
      // must not leak into the next.
      const COLORREF background = ColumnBackground(draw->iSubItem);
      draw->clrTextBk = background != CLR_NONE ? background : m_itemBackground;
      draw->clrText = m_itemText;
      const CString status = GetItemText(static_cast<int>(draw->nmcd.dwItemSpec), 1);
      for (const StatusColour& colour : kStatusColours) {
        if (status.Left(lstrlenW(colour.word)) != colour.word) continue;
        draw->clrText = colour.text;
        if (lstrcmpW(colour.word, L"Progress") == 0) draw->clrTextBk = RGB(0, 0, 0);
      }
      break;
    }
    default: break;
  }
}

CMDBListView::~CMDBListView() {
  // The document must not call a view that is gone.
  if (auto* document = dynamic_cast<CEx_StyleDoc*>(m_pDocument))
    if (document->RecordList == this) document->RecordList = nullptr;
}

int CMDBListView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  List.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, CRect(0, 0, 0, 0),
              this, kRecordListId);
  List.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  if (auto* document = dynamic_cast<CEx_StyleDoc*>(GetDocument())) document->RecordList = this;
  ClearList();
  return 0;
}

void CMDBListView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (List.GetSafeHwnd() != nullptr) List.MoveWindow(0, 0, cx, cy);
}

void CMDBListView::ClearList() {
  if (List.GetSafeHwnd() == nullptr) return;
  List.DeleteAllItems();
  CHeaderCtrl* header = List.GetHeaderCtrl();
  for (int n = header != nullptr ? header->GetItemCount() : 0; n > 0; --n) List.DeleteColumn(0);
}

void LoadDaoTable(CMDBListView* view, const CString& tableName) {
  view->ClearList();
  CListCtrl& list = view->List;
  list.InsertColumn(0, L"Index", LVCFMT_LEFT, kColumnWidth);
  DaoSource* database = view->Database;
  if (database == nullptr) return;

  try {
    std::unique_ptr<DaoTableSource> table = database->OpenTableDef(tableName);
    const short fields = table->GetFieldCount();
    for (int i = 0; i < fields; ++i) {
      CDaoFieldInfo field;
      table->GetFieldInfo(i, field);
      list.InsertColumn(i + 1, field.m_strName, LVCFMT_LEFT, kColumnWidth);
    }
  } catch (CDaoException* e) {
    ReportDaoException(e);
    e->Delete();
  }

  try {
    std::unique_ptr<DaoRecordSource> records = database->OpenDynaset(L"Select * From [" + tableName + L"]");
    const int limit = MaxTableRows();
    const short fields = records->GetFieldCount();
    int n = 0, loaded = 0;
    for (; !records->IsEOF(); ++n, records->MoveNext()) {
      if (n >= limit) continue;  // only counted
      const int row = list.InsertItem(n, Formatted(L"%d", n));
      if (row < 0) continue;
      ++loaded;
      for (int j = 0; j < fields; ++j) {
        // A value that cannot be read leaves its cell empty rather than
        // showing another field's value.
        COleVariant value;
        try {
          records->GetFieldValue(j, value);
        } catch (CDaoException* e) {
          e->Delete();
          continue;
        }
        list.SetItemText(row, j + 1, VariantToText(value));
      }
    }
    const CString text = Formatted(L"Loaded %d of %d total records", loaded, n);
    view->UpdateWindow();
    if (n >= limit) view->MessageBox(text, nullptr, MB_OK);
    SetStatusText(text);
    records->Close();
  } catch (CDaoException* e) {
    ReportDaoException(e);
    e->Delete();
  }
}
