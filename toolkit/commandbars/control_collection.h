// The controls of one command bar, in display order: made by type or
// from menu items, found, walked by the keyboard, compared with the set
// the bar was loaded with, and laid out in rows. The collection holds one
// reference to each control.
#pragma once

#include <vector>

#include "control.h"

class CTkCommandBarList;
struct BarsExchangeParams;

// Flags of CalcDynamicSize.
enum LayoutFlag {
  kLayoutStretch = 0x01,   // in: stretch to the length; out: not everything fit in one row
  kLayoutHorizontal = 0x02,
  kLayoutMRUWidth = 0x04,  // the length is the owner bar's MRU width
  kLayoutHorzDock = 0x08,
  kLayoutVertical = 0x10,  // rows become columns
  kLayoutLengthIsHeight = 0x20,
  kLayoutCommit = 0x40,    // store the positions in the controls
  kLayoutHideWrapped = 0x80,
  kLayoutFloatingShape = 0x100,
};

class CTkControls : public CCmdTarget {
  DECLARE_DYNCREATE(CTkControls)

 public:
  CTkControls() = default;
  ~CTkControls() override;

  void SetParent(CTkCommandBar* bar);
  CTkCommandBar* GetParent() const { return m_pParent; }
  void SetCommandBars(CTkCommandBars* commandBars) { m_pCommandBars = commandBars; }
  CTkCommandBars* GetCommandBars() const;
  void RefreshIndexes();

  // A control of the type (and for buttons, of the special ids) inserted
  // before an index (outside 0..count appends); null for a type the
  // program has no class for.
  CTkControl* Add(int type, UINT id, LPCWSTR parameter = L"", int before = -1, BOOL temporary = FALSE);
  // Takes the caller's reference.
  CTkControl* AddControl(CTkControl* control, UINT id, LPCWSTR parameter = L"", int before = -1,
                         BOOL temporary = FALSE);
  CTkControl* AddClone(CTkControl* control, int before = -1, BOOL recursive = TRUE);
  // The control made from a menu item; null for the MDI-children item and
  // for items the program has no class for.
  CTkControl* AddMenuItem(CMenu* menu, int position);
  void Remove(CTkControl* control);
  void Remove(int index) { Remove(GetAt(index)); }
  void RemoveAll();

  int GetCount() const { return static_cast<int>(m_controls.size()); }
  // Null outside 0..count-1.
  CTkControl* GetAt(int index) const;
  CTkControl* GetFirst() const { return GetAt(0); }
  CTkControl* GetNext(CTkControl* control) const { return GetAt(control->GetIndex() + 1); }
  // Type 0 and id -1 match any; recursive looks into popups' bars.
  CTkControl* FindControl(int type, UINT id, BOOL visibleOnly, BOOL recursive) const;
  CTkControl* FindControl(UINT id) const { return FindControl(0, id, FALSE, FALSE); }
  // The next control a keyboard walk reaches, wrapping at most once; -1 when none.
  int GetNextIndex(int start, int step, BOOL skipFlag2 = TRUE, BOOL skipTemporary = FALSE,
                   BOOL allowRarelyUsed = TRUE) const;
  CTkControl* HitTest(CPoint point) const;
  // Strict counts controls without hide reasons; otherwise those only
  // wrapped out count too.
  int GetVisibleCount(BOOL strict) const;

  // The layout: measures, wraps and (with kLayoutCommit) places the
  // controls; borders are left, top, right, bottom. Sets kLayoutStretch in
  // flags when the controls did not fit in one row.
  CSize CalcDynamicSize(CDC* pDC, int length, DWORD& flags, const CRect& borders, int minimumExtent = 0);

  // A copy of every non-temporary control (and of the original set).
  CTkControls* Duplicate(BOOL recursive) const;
  void CreateOriginalControls();
  void ClearOriginalControls();
  CTkControls* GetOriginalControls() const { return m_pOriginalControls; }
  // Takes one more reference on the set; null clears it.
  void SetOriginalControls(CTkControls* original);
  BOOL IsEqual(const CTkControls* other) const;
  BOOL IsChanged() const;

  // The stored form: the "Control" list, then the original copy. A stored
  // class that is no control ends the whole load with the archive's
  // bad-class error.
  void DoPropExchange(CTkPropExchange* exchange);
  void CollectPopupBars(UINT& nextId, CTkCommandBarList& list, const BarsExchangeParams& params);
  void RestorePopupLinks(CTkCommandBarList& list);

 private:
  void Insert(CTkControl* control, int before);
  // The popup bar for a popup control: the owner site's answer to
  // WM_CMDBARS_CREATEBAR, else a new one of the popup-bar class.
  CTkCommandBar* CreatePopupBarFor(UINT id, const CString& title);

  CTkCommandBar* m_pParent = nullptr;
  std::vector<CTkControl*> m_controls;
  CTkCommandBars* m_pCommandBars = nullptr;
  CTkControls* m_pOriginalControls = nullptr;
};
