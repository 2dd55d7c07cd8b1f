// The window common to every command bar: menu bar, tool bars and popups.
// It owns its controls, tracks a hot control and an open popup control,
// runs menu mode with the thread's mouse tracker and keyboard hook, routes
// the mouse to its controls, paints itself through the paint manager and
// updates its controls' command state. A bar is reference counted; its
// final release destroys the window and the object, while losing the
// window never deletes the bar.
#pragma once

#include "command_bars_messages.h"
#include "control_collection.h"
#include "msaa_support.h"
#include "window_hooks.h"

class CTkCommandBarList;
class CTkCommandBars;
class CTkTipContext;
struct BarsExchangeParams;
struct CTkBarLayoutEntry;

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
// Bits of a bar's state word.
enum BarState { kStateControlsChanged = 1, kStateLayoutDirty = 2 };
// The gripper bit of a bar's style.
const DWORD kBarStyleGripper = 0x400000;

class CTkCommandBar : public CWnd, public CTkTrackedBar, public CTkHookClient, public CTkMsaaSupport {
  DECLARE_DYNCREATE(CTkCommandBar)

 public:
  enum { kHoverTimer = 112223, kExpandTimer = 112224, kHoverDelay = 300, kExpandDelay = 5000 };

  CTkCommandBar();
  ~CTkCommandBar() override;

  // The virtual operations in their slot order.
  virtual void DelayLayout() { m_dwState |= kStateLayoutDirty; }
  virtual BOOL SetMenuMode(int mode, BOOL selectFirst, BOOL byKeyboard);
  virtual BOOL SetHighlightedControl(int index, BOOL byKeyboard);
  virtual BOOL LoadToolBarResource(UINT) { return FALSE; }
  // Popup bars answer with their popup operation here.
  virtual BOOL QueryReserved(WPARAM, LPARAM) { return FALSE; }
  virtual void SetVisible(BOOL) {}
  virtual BOOL IsVisible() const { return FALSE; }
  virtual BOOL PlaceBar(int) { return FALSE; }
  virtual DROPEFFECT OnCustomizeDragEnter(CTkControl* dragged, CPoint point, DROPEFFECT effect);
  virtual void OnCustomizeDragLeave();
  virtual DROPEFFECT OnCustomizeDragOver(CTkControl* dragged, CPoint point, DROPEFFECT effect);
  virtual void OnCustomizeDrop(CTkControl* control, DROPEFFECT& effect, CPoint start, CPoint point);
  virtual BOOL IsCustomizable() const { return m_bCustomizable; }
  virtual void OnControlsChanged() {}
  virtual void OnControlSelected(int selected, CTkControl* control);
  // The bar that opened this one; null but for popups.
  virtual CTkCommandBar* GetParentBar() const { return nullptr; }
  virtual BOOL QueryDialogBar() const { return FALSE; }
  // The bar's stored keys, its controls among them.
  virtual void ExchangeBarProperties(CTkPropExchange* exchange);
  virtual BOOL AreKeyboardCuesVisible() const;
  // 1 consumed, 2 let through.
  virtual int ProcessKey(UINT key, LPARAM lParam);
  virtual CSize CalcBarSize() { return CSize(0, 0); }
  // Codes: 0 next, 1 previous, 2 back or up, 3 open or down, 4 cancel,
  // 5 execute, 6 first, 7 last. TRUE when acted on.
  virtual BOOL NavigateByKey(int code);
  virtual void DrawBar(CDC* pDC);
  virtual void ResetTrackingIndices();
  virtual void CopyBarFrom(CTkCommandBar* source, BOOL recursive);
  // 1 when the window contains the screen point, else 0.
  virtual int ContainsPoint(int x, int y);
  // Appends the bar and the popup bars it reaches; popup bars without an
  // id of their own get the next one.
  virtual void CollectForSave(UINT& nextId, CTkCommandBarList& list, const BarsExchangeParams& params);
  // Attaches the loaded bars the popup controls name to those controls.
  virtual void RestorePopupLinks(CTkCommandBarList& list);
  virtual void UpdateControls(BOOL disableIfNoHandler, LPARAM unused);
  virtual CTkCommandBar* CloneBar(BOOL recursive);
  // Bars whose gripper keeps one size whatever their length.
  virtual BOOL HasFixedGripper() const { return FALSE; }
  // A dialog bar's client sizes, docked and floating; other bars keep none.
  virtual void GetDialogBarClientSizes(CSize&, CSize&) const {}
  virtual void SetDialogBarClientSizes(CSize, CSize) {}

  // The saved layout: where the bar is, whether it shows and its docking
  // memory.
  void GetLayoutEntry(CTkBarLayoutEntry& entry);
  void ApplyLayoutEntry(const CTkBarLayoutEntry& entry);

  // What the mouse tracker and the keyboard hook ask of a bar.
  HWND GetTrackedWindow() const override { return m_hWnd; }
  void LeaveMenuMode() override { SetMenuMode(0, TRUE, FALSE); }
  void ClearHighlight() override { SetHighlightedControl(-1, FALSE); }
  int ContainsPoint(CPoint screenPoint) override { return ContainsPoint(screenPoint.x, screenPoint.y); }
  void OnTrackedMouseMove(UINT flags, CPoint clientPoint) override { OnMouseMove(flags, clientPoint); }
  int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;

  CTkControls* GetControls() const { return m_pControls; }
  CTkControl* GetControl(int index) const { return m_pControls->GetAt(index); }
  int GetControlCount() const { return m_pControls->GetCount(); }
  int GetType() const { return m_barType; }
  int GetPosition() const { return m_barPosition; }
  void SetPosition(int position) { m_barPosition = position; }
  UINT GetBarID() const { return m_nBarID; }
  void SetBarID(UINT id) { m_nBarID = id; }
  CString GetTitle() const { return m_strTitle; }
  void SetTitle(LPCWSTR title) { m_strTitle = title; }
  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(DWORD style) { m_dwStyle = style; }
  DWORD GetState() const { return m_dwState; }
  void SetState(DWORD state) { m_dwState = state; }
  int GetHotIndex() const { return m_nHotControl; }
  int GetPopupIndex() const { return m_nPopupControl; }
  int GetMenuMode() const { return m_nMenuMode; }
  int GetRedrawLock() const { return m_nRedrawLock; }
  int GetMRUWidth() const { return m_nMRUWidth; }
  void SetMRUWidth(int width) { m_nMRUWidth = width; }
  BOOL IsKeyboardSelection() const { return m_bKeyboardSelection; }
  // The bar entered menu mode by the mouse: its first popup animates.
  BOOL IsEnteredByMouse() const { return m_bEnteredByMouse; }
  void SetEnteredByMouse(BOOL on) { m_bEnteredByMouse = on; }
  BOOL IsRightButtonChoosing() const { return m_bRightButton; }
  void SetRightButtonChoosing(BOOL on) { m_bRightButton = on; }
  BOOL IsNoNotify() const { return m_bNoNotify; }
  void SetNoNotify(BOOL on) { m_bNoNotify = on; }
  BOOL IsNested() const { return m_bNested; }
  void SetNested(BOOL on) { m_bNested = on; }
  void SetCustomizable(BOOL on) { m_bCustomizable = on; }
  BOOL IsListedInContextMenu() const { return m_bListedInContextMenu; }
  void SetHideCaret(BOOL on) { m_bHideCaret = on; }
  const CRect& GetDropMarker() const { return m_rcMarker; }
  CWnd* GetOwnerField() const { return m_pOwner; }
  void SetOwner(CWnd* owner) { m_pOwner = owner; }
  void SetCommandTarget(CWnd* target) { m_pCommandTarget = target; }
  void SetCommandBars(CTkCommandBars* commandBars) { m_pCommandBars = commandBars; }

  // The lookup chains.
  CTkCommandBars* GetCommandBars() const;
  CTkCommandBar* GetRootBar() const;
  CWnd* GetOwnerSite() const;
  CWnd* GetCommandTarget() const;
  CFrameWnd* GetSiteFrame() const;
  BOOL IsHelpMode() const;
  BOOL IsCustomizeMode() const;

  // Own, else the command bars', else the root bar's own, else the current
  // one (the default look made on demand); null when the program has no look.
  CTkBarPainter* GetPaintManager() const;
  // Takes the caller's reference.
  void SetPaintManager(CTkBarPainter* painter);
  CTkImageManager* GetImageManager() const;
  // Takes the caller's reference.
  void AttachImageManager(CTkImageManager* manager);

  // The own icon size when set, else the options' (doubled for large
  // icons), else 16 x 16.
  CSize GetEffectiveIconSize() const;
  // The own button size when set, else the icon size plus 7 each way.
  CSize GetEffectiveButtonSize() const;
  void SetIconSize(CSize size) { m_szIcons = size; }
  void SetButtonSize(CSize size) { m_szButtons = size; }
  BOOL IsTextBelowIcons() const;
  void ShowTextBelowIcons(int show) { m_textBelowIcons = show; }

  BOOL BuildFromMenu(CMenu* menu, BOOL clear);
  BOOL SetPopupControl(int index, BOOL byKeyboard);
  void InvalidateChain();
  BOOL IsLayoutRTL() const;
  static CTkCommandBar* FindBarInList(const CPtrArray& bars, UINT id);

  // Customize drops: where a control dropped at a client point would go.
  // The insert index is -1 on an empty bar; the marker may be empty.
  // The marker is empty on the dragged control itself.
  void FindDropPosition(CPoint point, CTkControl* dragged, int& insertIndex, BOOL& after, CRect& marker) const;

  // The control under a client point with its tip; -1 when no tip shows.
  INT_PTR OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const override;

  // Accessibility.
  CCmdTarget* AccGetOwner() override { return this; }
  LPUNKNOWN GetInterface(const IID& iid) override;
  HRESULT AccGetParent(IDispatch** parent) override;
  HRESULT AccGetChildCount(long* count) override;
  HRESULT AccGetChild(VARIANT child, IDispatch** dispatch) override;
  HRESULT AccGetName(VARIANT child, BSTR* name) override;
  HRESULT AccGetRole(VARIANT child, VARIANT* role) override;
  HRESULT AccGetState(VARIANT child, VARIANT* state) override;
  HRESULT AccLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT AccHitTest(long x, long y, VARIANT* child) override;

 protected:
  friend class CTkControl;
  friend class CTkControls;

  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnFinalRelease() override;
  void RaiseRedrawLock() { ++m_nRedrawLock; }
  // At 0 the bar repaints once for every change made meanwhile.
  void LowerRedrawLock();
  // A press remembers its control, so the prompt shown for it stays.
  void RememberPrompt(UINT id) { m_nLastPromptId = static_cast<int>(id); }
  // The keyboard's moves: to the nearest control of the next (1) or
  // previous (-1) row, and to a control along the bar.
  BOOL MoveToNeighbourRow(int step);
  BOOL MoveHotByKeyboard(int index);

  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnNcMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnRButtonUp(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcLButtonDown(UINT hitTest, CPoint point);
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  BOOL m_bHideCaret = TRUE;
  int m_nMRUWidth = 32767;
  int m_nHotControl = -1;
  int m_nPopupControl = -1;
  HWND m_hCaretWnd = nullptr;
  UINT m_nBarID = 0;
  BOOL m_bVisible = TRUE;
  int m_nMenuMode = 0;
  CWnd* m_pOwner = nullptr;
  DWORD m_dwState = 0;
  DWORD m_dwFlags = 0;
  DWORD m_dwStyle = 0;
  CString m_strTitle;
  int m_barType = kBarTool;
  CTkControls* m_pControls;
  int m_barPosition = kBarNone;
  CTkCommandBars* m_pCommandBars = nullptr;
  CWnd* m_pCommandTarget = nullptr;
  CSize m_szIcons{0, 0};
  CSize m_szButtons{0, 0};
  int m_textBelowIcons = 2;
  BOOL m_bRightButton = FALSE;
  BOOL m_bNoNotify = FALSE;
  BOOL m_bNested = FALSE;
  // The lock count is the tracked bar's m_lockCount.
  BOOL m_bKeyboardSelection = FALSE;
  BOOL m_bCustomizable = TRUE;
  CRect m_rcMarker{0, 0, 0, 0};
  BOOL m_bVerticalMarker = FALSE;
  BOOL m_bEnteredByMouse = FALSE;
  BOOL m_bListedInContextMenu = TRUE;
  int m_nRedrawLock = 0;
  CTkBarPainter* m_pPaintManager = nullptr;
  CTkImageManager* m_pImageManager = nullptr;
  CTkTipContext* m_pTipContext = nullptr;
  int m_nLastPromptId = -1;
};
