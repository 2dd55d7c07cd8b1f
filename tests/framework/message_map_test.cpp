#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework.h"

namespace {

class BaseTarget : public CCmdTarget {
 public:
  std::vector<std::string> calls;

 protected:
  void OnOpen() { calls.push_back("base open"); }
  void OnSave() { calls.push_back("base save"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseTarget, CCmdTarget)
  ON_COMMAND(100, OnOpen)
  ON_COMMAND(101, OnSave)
END_MESSAGE_MAP()

class Target : public BaseTarget {
 public:
  UINT lastRangeId = 0;
  BOOL exAnswer = FALSE;
  UINT notifiedId = 0;
  LRESULT* notifiedResult = nullptr;

 protected:
  void OnOpenHere() { calls.push_back("derived open"); }
  void OnTheme(UINT nID) { lastRangeId = nID; }
  BOOL OnMaybe(UINT) {
    calls.push_back("maybe");
    return exAnswer;
  }
  void OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  void OnUpdatePassOn(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
  void OnClickItem(NMHDR* pNMHDR, LRESULT* pResult) {
    notifiedId = static_cast<UINT>(pNMHDR->idFrom);
    *pResult = 5;
  }
  void OnSelChange() { calls.push_back("selchange"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Target, BaseTarget)
  ON_COMMAND(100, OnOpenHere)
  ON_COMMAND_RANGE(200, 209, OnTheme)
  ON_COMMAND_EX(300, OnMaybe)
  ON_UPDATE_COMMAND_UI(101, OnUpdateSave)
  ON_UPDATE_COMMAND_UI(102, OnUpdatePassOn)
  ON_NOTIFY(NM_CLICK, 400, OnClickItem)
  ON_CBN_SELCHANGE(500, OnSelChange)
END_MESSAGE_MAP()

// Records what an update asks for instead of touching a window.
class RecordingCmdUI : public CCmdUI {
 public:
  int enabled = -1;
  void Enable(BOOL bOn) override {
    enabled = bOn ? 1 : 0;
    m_bEnableChanged = TRUE;
  }
};

TEST(MessageMap, DispatchesCommandsThroughTheClassChain) {
  Target target;
  EXPECT_TRUE(target.OnCmdMsg(100, CN_COMMAND, nullptr, nullptr));  // derived entry wins
  EXPECT_TRUE(target.OnCmdMsg(101, CN_COMMAND, nullptr, nullptr));  // base entry still reached
  EXPECT_FALSE(target.OnCmdMsg(150, CN_COMMAND, nullptr, nullptr));
  EXPECT_TRUE(target.OnCmdMsg(500, CBN_SELCHANGE, nullptr, nullptr));
  EXPECT_FALSE(target.OnCmdMsg(500, CN_COMMAND, nullptr, nullptr));
  EXPECT_EQ(target.calls, (std::vector<std::string>{"derived open", "base save", "selchange"}));

  for (UINT id : {200u, 205u, 209u}) {
    EXPECT_TRUE(target.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(target.lastRangeId, id);
  }
  EXPECT_FALSE(target.OnCmdMsg(210, CN_COMMAND, nullptr, nullptr));
  EXPECT_FALSE(target.OnCmdMsg(199, CN_COMMAND, nullptr, nullptr));

  // An _EX handler says whether it handled the command.
  target.exAnswer = FALSE;
  EXPECT_FALSE(target.OnCmdMsg(300, CN_COMMAND, nullptr, nullptr));
  target.exAnswer = TRUE;
  EXPECT_TRUE(target.OnCmdMsg(300, CN_COMMAND, nullptr, nullptr));
}

TEST(MessageMap, ProbesHandlersWithoutCallingThem) {
  Target target;
  AFX_CMDHANDLERINFO info = {nullptr, nullptr};
  EXPECT_TRUE(target.OnCmdMsg(205, CN_COMMAND, nullptr, &info));
  EXPECT_EQ(info.pTarget, &target);
  EXPECT_NE(info.pmf, nullptr);
  EXPECT_EQ(target.lastRangeId, 0u);
  EXPECT_FALSE(target.OnCmdMsg(0, static_cast<int>(0xBD11FFFF), nullptr, &info));
}

TEST(MessageMap, UpdatesCommandStates) {
  Target target;
  struct Case {
    UINT id;
    BOOL disableIfNoHandler;
    BOOL handled;
    int enabled;
  } cases[] = {
      {101, TRUE, TRUE, 0},   // the update handler disables it
      {100, TRUE, FALSE, 1},  // no update handler, but a command handler
      {150, TRUE, FALSE, 0},  // no handler at all: shown disabled
      {150, FALSE, FALSE, -1},
      {102, TRUE, FALSE, 0},  // the handler passed it on: no command handler either
  };
  for (const Case& c : cases) {
    RecordingCmdUI ui;
    ui.m_nID = c.id;
    EXPECT_EQ(ui.DoUpdate(&target, c.disableIfNoHandler), c.handled) << c.id;
    EXPECT_EQ(ui.enabled, c.enabled) << c.id;
  }
}

TEST(MessageMap, DeliversNotificationRecords) {
  Target target;
  NMHDR header = {nullptr, 400, static_cast<UINT>(NM_CLICK)};
  LRESULT result = 0;
  AFX_NOTIFY notify = {&result, &header};
  EXPECT_TRUE(target.OnCmdMsg(400, static_cast<int>(MAKELONG(NM_CLICK, WM_NOTIFY)), &notify, nullptr));
  EXPECT_EQ(target.notifiedId, 400u);
  EXPECT_EQ(result, 5);
  EXPECT_FALSE(target.OnCmdMsg(400, static_cast<int>(MAKELONG(NM_DBLCLK, WM_NOTIFY)), &notify, nullptr));
}

TEST(CCmdTarget, CountsReferences) {
  struct Counted : CCmdTarget {
    bool* released;
    explicit Counted(bool* flag) : released(flag) {}
    void OnFinalRelease() override {
      *released = true;
      CCmdTarget::OnFinalRelease();
    }
  };
  bool released = false;
  Counted* object = new Counted(&released);
  EXPECT_EQ(object->InternalAddRef(), 2u);
  EXPECT_EQ(object->ExternalRelease(), 1u);
  EXPECT_FALSE(released);
  void* face = reinterpret_cast<void*>(1);
  EXPECT_EQ(object->ExternalQueryInterface(&IID_IDispatch, &face), E_NOINTERFACE);
  EXPECT_EQ(face, nullptr);
  EXPECT_EQ(object->InternalRelease(), 0u);
  EXPECT_TRUE(released);
}

}  // namespace
