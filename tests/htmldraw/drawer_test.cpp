#include <algorithm>
#include <vector>

#include "drawer_fixture.h"
#include "link_open.h"
#include "test_resources.h"

namespace {

TEST_F(DrawerTest, MeasureGivesOneMoreThanTheContentAndNothingForEmptyText) {
  EXPECT_EQ(CSize(0, 0), Measure(L""));
  EXPECT_EQ(CSize(1, 1), Measure(L"<b></b>"));
  CSize hello = Extent(L"Hello world", BodyHeight());
  EXPECT_EQ(CSize(hello.cx + 1, hello.cy + 1), Measure(L"Hello world"));
  // A character wider than the maximum width is capped in the size.
  drawer.SetMaximumWidth(3);
  EXPECT_EQ(4, Measure(L"W").cx);
}

TEST_F(DrawerTest, DrawPaintsNothingBeforeMeasureAndTheSameTwice) {
  CRect area(0, 0, 300, 100);
  drawer.Draw(&canvas.dc, area);
  EXPECT_EQ(0, InkCount(area));
  Measure(L"<b>Bold</b> and <font color=red>red</font> text");
  drawer.Draw(&canvas.dc, area);
  int ink = InkCount(area);
  EXPECT_GT(ink, 50);
  std::vector<COLORREF> first;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 300; ++x) first.push_back(canvas.Pixel(x, y));
  canvas.Fill(RGB(255, 255, 255));
  drawer.Draw(&canvas.dc, area);
  std::vector<COLORREF> second;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 300; ++x) second.push_back(canvas.Pixel(x, y));
  EXPECT_EQ(first, second);
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(299, 39));
}

TEST_F(DrawerTest, EntitiesShowAsTextNotMarkup) {
  int h = BodyHeight();
  const struct {
    LPCWSTR markup;
    LPCWSTR plain;
  } cases[] = {
      {L"&amp;lt;", L"<"},
      {L"&lt;b&gt;x", L"<b>x"},
      {L"a<<b", L"a<b"},
      {L"&#65;&hellip;", L"&#65;&hellip;"},
      {L"x&nbsp;y", L"x y"},
  };
  for (const auto& c : cases) EXPECT_EQ(Extent(c.plain, h).cx + 1, Measure(c.markup).cx) << c.markup;
}

TEST_F(DrawerTest, TagsChangeTheStyleAndClosingTagsMatchByValue) {
  int h = BodyHeight();
  EXPECT_EQ(Extent(L"x", h, 700).cx + 1, Measure(L"<b>x</b>").cx);
  EXPECT_EQ(Extent(L"x", h).cx + 1, Measure(L"<B>x</B>").cx);
  // A closing em ends an i: they share their value text.
  auto picture = [this](LPCWSTR text) {
    canvas.Fill(RGB(255, 255, 255));
    CSize size = Measure(text);
    drawer.Draw(&canvas.dc, CRect(0, 0, size.cx, size.cy));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 80; ++x) pixels.push_back(canvas.Pixel(x, y));
    return pixels;
  };
  EXPECT_EQ(picture(L"<i>ab</i>cd"), picture(L"<i>ab</em>cd"));
  EXPECT_NE(picture(L"<i>ab</i>cd"), picture(L"<i>ab</b>cd"));
  // Two b tags give 800 and then 900; Wine's fonts step at 700, so compare
  // against the weight the drawer asked for.
  EXPECT_EQ(Extent(L"x", h, 800).cx + 1, Measure(L"<b><b>x").cx);
  // A closing h2 does not end h1: the text after it keeps the h1 size.
  int h1 = 14 * Dpi() / 72;
  EXPECT_EQ(Extent(L"a", h1, 700).cx + Extent(L"b", h1, 700).cx + 1, Measure(L"<h1>a</h2>b").cx);
  EXPECT_EQ(Extent(L"x", 12).cx + 1, Measure(L"<font size=3>x</font>").cx);
  EXPECT_EQ(Extent(L"x", 8).cx + 1, Measure(L"<font size=010>x</font>").cx);
}

TEST_F(DrawerTest, BreaksTabsAndRules) {
  int h = BodyHeight();
  TEXTMETRICW tm = Metrics(h);
  int line = tm.tmHeight;
  EXPECT_EQ(line + 1, Measure(L"abc<br>").cy);
  EXPECT_EQ(2 * line + 1, Measure(L"abc<br><br>").cy);
  EXPECT_EQ(4 * line + 1, Measure(L"a<br=3>b").cy);
  EXPECT_EQ(2 * line + 1, Measure(L"a</br>b").cy);
  drawer.SetNewlineAsBreak(1);
  EXPECT_EQ(32 + Extent(L"x", h).cx + 1, Measure(L"\tx").cx);
  EXPECT_EQ(96 + 1, Measure(L"<t=3>").cx);
  // A 50% rule on its own line counts 1 pixel plus half the widest line.
  int wide = Measure(L"<font size=200px>&nbsp;</font>").cx;
  EXPECT_EQ(wide, Measure(L"<font size=200px>&nbsp;</font><br><hr width=50%>").cx);
  std::vector<HtmlLineRecord> lines = drawer.GetLineRecords();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(50, lines[1].percentWidth);
  EXPECT_EQ(9, lines[1].height);
}

TEST_F(DrawerTest, TabStopsFromTheFlowsLeftEdge) {
  // The test picture is 40 pixels wide: "<t>" at 40 goes to 64, a count of
  // 3 from there to 160.
  EXPECT_EQ(64 + Extent(L"x", BodyHeight()).cx + 1, Measure(L"<bmp idres=160><t>x").cx);
  EXPECT_EQ(160 + 1, Measure(L"<bmp idres=160><t><t=3>").cx);
}

TEST_F(DrawerTest, LongRunsWrapAtBreakCharacters) {
  drawer.SetMaximumWidth(200);
  LPCWSTR text = L"One two three four five six seven eight nine ten eleven twelve thirteen fourteen";
  CSize size = Measure(text);
  EXPECT_LE(size.cx, 201);
  const std::vector<HtmlLineRecord>& lines = drawer.GetLineRecords();
  ASSERT_GE(lines.size(), 3u);
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].height == 0) continue;
    EXPECT_LE(lines[i].width, 200);
  }
  EXPECT_EQ(1, lines[0].justifiable);

  // A hyphen breaks after itself; a word wider than the line is cut with at
  // least one character per line.
  drawer.SetMaximumWidth(Extent(L"well-", BodyHeight()).cx + 4);
  Measure(L"well-known");
  EXPECT_GE(drawer.GetLineRecords().size(), 2u);
  drawer.SetMaximumWidth(3);
  CSize cut = Measure(L"abc");
  EXPECT_EQ(4, cut.cx);
  EXPECT_GE(cut.cy, 3 * Metrics(BodyHeight()).tmHeight);
}

TEST_F(DrawerTest, JustifiedLinesEndAtTheRightEdge) {
  drawer.SetMaximumWidth(300);
  LPCWSTR text = L"<justify>Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor "
                 L"incididunt ut labore et dolore magna aliqua. Ut enim ad minim veniam.</justify>";
  CSize size = Measure(text);
  drawer.Draw(&canvas.dc, CRect(0, 0, 300, size.cy));
  const std::vector<HtmlLineRecord> lines = drawer.GetLineRecords();
  int y = 0;
  int justified = 0;
  for (const HtmlLineRecord& line : lines) {
    if (line.height == 0) break;
    int right = RightmostInk(CRect(0, y, 300, y + line.height));
    if (line.justifiable) {
      // The last glyph may keep a pixel of side bearing.
      EXPECT_GE(right, 296) << "line at " << y;
      ++justified;
    } else if (right >= 0) {
      EXPECT_LT(right, 296);
    }
    y += line.height;
  }
  EXPECT_GE(justified, 2);
}

TEST_F(DrawerTest, ANarrowerDrawReadsMissingLinesAsEmpty) {
  drawer.SetMaximumWidth(400);
  LPCWSTR text = L"alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi omicron pi";
  CSize size = Measure(text);
  size_t measuredLines = drawer.GetLineRecords().size();
  drawer.Draw(&canvas.dc, CRect(0, 0, 60, 400));
  EXPECT_EQ(measuredLines, drawer.GetLineRecords().size());
  EXPECT_GT(InkCount(CRect(0, size.cy, 60, 400)), 0);
}

TEST_F(DrawerTest, MessageBoxBodyIsTwoColumnsOnePixelApart) {
  HICON icon = ::LoadIconW(nullptr, IDI_INFORMATION);
  ASSERT_NE(nullptr, icon);
  CSize iconSize = CDrawEffects::GetIconSize(icon);
  std::wstring text = L"<table cellpadding=4><tr><td width=40><icon handle=" + Handle(icon) +
                      L"></td><td>Message</td></tr></table>";
  CSize size = Measure(text.c_str());
  ASSERT_EQ(1u, drawer.GetTableGrids().size());
  const HtmlTableGrid& grid = drawer.GetTableGrids()[0];
  ASSERT_EQ(2u, grid.columnWidths.size());
  EXPECT_EQ(std::max(40, static_cast<int>(iconSize.cx)) + 8, grid.columnWidths[0]);
  EXPECT_EQ(Extent(L"Message", BodyHeight()).cx + 8, grid.columnWidths[1]);
  EXPECT_EQ(grid.columnWidths[0] + grid.columnWidths[1] + 1 + 1, size.cx);
  EXPECT_EQ(1, grid.fixedColumns[0]);

  // Drawn wider, the column without a width takes the extra.
  drawer.Draw(&canvas.dc, CRect(0, 0, 400, size.cy));
  EXPECT_GT(InkCount(CRect(4, 4, 4 + iconSize.cx, 4 + iconSize.cy)), 20);
}

TEST_F(DrawerTest, TableBordersAndBackgrounds) {
  CSize size = Measure(L"<table border=3 bordercolor=red bgcolor=yellow><tr><td>x</td></tr></table>");
  const HtmlTableGrid& grid = drawer.GetTableGrids()[0];
  EXPECT_EQ(grid.columnWidths[0] + 6 + 1, size.cx);
  drawer.Draw(&canvas.dc, CRect(0, 0, size.cx - 1, size.cy - 1));
  EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(1, size.cy / 2));
  EXPECT_EQ(RGB(255, 255, 0), canvas.Pixel(size.cx / 2, 4));

  CSize doubled = Measure(L"<table borderstyle=double><tr><td>x</td></tr></table>");
  EXPECT_EQ(drawer.GetTableGrids()[0].columnWidths[0] + 6 + 1, doubled.cx);

  CSize empty = Measure(L"<table cellspacing=4 border=2></table>");
  EXPECT_EQ(CSize(4 - 1 + 4 + 1, 4 - 1 + 4 + 1), empty);
}

TEST_F(DrawerTest, WiderRectanglesWidenFreeColumnsOrPlaceFixedTables) {
  CSize size = Measure(L"<table><tr><td width=30 bgcolor=red>a</td><td bgcolor=blue>b</td></tr></table>");
  EXPECT_LT(size.cx, 100);
  drawer.Draw(&canvas.dc, CRect(0, 0, 300, size.cy));
  EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(1, 1));
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(298, 1));

  canvas.Fill(RGB(255, 255, 255));
  size = Measure(L"<table align=right><tr><td width=30 bgcolor=red>a</td></tr></table>");
  drawer.Draw(&canvas.dc, CRect(0, 0, 300, size.cy));
  EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(298, 1));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(1, 1));
}

TEST_F(DrawerTest, AHoveredPictureTakesItsHotStyle) {
  CSize size = Measure(L"<a href=x><bmp idres=160 hotstyle=g></a>");
  drawer.Draw(&canvas.dc, CRect(0, 0, size.cx, size.cy));
  COLORREF sky = canvas.Pixel(5, 3);
  EXPECT_NE(GetRValue(sky), GetBValue(sky));
  drawer.OnSetCursor(CPoint(5, 3));
  drawer.Draw(&canvas.dc, CRect(0, 0, size.cx, size.cy));
  COLORREF gray = canvas.Pixel(5, 3);
  EXPECT_EQ(GetRValue(gray), GetBValue(gray));
  EXPECT_EQ(GetGValue(gray), GetBValue(gray));
}

TEST_F(DrawerTest, SpansPastTheGridAreClipped) {
  LPCWSTR texts[] = {
      L"<table><tr><td rowspan=2>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>",
      L"<table><tr><td colspan=9>a</td></tr><tr><td>b</td><td rowspan=7>c</td></tr></table>",
      L"<table><tr><td>a</td></tr><tr><td rowspan=2 colspan=2>b</td><td>c</td></tr></table>",
  };
  for (LPCWSTR text : texts) {
    CSize size = Measure(text);
    EXPECT_GT(size.cx, 1) << text;
    drawer.Draw(&canvas.dc, CRect(0, 0, 300, size.cy));
    const HtmlTableGrid& grid = drawer.GetTableGrids()[0];
    for (const auto& row : grid.rows) EXPECT_EQ(grid.columnWidths.size(), row.size());
  }
}

TEST_F(DrawerTest, NestedTablesGetTheirOwnGridsInDocumentOrder) {
  Measure(L"<table><tr><td><table><tr><td>in</td><td>ner</td></tr></table></td></tr></table>"
          L"<table><tr><td>x</td></tr></table>");
  ASSERT_EQ(3u, drawer.GetTableGrids().size());
  EXPECT_EQ(1u, drawer.GetTableGrids()[0].columnWidths.size());
  EXPECT_EQ(2u, drawer.GetTableGrids()[1].columnWidths.size());
}

TEST_F(DrawerTest, AnimatedStripsStepAndWrap) {
  CSize size = Measure(L"<ilst idres=159 cx=32 cy=32 mask width=200% height=200% speed=1>");
  EXPECT_EQ(CSize(65, 65), size);
  ASSERT_EQ(1u, drawer.GetAnimations().size());
  EXPECT_EQ(3, drawer.GetAnimations()[0].frameCount);
  drawer.Draw(&canvas.dc, CRect(0, 0, 64, 64));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(1, 1));  // magenta keyed out
  COLORREF first = canvas.Pixel(32, 32);
  EXPECT_EQ(RGB(220, 40, 40), first);
  EXPECT_TRUE(drawer.StepAnimations());
  drawer.Draw(&canvas.dc, CRect(0, 0, 64, 64));
  EXPECT_EQ(RGB(30, 160, 60), canvas.Pixel(32, 32));
  drawer.StepAnimations();
  EXPECT_TRUE(drawer.StepAnimations());
  EXPECT_EQ(0, drawer.GetAnimations()[0].currentFrame);

  Measure(L"<ilst idres=159 speed=3>");
  EXPECT_FALSE(drawer.StepAnimations());
  EXPECT_FALSE(drawer.StepAnimations());
  EXPECT_TRUE(drawer.StepAnimations());
  EXPECT_EQ(1, drawer.GetAnimations()[0].currentFrame);
}

TEST_F(DrawerTest, PicturesTakeTheirDrawnAndShadowSizes) {
  EXPECT_EQ(CSize(21, 21), Measure(L"<bmp idres=160 width=50%>"));
  EXPECT_EQ(CSize(45, 25), Measure(L"<bmp idres=160 style=s>"));
  drawer.SetImageShadow(0, 0, 50, 1, 7, 7);
  EXPECT_EQ(CSize(41, 21), Measure(L"<bmp idres=160 style=s>"));
  EXPECT_EQ(CSize(1, 1), Measure(L"<ilst idres=159 index=3>"));
  EXPECT_EQ(CSize(1, 1), Measure(L"<bmp file=Z:\\nowhere\\missing.bmp>"));
  // A handle that is not a bitmap reads as a strip of size 0: no frames.
  EXPECT_EQ(CSize(1, 1), Measure(L"<ilst handle=0x1234 cx=0 cy=0>"));
  drawer.Draw(&canvas.dc, CRect(0, 0, 100, 100));
}

TEST_F(DrawerTest, AnIconByHandleIsDrawnAndKept) {
  HICON icon = ::CreateIcon(nullptr, 32, 32, 1, 32, nullptr, nullptr);
  HICON owned = static_cast<HICON>(::CopyImage(::LoadIconW(nullptr, IDI_WARNING), IMAGE_ICON, 32, 32, 0));
  ASSERT_NE(nullptr, owned);
  std::wstring text = L"<icon handle=" + Handle(owned) + L">";
  CSize size = Measure(text.c_str());
  drawer.Draw(&canvas.dc, CRect(0, 0, size.cx, size.cy));
  ICONINFO info = {};
  EXPECT_TRUE(::GetIconInfo(owned, &info));
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  EXPECT_GT(InkCount(CRect(0, 0, size.cx, size.cy)), 20);
  ::DestroyIcon(owned);
  if (icon != nullptr) ::DestroyIcon(icon);
}

// Records the hover notices a drawer sends.
struct HoverWindow {
  HoverWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HtmlDrawHoverRecorder";
    ::RegisterClassW(&wc);
    hWnd = ::CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~HoverWindow() { ::DestroyWindow(hWnd); }
  static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == 1125) {
      auto* self = reinterpret_cast<HoverWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
      self->notices.push_back(static_cast<int>(wParam));
      return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
  }
  HWND hWnd = nullptr;
  std::vector<int> notices;
};

TEST_F(DrawerTest, LinksRecordTheirAreasAndNotifyHoverChanges) {
  HoverWindow recorder;
  drawer.SetCallbackMessage(recorder.hWnd, 1125, 7);
  drawer.SetMaximumWidth(Extent(L"second", BodyHeight()).cx + 10);
  CSize size = Measure(L"<a href=\"http://x/\">first second</a><br><a msg=go>third</a> <a>none</a>");
  drawer.Draw(&canvas.dc, CRect(0, 0, size.cx, size.cy));
  const std::vector<HtmlLinkArea> areas = drawer.GetLinkAreas();
  ASSERT_GE(areas.size(), 4u);
  EXPECT_EQ(0, areas[0].linkIndex);
  EXPECT_EQ(0, areas[1].linkIndex);
  EXPECT_LT(areas[0].top, areas[1].top);
  EXPECT_EQ(1, areas[2].linkIndex);
  EXPECT_EQ(2, areas[3].linkIndex);
  EXPECT_TRUE(areas[3].target.empty());

  EXPECT_EQ(1, drawer.OnSetCursor(CPoint(areas[0].right, areas[0].bottom)));  // edges are inside
  EXPECT_EQ(1, drawer.OnSetCursor(CPoint(areas[1].left + 1, areas[1].top + 1)));
  EXPECT_EQ(1, drawer.OnSetCursor(CPoint(areas[2].left + 1, areas[2].top + 1)));
  EXPECT_EQ(0, drawer.OnSetCursor(CPoint(areas[3].left + 1, areas[3].top + 1)));
  EXPECT_EQ(0, drawer.OnSetCursor(CPoint(590, 390)));
  EXPECT_EQ(0, drawer.OnSetCursor(CPoint(591, 390)));
  EXPECT_EQ((std::vector<int>{0, 1, 2, -2}), recorder.notices);
  // Clicking a link without a target, or a msg link with no window set, does nothing.
  drawer.OnLButtonDown(CPoint(areas[3].left + 1, areas[3].top + 1));
  drawer.OnLButtonDown(CPoint(areas[2].left + 1, areas[2].top + 1));
}

TEST_F(DrawerTest, TheHoveredLinkIsDrawnWithTheHoverStyle) {
  CSize size = Measure(L"<a href=x>link</a>");
  drawer.Draw(&canvas.dc, CRect(0, 0, size.cx, size.cy));
  const HtmlLinkArea area = drawer.GetLinkAreas()[0];
  int plain = InkCount(CRect(0, 0, size.cx, size.cy));
  drawer.OnSetCursor(CPoint(area.left, area.top));
  canvas.Fill(RGB(255, 255, 255));
  drawer.Draw(&canvas.dc, CRect(0, 0, size.cx, size.cy));
  EXPECT_GT(InkCount(CRect(0, 0, size.cx, size.cy)), plain);  // underlined
}

TEST_F(DrawerTest, StringsComeFromTheStringTable) {
  EXPECT_EQ(CString(L"Second line"), drawer.GetResourceStringLine(IDS_TEST_STRING, 1));
  EXPECT_EQ(CString(L"Tip text"), drawer.GetResourceStringLine(IDS_TEST_STRING, 0));
  EXPECT_EQ(CString(), drawer.GetResourceStringLine(IDS_TEST_STRING, 2));
  EXPECT_EQ(Extent(L"Tip text\nSecond line", BodyHeight()).cx + 1, Measure(L"<string idres=161>").cx);
}

TEST_F(DrawerTest, DisabledColoursTurnEverythingToOneGray) {
  drawer.SetColorsEnabled(0);
  drawer.SetDisabledColor(RGB(128, 128, 128));
  CSize size = Measure(L"<font color=red bkgnd=yellow>red</font> <table bgcolor=blue border=1><tr><td>"
                       L"<bmp idres=160></td></tr></table>");
  drawer.Draw(&canvas.dc, CRect(0, 0, size.cx, size.cy));
  int ink = 0;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) {
      COLORREF pixel = canvas.Pixel(x, y);
      if (pixel == RGB(255, 255, 255)) continue;
      ++ink;
      ASSERT_TRUE(GetRValue(pixel) == GetGValue(pixel) && GetGValue(pixel) == GetBValue(pixel)) << x << "," << y;
    }
  EXPECT_GT(ink, 40 * 20 / 2);  // the picture's silhouette at least
}

std::vector<std::string> g_commands;
INT_PTR g_shellResult = 2;

HINSTANCE WINAPI FailingShell(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) {
  return reinterpret_cast<HINSTANCE>(g_shellResult);
}
UINT WINAPI RecordingWinExec(LPCSTR commandLine, UINT) {
  g_commands.push_back(commandLine);
  return 33;
}

// The ".htm" class of the throwaway prefix pointed at a test handler, and
// put back afterwards.
struct HtmlHandler {
  explicit HtmlHandler(LPCWSTR command) {
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CLASSES_ROOT, L".htm", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    WCHAR value[260] = {};
    DWORD bytes = sizeof value - sizeof(WCHAR);
    hadValue = ::RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &bytes) == 0;
    previous = value;
    SetDefault(key, L"MulvaraTestPage");
    ::RegCloseKey(key);
    ::RegCreateKeyExW(HKEY_CLASSES_ROOT, L"MulvaraTestPage\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr);
    SetDefault(key, command);
    ::RegCloseKey(key);
  }
  ~HtmlHandler() {
    for (LPCWSTR sub : {L"MulvaraTestPage\\shell\\open\\command", L"MulvaraTestPage\\shell\\open",
                        L"MulvaraTestPage\\shell", L"MulvaraTestPage"})
      ::RegDeleteKeyW(HKEY_CLASSES_ROOT, sub);
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, L".htm", 0, KEY_ALL_ACCESS, &key) == 0) {
      if (hadValue)
        SetDefault(key, previous.c_str());
      else
        ::RegDeleteValueW(key, nullptr);
      ::RegCloseKey(key);
    }
  }
  static void SetDefault(HKEY key, LPCWSTR text) {
    ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                     static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(WCHAR)));
  }
  bool hadValue = false;
  std::wstring previous;
};

TEST_F(DrawerTest, AClickThatTheShellCannotOpenRunsTheHtmlHandlerOnlyWithAWholeCommand) {
  auto* shell = LinkShellExecute;
  auto* exec = LinkWinExec;
  LinkShellExecute = &FailingShell;
  LinkWinExec = &RecordingWinExec;
  g_commands.clear();
  const struct {
    LPCWSTR command;
    LPCSTR expected;  // null: nothing runs
  } cases[] = {
      {L"\"C:\\tools\\helper.exe\" \"%1\"", "\"C:\\tools\\helper.exe\"  http://mulvara.example/"},
      {L"helper.exe %1 -new", "helper.exe  http://mulvara.example/"},
      {L"helper.exe", "helper.exe http://mulvara.example/"},
      {L"", nullptr},
  };
  for (const auto& c : cases) {
    HtmlHandler handler(c.command);
    CSize size = Measure(L"<a href=\"http://mulvara.example/\">open</a>");
    drawer.Draw(&canvas.dc, CRect(0, 0, size.cx, size.cy));
    g_commands.clear();
    drawer.OnLButtonDown(CPoint(2, 2));
    if (c.expected == nullptr) {
      EXPECT_TRUE(g_commands.empty()) << c.command;
    } else {
      ASSERT_EQ(1u, g_commands.size()) << c.command;
      EXPECT_EQ(c.expected, g_commands[0]);
    }
  }
  {
    HtmlHandler handler(L"helper.exe");
    std::wstring text = L"<a href=\"http://mulvara.example/" + std::wstring(600, L'p') + L"\">long</a>";
    CSize size = Measure(text.c_str());
    drawer.Draw(&canvas.dc, CRect(0, 0, size.cx, size.cy));
    g_commands.clear();
    drawer.OnLButtonDown(CPoint(2, 2));
    EXPECT_TRUE(g_commands.empty());
  }
  LinkShellExecute = shell;
  LinkWinExec = exec;
}

// Markup made of the drawer's own pieces in random order: every text is
// measured and drawn, wider and narrower, without hanging or crashing.
TEST_F(DrawerTest, RandomMarkupIsMeasuredAndDrawnSafely) {
  static const wchar_t* const kPieces[] = {
      L"<table", L"<table border=2 cellspacing=3>", L"</table>", L"<tr>", L"</tr>", L"<td", L"<td colspan=3>",
      L"<td rowspan=2 width=20>", L"</td>", L"<b>", L"</b>", L"<i>", L"</em>", L"<font size=3 color=red>",
      L"</font>", L"<br>", L"<br=2>", L"<t>", L"<t=9>", L"<hr width=50%>", L"<hr>", L"<a href=x>", L"</a>",
      L"<justify>", L"</justify>", L"<center>", L"<right>", L"<h1>", L"</h2>", L"<sub>", L"<span class=cpp-comment>",
      L"<bmp idres=160 style=s>", L"<ilst idres=159 speed=2 index=1>", L"<icon idres=1>", L"<string idres=161>",
      L"word ", L"longerwordwithoutbreaks", L"a-b.c,d ", L"<", L">", L"<<", L"&lt;", L"&amp;", L" ", L"\r\n", L"\t",
  };
  const int count = static_cast<int>(sizeof kPieces / sizeof kPieces[0]);
  unsigned seed = 12345;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  for (int round = 0; round < 300; ++round) {
    std::wstring text;
    int pieces = 1 + next() % 40;
    for (int i = 0; i < pieces; ++i) text += kPieces[next() % count];
    drawer.SetMaximumWidth(next() % 3 == 0 ? 0 : 20 + next() % 200);
    CSize size = Measure(text.c_str());
    drawer.Draw(&canvas.dc, CRect(0, 0, std::max(1L, size.cx), size.cy));
    drawer.Draw(&canvas.dc, CRect(0, 0, std::max(1L, size.cx / 3), size.cy));
    drawer.StepAnimations();
    drawer.OnSetCursor(CPoint(next() % 300, next() % 200));
  }
  SUCCEED();
}

}  // namespace
