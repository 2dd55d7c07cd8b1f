// The button-image editor on its own: canvas geometry, the drawing tools,
// undo and redo, moves, the clipboard, import from a file, tips and the
// tool bars' idle states.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../test_resources.h"
#include "button_editor_dlg.h"
#include "icon_image.h"
#include "image_manager.h"
#include "resource_loader.h"
#include "test_app.h"
#include "toolkit_resources.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

std::string Narrow(const wchar_t* text) {
  std::string narrow;
  for (; *text != 0; ++text) narrow += static_cast<char>(*text);
  return narrow;
}

class ButtonEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, editor.m_lpDialogTemplate);
  }
  void TearDown() override {
    if (::IsWindow(editor.GetSafeHwnd())) editor.DestroyWindow();
    PumpPending();
  }
  // Shown without a modal loop, so each test drives it step by step.
  void Open() {
    ASSERT_TRUE(editor.CreateIndirect(editor.m_lpDialogTemplate, nullptr));
    editor.ShowWindow(SW_SHOW);
    PumpPending();
  }
  CTkButtonEditorCanvas& Canvas() { return editor.GetCanvas(); }
  CPoint CellCentre(CPoint cell) {
    const CSize size = Canvas().GetCellSize();
    return CPoint(cell.x * size.cx + size.cx / 2, cell.y * size.cy + size.cy / 2);
  }
  void Press(CPoint cell) {
    const CPoint at = CellCentre(cell);
    Canvas().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  }
  void Drag(CPoint cell) {
    const CPoint at = CellCentre(cell);
    Canvas().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  }
  void Release(CPoint cell) {
    const CPoint at = CellCentre(cell);
    Canvas().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }
  void Stroke(std::initializer_list<CPoint> cells) {
    Press(*cells.begin());
    for (const CPoint& cell : cells) Drag(cell);
    Release(*(cells.end() - 1));
  }
  void Choose(COLORREF color) {
    for (int i = 0; i < CTkButtonEditorDlg::kSwatchCount; ++i)
      if (editor.GetSwatch(i).GetColor() == color) editor.SelectPicker(&editor.GetSwatch(i));
    ASSERT_EQ(color, editor.GetCurrentColor());
  }
  COLORREF At(int x, int y) { return Canvas().GetPixelAt(CPoint(x, y)); }
  // Every pixel of the picture, row by row.
  std::vector<COLORREF> Pixels() {
    std::vector<COLORREF> pixels;
    CTkButtonEditorImage* picture = Canvas().GetPicture();
    if (picture == nullptr) return pixels;
    for (int y = 0; y < picture->GetHeight(); ++y)
      for (int x = 0; x < picture->GetWidth(); ++x) pixels.push_back(picture->GetPixel(x, y));
    return pixels;
  }

  CTkButtonEditorDlg editor;
};

TEST_F(ButtonEditorTest, CanvasCellsAreWholeScreenPixels) {
  Open();
  CRect place(7, 17, 7 + 86, 17 + 80);
  ::MapDialogRect(editor.m_hWnd, place);
  const CSize cell = Canvas().GetCellSize();
  EXPECT_EQ(place.Width() / 16, cell.cx);
  EXPECT_EQ(place.Height() / 16, cell.cy);
  EXPECT_GE(cell.cx, 1);
  CRect canvas;
  Canvas().GetWindowRect(canvas);
  EXPECT_EQ(16 * cell.cx + 1, canvas.Width());
  EXPECT_EQ(16 * cell.cy + 1, canvas.Height());
  EXPECT_EQ(CPoint(15, 15), Canvas().CellFromPoint(CPoint(16 * cell.cx - 1, 16 * cell.cy - 1)));
  // Sixteen swatches, black chosen, the tools in a grid of four rows.
  EXPECT_EQ(kBlack, editor.GetCurrentColor());
  EXPECT_EQ(12, editor.GetToolBar().GetCount());
  EXPECT_EQ(4, editor.GetMoveBar().GetCount());
  CRect first;
  CRect fifth;
  editor.GetToolBar().GetItemRect(0, first);
  editor.GetToolBar().GetItemRect(4, fifth);
  EXPECT_EQ(first.left, fifth.left);
  EXPECT_GT(fifth.top, first.top);
}

TEST_F(ButtonEditorTest, SeventeenStepsKeepSixteenAndANewStepClearsRedo) {
  Open();
  for (int i = 0; i < 17; ++i) Stroke({CPoint(i % 16, i / 16)});
  EXPECT_EQ(16, Canvas().GetUndoCount());
  for (int i = 0; i < 16; ++i) Canvas().Undo();
  EXPECT_FALSE(Canvas().CanUndo());
  EXPECT_EQ(16, Canvas().GetRedoCount());
  // The oldest step is gone: the first cell stays drawn.
  EXPECT_EQ(kBlack, At(0, 0));
  EXPECT_EQ(kEditorTransparentColor, At(1, 0));
  Canvas().Redo();
  EXPECT_EQ(kBlack, At(1, 0));
  Stroke({CPoint(5, 5)});
  EXPECT_FALSE(Canvas().CanRedo());
}

TEST_F(ButtonEditorTest, PencilOnTheCurrentColourErasesForTheWholeStroke) {
  Open();
  Stroke({CPoint(2, 2), CPoint(3, 2)});
  Choose(kRed);
  Stroke({CPoint(4, 2)});
  Choose(kBlack);
  const int steps = Canvas().GetUndoCount();
  Stroke({CPoint(2, 2), CPoint(3, 2), CPoint(4, 2), CPoint(5, 2)});
  for (int x = 2; x <= 5; ++x) EXPECT_EQ(kEditorTransparentColor, At(x, 2)) << x;
  EXPECT_EQ(steps + 1, Canvas().GetUndoCount());
  Canvas().Undo();
  EXPECT_EQ(kBlack, At(2, 2));
  EXPECT_EQ(kRed, At(4, 2));
}

TEST_F(ButtonEditorTest, ShapesAreRedrawnFromThePictureBeforeThePress) {
  Open();
  struct Case {
    const char* name;
    int tool;
    std::vector<CPoint> drawn;
    std::vector<CPoint> clear;
  };
  const Case cases[] = {
      {"line", kToolLine, {CPoint(1, 1), CPoint(2, 1), CPoint(3, 1)}, {CPoint(4, 1), CPoint(6, 1)}},
      {"rectangle", kToolRectangle, {CPoint(1, 1), CPoint(3, 1), CPoint(1, 3), CPoint(3, 3)},
       {CPoint(2, 2), CPoint(6, 6), CPoint(4, 4)}},
  };
  for (const Case& c : cases) {
    Canvas().Clear();
    editor.SetTool(c.tool);
    // Out to (6, 6) and back: only the last shape stays.
    Press(CPoint(1, 1));
    Drag(CPoint(6, 6));
    Drag(CPoint(3, c.tool == kToolLine ? 1 : 3));
    Release(CPoint(3, c.tool == kToolLine ? 1 : 3));
    for (const CPoint& cell : c.drawn) EXPECT_EQ(kBlack, At(cell.x, cell.y)) << c.name << " " << cell.x << "," << cell.y;
    for (const CPoint& cell : c.clear)
      EXPECT_EQ(kEditorTransparentColor, At(cell.x, cell.y)) << c.name << " " << cell.x << "," << cell.y;
  }
}

TEST_F(ButtonEditorTest, FillAndPickColour) {
  Open();
  editor.SetTool(kToolRectangle);
  Stroke({CPoint(0, 0), CPoint(4, 4)});
  Choose(kBlue);
  editor.SetTool(kToolFill);
  Stroke({CPoint(2, 2)});
  EXPECT_EQ(kBlue, At(2, 2));
  EXPECT_EQ(kBlack, At(0, 0));
  EXPECT_EQ(kEditorTransparentColor, At(6, 6));
  // Picking twice still returns to the fill.
  editor.SetTool(kToolPick);
  editor.SetTool(kToolPick);
  Choose(kRed);
  Stroke({CPoint(0, 0)});
  EXPECT_EQ(kToolFill, editor.GetTool());
  EXPECT_EQ(&editor.GetCustomSwatch(), editor.GetSelectedPicker());
  EXPECT_EQ(kBlack, editor.GetCurrentColor());
}

TEST_F(ButtonEditorTest, MovingLeftAndBackLosesTheLeftmostColumn) {
  Open();
  for (int y = 0; y < 16; ++y) Stroke({CPoint(0, y), CPoint(1, y)});
  editor.SendMessage(WM_COMMAND, ID_TK_EDITOR_MOVE_LEFT);
  editor.SendMessage(WM_COMMAND, ID_TK_EDITOR_MOVE_RIGHT);
  for (int y = 0; y < 16; ++y) {
    EXPECT_EQ(kEditorTransparentColor, At(0, y)) << y;
    EXPECT_EQ(kBlack, At(1, y)) << y;
  }
  editor.SendMessage(WM_COMMAND, ID_TK_EDITOR_MOVE_DOWN);
  EXPECT_EQ(kEditorTransparentColor, At(1, 0));
  EXPECT_EQ(kBlack, At(1, 15));
}

TEST_F(ButtonEditorTest, DrawingAfterClearStartsFromATransparentPicture) {
  Open();
  Stroke({CPoint(3, 3)});
  editor.SendMessage(WM_COMMAND, ID_TK_EDITOR_CLEAR);
  EXPECT_EQ(nullptr, Canvas().GetPicture());
  editor.SetTool(kToolEllipse);
  Stroke({CPoint(1, 1), CPoint(9, 9)});
  ASSERT_NE(nullptr, Canvas().GetPicture());
  EXPECT_EQ(16, Canvas().GetPicture()->GetWidth());
  EXPECT_EQ(kEditorTransparentColor, At(3, 3));
  EXPECT_EQ(kBlack, At(5, 1));
  // Undo goes back to the empty picture, and once more to the dot.
  Canvas().Undo();
  EXPECT_EQ(nullptr, Canvas().GetPicture());
  Canvas().Undo();
  EXPECT_EQ(kBlack, At(3, 3));
}

TEST_F(ButtonEditorTest, CopyAndPasteKeepThePixelsButTheButtonFace) {
  Open();
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  auto* picture = new CTkButtonEditorImage;
  ASSERT_TRUE(picture->Create(16, 16));
  picture->SetPixel(1, 1, kRed);
  picture->SetPixel(2, 1, face);
  picture->SetPixel(15, 15, kBlue);
  Canvas().SetPicture(picture);
  std::vector<COLORREF> expected = Pixels();
  expected[1 * 16 + 2] = kEditorTransparentColor;
  editor.SendMessage(WM_COMMAND, ID_TK_EDITOR_COPY);
  ASSERT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_FALSE(::IsClipboardFormatAvailable(AlphaBitmapClipboardFormat));
  editor.SendMessage(WM_COMMAND, ID_TK_EDITOR_CLEAR);
  editor.SendMessage(WM_COMMAND, ID_TK_EDITOR_PASTE);
  EXPECT_EQ(expected, Pixels());
  EXPECT_FALSE(Canvas().GetPicture()->m_bAlpha);
}

TEST_F(ButtonEditorTest, OnlyANameWithTextBeforeDib32MakesAPasteAlpha) {
  Open();
  struct Case {
    const wchar_t* format;
    BOOL alpha;
  };
  const Case cases[] = {{L"DIB32", FALSE}, {L"xDIB32", TRUE}, {L"Mulvara DIB32 Test", TRUE}};
  for (const Case& c : cases) {
    const UINT format = ::RegisterClipboardFormatW(c.format);
    HBITMAP bitmap = CreateAlphaSection(16, 16);
    ASSERT_TRUE(::OpenClipboard(editor.m_hWnd));
    ::EmptyClipboard();
    ::SetClipboardData(CF_BITMAP, bitmap);
    if (HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 1)) ::SetClipboardData(format, block);
    ::CloseClipboard();
    ASSERT_TRUE(Canvas().Paste()) << Narrow(c.format);
    EXPECT_EQ(c.alpha, Canvas().GetPicture()->m_bAlpha) << Narrow(c.format);
  }
}

TEST_F(ButtonEditorTest, AlphaPicturesKeepAlphaAndDrawOpaque) {
  HBITMAP bitmap = CreateAlphaSection(16, 16);
  CTkIconHandle handle;
  handle.AttachBitmap(bitmap);
  editor.SetPicture(handle);
  Open();
  ASSERT_NE(nullptr, Canvas().GetPicture());
  EXPECT_TRUE(Canvas().GetPicture()->m_bAlpha);
  // All-zero pixels came in as the transparent colour.
  EXPECT_EQ(kEditorTransparentColor, At(0, 0));
  Stroke({CPoint(4, 4)});
  EXPECT_EQ(255, Canvas().GetPicture()->GetAlpha(4, 4));
  EXPECT_EQ(0, Canvas().GetPicture()->GetAlpha(5, 5));
  CTkIconHandle out;
  editor.GetPicture(out);
  ASSERT_TRUE(out.IsAlpha());
  EXPECT_EQ(CSize(16, 16), out.GetExtent());
}

// A bottom-up 24-bit bitmap file of the given pixels, cut short by `cut`
// bytes.
std::wstring WriteBitmapFile(const wchar_t* name, int width, int height, COLORREF color, size_t cut) {
  const int stride = (width * 3 + 3) & ~3;
  std::vector<BYTE> pixels(static_cast<size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      BYTE* p = &pixels[static_cast<size_t>(y) * stride + x * 3];
      p[0] = GetBValue(color);
      p[1] = GetGValue(color);
      p[2] = GetRValue(color);
    }
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
  std::vector<BYTE> bytes(reinterpret_cast<BYTE*>(&file), reinterpret_cast<BYTE*>(&file) + sizeof file);
  bytes.insert(bytes.end(), reinterpret_cast<BYTE*>(&info), reinterpret_cast<BYTE*>(&info) + sizeof info);
  bytes.insert(bytes.end(), pixels.begin(), pixels.end());
  bytes.resize(bytes.size() - cut);
  WCHAR folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  std::wstring path = std::wstring(folder) + name;
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (out != nullptr) {
    fwrite(bytes.data(), 1, bytes.size(), out);
    fclose(out);
  }
  return path;
}

TEST_F(ButtonEditorTest, ImportsASmallBitmapAndRefusesATruncatedOne) {
  Open();
  const std::wstring small = WriteBitmapFile(L"mulvara_editor_small.bmp", 4, 4, kRed, 0);
  const std::wstring cut = WriteBitmapFile(L"mulvara_editor_cut.bmp", 16, 16, kBlue, 100);
  ASSERT_TRUE(Canvas().ImportFile(small.c_str()));
  EXPECT_EQ(kRed, At(0, 0));
  EXPECT_EQ(kRed, At(3, 3));
  EXPECT_EQ(kEditorTransparentColor, At(4, 4));
  const std::vector<COLORREF> before = Pixels();
  const int steps = Canvas().GetUndoCount();
  EXPECT_FALSE(Canvas().ImportFile(cut.c_str()));
  EXPECT_FALSE(Canvas().ImportFile(L"C:\\no such folder\\picture.gif"));
  EXPECT_EQ(before, Pixels());
  EXPECT_EQ(steps, Canvas().GetUndoCount());
  ::DeleteFileW(small.c_str());
  ::DeleteFileW(cut.c_str());
}

TEST_F(ButtonEditorTest, ToolBarsFollowTheDialogsStatesAndTips) {
  Open();
  editor.SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, 0);
  CToolBar& tools = editor.GetToolBar();
  EXPECT_TRUE(tools.SendMessage(TB_ISBUTTONCHECKED, ID_TK_EDITOR_PENCIL));
  EXPECT_FALSE(tools.SendMessage(TB_ISBUTTONENABLED, ID_TK_EDITOR_UNDO));
  Stroke({CPoint(1, 1)});
  editor.SetTool(kToolLine);
  editor.SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, 0);
  EXPECT_FALSE(tools.SendMessage(TB_ISBUTTONCHECKED, ID_TK_EDITOR_PENCIL));
  EXPECT_TRUE(tools.SendMessage(TB_ISBUTTONCHECKED, ID_TK_EDITOR_LINE));
  EXPECT_TRUE(tools.SendMessage(TB_ISBUTTONENABLED, ID_TK_EDITOR_UNDO));
  EXPECT_FALSE(tools.SendMessage(TB_ISBUTTONENABLED, ID_TK_EDITOR_REDO));

  struct Case {
    UINT id;
    const char* tip;
  };
  const Case cases[] = {{ID_TK_EDITOR_PENCIL, "Pencil"}, {ID_TK_EDITOR_IMPORT, "Import from File"}, {9999, ""}};
  for (const Case& c : cases) {
    NMTTDISPINFOW wide = {};
    wide.hdr.hwndFrom = reinterpret_cast<HWND>(tools.SendMessage(TB_GETTOOLTIPS));
    wide.hdr.idFrom = c.id;
    wide.hdr.code = TTN_NEEDTEXTW;
    editor.SendMessage(WM_NOTIFY, c.id, reinterpret_cast<LPARAM>(&wide));
    EXPECT_EQ(std::string(c.tip), Narrow(wide.szText)) << c.id;
    NMTTDISPINFOA narrow = {};
    narrow.hdr.hwndFrom = wide.hdr.hwndFrom;
    narrow.hdr.idFrom = c.id;
    narrow.hdr.code = TTN_NEEDTEXTA;
    editor.SendMessage(WM_NOTIFY, c.id, reinterpret_cast<LPARAM>(&narrow));
    EXPECT_EQ(std::string(c.tip), std::string(narrow.szText)) << c.id;
  }
}

TEST_F(ButtonEditorTest, EmptyPictureGivesAnEmptyHandleAndAPlainPictureAnIcon) {
  CTkIconHandle none;
  editor.GetPicture(none);
  EXPECT_TRUE(none.IsEmpty());
  editor.SetPictureSize(24, 24);
  Open();
  EXPECT_EQ(CSize(24, 24), Canvas().GetPictureSize());
  Stroke({CPoint(23, 23)});
  CTkIconHandle icon;
  editor.GetPicture(icon);
  ASSERT_FALSE(icon.IsEmpty());
  EXPECT_FALSE(icon.IsAlpha());
  EXPECT_EQ(CSize(24, 24), icon.GetExtent());
}

}  // namespace
