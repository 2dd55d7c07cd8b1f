#include "wizard_test_frame.h"

WizardTestFrame::WizardTestFrame() {
  CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                  reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
           L"Wizard test frame", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight,
           nullptr, nullptr);
  CRect client;
  GetClientRect(&client);
  tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
              CRect(0, 0, kTreeWidth, client.bottom), this, 156);
  tree.LoadImages();
}

WizardTestFrame::~WizardTestFrame() {
  if (GetSafeHwnd() != nullptr) DestroyWindow();
}

CView* WizardTestFrame::AddPane(CRuntimeClass* paneClass) {
  pane = static_cast<CView*>(paneClass->CreateObject());
  CRect client;
  GetClientRect(&client);
  pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(kTreeWidth, 0, client.right, client.bottom), this,
               158);
  return pane;
}

HTREEITEM FindItem(const CTreeCtrl& tree, const CString& text, HTREEITEM from) {
  HTREEITEM child = from == TVI_ROOT ? tree.GetRootItem() : tree.GetChildItem(from);
  for (; child != nullptr; child = tree.GetNextSiblingItem(child)) {
    if (tree.GetItemText(child) == text) return child;
    if (HTREEITEM found = FindItem(tree, text, child)) return found;
  }
  return nullptr;
}

CString WindowText(CWnd& wnd) {
  CString text;
  wnd.GetWindowText(text);
  return text;
}
