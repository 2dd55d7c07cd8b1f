// The options every bar of one frame reads, and the command-id maps that
// decide which commands only full menus show.
#pragma once

#include "framework.h"

class CTkCommandBars;
class CTkPropExchange;

// Command ids (or document-template ids) with a flag; the walk order of
// the framework's map is what gets stored.
typedef CMap<UINT, UINT, BOOL, BOOL> CTkIdMap;

// Loads or saves an id map under a key: one binary value where the store
// keeps binary data, else a section with "Count" and "Item%i". A stored
// value that ends before its count leaves the map as it was.
BOOL ExchangeIdMap(CTkPropExchange* exchange, LPCWSTR key, CTkIdMap& map);

// Copies one map into another, in the source's walk order.
void CopyIdMap(CTkIdMap& target, const CTkIdMap& source);

class CTkCommandBarsSettings : public CCmdTarget {
 public:
  explicit CTkCommandBarsSettings(CTkCommandBars* commandBars) : m_pCommandBars(commandBars) {}

  // Exchanges the options in their stored order; the user's options only
  // (the registry form) stop after "Animation". Every value is written,
  // and a value missing on load leaves the setting as it is.
  void ExchangeOptions(CTkPropExchange* exchange, BOOL userOptionsOnly);
  void Serialize(CArchive& ar) override;

  BOOL bAlwaysShowFullMenus = TRUE;
  BOOL bShowFullAfterDelay = TRUE;
  BOOL bToolBarScreenTips = TRUE;
  BOOL bToolBarAccelTips = FALSE;
  BOOL bLargeIcons = FALSE;
  BOOL bSyncFloatingBars = TRUE;
  BOOL bShowExpandButtonAlways = TRUE;
  BOOL bDblClickFloat = FALSE;
  BOOL bShowTextBelowIcons = FALSE;
  BOOL bAltDragCustomization = TRUE;
  BOOL bAutoHideUnusedPopups = TRUE;
  BOOL bDirty = FALSE;
  BOOL bShowPopupBarToolTips = FALSE;
  int nAnimationType = 0;
  BOOL bPopupOption = TRUE;
  int nKeyboardCuesUse = 1;
  BOOL bShowStatusBarPrompts = TRUE;
  CSize szIcons{0, 0};
  CSize szLargeIcons{0, 0};
  CSize szPopupIcons{16, 16};
  CTkIdMap m_mapHiddenCommands;
  CTkIdMap m_mapUsedCommands;
  CTkCommandBars* m_pCommandBars;
  int nKeyboardCuesShow = 0;
};
