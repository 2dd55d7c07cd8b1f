// The container side of one ActiveX control hosted as a CWnd: the client,
// in-place and control sites the control talks to, and a minimal in-place
// frame that offers no menus, tool space or accelerators of its own.
#pragma once

#include <ocidl.h>
#include <oleidl.h>

#include "automation.h"

class CWnd;

class COleControlFrame : public IOleInPlaceFrame {
 public:
  explicit COleControlFrame(HWND topLevel) : m_topLevel(topLevel) {}
  virtual ~COleControlFrame();
  COleControlFrame(const COleControlFrame&) = delete;
  COleControlFrame& operator=(const COleControlFrame&) = delete;

  // The object the control made active when it took the user interface;
  // null while it has not (no reference added).
  IOleInPlaceActiveObject* ActiveObject() const { return m_activeObject; }

  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;
  STDMETHOD(GetWindow)(HWND* phwnd) override;
  STDMETHOD(ContextSensitiveHelp)(BOOL) override;
  STDMETHOD(GetBorder)(LPRECT) override;
  STDMETHOD(RequestBorderSpace)(LPCBORDERWIDTHS) override;
  STDMETHOD(SetBorderSpace)(LPCBORDERWIDTHS) override;
  STDMETHOD(SetActiveObject)(IOleInPlaceActiveObject*, LPCOLESTR) override;
  STDMETHOD(InsertMenus)(HMENU, LPOLEMENUGROUPWIDTHS) override;
  STDMETHOD(SetMenu)(HMENU, HOLEMENU, HWND) override;
  STDMETHOD(RemoveMenus)(HMENU) override;
  STDMETHOD(SetStatusText)(LPCOLESTR) override;
  STDMETHOD(EnableModeless)(BOOL) override;
  STDMETHOD(TranslateAccelerator)(LPMSG, WORD) override;

 private:
  HWND m_topLevel;
  IOleInPlaceActiveObject* m_activeObject = nullptr;
  ULONG m_references = 1;
};

class COleControlSite : public IOleClientSite, public IOleInPlaceSiteEx, public IOleControlSite {
 public:
  explicit COleControlSite(CWnd* wrapper) : m_wrapper(wrapper) {}
  virtual ~COleControlSite() = default;
  COleControlSite(const COleControlSite&) = delete;
  COleControlSite& operator=(const COleControlSite&) = delete;

  // Creates, initialises, sites and activates the control in rect of the
  // parent, then attaches its window to the wrapper. On failure everything
  // made so far is released again.
  HRESULT CreateControl(REFCLSID clsid, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // Deactivates, closes and releases the control; its window is gone after.
  void DestroyControl();
  // Tells the control its window now covers rect (parent's coordinates).
  void SetObjectRects(const RECT& rect);
  // Offers a keyboard message to the control's active object before the
  // windows above it see it, so that Tab and the arrow keys stay inside
  // the control. TRUE when the control took it.
  BOOL PreTranslateMessage(MSG* pMsg);

  COleDispatchDriver m_dispatch;

  // IUnknown, shared by the three sites.
  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;
  // IOleClientSite
  STDMETHOD(SaveObject)() override;
  STDMETHOD(GetMoniker)(DWORD, DWORD, IMoniker** ppmk) override;
  STDMETHOD(GetContainer)(IOleContainer** ppContainer) override;
  STDMETHOD(ShowObject)() override;
  STDMETHOD(OnShowWindow)(BOOL) override;
  STDMETHOD(RequestNewObjectLayout)() override;
  // IOleWindow / IOleInPlaceSite
  STDMETHOD(GetWindow)(HWND* phwnd) override;
  STDMETHOD(ContextSensitiveHelp)(BOOL) override;
  STDMETHOD(CanInPlaceActivate)() override;
  STDMETHOD(OnInPlaceActivate)() override;
  STDMETHOD(OnUIActivate)() override;
  STDMETHOD(GetWindowContext)(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                              LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
  STDMETHOD(Scroll)(SIZE) override;
  STDMETHOD(OnUIDeactivate)(BOOL) override;
  STDMETHOD(OnInPlaceDeactivate)() override;
  STDMETHOD(DiscardUndoState)() override;
  STDMETHOD(DeactivateAndUndo)() override;
  STDMETHOD(OnPosRectChange)(LPCRECT lprcPosRect) override;
  // IOleInPlaceSiteEx: some controls activate only through it.
  STDMETHOD(OnInPlaceActivateEx)(BOOL* pfNoRedraw, DWORD dwFlags) override;
  STDMETHOD(OnInPlaceDeactivateEx)(BOOL fNoRedraw) override;
  STDMETHOD(RequestUIActivate)() override;
  // IOleControlSite
  STDMETHOD(OnControlInfoChanged)() override;
  STDMETHOD(LockInPlaceActive)(BOOL) override;
  STDMETHOD(GetExtendedControl)(IDispatch** ppDisp) override;
  STDMETHOD(TransformCoords)(POINTL*, POINTF*, DWORD) override;
  STDMETHOD(TranslateAccelerator)(MSG*, DWORD) override;
  STDMETHOD(OnFocus)(BOOL) override;
  STDMETHOD(ShowPropertyFrame)() override;

 private:
  CWnd* m_wrapper;
  HWND m_parent = nullptr;
  RECT m_rect = {};
  IOleObject* m_object = nullptr;
  IOleInPlaceObject* m_inPlace = nullptr;
  COleControlFrame* m_frame = nullptr;
  HWND m_controlWindow = nullptr;
  bool m_settingRects = false;
  ULONG m_references = 1;
};
