#include <gtest/gtest.h>

#include "framework.h"
#include "test_resources.h"

namespace {

std::wstring Formatted(LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  CString s;
  s.FormatV(format, args);
  va_end(args);
  return std::wstring(s);
}

TEST(CStringFormat, GivesTheWindowsMeaningOfEachForm) {
  const wchar_t* wide = L"w\u00e9de";
  const char* narrow = "narrow";
  // %s is wide text in a wide Format and %S 8-bit text, as with the Windows
  // runtime; C99 (and mingw's ANSI stdio) would read them the other way.
  EXPECT_EQ(Formatted(L"[%s]", wide), L"[w\u00e9de]");
  EXPECT_EQ(Formatted(L"[%S]", narrow), L"[narrow]");
  EXPECT_EQ(Formatted(L"[%ls|%ws]", wide, wide), L"[w\u00e9de|w\u00e9de]");
  EXPECT_EQ(Formatted(L"[%hs]", narrow), L"[narrow]");
  EXPECT_EQ(Formatted(L"[%c%C%lc%hc]", L'\u00e9', 'n', L'w', 'h'), L"[\u00e9nwh]");
  EXPECT_EQ(Formatted(L"[%5s|%-5s|%.2s]", L"ab", L"ab", L"abcd"), L"[   ab|ab   |ab]");
  EXPECT_EQ(Formatted(L"[%s]", static_cast<const wchar_t*>(nullptr)), L"[(null)]");

  EXPECT_EQ(Formatted(L"%d %i %u %ld", -42, 7, 4000000000u, -5L), L"-42 7 4000000000 -5");
  EXPECT_EQ(Formatted(L"%I64d %I64u %lld", -1234567890123LL, 18446744073709551615ULL, 99LL),
            L"-1234567890123 18446744073709551615 99");
  EXPECT_EQ(Formatted(L"%x %X %08X %#x %o", 255, 255, 0xBEEF, 255, 8), L"ff FF 0000BEEF 0xff 10");
  EXPECT_EQ(Formatted(L"[%5d|%-5d|%05d|%+d|% d|%.3d]", 42, 42, -42, 42, 42, 7), L"[   42|42   |-0042|+42| 42|007]");
  EXPECT_EQ(Formatted(L"[%*d|%-*d]", 4, 1, 3, 2), L"[   1|2  ]");
  EXPECT_EQ(Formatted(L"%2.2f %.1f %g %6.1f", 3.14159, 2.26, 0.5, -1.25), L"3.14 2.3 0.5   -1.2");
  EXPECT_EQ(Formatted(L"100%% Dir%u%s", 3u, L".wrx"), L"100% Dir3.wrx");
}

TEST(CString, EditsAndSearches) {
  CString s(L"  Report.WRX  ");
  s.TrimLeft();
  s.TrimRight();
  EXPECT_EQ(s, L"Report.WRX");
  EXPECT_EQ(s.GetLength(), 10);
  EXPECT_EQ(s.Right(4).CompareNoCase(L".wrx"), 0);
  EXPECT_NE(s.Right(4).Compare(L".wrx"), 0);
  EXPECT_EQ(s.Find(L'.'), 6);
  EXPECT_EQ(s.Find(L"WRX"), 7);
  EXPECT_EQ(s.Find(L'R', 1), 8);
  EXPECT_EQ(s.Find(L'Z'), -1);
  EXPECT_EQ(s.ReverseFind(L'R'), 8);
  EXPECT_EQ(s.FindOneOf(L"xp"), 2);
  EXPECT_EQ(s.Left(6), L"Report");
  EXPECT_EQ(s.Mid(7), L"WRX");
  EXPECT_EQ(s.Mid(7, 100), L"WRX");
  EXPECT_EQ(s.Mid(20), L"");
  s.MakeLower();
  EXPECT_EQ(s, L"report.wrx");
  s.MakeUpper();
  EXPECT_EQ(s, L"REPORT.WRX");

  CString menu(L"Save & Exit & Close");
  EXPECT_EQ(menu.Replace(L"&", L"&&"), 2);
  EXPECT_EQ(menu, L"Save && Exit && Close");
  CString quoted(L"\"C:\\a b\\c\"");
  EXPECT_EQ(quoted.Remove(L'"'), 2);
  EXPECT_EQ(quoted, L"C:\\a b\\c");
  EXPECT_EQ(quoted.Replace(L'\\', L'_'), 2);
  quoted.Insert(0, L"<");
  quoted.Insert(quoted.GetLength(), L'>');
  EXPECT_EQ(quoted, L"<C:_a b_c>");
  quoted.Delete(1, 3);
  EXPECT_EQ(quoted, L"<a b_c>");
  quoted.TrimRight(L'>');
  quoted.TrimLeft(L"<a");
  EXPECT_EQ(quoted, L" b_c");

  CString joined = CString(L"a") + L"b" + CString(L"c") + L'd';
  joined += L"e";
  EXPECT_EQ(joined, L"abcde");
  EXPECT_EQ(CString("8-bit"), L"8-bit");
  EXPECT_EQ(CString(L"abc").ToAnsi(), "abc");
}

TEST(CString, BufferAccess) {
  CString s;
  wcscpy(s.GetBuffer(16), L"filled");
  s.ReleaseBuffer();
  EXPECT_EQ(s, L"filled");
  EXPECT_EQ(s.GetLength(), 6);
  s.GetBuffer(3);
  s.ReleaseBuffer(3);
  EXPECT_EQ(s, L"fil");
  BSTR b = s.AllocSysString();
  EXPECT_EQ(SysStringLen(b), 3u);
  SysFreeString(b);
}

TEST(CString, LoadsFromTheStringTable) {
  CString s;
  ASSERT_TRUE(s.LoadString(IDS_TEST_GREETING));
  EXPECT_EQ(s, L"Hello from the string table");
  EXPECT_FALSE(s.LoadString(IDS_TEST_GREETING + 77));
  EXPECT_TRUE(s.IsEmpty());
  CString formatted;
  formatted.Format(IDS_TEST_FORMAT, 3, L"files");
  EXPECT_EQ(formatted, L"3 files found");
  // The framework's own strings come with any program's resources.
  EXPECT_TRUE(s.LoadString(AFX_IDS_IDLEMESSAGE));
  EXPECT_EQ(s, L"Ready");
  CString piece;
  EXPECT_TRUE(AfxExtractSubString(piece, L"one\ntwo\nthree", 1));
  EXPECT_EQ(piece, L"two");
  EXPECT_FALSE(AfxExtractSubString(piece, L"one\ntwo", 5));
}

}  // namespace
