// The frame window that carries command bars: keys, frame messages,
// preview and the accelerator table go through its command bars. The
// program's frame creates the command bars in its creation handler; a
// frame without them behaves as the framework's frame.
#pragma once

#include "framework.h"

class CTkCommandBars;

class CTkFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CTkFrameWnd)

 public:
  CTkFrameWnd() = default;
  ~CTkFrameWnd() override;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

  CTkCommandBars* GetCommandBars() const { return m_pCommandBars; }

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  // One reference, taken by the derived frame when it creates them.
  CTkCommandBars* m_pCommandBars = nullptr;
};
