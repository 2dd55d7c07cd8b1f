// The button editor's pictures and its magnified drawing surface: the six
// drawing tools, one-pixel moves, undo and redo, the clipboard and import
// from a picture file.
#pragma once

#include <vector>

#include "framework.h"

class CTkButtonEditorDlg;

// Marks a pixel with no colour in pictures without alpha, and on every
// empty picture.
const COLORREF kEditorTransparentColor = RGB(255, 254, 255);

enum TkEditorTool { kToolPencil = 0, kToolFill, kToolPick, kToolLine, kToolRectangle, kToolEllipse };

// A 32-bit bottom-up section; pixels are addressed top-down here.
class CTkButtonEditorImage {
 public:
  CTkButtonEditorImage() = default;
  CTkButtonEditorImage(const CTkButtonEditorImage&) = delete;
  CTkButtonEditorImage& operator=(const CTkButtonEditorImage&) = delete;

  // Filled with the transparent colour.
  BOOL Create(int width, int height, BOOL alpha = FALSE);
  CTkButtonEditorImage* Clone() const;
  int GetWidth() const { return m_nWidth; }
  int GetHeight() const { return m_nHeight; }
  HBITMAP GetHandle() const { return static_cast<HBITMAP>(m_bitmap.GetSafeHandle()); }
  COLORREF GetPixel(int x, int y) const;
  BYTE GetAlpha(int x, int y) const;
  void SetPixel(int x, int y, COLORREF color, BYTE alpha = 255);
  // Colour and alpha of any bitmap, at the top-left, clipped to this
  // picture; FALSE when it cannot be read.
  BOOL CopyPixelsFrom(HBITMAP bitmap);
  // All four bytes 0 (nothing at all in an alpha picture) become the
  // transparent colour.
  void FixTransparentPixels();
  // Drawn pixels of an alpha picture are opaque, those drawn in the
  // transparent colour clear; pixels that kept their colour keep their
  // alpha from before.
  void MergeAlpha(const CTkButtonEditorImage* before);

  BOOL m_bAlpha = FALSE;

 private:
  DWORD* Pixel(int x, int y) const { return m_pBits + static_cast<size_t>(m_nHeight - 1 - y) * m_nWidth + x; }

  CBitmap m_bitmap;
  DWORD* m_pBits = nullptr;
  int m_nWidth = 0;
  int m_nHeight = 0;
};

class CTkButtonEditorCanvas : public CStatic {
  DECLARE_DYNAMIC(CTkButtonEditorCanvas)
 public:
  CTkButtonEditorCanvas() = default;
  ~CTkButtonEditorCanvas() override;

  // Takes over the dialog's static and sizes it to whole cells.
  BOOL AttachToDialog(CTkButtonEditorDlg* dialog, UINT id);
  void SetPictureSize(int width, int height);
  CSize GetPictureSize() const { return CSize(m_nPictureWidth, m_nPictureHeight); }
  CSize GetCellSize() const { return CSize(m_cxCell, m_cyCell); }
  CPoint CellFromPoint(CPoint point) const;
  // Takes the picture without an undo step; null leaves it empty.
  void SetPicture(CTkButtonEditorImage* picture);
  // The current picture, null when empty.
  CTkButtonEditorImage* GetPicture() const { return m_pPicture; }
  // The colour of a cell: the picture drawn over the transparent colour.
  COLORREF GetPixelAt(CPoint cell) const;

  // Each of these is one undo step.
  void Clear();
  void MovePicture(int dx, int dy);
  void Copy();
  BOOL Paste();
  BOOL ImportFile(LPCWSTR path);
  void Undo();
  void Redo();
  BOOL CanUndo() const { return !m_undo.empty(); }
  BOOL CanRedo() const { return !m_redo.empty(); }
  int GetUndoCount() const { return static_cast<int>(m_undo.size()); }
  int GetRedoCount() const { return static_cast<int>(m_redo.size()); }

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message);
  DECLARE_MESSAGE_MAP()

 private:
  // A copy of the current picture, or a transparent one of the picture
  // size when it is empty.
  CTkButtonEditorImage* WorkingCopy() const;
  // The current picture becomes the previous one and next the current.
  void BeginChange(CTkButtonEditorImage* next);
  // Records the previous picture as one undo step.
  void PushUndo();
  void DrawStroke(CPoint cell);
  void Redraw();
  static void DeleteAll(std::vector<CTkButtonEditorImage*>& list);

  int m_nPictureWidth = 16;
  int m_nPictureHeight = 16;
  int m_cxCell = 1;
  int m_cyCell = 1;
  CTkButtonEditorDlg* m_pDialog = nullptr;
  CTkButtonEditorImage* m_pPrevious = nullptr;
  CTkButtonEditorImage* m_pPicture = nullptr;
  std::vector<CTkButtonEditorImage*> m_undo;
  std::vector<CTkButtonEditorImage*> m_redo;
  CPoint m_pressCell;
  BOOL m_bDragging = FALSE;
  BOOL m_bStrokeOpen = FALSE;
  COLORREF m_strokeColor = 0;
  HCURSOR m_hCrossCursor = nullptr;
  HCURSOR m_hFillCursor = nullptr;
  HCURSOR m_hPencilCursor = nullptr;
  HCURSOR m_hPickCursor = nullptr;
};
