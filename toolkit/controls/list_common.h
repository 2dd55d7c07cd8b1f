// The shared behaviour of the toolkit's report lists, a second base beside
// the list window it works on: the sort column with its arrow in the
// header, locked columns, list-wide and per-row colours, automatic column
// sizing, row copy and move, column operations and the column widths kept
// in the application's profile.
#pragma once

#include "framework.h"
#include "header_control.h"

struct CTkRowColors {
  int nRow;
  COLORREF clrBackground;
  COLORREF clrText;
};

class CTkListCommon {
 public:
  CTkListCommon();
  virtual ~CTkListCommon() = default;
  CTkListCommon(const CTkListCommon&) = delete;
  CTkListCommon& operator=(const CTkListCommon&) = delete;

  // ascending is 1 for an ascending sort. The header's previous sort
  // column when the header is a CTkHeaderCtrl, else this list's.
  virtual int SetSortColumn(int column, int ascending);
  // Field number `field` of the stored widths text, 0 when missing.
  virtual int GetStoredColumnWidth(int field);
  virtual void RestoreColumnWidth(int column);
  // The header item count, or -1 outside report view or without a header.
  virtual int LoadColumnWidths();
  virtual BOOL SaveColumnWidths();
  // column: a display position, or negative for all.
  virtual void AutoSizeColumns(int column);
  // Null names keep "Settings" and "Column Info"; a default text stands in
  // for a missing value. From now on the widths are saved on destruction.
  virtual int SetProfileNames(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultWidths);
  virtual BOOL SubclassHeader(BOOL boldFont);
  // Called after every header click that changes the sort; derived lists sort.
  virtual BOOL SortList(int column, BOOL ascending);
  virtual DWORD SetExtendedStyle(DWORD style);
  virtual DWORD GetExtendedStyle() const;
  virtual void SetColumnsLocked(BOOL locked) { m_bColumnsLocked = static_cast<BYTE>(locked ? 1 : 0); }
  // The row under the point and in *column its display position; -1.
  virtual int SubItemHitTest(CPoint point, int* column);
  virtual int AddColumn(LPCWSTR heading, int width, int format);
  virtual BOOL InsertColumns(int count, const int* widths, const LPCWSTR* headings);
  virtual BOOL InsertColumnsFromIds(int count, const int* widths, const UINT* stringIds);
  virtual int GetColumnCount() const;
  // The index the source row has after the copy, or -1.
  virtual int CopyRow(int from, int to);
  virtual BOOL MoveRow(int from, int to);
  virtual void SetListColors(COLORREF text, COLORREF background);
  virtual void SetRowColorsFrom(const CTkRowColors& colors);
  virtual void SetRowColors(int row, COLORREF text, COLORREF background);
  virtual void RemoveAllRowColors() { m_rowColors.RemoveAll(); }
  virtual CTkRowColors* FindRowColors(int row);
  virtual BOOL ModifyExtendedStyle(DWORD remove, DWORD add);
  virtual BOOL Initialize();
  // The header filter, then the list window's own notification handling.
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

  void SetListWindow(CListCtrl* list) { m_pListWnd = list; }
  void RefreshColors() { m_nMaxColumnWidth = ::GetSystemMetrics(SM_CXFULLSCREEN); }
  CWnd* GetHeaderWnd() const;
  CTkFlatHeaderCtrl* GetFlatHeader() const;
  void SaveColumnWidthsIfEnabled() {
    if (m_bSaveWidths) SaveColumnWidths();
  }
  BOOL IsReportView() const;
  int GetSortColumn() const { return m_nSortColumn; }
  BOOL IsAscending() const { return m_bAscending != 0; }

  // Field `field` of a "%d,"-separated text, 0 when missing or not a
  // number; never reads past the text's end.
  static int ParseWidthField(LPCWSTR text, int field);

  int m_nMaxColumnWidth = 0;
  int m_nSortColumn = -1;
  BYTE m_bSaveWidths = 0;
  BYTE m_bCustomColors = 0;
  BYTE m_bAscending = 1;
  BYTE m_bColumnsLocked = 0;
  CString m_strSection{L"Settings"};
  CString m_strEntry{L"Column Info"};
  CString m_strDefaultWidths;
  COLORREF m_clrCustomText = static_cast<COLORREF>(-1);
  COLORREF m_clrCustomBackground = static_cast<COLORREF>(-1);
  CList<CTkRowColors> m_rowColors;
  CTkFlatHeaderCtrl m_header;
  CListCtrl* m_pListWnd = nullptr;

 protected:
  // The column shown at each display position.
  CArray<int, int> GetColumnOrder() const;
  void RedrawList();
};
