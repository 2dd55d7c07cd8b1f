// The owner of a frame's command bars: the bars themselves, the options
// they read, the command-usage maps, the customize state and the keyboard
// cues. Bars and controls find it through their owning bar. It is a
// reference-counted command target.
#pragma once

#include <vector>

#include "command_bars_messages.h"
#include "command_bars_settings.h"

class CTkBarLayoutSnapshot;
class CTkBarPainter;
class CTkCommandBar;
class CTkCommandBarList;
class CTkControl;
class CTkCustomizeDragTracker;
class CTkDockBar;
class CTkImageManager;
class CTkKeyboardShortcuts;
class CTkMenuBar;
class CTkMouseTracker;
class CTkPopupBar;
class CTkTipContext;
struct BarsExchangeParams;

// The bar classes the command bars make; a program may put its own in
// their place. Null tool-bar and menu-bar classes mean the toolkit's own,
// found by name once they are part of the program.
extern CRuntimeClass* ToolBarClass;
extern CRuntimeClass* MenuBarClass;

class CTkCommandBars : public CCmdTarget {
  DECLARE_DYNCREATE(CTkCommandBars)

 public:
  CTkCommandBars();
  ~CTkCommandBars() override;

  // The virtual operations in their slot order.
  virtual BOOL IsCommandHidden(UINT id);
  virtual BOOL IsControlHidden(CTkControl* control);
  // 0 unless the frame is an MDI frame.
  virtual UINT GetActiveMenuId();
  virtual void ShowToolbarsContextMenu(WPARAM wParam, int x, int y);
  virtual CTkPopupBar* CreateToolbarsContextMenu();
  virtual void AddRowHiddenControls(CTkCommandBar* bar, CTkPopupBar* expandPopup);
  virtual void AddRowCustomizeEntries(CTkCommandBar* bar, CTkPopupBar* expandPopup);
  virtual BOOL AddBarToReBar(CTkCommandBar* bar);
  virtual BOOL RemoveBarFromReBar(CTkCommandBar* bar);
  // A non-zero status comes back unchanged; at 0 the cues shown until Alt
  // hide again once no bar is tracking.
  virtual int HideCuesWhenIdle(CTkCommandBar* bar, int status);
  virtual CTkCommandBar* CreateToolBar(LPCWSTR title, UINT id, BOOL tearOff);
  // FALSE when the archive or OLE layer failed; nothing is thrown on.
  virtual BOOL SaveBarsToExchange(CTkPropExchange* exchange, CTkCommandBarList& list);
  // FALSE on any failure, with the list emptied and no bar touched.
  virtual BOOL LoadBarsFromExchange(CTkPropExchange* exchange, CTkCommandBarList& list);
  virtual void CollectBarsToSave(CTkCommandBarList& list, const BarsExchangeParams& params);
  // Merges loaded bars into the bars the program built.
  virtual void ReconcileChangedToolbars(CTkCommandBarList& list, BOOL silent);

  void SetFrame(CWnd* frame);
  // The four dock bars along the frame's edges; throws the framework's
  // resource exception when one cannot be made.
  void CreateDockBars();
  CTkDockBar* GetDockBar(int index) const { return index >= 0 && index < 4 ? m_pDocks[index] : nullptr; }
  // Null when the menu cannot be loaded; the frame's creation then fails.
  CTkMenuBar* CreateMenuBar(LPCWSTR title, UINT menuId);
  void RemoveCommandBar(CTkCommandBar* bar);
  BOOL DockCommandBar(CTkCommandBar* bar, LPCRECT rect, CTkDockBar* dockBar);
  BOOL DockCommandBarAt(CTkCommandBar* bar, int dockIndex);
  BOOL FloatCommandBar(CTkCommandBar* bar);
  // The dock bar whose rectangle, grown by 20 pixels, holds the point
  // strictly inside; the preferred one is asked first.
  CTkDockBar* CanDock(CPoint screenPoint, CTkDockBar* preferred = nullptr) const;
  void FlushDelayedLayout();
  void UpdateAllBars();
  void InvalidateBars();
  void ToggleBarVisible(int index);
  void SetPreviewMode(BOOL preview);
  // What the frame passes on before its own handling; TRUE when handled.
  BOOL OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  BOOL PreTranslateFrameMessage(MSG* msg);
  UINT GetDefaultMenuId() const { return m_nDefaultMenuID; }
  // The options under "<profile>-Options" below the application's key.
  void LoadOptions(LPCWSTR profile);
  void SaveOptions(LPCWSTR profile);
  // The bars' places, the dock-bar rows, the status bar and the user's
  // bars and controls, in the sections named after the profile.
  void SaveCommandBarsLayout(LPCWSTR profile, BOOL onlyChanged);
  void LoadCommandBarsLayout(LPCWSTR profile, BOOL silent);
  void GetLayoutSnapshot(CTkBarLayoutSnapshot& snapshot);
  void SetLayoutSnapshot(const CTkBarLayoutSnapshot& snapshot);
  void SaveDockBarsState(LPCWSTR profile);
  void LoadDockBarsState(LPCWSTR profile);
  // Where controls data too large for the profile goes.
  void GetControlsFilePath(CString& path, LPCWSTR profile);
  // The file's path in the user's application-data folder, made when
  // missing; empty when there is no such folder.
  virtual void GetAppDataFilePath(CString& path, LPCWSTR fileName);
  // Shows or hides the keyboard cues as "KeyboardCuesShow" asks.
  void ApplyKeyboardCuesShow();
  CWnd* GetFrame() const { return m_pFrame; }
  CTkCommandBarsSettings* GetCommandBarsOptions() const { return m_pOptions; }

  // Commands and customize.
  void AddHiddenCommands(const UINT* ids, int count);
  // Records a hidden command as used, so it shows in short menus.
  void SetCommandUsed(UINT id);
  void ResetUsageData();
  BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
  BOOL IsQuickCustomizeMode() const { return m_bQuickCustomizeMode; }
  BOOL IsCustomizeAllowed() const { return m_bCustomizeAllowed; }
  void SetCustomizeMode(BOOL mode);
  void SetQuickCustomizeMode(BOOL mode);
  CTkControl* GetCustomizeSelection() const { return m_pCustomizeSelection; }
  void SetCustomizeSelection(CTkControl* control);
  CWnd* GetCustomizeSheet() const { return m_pCustomizeSheet; }
  // The running customize sheet tells the bars and the drag tracker.
  void SetCustomizeSheet(CWnd* sheet);
  CTkCustomizeDragTracker* GetCustomizeDragTracker() const { return m_pDragTracker; }

  // Keyboard cues.
  BOOL AreKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }
  void ShowKeyboardCues(BOOL show);
  // Alt and a key: the control whose mnemonic it is becomes hot and, unless
  // another has the same letter, is pressed.
  BOOL HandleMnemonic(UINT key);
  // Menu mode for the bar, or with a step (1, -1) for the next shown bar.
  BOOL ActivateBarByKeyboard(CTkCommandBar* bar, int step);
  // The next shown bar from an index, wrapping once; -1 when none.
  int FindNextVisibleBar(int start, int step) const;

  // Bars.
  int GetBarCount() const { return static_cast<int>(m_bars.size()); }
  CTkCommandBar* GetAt(int index) const;
  CTkCommandBar* FindBarById(UINT id) const;
  int FindBarIndex(CTkCommandBar* bar) const;
  CTkMenuBar* GetMenuBar() const { return m_pMenuBar; }
  void RecalcFrameLayout(BOOL delay = FALSE);

  // Looks and helpers.
  // The own paint manager, else the current one (the default look made on
  // demand); null only when the program has no look.
  CTkBarPainter* GetPainterOrCurrent() const;
  CTkBarPainter* GetOwnPaintManager() const { return m_pPaintManager; }
  // Takes the caller's reference.
  void SetPaintManager(CTkBarPainter* painter);
  CTkImageManager* GetImageManagerOrDefault() const;
  CTkImageManager* GetOwnImageManager() const { return m_pImageManager; }
  // Takes the caller's reference.
  void SetImageManager(CTkImageManager* manager);
  CTkMouseTracker* GetMouseTracker();
  void CloseAllPopups();
  BOOL IsLayoutRTL() const;
  CTkTipContext* GetTipContext() const { return m_pTipContext; }
  CTkKeyboardShortcuts* GetKeyboardShortcuts() const { return m_pShortcuts; }

  // Shows a popup at a screen point (clear of the exclusion rectangle when
  // given) and runs its loop until it closes. With TPM_RETURNCMD the
  // chosen id (0 for none), otherwise 1; 0 when it could not be shown.
  static int TrackPopupBar(CTkPopupBar* popup, UINT flags, int x, int y, CWnd* owner, LPCRECT exclusion,
                           CWnd* commandTarget);
  // The same for a popup built from a menu; 0 when the menu gives no bar.
  static int TrackMenuAsPopupBar(CMenu* menu, UINT flags, int x, int y, CWnd* owner, LPCRECT exclusion,
                                 CWnd* commandTarget, CTkCommandBars* commandBars);

 protected:
  void OnFinalRelease() override;
  // Pumps the thread's messages while the popup tracks; a quit message
  // ends it and is posted again for the outer loop.
  static void RunPopupLoop(CTkPopupBar* popup);
  // Appends a bar; the array takes the caller's reference.
  void AppendBar(CTkCommandBar* bar) { m_bars.push_back(bar); }
  // Writes the whole file; FALSE, with nothing left at the path, when it
  // cannot.
  virtual BOOL WriteControlsFile(LPCWSTR path, const BYTE* data, UINT length);
  // Puts the controls data where the next load finds it; on failure the
  // data stored before stays as it was.
  BOOL StoreControlsData(LPCWSTR profile, const BYTE* data, UINT length);
  BOOL LoadBarsFromArchive(CFile* file, const BarsExchangeParams& params);

  CCmdTarget* m_pAttachedObject = nullptr;
  BOOL m_bMnemonicsNeedUnshiftedAlt = FALSE;
  CTkCustomizeDragTracker* m_pDragTracker = nullptr;
  CTkBarPainter* m_pPaintManager = nullptr;
  CTkImageManager* m_pImageManager = nullptr;
  CTkControl* m_pCustomizeSelection = nullptr;
  BOOL m_bCustomizeMode = FALSE;
  BOOL m_bCustomizeAllowed = FALSE;
  UINT m_nDefaultMenuID = 0;
  BOOL m_bQuickCustomizeMode = FALSE;
  CString m_strTitle;
  CTkCommandBarsSettings* m_pOptions;
  std::vector<CTkCommandBar*> m_bars;
  CTkDockBar* m_pDocks[4] = {nullptr, nullptr, nullptr, nullptr};
  CWnd* m_pFrame = nullptr;
  CTkMenuBar* m_pMenuBar = nullptr;
  CTkTipContext* m_pTipContext = nullptr;
  CTkMouseTracker* m_pMouseTracker = nullptr;
  BOOL m_bKeyboardCuesVisible = TRUE;
  CTkKeyboardShortcuts* m_pShortcuts = nullptr;
  BOOL m_bLayoutLocked = FALSE;
  BOOL m_bCuesUntilAlt = FALSE;
  BOOL m_bRightToLeft = FALSE;
  // The open customize sheet; selection changes go there instead of the frame.
  CWnd* m_pCustomizeSheet = nullptr;

 private:
  int m_nPopupDepth = 0;
};
