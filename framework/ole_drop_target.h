// A window's target for OLE drag and drop: registered on the window with
// RegisterDragDrop through an IDropTarget of its own, it hands every drag
// event with the dragged data to virtual operations. The window's owner
// revokes it when the window goes (Revoke, also done by the destructor).
#pragma once

#include <ole2.h>

#include "cmd_target.h"
#include "geometry.h"

class CFile;
class CWnd;

// The effect bits a drop target answers with (DROPEFFECT_*).
typedef DWORD DROPEFFECT;

// The data of a drag, as the drop target hands it over.
class COleDataObject {
 public:
  COleDataObject() = default;
  ~COleDataObject() { Release(); }
  COleDataObject(const COleDataObject&) = delete;
  COleDataObject& operator=(const COleDataObject&) = delete;

  // Takes the interface; with bAutoRelease it is released by this object.
  void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
  LPDATAOBJECT Detach();
  void Release();
  BOOL IsDataAvailable(CLIPFORMAT cfFormat) const;
  // The format's data as memory the caller frees; null when it has none.
  HGLOBAL GetGlobalData(CLIPFORMAT cfFormat);
  // The format's data (global memory or a stream) as a file the caller
  // deletes; it holds its own copy. Null when the data has none.
  CFile* GetFileData(CLIPFORMAT cfFormat);
  LPDATAOBJECT GetIDataObject() const { return m_lpDataObject; }

 private:
  LPDATAOBJECT m_lpDataObject = nullptr;
  BOOL m_bAutoRelease = TRUE;
};

// A copy of the memory (moveable, shareable); null when it cannot be made.
HGLOBAL CopyGlobalMemory(HGLOBAL memory);

class COleDropTarget : public CCmdTarget {
 public:
  COleDropTarget();
  ~COleDropTarget() override;

  // FALSE when OLE refuses (not initialised on the thread, or the window
  // has a target already).
  BOOL Register(CWnd* pWnd);
  void Revoke();
  HWND GetRegisteredWindow() const { return m_hWnd; }

  virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave(CWnd* pWnd);
  virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

 private:
  // The COM face; its references do not own the object, the owner does.
  struct DropTarget : IDropTarget {
    COleDropTarget* owner = nullptr;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  };
  CWnd* Window() const;
  CPoint ClientPoint(POINTL pt) const;

  DropTarget m_target;
  HWND m_hWnd = nullptr;
  COleDataObject m_data;
};
