// A frame as a program builds it before its layout is loaded: a menu bar,
// two tool bars docked at the top and a status bar (a control bar with the
// framework's status-bar id), on command bars whose file writing and
// application-data folder a test can take away.
#pragma once

#include <string>

#include "command_bar_list.h"
#include "command_bars.h"
#include "frame_window.h"
#include "tool_bar.h"

const UINT kStandardBarId = 100;
const UINT kFormatBarId = 101;
const UINT kStatusBarId = 59393;

class LayoutCommandBars : public CTkCommandBars {
 public:
  BOOL WriteControlsFile(LPCWSTR path, const BYTE* data, UINT length) override;
  void GetAppDataFilePath(CString& path, LPCWSTR fileName) override;
  using CTkCommandBars::LoadBarsFromArchive;
  using CTkCommandBars::StoreControlsData;

  // The write leaves half a file behind and fails.
  bool failWrites = false;
  bool noAppData = false;
  int writes = 0;
};

class LayoutFrame : public CTkFrameWnd {
 public:
  // Null when the frame could not be made.
  static LayoutFrame* Make(bool customizing, CRect rect = CRect(40, 40, 560, 360));

  LayoutCommandBars* Bars() const { return static_cast<LayoutCommandBars*>(m_pCommandBars); }
  CTkToolBar* Standard() const;
  CTkToolBar* Format() const;
  CControlBar* Status() { return GetControlBar(kStatusBarId); }

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs);
  DECLARE_MESSAGE_MAP()
};

// Stores the bars as the layout save does, into bytes.
std::string StoreBars(CTkCommandBars* bars, CTkCommandBarList& list);
// A fresh list read from those bytes; FALSE when the load failed.
BOOL LoadBars(CTkCommandBars* bars, const std::string& bytes, CTkCommandBarList& list);
