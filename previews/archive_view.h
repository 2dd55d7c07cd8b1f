// The archive viewer of the preview pane: a report list of a zip archive's,
// a cabinet's or a RAR archive's entries with the shell's icon for each
// name, its folder, size, times and attribute letters. Nothing is
// extracted.
#pragma once

#include <initializer_list>

#include "framework.h"
#include "shell_icon_list.h"

// The list's control id.
constexpr UINT kArchiveListId = 165;

class CArchiveListCtrl : public CListCtrl {
  DECLARE_DYNAMIC(CArchiveListCtrl)

 public:
  CArchiveListCtrl();

  // The columns for an extension (lower case, with its dot); other
  // extensions get none.
  void InsertArchiveColumns(const CString& extension);
  void SetHeaderImages();
  // One row: name with its icon, then the other columns' texts.
  void AddArchiveRow(int row, const CString& name, int icon, std::initializer_list<CString> texts);

  CImageList HeaderImages;

 protected:
  afx_msg void OnClick(NMHDR* pNotifyStruct, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()
};

class CMyListCtrl : public CView {
  DECLARE_DYNCREATE(CMyListCtrl)

 public:
  ~CMyListCtrl() override;
  void OnDraw(CDC*) override {}

  CArchiveListCtrl* List = nullptr;
  CShellIconList ShellIcons;

  // Each fills the list and returns 1 when the archive was listed.
  int ListZipArchive(const CString& path);
  int ListCabArchive();
  int ListRarArchive();

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  CString PreviewPath();

  CImageList m_systemIcons;  // the shell's: never destroyed here
};

// Texts of the list's cells: a UTC time shown in local time, and the
// letters "rahs" with "-" for each bit that is clear.
CString ArchiveTimeText(const FILETIME& utc);
CString ArchiveAttributeText(DWORD attributes);
