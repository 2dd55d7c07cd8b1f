// The sound and video viewers of the preview pane: ".avi" files in an MCI
// window, the other media types in the Windows Media Player control. Both
// start playing as soon as they are made.
#pragma once

#include "framework.h"
#include "media_player_control.h"

// The MCI window keeps the size it chose for the video: the view leaves
// WM_SIZE to the default processing.
class CAviView : public CView {
  DECLARE_DYNCREATE(CAviView)

 public:
  ~CAviView() override;
  void OnDraw(CDC*) override {}

  HWND m_mciWindow = nullptr;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // Stops the playback and closes the MCI window.
  void CloseMciWindow();
};

class CMyMedia : public CView {
  DECLARE_DYNCREATE(CMyMedia)

 public:
  ~CMyMedia() override;
  void OnDraw(CDC*) override {}

  CWMPPlayer4 m_player;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // Closes the media in the player, then the player itself.
  void ClosePlayer();
};
