#include "archive_view.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "cabinet_listing.h"
#include "preview_state.h"
#include "rar_reader.h"
#include "shell_document.h"
#include "zip_api.h"

IMPLEMENT_DYNAMIC(CArchiveListCtrl, CListCtrl)
IMPLEMENT_DYNCREATE(CMyListCtrl, CView)

BEGIN_MESSAGE_MAP(CArchiveListCtrl, CListCtrl)
  ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
  ON_NOTIFY_REFLECT(NM_DBLCLK, OnClick)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMyListCtrl, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// The header's pictures, in the order they are added; only two exist.
const UINT kHeaderIcons[] = {163, 162, 164, 161, 166, 167, 165};

struct ColumnSpec {
  const wchar_t* title;
  int width;
};

const ColumnSpec kZipColumns[] = {{L"File Name", 200},     {L"Directory", 100},     {L"File Size", 100},
                                  {L"Access Time", 150},   {L"Creation Time", 150}, {L"modify Time", 150},
                                  {L"Attribute", 200}};
const ColumnSpec kOtherColumns[] = {
    {L"File Name", 200}, {L"Directory", 100}, {L"File Size", 100}, {L"Access Time", 150}, {L"Attribute", 200}};

FILETIME DosTime(WORD date, WORD time) {
  FILETIME result = {};
  ::DosDateTimeToFileTime(date, time, &result);
  return result;
}

}  // namespace

CString ArchiveTimeText(const FILETIME& utc) {
  FILETIME local = {};
  SYSTEMTIME parts = {};
  if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToSystemTime(&local, &parts)) return CString();
  tm when = {};
  when.tm_year = parts.wYear - 1900;
  when.tm_mon = parts.wMonth - 1;
  when.tm_mday = parts.wDay;
  when.tm_hour = parts.wHour;
  when.tm_min = parts.wMinute;
  when.tm_sec = parts.wSecond;
  when.tm_wday = parts.wDayOfWeek;
  wchar_t text[128] = {};
  if (std::wcsftime(text, 128, L"%d %b %Y, %X", &when) == 0) return CString();
  return CString(text);
}

CString ArchiveAttributeText(DWORD attributes) {
  CString text;
  text += (attributes & FILE_ATTRIBUTE_READONLY) ? L'r' : L'-';
  text += (attributes & FILE_ATTRIBUTE_ARCHIVE) ? L'a' : L'-';
  text += (attributes & FILE_ATTRIBUTE_HIDDEN) ? L'h' : L'-';
  text += (attributes & FILE_ATTRIBUTE_SYSTEM) ? L's' : L'-';
  return text;
}

CArchiveListCtrl::CArchiveListCtrl() {
  HeaderImages.Create(16, 16, ILC_MASK | ILC_COLOR16, 0, 7);
  for (UINT id : kHeaderIcons) {
    HICON icon = static_cast<HICON>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON, 48, 48, LR_DEFAULTCOLOR));
    if (icon == nullptr) continue;
    HeaderImages.Add(icon);
    ::DestroyIcon(icon);
  }
}

void CArchiveListCtrl::InsertArchiveColumns(const CString& extension) {
  const ColumnSpec* columns = nullptr;
  size_t count = 0;
  if (extension == L".zip") {
    columns = kZipColumns, count = sizeof kZipColumns / sizeof kZipColumns[0];
  } else if (extension == L".gz" || extension == L".cab" || extension == L".rar") {
    columns = kOtherColumns, count = sizeof kOtherColumns / sizeof kOtherColumns[0];
  }
  for (size_t i = 0; i < count; ++i) InsertColumn(static_cast<int>(i), columns[i].title, LVCFMT_LEFT, columns[i].width);
}

void CArchiveListCtrl::SetHeaderImages() {
  CHeaderCtrl* header = GetHeaderCtrl();
  if (header == nullptr) return;
  header->SetImageList(HeaderImages.GetSafeHandle());
  for (int i = 0; i < 7; ++i) {
    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    if (!header->GetItem(i, &item)) continue;
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.fmt |= HDF_IMAGE;
    item.iImage = i;
    header->SetItem(i, &item);
  }
  HDITEMW first = {};
  first.mask = HDI_IMAGE;
  first.iImage = 0;
  header->SetItem(0, &first);
}

void CArchiveListCtrl::AddArchiveRow(int row, const CString& name, int icon, std::initializer_list<CString> texts) {
  const int item = InsertItem(row, name, icon);
  int column = 1;
  for (const CString& text : texts) SetItemText(item, column++, text);
}

void CArchiveListCtrl::OnClick(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  if (GetItemCount() == 0) return;
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  HitTest(point);
  UpdateWindow();
}

CMyListCtrl::~CMyListCtrl() {
  delete List;
  m_systemIcons.Detach();
}

CString CMyListCtrl::PreviewPath() {
  CEx_StyleDoc* document = PreviewDocument(GetDocument());
  return document != nullptr ? document->PreviewPath : CString();
}

int CMyListCtrl::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  List = new CArchiveListCtrl;
  // The shell's icon list is shared: the list must never destroy it.
  List->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                   LVS_SHAREIMAGELISTS,
               CRect(0, 0, 0, 0), this, kArchiveListId);
  List->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  m_systemIcons.Attach(ShellIcons.GetSystemImageList(TRUE));
  List->SetImageList(&m_systemIcons, LVSIL_SMALL);

  const CString path = PreviewPath();
  const int dot = path.ReverseFind(L'.');
  CString extension = dot >= 0 ? path.Mid(dot) : CString();
  extension.MakeLower();
  List->InsertArchiveColumns(extension);
  List->SetHeaderImages();
  if (extension == L".zip")
    PreviewLoadedFlag() = ListZipArchive(path);
  else if (extension == L".cab")
    PreviewLoadedFlag() = ListCabArchive();
  else if (extension == L".rar")
    PreviewLoadedFlag() = ListRarArchive();
  return 0;
}

void CMyListCtrl::OnSize(UINT, int, int) {
  Default();
  if (List == nullptr || List->GetSafeHwnd() == nullptr) return;
  CRect client;
  GetClientRect(&client);
  List->MoveWindow(&client);
}

int CMyListCtrl::ListZipArchive(const CString& path) {
  ZipHandle zip = OpenZipArchive(static_cast<LPCWSTR>(path), 0, kZipSourceFileName);
  if (zip == nullptr) return 0;
  ZipEntryInfo info = {};
  info.index = 0;
  int result = 0;
  if (GetZipEntry(zip, -1, &info) == kZipOk) {
    result = 1;
    const int count = info.index;
    List->SetRedraw(FALSE);
    int row = 0;
    for (int i = 0; i < count; ++i) {
      // Recovered archives are often damaged: an entry that cannot be read
      // is left out and the others are listed.
      if (GetZipEntry(zip, i, &info) != kZipOk) continue;
      const CString name(info.name);
      CString size;
      size.Format(L"%ld", static_cast<long>(info.compressedSize));
      List->AddArchiveRow(row++, name, ShellIcons.GetFileIconIndex(name, TRUE),
                          {name.Find(L'/') >= 0 ? CString(L"Yes") : CString(L"No"), size,
                           ArchiveTimeText(info.accessTime), ArchiveTimeText(info.creationTime),
                           ArchiveTimeText(info.modificationTime), ArchiveAttributeText(info.attributes)});
    }
    List->SetRedraw(TRUE);
    List->Invalidate();
  }
  if (IsZipReaderHandle(zip))
    CloseZipReader(zip);
  else
    CloseZipWriter(zip);
  return result;
}

int CMyListCtrl::ListCabArchive() {
  List->DeleteAllItems();
  if (WalkCabinet(PreviewPath()) == 0) return 0;
  int row = 0;
  for (POSITION at = CabEntryList.GetHeadPosition(); at != nullptr; ++row) {
    const auto* entry = static_cast<const CArchiveEntry*>(CabEntryList.GetNext(at));
    CString size;
    size.Format(L"%d", static_cast<int>(entry->Size));
    List->AddArchiveRow(row, entry->Name, ShellIcons.GetFileIconIndex(entry->Name, TRUE),
                        {entry->Folder, size, ArchiveTimeText(entry->Time), ArchiveAttributeText(entry->Attributes)});
  }
  return 1;
}

int CMyListCtrl::ListRarArchive() {
  const CString path = PreviewPath();
  std::string narrow(static_cast<size_t>(path.GetLength()) * 2 + 1, '\0');
  std::snprintf(&narrow[0], narrow.size(), "%ls", static_cast<LPCWSTR>(path));
  narrow.resize(std::strlen(narrow.c_str()));
  CRarReader reader;
  reader.ArchiveName = CString(narrow.c_str());
  if (!reader.List(narrow.c_str())) return 0;
  List->DeleteAllItems();
  for (int i = 0; i < reader.GetEntryCount(); ++i) {
    const RarEntry entry = reader.GetEntry(i);
    CString flags, size;
    flags.Format(L"%llu", entry.Flags);
    size.Format(L"%lld", static_cast<long long>(entry.UnpackedSize));
    const CString folder = flags == L"32992" ? CString(L"Yes") : flags == L"32960" ? CString(L"No") : CString();
    const DWORD dosTime = static_cast<DWORD>(entry.Time);
    List->AddArchiveRow(i, entry.Name, ShellIcons.GetFileIconIndex(entry.Name, TRUE),
                        {folder, size, ArchiveTimeText(DosTime(HIWORD(dosTime), LOWORD(dosTime))),
                         ArchiveAttributeText(static_cast<DWORD>(entry.Attributes))});
  }
  return 1;
}
