// A saved layout of the command bars: one entry per bar with its place,
// visibility and docking memory, and the screen size it was saved at.
// Places saved on another screen size are scaled to this one and kept
// where a bar can still be reached.
#pragma once

#include <vector>

#include "framework.h"

class CTkCommandBar;

struct CTkBarLayoutEntry {
  UINT nBarID = 0;
  BOOL bVisible = FALSE;
  BOOL bFloating = FALSE;
  // In the dock bar's client coordinates when docked, else the screen's.
  CPoint ptPosition{-1, -1};
  // 32767 when the bar remembers no width.
  int nMRUWidth = 32767;
  UINT nMRUDockID = 0;
  CRect rcMRUDock{0, 0, 0, 0};
  CPoint ptMRUFloat{0, 0};
  // Not stored.
  CTkCommandBar* pBar = nullptr;
  BOOL bDialogBar = FALSE;
  CSize szDockingClient{200, 200};
  CSize szFloatingClient{200, 200};
};

class CTkBarLayoutSnapshot {
 public:
  // The current screen and icon sizes from the system.
  CTkBarLayoutSnapshot();
  CTkBarLayoutSnapshot(CSize screen, CSize icon);
  ~CTkBarLayoutSnapshot();
  CTkBarLayoutSnapshot(const CTkBarLayoutSnapshot&) = delete;
  CTkBarLayoutSnapshot& operator=(const CTkBarLayoutSnapshot&) = delete;

  // Scaling is on when the saved size differs from the current one; a
  // missing saved size (0) scales nothing.
  void SetSavedScreenSize(CSize saved);
  BOOL IsScaling() const { return m_bScaling; }
  CSize GetScreenSize() const { return m_rcScreen.Size(); }
  // Scaled as MulDiv does, then kept at most at the clamp limits.
  void ScalePoint(POINT& point) const;
  // Moved to the scaled top-left and shifted back inside; never resized.
  void ScaleRect(RECT& rect) const;

  // Takes ownership.
  void Add(CTkBarLayoutEntry* entry) { m_entries.push_back(entry); }
  int GetCount() const { return static_cast<int>(m_entries.size()); }
  CTkBarLayoutEntry* GetAt(int index) const { return m_entries[static_cast<size_t>(index)]; }

  // "<profile>-Bar<n>" per entry and "<profile>-Summary".
  void SaveToProfile(LPCWSTR profile) const;
  void LoadFromProfile(LPCWSTR profile);

 private:
  CRect m_rcScreen;
  CSize m_szSaved{0, 0};
  BOOL m_bScaling = FALSE;
  CSize m_szClamp;
  std::vector<CTkBarLayoutEntry*> m_entries;
};
