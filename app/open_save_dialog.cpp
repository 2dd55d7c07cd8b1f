#include "open_save_dialog.h"

namespace {

// The end of the text at p: its zero, or end when the buffer holds none.
const WCHAR* TextEnd(const WCHAR* p, const WCHAR* end) {
  while (p < end && *p != 0) ++p;
  return p;
}

}  // namespace

COpenSaveDialog::COpenSaveDialog(int open, LPCWSTR lpszDefExt, LPWSTR lpszFileBuffer, DWORD dwFlags,
                                 LPCWSTR lpszFilter, CWnd* pOwner, DWORD nMaxFile)
    : m_ofn(), m_open(open), m_fileBuffer(), m_fileTitle() {
  m_ofn.lpstrDefExt = lpszDefExt;
  m_ofn.lpstrFile = lpszFileBuffer != nullptr ? lpszFileBuffer : m_fileBuffer;
  // The system needs the capacity of any buffer it writes to.
  m_ofn.nMaxFile = lpszFileBuffer != nullptr ? nMaxFile : MAX_PATH;
  m_ofn.lpstrFileTitle = m_fileTitle;
  m_ofn.nMaxFileTitle = MAX_PATH;
  m_ofn.Flags = dwFlags | OFN_EXPLORER;
  m_ofn.lpstrFilter = lpszFilter;
  m_ofn.hwndOwner = pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr;
}

DWORD COpenSaveDialog::StructureSize(DWORD version) {
  return LOBYTE(LOWORD(version)) < 5 ? OPENFILENAME_SIZE_VERSION_400W : sizeof(OPENFILENAMEW);
}

INT_PTR COpenSaveDialog::ShowModal() {
  m_ofn.lStructSize = StructureSize(::GetVersion());
  const BOOL chosen = m_open ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
  return chosen ? IDOK : IDCANCEL;
}

CString COpenSaveDialog::GetFilePath() const {
  const WCHAR* buffer = m_ofn.lpstrFile;
  return CString(buffer, static_cast<int>(TextEnd(buffer, buffer + m_ofn.nMaxFile) - buffer));
}

CString COpenSaveDialog::GetNextSelectedPath(POSITION& pos) const {
  const WCHAR* buffer = m_ofn.lpstrFile;
  const WCHAR* end = buffer + m_ofn.nMaxFile;
  const WCHAR* name = reinterpret_cast<const WCHAR*>(pos);
  pos = nullptr;
  if (name == nullptr || name < buffer || name >= end) return CString();
  const WCHAR* folderEnd = TextEnd(buffer, end);
  const CString folder(buffer, static_cast<int>(folderEnd - buffer));
  if (name == buffer) {
    // A single file, even from a multiple-selection dialog, is the whole path.
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || folderEnd + 1 >= end || folderEnd[1] == 0) return folder;
    name = folderEnd + 1;
  }
  const WCHAR* nameEnd = TextEnd(name, end);
  if (nameEnd + 1 < end && nameEnd[1] != 0) pos = reinterpret_cast<POSITION>(const_cast<WCHAR*>(nameEnd + 1));
  const CString fileName(name, static_cast<int>(nameEnd - name));
  const WCHAR last = folder.IsEmpty() ? 0 : folder.GetAt(folder.GetLength() - 1);
  if (last == L'\\' || last == L'/') return folder + fileName;
  return folder + L"\\" + fileName;
}
