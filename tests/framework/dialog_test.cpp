#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "framework.h"
#include "test_app.h"
#include "test_resources.h"

namespace {

// The settings dialog of the resource script: text, number, check box and
// a combo box filled from the template's init data.
class SettingsDialog : public CDialog {
 public:
  SettingsDialog() : CDialog(IDD_TEST_SETTINGS) {}

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    sizesAtInit = m_size.GetCount();
    m_size.SetCurSel(m_sizeIndex);
    return TRUE;
  }
  void OnOK() override {
    m_sizeIndex = m_size.GetCurSel();
    CDialog::OnOK();
  }

  CString m_name = L"first";
  int m_count = 7;
  int m_check = 0;
  int m_sizeIndex = 1;
  int sizesAtInit = -1;
  CComboBox m_size;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_TEST_SIZE, m_size);
    DDX_Text(pDX, IDC_TEST_NAME, m_name);
    DDX_Text(pDX, IDC_TEST_COUNT, m_count);
    DDX_Check(pDX, IDC_TEST_CHECK, m_check);
  }
};

CString ItemText(HWND hDlg, int nID) {
  CString text;
  CWnd::FromHandle(hDlg)->GetDlgItemText(nID, text);
  return text;
}

TEST(CDialog, ModalFromResourceExchangesDataBothWays) {
  SettingsDialog dlg;
  CString shownName, shownCount;
  int shownCheck = -1;
  CString shownSize;
  Watcher watcher([&] {
    HWND hDlg = WaitForDialog(L"Test settings");
    ASSERT_NE(hDlg, nullptr);
    shownName = ItemText(hDlg, IDC_TEST_NAME);
    shownCount = ItemText(hDlg, IDC_TEST_COUNT);
    shownCheck = static_cast<int>(SendDlgItemMessageW(hDlg, IDC_TEST_CHECK, BM_GETCHECK, 0, 0));
    shownSize = ItemText(hDlg, IDC_TEST_SIZE);
    SetDlgItemTextW(hDlg, IDC_TEST_NAME, L"second");
    SetDlgItemTextW(hDlg, IDC_TEST_COUNT, L"42");
    SendDlgItemMessageW(hDlg, IDC_TEST_CHECK, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageW(hDlg, IDC_TEST_SIZE, CB_SETCURSEL, 2, 0);
    PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  // Members to controls on the way in.
  EXPECT_EQ(shownName, L"first");
  EXPECT_EQ(shownCount, L"7");
  EXPECT_EQ(shownCheck, BST_UNCHECKED);
  // The init data filled the combo before OnInitDialog went on.
  EXPECT_EQ(dlg.sizesAtInit, 3);
  EXPECT_EQ(shownSize, L"2 MB");
  // Controls to members on the way out.
  EXPECT_EQ(dlg.m_name, L"second");
  EXPECT_EQ(dlg.m_count, 42);
  EXPECT_EQ(dlg.m_check, BST_CHECKED);
  EXPECT_EQ(dlg.m_sizeIndex, 2);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(CDialog, BadNumberKeepsTheDialogOpen) {
  SettingsDialog dlg;
  TheTestApp().recordMessageBoxes = true;
  int boxesBefore = TheTestApp().messageBoxes;
  int boxesAfterBadOk = -1;
  bool stillOpen = false;
  Watcher watcher([&] {
    HWND hDlg = WaitForDialog(L"Test settings");
    ASSERT_NE(hDlg, nullptr);
    SetDlgItemTextW(hDlg, IDC_TEST_COUNT, L"12x");
    SendMessageW(hDlg, WM_COMMAND, IDOK, 0);
    stillOpen = IsWindow(hDlg) && IsWindowVisible(hDlg);
    boxesAfterBadOk = TheTestApp().messageBoxes;
    PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  TheTestApp().recordMessageBoxes = false;
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(boxesAfterBadOk, boxesBefore + 1);
  EXPECT_EQ(dlg.m_count, 7);
}

// Builds a dialog template in memory: a caption, an edit, a list box and
// an OK button.
class TemplateBuilder {
 public:
  TemplateBuilder(LPCWSTR caption, DWORD style, short cx, short cy) {
    DLGTEMPLATE header = {};
    header.style = style | DS_SETFONT;
    header.cx = cx;
    header.cy = cy;
    Append(&header, sizeof header);
    m_countOffset = offsetof(DLGTEMPLATE, cdit);
    Word(0);  // no menu
    Word(0);  // the dialog class
    Text(caption);
    Word(8);
    Text(L"MS Shell Dlg");
  }
  void Item(WORD nID, WORD classAtom, LPCWSTR text, DWORD style, short x, short y, short cx, short cy) {
    Align();
    DLGITEMTEMPLATE item = {};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = nID;
    Append(&item, sizeof item);
    Word(0xFFFF);
    Word(classAtom);
    Text(text);
    Word(0);  // no creation data
    ++reinterpret_cast<DLGTEMPLATE*>(m_bytes.data())->cdit;
  }
  LPCDLGTEMPLATEW Get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(m_bytes.data()); }

 private:
  void Append(const void* p, size_t n) {
    const BYTE* b = static_cast<const BYTE*>(p);
    m_bytes.insert(m_bytes.end(), b, b + n);
  }
  void Word(WORD w) { Append(&w, sizeof w); }
  void Text(LPCWSTR s) { Append(s, (wcslen(s) + 1) * sizeof(WCHAR)); }
  void Align() {
    while (m_bytes.size() % 4 != 0) m_bytes.push_back(0);
  }
  std::vector<BYTE> m_bytes;
  size_t m_countOffset;
};

const WORD kButtonAtom = 0x0080;
const WORD kEditAtom = 0x0081;
const WORD kListBoxAtom = 0x0083;

class MemoryDialog : public CDialog {
 public:
  int listCountAtInit = -1;
  CString m_text = L"in memory";
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    listCountAtInit = static_cast<int>(SendDlgItemMessageW(m_hWnd, 11, LB_GETCOUNT, 0, 0));
    return TRUE;
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 10, m_text); }
};

TEST(CDialog, ModalFromMemoryTemplateWithInitData) {
  TemplateBuilder builder(L"Memory dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 160, 90);
  builder.Item(10, kEditAtom, L"", WS_BORDER | ES_AUTOHSCROLL, 5, 5, 100, 14);
  builder.Item(11, kListBoxAtom, L"", WS_BORDER, 5, 25, 100, 40);
  builder.Item(IDOK, kButtonAtom, L"OK", BS_DEFPUSHBUTTON, 110, 70, 45, 14);
  // Two list entries in the Win32 form of the records.
  const BYTE init[] = {11, 0, 0x80, 0x01, 4, 0, 0, 0, 'o', 'n', 'e', 0,
                       11, 0, 0x80, 0x01, 3, 0, 0, 0, 't', 'w', 'o', 0, 0};
  MemoryDialog dlg;
  ASSERT_TRUE(dlg.InitModalIndirect(builder.Get(), nullptr, init, sizeof init));
  CString shown;
  Watcher watcher([&] {
    HWND hDlg = WaitForDialog(L"Memory dialog");
    ASSERT_NE(hDlg, nullptr);
    shown = ItemText(hDlg, 10);
    SetDlgItemTextW(hDlg, 10, L"typed");
    PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.listCountAtInit, 2);
  EXPECT_EQ(shown, L"in memory");
  EXPECT_EQ(dlg.m_text, L"typed");
}

TEST(AfxExecuteDlgInit, StopsAtRecordsThatRunPastTheEnd) {
  TemplateBuilder builder(L"Init data", WS_POPUP, 100, 60);
  builder.Item(11, kListBoxAtom, L"", WS_BORDER, 5, 5, 80, 40);
  CDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(builder.Get(), nullptr));
  // The second record claims 200 bytes where 3 remain.
  const BYTE init[] = {11, 0, 0x80, 0x01, 2, 0, 0, 0, 'a', 0, 11, 0, 0x80, 0x01, 200, 0, 0, 0, 'b', 'c', 0};
  AfxExecuteDlgInit(dlg.m_hWnd, init, sizeof init);
  EXPECT_EQ(SendDlgItemMessageW(dlg.m_hWnd, 11, LB_GETCOUNT, 0, 0), 1);
  // A record for a control that is not there is reported.
  const BYTE missing[] = {99, 0, 0x80, 0x01, 2, 0, 0, 0, 'a', 0, 0, 0};
  EXPECT_FALSE(AfxExecuteDlgInit(dlg.m_hWnd, missing, sizeof missing));
  dlg.DestroyWindow();
}

class TimedDialog : public SettingsDialog {
 public:
  BOOL OnInitDialog() override {
    SettingsDialog::OnInitDialog();
    SetTimer(1, 50, nullptr);
    return TRUE;
  }
  void OnTimer(UINT_PTR) {
    KillTimer(1);
    PostMessage(WM_COMMAND, IDCANCEL);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TimedDialog, SettingsDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(CDialog, ModalClosedFromItsOwnTimer) {
  TimedDialog dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_name, L"first");
}

class EndsAtOnce : public CDialog {
 public:
  EndsAtOnce() : CDialog(IDD_TEST_SETTINGS) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    EndDialog(1234);
    return TRUE;
  }
};

TEST(CDialog, EndDialogInOnInitDialogEndsTheModalLoop) {
  EndsAtOnce dlg;
  EXPECT_EQ(dlg.DoModal(), 1234);
}

TEST(CDialog, ModalOnAWorkerThreadIsOwnedByTheMainWindow) {
  CWnd mainWnd;
  ASSERT_TRUE(mainWnd.CreateEx(0, AfxRegisterWndClass(0), L"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr));
  TheTestApp().m_pMainWnd = &mainWnd;
  struct Shared {
    INT_PTR result = 0;
    CString name;
    HWND owner = nullptr;
    BOOL mainEnabledDuring = TRUE;
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  } shared;
  CWinThread* worker = AfxBeginThread(
      [](LPVOID p) -> UINT {
        Shared& s = *static_cast<Shared*>(p);
        SettingsDialog dlg;
        s.result = dlg.DoModal();
        s.name = dlg.m_name;
        SetEvent(s.done);
        return 0;
      },
      &shared);
  ASSERT_NE(worker, nullptr);
  Watcher watcher([&] {
    HWND hDlg = WaitForDialog(L"Test settings");
    ASSERT_NE(hDlg, nullptr);
    shared.owner = GetWindow(hDlg, GW_OWNER);
    shared.mainEnabledDuring = IsWindowEnabled(mainWnd.m_hWnd);
    SetDlgItemTextW(hDlg, IDC_TEST_NAME, L"from the worker");
    PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
  });
  // The main thread keeps pumping, as the program's message loop would.
  EXPECT_TRUE(PumpUntilSignalled(shared.done));
  EXPECT_EQ(shared.result, IDOK);
  EXPECT_EQ(shared.name, L"from the worker");
  EXPECT_EQ(shared.owner, mainWnd.m_hWnd);
  EXPECT_FALSE(shared.mainEnabledDuring);
  EXPECT_TRUE(mainWnd.IsWindowEnabled());
  CloseHandle(shared.done);
  TheTestApp().m_pMainWnd = nullptr;
  mainWnd.DestroyWindow();
  // The main window's end posted WM_QUIT; it must not end later loops.
  MSG msg;
  PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST(CDialog, ModelessCreateAndDestroy) {
  SettingsDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_TEST_SETTINGS));
  EXPECT_EQ(dlg.sizesAtInit, 3);
  EXPECT_EQ(dlg.m_size.GetCurSel(), 1);
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
  // Tab and arrows go through the dialog manager.
  MSG msg = {};
  msg.hwnd = dlg.GetDlgItem(IDC_TEST_NAME)->m_hWnd;
  msg.message = WM_KEYDOWN;
  msg.wParam = VK_TAB;
  EXPECT_TRUE(dlg.PreTranslateMessage(&msg));
  dlg.DestroyWindow();
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(dlg.m_size.m_hWnd, nullptr);
}

}  // namespace

namespace {

TEST(CommonDialogs, FileAndColourDialogsAnswerWithTheirChoice) {
  WCHAR temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  CString path;
  path.Format(L"%lscommon_dialog_%lu.snp", temp, GetCurrentProcessId());
  HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(h);
  {
    CFileDialog dialog(TRUE, L"snp", path, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, L"Snapshots (*.snp)|*.snp|All files|*.*||");
    Watcher watcher([] {
      HWND hDlg = WaitForDialog(L"Open");
      ASSERT_NE(hDlg, nullptr);
      PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName().CompareNoCase(path), 0);
    EXPECT_EQ(dialog.GetFileExt(), L"snp");
  }
  {
    CColorDialog dialog(RGB(10, 20, 30), CC_FULLOPEN);
    Watcher watcher([] {
      HWND hDlg = WaitForDialog(L"Color");
      ASSERT_NE(hDlg, nullptr);
      PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), RGB(10, 20, 30));
  }
  DeleteFileW(path);
}

}  // namespace
