#include "shell_document.h"

#include "app_message.h"
#include "database_views.h"
#include "main_frame.h"
#include "picture.h"
#include "preview_host.h"
#include "thumb_view.h"

IMPLEMENT_DYNCREATE(CEx_StyleDoc, CDocument)

CEx_StyleDoc::~CEx_StyleDoc() {
  if (Database != nullptr && Database->IsOpen()) Database->Close();
  delete Database;
  delete CurrentPicture;
}

// The document reads and writes nothing: any file opens as it.
void CEx_StyleDoc::Serialize(CArchive&) {}

namespace {

// Calls visit(name) for every file of folder ("." and ".." and folders left out).
template <typename Visit>
void ForEachFile(const CString& folder, Visit visit) {
  WIN32_FIND_DATAW found = {};
  HANDLE find = ::FindFirstFileW(folder + L"\\*.*", &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    visit(CString(found.cFileName));
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
}

struct Ending {
  LPCWSTR text;
  int code;
};
// In the order they are tried: three letters, then the four-letter ones.
const Ending kEndings[] = {
    {L"bmp", 1}, {L"gif", 2}, {L"jpg", 3}, {L"jpeg", 3}, {L"png", 4},  {L"ico", 5},  {L"tif", 6},
    {L"tiff", 6}, {L"tga", 7}, {L"pcx", 8}, {L"wbmp", 9}, {L"wmf", 10}, {L"emf", 10}, {L"j2k", 11},
    {L"jp2", 11}, {L"j2c", 12}, {L"jpc", 12}, {L"pgx", 13}, {L"pnm", 14}, {L"pgm", 14}, {L"ppm", 14},
    {L"ras", 15},
};

bool IsDigit(WCHAR c) { return c >= L'0' && c <= L'9'; }

// Sorts names[first, last) by CompareLogical: a heap sort, whose depth and
// time are bounded whatever order the names come in.
void SiftDown(CStringArray& names, INT_PTR root, INT_PTR count) {
  for (;;) {
    INT_PTR child = 2 * root + 1;
    if (child >= count) return;
    if (child + 1 < count && CompareLogical(names[child], names[child + 1]) < 0) ++child;
    if (CompareLogical(names[root], names[child]) >= 0) return;
    CString swap = names[root];
    names[root] = names[child];
    names[child] = swap;
    root = child;
  }
}

}  // namespace

int GetImageTypeFromName(const CString& name) {
  const int length = name.GetLength();
  for (const Ending& ending : kEndings) {
    const int size = lstrlenW(ending.text);
    if (length >= size && _wcsicmp(static_cast<LPCWSTR>(name) + length - size, ending.text) == 0) return ending.code;
  }
  return 0;
}

int CompareLogical(LPCWSTR a, LPCWSTR b) {
  while (*a != 0 && *b != 0) {
    if (IsDigit(*a) && IsDigit(*b)) {
      // Runs of digits by value: leading zeros skipped, then the longer run
      // is the larger number, else the first differing digit decides.
      while (*a == L'0' && IsDigit(a[1])) ++a;
      while (*b == L'0' && IsDigit(b[1])) ++b;
      LPCWSTR endA = a, endB = b;
      while (IsDigit(*endA)) ++endA;
      while (IsDigit(*endB)) ++endB;
      if (endA - a != endB - b) return endA - a < endB - b ? -1 : 1;
      for (; a < endA; ++a, ++b)
        if (*a != *b) return *a < *b ? -1 : 1;
      continue;
    }
    const WCHAR ca = static_cast<WCHAR>(reinterpret_cast<UINT_PTR>(::CharLowerW(reinterpret_cast<LPWSTR>(*a))));
    const WCHAR cb = static_cast<WCHAR>(reinterpret_cast<UINT_PTR>(::CharLowerW(reinterpret_cast<LPWSTR>(*b))));
    if (ca != cb) return ca < cb ? -1 : 1;
    ++a;
    ++b;
  }
  if (*a == 0 && *b == 0) return 0;
  return *a == 0 ? -1 : 1;
}

void SortImageNames(CStringArray& names) {
  const INT_PTR count = names.GetSize();
  for (INT_PTR root = count / 2 - 1; root >= 0; --root) SiftDown(names, root, count);
  for (INT_PTR end = count - 1; end > 0; --end) {
    CString swap = names[0];
    names[0] = names[end];
    names[end] = swap;
    SiftDown(names, 0, end);
  }
}

void CEx_StyleDoc::ClearImages() {
  ImageNames.RemoveAll();
  delete CurrentPicture;
  CurrentPicture = nullptr;
}

void CEx_StyleDoc::LoadImageFolder(const CString& folder) {
  ImageFolder = folder;
  ClearImages();
  ForEachFile(folder, [this](const CString& name) {
    if (GetImageTypeFromName(name) == 0) return;
    CString lower = name;
    lower.MakeLower();
    ImageNames.Add(lower);
  });
  SortImageNames(ImageNames);
  if (CThumbView* thumbnails = ThumbnailView()) thumbnails->LoadThumbnails(*this);
  CurrentImage = -1;
}

void CEx_StyleDoc::SelectImage(int n) {
  if (n == CurrentImage) return;
  delete CurrentPicture;
  CurrentPicture = nullptr;
  CurrentImage = n;
  if (n < 0 || n >= ImageNames.GetSize()) return;
  const CString path = ImageFolder + L"\\" + ImageNames[n];
  const int code = GetImageTypeFromName(path);
  // A picture that fails to load stays, invalid.
  if (code != 0) CurrentPicture = new CPicture(path, code);
}

void CEx_StyleDoc::DeleteFolderFiles(const CString& folder) {
  ImageFolder = folder;
  ClearImages();
  // An empty folder would name the current drive's root.
  if (folder.IsEmpty()) return;
  ForEachFile(folder, [&folder](const CString& name) { ::DeleteFileW(folder + L"\\" + name); });
}

BOOL CEx_StyleDoc::OpenDatabase(const CString& path) {
  auto* database = new CDaoDatabase;
  try {
    database->Open(path, FALSE, FALSE, L"");
  } catch (CDaoException* e) {
    ReportDaoException(e);
    delete database;
    e->Delete();
    return FALSE;
  }
  if (Database != nullptr && Database->IsOpen()) Database->Close();
  delete Database;
  Database = database;
  if (DatabaseTree != nullptr) DatabaseTree->Database = database;
  if (RecordList != nullptr) RecordList->Database = database;
  RefreshDatabaseViews();
  return TRUE;
}

void CEx_StyleDoc::RefreshDatabaseViews() {
  if (Database == nullptr) return;
  if (RecordList != nullptr) RecordList->ClearList();
  if (DatabaseTree != nullptr) DatabaseTree->PopulateTree();
}

CThumbView* CEx_StyleDoc::ThumbnailView() const {
  // The program's pane, else one showing this document in a frame of its own.
  CMainPreviewView* host = nullptr;
  if (CMainFrame* frame = GetMainFrame()) host = frame->PreviewHost;
  for (POSITION at = GetFirstViewPosition(); host == nullptr && at != nullptr;)
    host = dynamic_cast<CMainPreviewView*>(GetNextView(at));
  if (host == nullptr || host->SlideThumbnails == nullptr || host->SlideThumbnails->GetSafeHwnd() == nullptr)
    return nullptr;
  return host->SlideThumbnails;
}

CString DaoExceptionText(const CDaoException* e) {
  if (e->m_pErrorInfo != nullptr) {
    CString text;
    text.Format(L"ERROR:CDaoException\n\n%ls\n\nError code: %ld", static_cast<LPCWSTR>(e->m_pErrorInfo->m_strDescription),
                e->m_pErrorInfo->m_lErrorCode);
    return text;
  }
  const SCODE s = e->m_scode;
  CString text;
  text.Format(
      L"ERROR:CDaoException\n\nSCODE_CODE      =%d\nSCODE_FACILITY  =%d\nSCODE_SEVERITY  =%d\nResultFromScode =%d\n",
      static_cast<int>(s & 0xFFFF), static_cast<int>((s >> 16) & 0x1FFF), s < 0 ? 1 : 0, static_cast<int>(s));
  return text;
}

void ReportDaoException(CDaoException* e) {
  if (e == nullptr) return;
  const CString text = DaoExceptionText(e);
  ShowAppMessage(2, std::u16string(reinterpret_cast<const char16_t*>(static_cast<LPCWSTR>(text))));
}
