// The single document: no data of its own. The previews use it for the
// pictures of a folder and the open Access database.
#pragma once

#include "framework.h"

class CPicture;
class CDaoTreeView;
class CMDBListView;
class CThumbView;

class CEx_StyleDoc : public CDocument {
  DECLARE_DYNCREATE(CEx_StyleDoc)

 public:
  CEx_StyleDoc() = default;
  ~CEx_StyleDoc() override;

  void Serialize(CArchive& ar) override;
  BOOL OnNewDocument() override { return CDocument::OnNewDocument(); }

  void LoadImageFolder(const CString& folder);
  void SelectImage(int n);
  void DeleteFolderFiles(const CString& folder);
  BOOL OpenDatabase(const CString& path);
  void RefreshDatabaseViews();

  CStringArray ImageNames;
  int CurrentImage = -1;
  CString PreviewPath;
  CString ImageFolder;
  CPicture* CurrentPicture = nullptr;
  CDaoDatabase* Database = nullptr;
  CDaoTreeView* DatabaseTree = nullptr;
  CMDBListView* RecordList = nullptr;

 private:
  void ClearImages();
  // The preview pane's thumbnail view while it has a window.
  CThumbView* ThumbnailView() const;
};

// The picture format of a file name by its ending, 0 when it is no picture.
int GetImageTypeFromName(const CString& name);

// Sorts names in logical order: runs of digits by their value ("Slide2"
// before "Slide10"), the rest without regard to case. Its depth is bounded
// whatever the order of the input.
void SortImageNames(CStringArray& names);
// <0, 0, >0 as a sorts before, with or after b in that order.
int CompareLogical(LPCWSTR a, LPCWSTR b);

// The text of a database error, shown as a program error.
void ReportDaoException(CDaoException* e);
CString DaoExceptionText(const CDaoException* e);
