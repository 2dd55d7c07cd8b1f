#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link_open.h"
#include "link_static.h"
#include "test_resources.h"
#include "widget_host.h"

namespace {

// The shell and process calls as the tests answer them: nothing starts.
INT_PTR g_shellResult = 31;
std::vector<std::wstring> g_opened;
std::vector<std::string> g_commandLines;

HINSTANCE WINAPI FakeShellExecute(HWND, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
  g_opened.push_back(file);
  return reinterpret_cast<HINSTANCE>(g_shellResult);
}

UINT WINAPI FakeWinExec(LPCSTR commandLine, UINT) {
  g_commandLines.push_back(commandLine);
  return 33;
}

class Links : public ::testing::Test {
 protected:
  void SetUp() override {
    g_shellResult = 31;
    g_opened.clear();
    g_commandLines.clear();
    LinkShellExecute = &FakeShellExecute;
    LinkWinExec = &FakeWinExec;
  }
  void TearDown() override {
    LinkShellExecute = &::ShellExecuteW;
    LinkWinExec = &::WinExec;
    for (LPCWSTR subKey : {L"\\good", L"\\longest", L"\\long", L"\\number", L"\\empty", L""})
      ::RegDeleteKeyW(HKEY_CURRENT_USER, (TestKey() + subKey).c_str());
    TheTestApp().recordMessageBoxes = false;
  }
  static std::wstring TestKey() { return std::wstring(L"Software\\") + KeyOfThisTest(L"Mulvara Controls Tests"); }
  void WriteValue(LPCWSTR subKey, DWORD type, const void* data, DWORD bytes) {
    HKEY hKey = nullptr;
    std::wstring path = TestKey() + subKey;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    if (data != nullptr) ::RegSetValueExW(hKey, nullptr, 0, type, static_cast<const BYTE*>(data), bytes);
    ::RegCloseKey(hKey);
  }
};

TEST_F(Links, RegistryDefaultValuesAreReadWholeOrNotAtAll) {
  std::wstring good = L"htmlfile";
  std::wstring longest(129, L'a');
  std::wstring tooLong(130, L'b');
  DWORD number = 7;
  WriteValue(L"\\good", REG_SZ, good.c_str(), static_cast<DWORD>((good.size() + 1) * 2));
  WriteValue(L"\\longest", REG_SZ, longest.c_str(), static_cast<DWORD>((longest.size() + 1) * 2));
  WriteValue(L"\\long", REG_SZ, tooLong.c_str(), static_cast<DWORD>((tooLong.size() + 1) * 2));
  WriteValue(L"\\number", REG_DWORD, &number, sizeof number);
  WriteValue(L"\\empty", REG_SZ, nullptr, 0);
  struct Case {
    LPCWSTR subKey;
    bool ok;
    std::wstring text;
  } cases[] = {
      {L"\\good", true, good},  {L"\\longest", true, longest}, {L"\\long", false, L""},
      {L"\\number", false, L""}, {L"\\empty", false, L""},      {L"\\missing", false, L""},
  };
  for (const Case& c : cases) {
    WCHAR buffer[kRegistryValueChars];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    LONG status = ReadRegistryDefaultValue(HKEY_CURRENT_USER, (TestKey() + c.subKey).c_str(), buffer);
    EXPECT_EQ(status == ERROR_SUCCESS, c.ok) << c.subKey << " " << status;
    EXPECT_EQ(std::wstring(buffer), c.text) << c.subKey;
  }
}

TEST_F(Links, FallbackCommandLinesCutAtTheTargetPlaceAndNeverRunPastTheirSize) {
  struct Case {
    LPCWSTR command;
    LPCWSTR expected;
  } cases[] = {
      {L"\"C:\\Program Files\\browser.exe\" -nohome \"%1\"", L"\"C:\\Program Files\\browser.exe\" -nohome  http://x/"},
      {L"browser.exe %1 -new", L"browser.exe  http://x/"},
      {L"browser.exe", L"browser.exe http://x/"},
      {L"b.exe \"%1\" %1", L"b.exe  http://x/"},
  };
  for (const Case& c : cases) {
    CString line;
    EXPECT_TRUE(BuildFallbackCommandLine(c.command, L"http://x/", line));
    EXPECT_EQ(line, CString(c.expected)) << c.command;
  }
  CString line(L"unchanged");
  std::wstring target(519 - 12, L't');  // "browser.exe " + target + terminator: 520
  EXPECT_TRUE(BuildFallbackCommandLine(L"browser.exe", target.c_str(), line));
  target += L't';
  line = L"unchanged";
  EXPECT_FALSE(BuildFallbackCommandLine(L"browser.exe", target.c_str(), line));
  EXPECT_EQ(line, CString(L"unchanged"));
}

TEST_F(Links, OpeningFallsBackToTheHtmlCommandOnlyWhenItFits) {
  g_shellResult = 42;
  EXPECT_EQ(OpenLinkTarget(L"http://mulvara.example/", SW_SHOW), 42);
  EXPECT_TRUE(g_commandLines.empty());

  // The shell fails: the ".htm" class's open command runs with the target,
  // when the prefix has one.
  g_shellResult = 31;
  WCHAR htmlClass[kRegistryValueChars];
  WCHAR command[kRegistryValueChars];
  bool associated = ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, L".htm", htmlClass) == ERROR_SUCCESS &&
                    ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, (std::wstring(htmlClass) + L"\\shell\\open\\command").c_str(),
                                             command) == ERROR_SUCCESS;
  INT_PTR result = OpenLinkTarget(L"http://mulvara.example/", SW_SHOW);
  if (associated) {
    EXPECT_EQ(result, 33);
    ASSERT_EQ(g_commandLines.size(), 1u);
    EXPECT_NE(g_commandLines[0].find(" http://mulvara.example/"), std::string::npos);
  } else {
    EXPECT_EQ(result, 31);
  }
  // Too long for the command line: nothing runs, the shell's error stands.
  g_commandLines.clear();
  std::wstring target = L"http://mulvara.example/" + std::wstring(600, L'p');
  EXPECT_EQ(OpenLinkTarget(target.c_str(), SW_SHOW), 31);
  EXPECT_TRUE(g_commandLines.empty());
}

TEST_F(Links, ErrorsAreReportedInThePlainWords) {
  EXPECT_EQ(OpenErrorMessage(31),
            CString(L"Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename extension."));
  EXPECT_EQ(OpenErrorMessage(2), CString(L"Unable to open hyperlink:\n\nThe specified file was not found."));
  EXPECT_EQ(OpenErrorMessage(4), CString(L"Unable to open hyperlink:\n\nUnknown Error (4) occurred."));
}

// The about box's links: statics of a dialog, taken over in place.
class LinkDialog : public Links {
 protected:
  void SetUp() override {
    Links::SetUp();
    ASSERT_TRUE(dialog.Create(IDD_TEST_LINKS, &host));
    dialog.ShowWindow(SW_SHOW);
    centredBefore = ChildRect(&dialog, dialog.GetDlgItem(IDC_TEST_LINK_CENTRED));
    second.SetUrl(L"mailto:support@mulvara.example");
    ASSERT_TRUE(first.SubclassDlgItem(IDC_TEST_LINK_FIRST, &dialog));
    ASSERT_TRUE(second.SubclassDlgItem(IDC_TEST_LINK_SECOND, &dialog));
    ASSERT_TRUE(centred.SubclassDlgItem(IDC_TEST_LINK_CENTRED, &dialog));
  }
  WidgetHost host;
  CDialog dialog;
  CLinkStatic first, second, centred;
  CRect centredBefore;
};

TEST_F(LinkDialog, TextAndTargetFillEachOtherAndCentredLinksKeepTheirCentre) {
  EXPECT_EQ(first.GetUrl(), CString(L"Mulvara home page"));
  CString text;
  second.GetWindowText(text);
  EXPECT_EQ(text, CString(L"mailto:support@mulvara.example"));
  CRect after = ChildRect(&dialog, &centred);
  EXPECT_LE(std::abs(after.CenterPoint().x - centredBefore.CenterPoint().x), 1);
  EXPECT_LT(after.Width(), centredBefore.Width());
  EXPECT_TRUE(first.GetStyle() & SS_NOTIFY);
  EXPECT_EQ(first.ToolTip().GetToolCount(), 1);
}

TEST_F(LinkDialog, AFailedClickBeepsAndNamesTheReasonASuccessfulOneMarksItVisited) {
  TheTestApp().recordMessageBoxes = true;
  TheTestApp().messageBoxes = 0;
  std::wstring target = L"http://mulvara.example/" + std::wstring(600, L'p');
  first.SetUrl(target.c_str());
  first.SetVisited(TRUE);
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_LINK_FIRST, STN_CLICKED), reinterpret_cast<LPARAM>(first.m_hWnd));
  EXPECT_FALSE(first.IsVisited());
  EXPECT_EQ(TheTestApp().messageBoxes, 1);
  EXPECT_EQ(CString(TheTestApp().lastMessageBoxText.c_str()), OpenErrorMessage(31));

  g_shellResult = 42;
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_LINK_SECOND, STN_CLICKED), reinterpret_cast<LPARAM>(second.m_hWnd));
  EXPECT_TRUE(second.IsVisited());
  ASSERT_FALSE(g_opened.empty());
  EXPECT_EQ(g_opened.back(), L"mailto:support@mulvara.example");
  EXPECT_EQ(TheTestApp().messageBoxes, 1);
}

TEST_F(LinkDialog, UnderlineFollowsItsModeOverTimerTicks) {
  first.SetUnderlineMode(CLinkStatic::kUnderlineAlways);
  second.SetUnderlineMode(CLinkStatic::kUnderlineHover);
  EXPECT_TRUE(first.IsUnderlineShown());
  EXPECT_FALSE(second.IsUnderlineShown());
  // The pointer rests away from both links; a move message starts the hover.
  MovePointerTo(&host, CPoint(380, 280));
  PumpPending();
  for (CLinkStatic* link : {&first, &second}) link->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(second.IsHovering());
  EXPECT_TRUE(second.IsUnderlineShown());
  ASSERT_TRUE(PumpUntil([&] { return !second.IsHovering() && !first.IsHovering(); }));
  EXPECT_FALSE(second.IsUnderlineShown());
  EXPECT_TRUE(first.IsUnderlineShown()) << "mode 1 stays underlined";
}

}  // namespace
