#include "layout_fixture.h"

#include "../test_resources.h"
#include "prop_exchange.h"

namespace {

const UINT kCustomizeCommand = 35001;

class StatusStrip : public CControlBar {
 public:
  CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(32767, 20); }

 protected:
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(StatusStrip, CControlBar)
ON_WM_PAINT()
END_MESSAGE_MAP()

class CustomizingLayoutFrame : public LayoutFrame {
 protected:
  void OnCustomize() {}
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CustomizingLayoutFrame, LayoutFrame)
ON_COMMAND(kCustomizeCommand, OnCustomize)
END_MESSAGE_MAP()

CTkToolBar* AddBuiltInToolBar(CTkCommandBars* bars, LPCWSTR title, UINT id) {
  auto* bar = static_cast<CTkToolBar*>(bars->CreateToolBar(title, id, FALSE));
  if (bar == nullptr) return nullptr;
  bar->LoadToolBar(IDR_TK_TEST_TOOLBAR, TRUE);
  bar->SetBarID(id);
  bar->SetBuiltIn(TRUE);
  return bar;
}

}  // namespace

BOOL LayoutCommandBars::WriteControlsFile(LPCWSTR path, const BYTE* data, UINT length) {
  ++writes;
  if (!failWrites) return CTkCommandBars::WriteControlsFile(path, data, length);
  CFile file;
  if (file.Open(path, CFile::modeCreate | CFile::modeWrite)) {
    file.Write(data, length / 2);
    file.Close();
  }
  return FALSE;
}

void LayoutCommandBars::GetAppDataFilePath(CString& path, LPCWSTR fileName) {
  if (noAppData)
    path.Empty();
  else
    CTkCommandBars::GetAppDataFilePath(path, fileName);
}

BEGIN_MESSAGE_MAP(LayoutFrame, CTkFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

LayoutFrame* LayoutFrame::Make(bool customizing, CRect rect) {
  LayoutFrame* frame = customizing ? new CustomizingLayoutFrame : new LayoutFrame;
  if (!frame->Create(nullptr, L"Layout test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect)) return nullptr;
  frame->RecalcLayout();
  return frame;
}

int LayoutFrame::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CTkFrameWnd::OnCreate(lpcs) == -1) return -1;
  m_pCommandBars = new LayoutCommandBars;
  m_pCommandBars->SetFrame(this);
  m_pCommandBars->CreateDockBars();
  if (m_pCommandBars->CreateMenuBar(L"Menu Bar", IDM_TK_TEST_TOOLS) == nullptr) return -1;
  if (AddBuiltInToolBar(m_pCommandBars, L"Standard", kStandardBarId) == nullptr) return -1;
  if (AddBuiltInToolBar(m_pCommandBars, L"Format", kFormatBarId) == nullptr) return -1;
  auto* status = new StatusStrip;
  if (!status->CWnd::Create(nullptr, L"", WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM, CRect(0, 0, 0, 0), this,
                            kStatusBarId))
    return -1;
  return 0;
}

CTkToolBar* LayoutFrame::Standard() const {
  return static_cast<CTkToolBar*>(m_pCommandBars->FindBarById(kStandardBarId));
}

CTkToolBar* LayoutFrame::Format() const { return static_cast<CTkToolBar*>(m_pCommandBars->FindBarById(kFormatBarId)); }

std::string StoreBars(CTkCommandBars* bars, CTkCommandBarList& list) {
  BarsExchangeParams params;
  params.pOwner = bars;
  CMemFile file;
  {
    CArchive archive(&file, CArchive::store);
    CTkPropExchangeArchive exchange(archive);
    exchange.m_pUserData = &params;
    if (!bars->SaveBarsToExchange(&exchange, list)) return std::string();
    archive.Close();
  }
  const UINT length = static_cast<UINT>(file.GetLength());
  BYTE* data = file.Detach();
  std::string bytes(reinterpret_cast<const char*>(data), length);
  free(data);
  return bytes;
}

BOOL LoadBars(CTkCommandBars* bars, const std::string& bytes, CTkCommandBarList& list) {
  BarsExchangeParams params;
  params.pOwner = bars;
  CMemFile file(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), static_cast<UINT>(bytes.size()));
  try {
    CArchive archive(&file, CArchive::load);
    CTkPropExchangeArchive exchange(archive);
    exchange.m_pUserData = &params;
    return bars->LoadBarsFromExchange(&exchange, list);
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
}
