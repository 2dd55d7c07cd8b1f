// CProgressDialog: a small skinned, modeless window with a bar and a per-cent
// label, for long work done on the interface thread. While it is shown its
// owner is disabled, and every position update lets the thread's pending
// messages run, so the program keeps painting while the user cannot start
// anything else in the owner.
#pragma once

#include "framework.h"
#include "skinned_dialog.h"
#include "transparent_controls.h"

// Sent to the dialog with the position in wParam; runs SetPos.
constexpr UINT WM_PROGRESS_SETPOS = WM_USER + 1;

class CProgressDialog : public CDialog {
 public:
  // A caption id of 0 gives "Progress...".
  explicit CProgressDialog(UINT captionId = 0);
  ~CProgressDialog() override;

  // Creates the window hidden and disables the owner (the safe owner of
  // pParent); the caller shows it. On failure the owner is enabled again.
  BOOL Create(CWnd* pParent);
  int SetRange(int lower, int upper);
  // Runs the pending messages, moves the bar and updates the label;
  // returns the bar's previous position.
  int SetPos(int position);
  // Gives the owner back its input (once), then destroys the window.
  BOOL DestroyWindow() override;

  // The label's text for a position in a range: the per cent, taken
  // modulo 100 unless it is exactly 100; an empty range shows 0 %.
  static CString PercentText(int position, int lower, int upper);

  CTransparentStatic PercentLabel;
  CProgressCtrl Bar;
  UINT CaptionId;
  int Lower = 0;
  int Upper = 100;
  int Step = 10;
  int OwnerDisabled = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  // The dialog ends only when its creator destroys it.
  void OnOK() override {}
  void OnCancel() override {}
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnSetPosMessage(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  CDialogSkin m_skin;
  HWND m_owner = nullptr;
};

// The results page's listing progress, one at a time: the dialog made,
// ranged 0 to 100 and shown over the owner; positions sent as message 1025;
// destroyed at the end. Calls without an open dialog do nothing.
void OpenListProgress(CWnd* owner);
void SetListProgress(int percent);
void CloseListProgress();
// The open listing dialog, or null.
CProgressDialog* ListProgressDialog();
