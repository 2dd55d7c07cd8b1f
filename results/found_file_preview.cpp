// The found-file list's preview road: a clicked file is written into the
// temporary folder by the engine's writers and handed to the preview pane.
#include <cwchar>

#include "found_file_list_ctrl.h"
#include "office_preview_windows.h"
#include "platform_files.h"
#include "raw/raw_lists.h"
#include "saving_run.h"

namespace {

// Larger files show the large-file notice instead of being extracted.
constexpr uint64_t kLargestPreview = 5242880;

std::u16string Text16(const CString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.GetString()), static_cast<size_t>(text.GetLength()));
}

CString ExtensionOf(const CString& name) {
  const int dot = name.ReverseFind(L'.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}

// Letters and digits only, as a name from disk may say anything.
CString SafeExtension(const CString& name) {
  CString extension = ExtensionOf(name);
  extension.MakeLower();
  CString safe;
  for (int i = 0; i < extension.GetLength() && safe.GetLength() < 16; ++i) {
    const wchar_t c = extension[i];
    if ((c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9')) safe += c;
  }
  return safe.IsEmpty() ? CString(L"dat") : safe;
}

CString WithSeparator(const CString& folder) {
  return folder.IsEmpty() || folder.Right(1) == L"\\" ? folder : folder + L"\\";
}

}  // namespace

std::function<int(const CString&, const CString&)> CFoundFileListCtrl::IsPreviewable = [](const CString&,
                                                                                          const CString&) {
  return 0;
};
std::function<void(const CString&, const CString&)> CFoundFileListCtrl::ShowPreview = [](const CString&,
                                                                                        const CString&) {};

CString CFoundFileListCtrl::MakeTempName(const CString& fileName) {
  const CString extension = SafeExtension(fileName);
  const CString folder = WithSeparator(TempFolder);
  CString name;
  for (;;) {
    name.Format(L"tmp%d.%s", m_tempCounter, static_cast<LPCWSTR>(extension));
    if (!FileExists(Text16(folder + name))) break;
    ++m_tempCounter;
  }
  return name;
}

BOOL CFoundFileListCtrl::IsNewPreviewTarget(const CString& folder, const CString& name, uint32_t id) {
  CString path = WithSeparator(folder) + name;
  path.MakeLower();
  if (path.CompareNoCase(m_lastPreviewPath) == 0 && id == m_lastPreviewId) return FALSE;
  m_lastPreviewPath = path;
  m_lastPreviewId = id;
  return TRUE;
}

void CFoundFileListCtrl::PreviewRow(int row) {
  if (row < 0 || row >= GetItemCount()) return;
  const ResultsKind kind = CurrentResultsKind();
  const bool raw = kind == ResultsKind::Raw;
  if (IsParentRow(row) || IsFolderRow(row) || (raw && GetItemText(row, IdColumn()) == L"-")) {
    ShowPreview(CString(), CString());
    return;
  }
  const CString name = GetItemText(row, 0);
  CString lower = name;
  lower.MakeLower();
  const CString dotted = L"." + ExtensionOf(lower);
  if (!IsPreviewable(lower, dotted)) {
    ShowPreview(CString(), CString());
    return;
  }
  // A carved file is written CarveSizeLimitMB megabytes long.
  const uint64_t size = raw ? static_cast<uint64_t>(CarveSizeLimitMB) * 1048576
                            : std::wcstoull(GetItemText(row, 2), nullptr, 10);
  if (size > kLargestPreview) {
    ShowPreview(L"largefile", L".largefile");
    SetFocus();
    return;
  }
  if (TempFolder.IsEmpty()) {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    TempFolder = temp;
  }
  const uint32_t id = RowId(row);
  if (!IsNewPreviewTarget(TempFolder, name, id)) return;
  // Office instances the pane started let go of the previous file.
  CloseOfficePreviewWindows();
  const CString tempName = MakeTempName(name);
  std::u16string written;
  if (ExtractForPreview(Text16(TempFolder), kind, id, Text16(tempName), written) != 1 || written.empty()) return;
  // Only what the writer wrote is deleted later.
  const CString path = reinterpret_cast<const wchar_t*>(written.c_str());
  PreviewTempFiles.SetAt(path, ExtensionOf(tempName));
  CString shown = path;
  shown.MakeLower();
  ShowPreview(shown, L"." + ExtensionOf(tempName));
}
