// The window common to every command bar: menu bar, tool bars and popups.
// It owns its controls and reads its look from the paint manager. A bar is
// reference counted; its final release destroys the window and the object.
#pragma once

#include "control_collection.h"

enum BarType { kBarMenu = 0, kBarTool = 1, kBarPopup = 2 };
enum BarPosition {
  kBarTop = 0,
  kBarBottom = 1,
  kBarLeft = 2,
  kBarRight = 3,
  kBarFloating = 4,
  kBarPopupPosition = 5,
  kBarList = 6,
  kBarNone = 7,
};

class CTkCommandBar : public CWnd {
  DECLARE_DYNCREATE(CTkCommandBar)

 public:
  CTkCommandBar();
  ~CTkCommandBar() override;

  int GetType() const { return m_barType; }
  int GetPosition() const { return m_barPosition; }
  void SetPosition(int position) { m_barPosition = position; }
  CTkControls* GetControls() const { return m_pControls; }
  CTkControl* GetControl(int index) const { return m_pControls->GetAt(index); }
  int GetControlCount() const { return m_pControls->GetCount(); }

  // The own icon size when set, else 16 x 16.
  CSize GetEffectiveIconSize() const;
  // The own button size when set, else the icon size plus 7 each way.
  CSize GetEffectiveButtonSize() const;
  void SetIconSize(CSize size) { m_szIcons = size; }
  void SetButtonSize(CSize size) { m_szButtons = size; }
  BOOL IsTextBelowIcons() const { return m_textBelowIcons == 2 ? FALSE : m_textBelowIcons; }
  void ShowTextBelowIcons(int show) { m_textBelowIcons = show; }
  BOOL AreKeyboardCuesVisible() const { return TRUE; }

  // The own paint manager, else the current one (the default look when none is installed).
  CTkBarPainter* GetPaintManager() const;
  // Takes the caller's reference.
  void SetPaintManager(CTkBarPainter* painter);
  CTkImageManager* GetImageManager() const;
  // Takes the caller's reference.
  void AttachImageManager(CTkImageManager* manager);

 protected:
  void OnFinalRelease() override;

  int m_barType = kBarTool;
  CTkControls* m_pControls;
  int m_barPosition = kBarNone;
  CSize m_szIcons{0, 0};
  CSize m_szButtons{0, 0};
  int m_textBelowIcons = 2;
  CTkBarPainter* m_pPaintManager = nullptr;
  CTkImageManager* m_pImageManager = nullptr;
};

// A popup menu or popup tool bar.
class CTkPopupBar : public CTkCommandBar {
  DECLARE_DYNCREATE(CTkPopupBar)

 public:
  CTkPopupBar() {
    m_barType = kBarPopup;
    m_barPosition = kBarPopupPosition;
  }
};
