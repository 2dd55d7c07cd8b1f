// Command bars in a rebar: a frame whose rebar child takes every tool bar
// as a band, the bands' sizes, removal, and a frame without a rebar.
#include <gtest/gtest.h>

#include "../test_resources.h"
#include "command_bars.h"
#include "dock_bar.h"
#include "frame_window.h"
#include "menu_bar.h"
#include "bar_fixtures.h"
#include "test_app.h"
#include "tool_bar.h"
#include "tool_rebar.h"

namespace {

class ReBarFrame : public CTkFrameWnd {
 public:
  bool withReBar = true;
  CTkReBar rebar;
  CTkCommandBars* Bars() const { return m_pCommandBars; }
  CTkToolBar* AddToolBar(UINT id) {
    auto* bar = static_cast<CTkToolBar*>(m_pCommandBars->CreateToolBar(L"Tools", id, FALSE));
    return bar;
  }

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CTkFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (withReBar && !rebar.Create(this)) return -1;
    if (!CreateFrameCommandBars(this, IDM_TK_TEST_TOOLS, m_pCommandBars)) return -1;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReBarFrame, CTkFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

ReBarFrame* MakeFrame(bool withReBar) {
  auto* frame = new ReBarFrame;
  frame->withReBar = withReBar;
  if (!frame->Create(nullptr, L"Rebar test", WS_POPUP | WS_VISIBLE, CRect(40, 40, 640, 400))) return nullptr;
  frame->RecalcLayout();
  return frame;
}

UINT BandId(CTkReBar& rebar, int index) {
  REBARBANDINFOW band = {};
  band.cbSize = REBARBANDINFOW_V6_SIZE;
  band.fMask = RBBIM_ID;
  rebar.SendMessage(RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band));
  return band.wID;
}

TEST(ReBar, ToolBarsBecomeBandsThatCannotBeDragged) {
  ReBarFrame* frame = MakeFrame(true);
  ASSERT_NE(nullptr, frame);
  ASSERT_EQ(static_cast<UINT>(AFX_IDW_REBAR), static_cast<UINT>(frame->rebar.GetDlgCtrlID()));
  const int emptyHeight = ChildRect(frame, &frame->rebar).Height();
  CTkToolBar* bar = frame->AddToolBar(610);
  ASSERT_NE(nullptr, bar);
  // The new band made the rebar taller, and the frame was laid out again:
  // the top dock bar starts below it.
  const CRect grown = ChildRect(frame, &frame->rebar);
  EXPECT_GT(grown.Height(), emptyHeight);
  EXPECT_EQ(grown.bottom, ChildRect(frame, frame->Bars()->GetDockBar(kBarTop)).top);
  ASSERT_TRUE(bar->LoadToolBar(IDR_TK_TEST_TOOLBAR, TRUE));
  bar->SetBarID(610);

  EXPECT_EQ(nullptr, bar->GetDockBar());
  EXPECT_EQ(0u, bar->GetDockFlags());
  EXPECT_EQ(0u, bar->GetBarStyle() & kBarStyleGripper);
  EXPECT_EQ(frame->rebar.GetSafeHwnd(), ::GetParent(bar->GetSafeHwnd()));
  const int index = frame->rebar.FindBand(bar);
  ASSERT_EQ(frame->rebar.GetBandCount() - 1, index);
  EXPECT_EQ(bar, frame->rebar.GetBandToolBar(index));
  // The band id is the bar id the command bars gave at creation.
  EXPECT_EQ(610u, BandId(frame->rebar, index));

  // The rebar takes part in the frame's layout, from the top.
  frame->RecalcLayout();
  const CRect rebarRect = ChildRect(frame, &frame->rebar);
  EXPECT_EQ(0, rebarRect.top);
  EXPECT_GT(rebarRect.Height(), 0);
  REBARBANDINFOW band = {};
  band.cbSize = REBARBANDINFOW_V6_SIZE;
  band.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
  frame->rebar.SendMessage(RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band));
  const CSize full = bar->CalcDockedSize(32000, 0x0A);
  EXPECT_EQ(static_cast<UINT>(full.cx), band.cxMinChild);
  EXPECT_GT(band.cyMinChild, 0u);

  // A press on the bar's background starts no drag.
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ(frame->rebar.GetSafeHwnd(), ::GetParent(bar->GetSafeHwnd()));

  // Removing the bar removes its band; a bar no band holds gives -1.
  const int bands = frame->rebar.GetBandCount();
  frame->Bars()->RemoveCommandBar(bar);
  EXPECT_EQ(bands - 1, frame->rebar.GetBandCount());
  CTkToolBar* stranger = frame->AddToolBar(611);
  ASSERT_NE(nullptr, stranger);
  const int withStranger = frame->rebar.GetBandCount();
  EXPECT_EQ(withStranger - 1, frame->rebar.RemoveToolBar(stranger));
  EXPECT_EQ(-1, frame->rebar.RemoveToolBar(stranger));
  EXPECT_EQ(withStranger - 1, frame->rebar.GetBandCount());
  EXPECT_FALSE(frame->Bars()->RemoveBarFromReBar(stranger));
  frame->DestroyWindow();
}

TEST(ReBar, WithoutARebarChildBarsStayInTheDockBars) {
  ReBarFrame* frame = MakeFrame(false);
  ASSERT_NE(nullptr, frame);
  CTkToolBar* bar = frame->AddToolBar(612);
  ASSERT_NE(nullptr, bar);
  EXPECT_EQ(frame->Bars()->GetDockBar(kBarTop), bar->GetDockBar());
  EXPECT_FALSE(frame->Bars()->AddBarToReBar(bar));
  EXPECT_EQ(frame->Bars()->GetDockBar(kBarTop), bar->GetDockBar());
  EXPECT_NE(0u, bar->GetDockFlags());
  EXPECT_EQ(-1, frame->rebar.FindBand(bar));
  EXPECT_EQ(-1, frame->rebar.RemoveToolBar(bar));
  // The never-created rebar member goes with the frame.
  frame->DestroyWindow();
}

TEST(ReBar, PaintsItsBandsOffScreen) {
  ReBarFrame* frame = MakeFrame(true);
  ASSERT_NE(nullptr, frame);
  CTkToolBar* bar = frame->AddToolBar(613);
  ASSERT_NE(nullptr, bar);
  ASSERT_TRUE(bar->LoadToolBar(IDR_TK_TEST_TOOLBAR, TRUE));
  frame->RecalcLayout();
  frame->rebar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_TRUE(frame->rebar.SendMessage(WM_ERASEBKGND, 0, 0) != 0);
  EXPECT_FALSE(::GetUpdateRect(frame->rebar.GetSafeHwnd(), nullptr, FALSE));
  frame->DestroyWindow();
}

}  // namespace
