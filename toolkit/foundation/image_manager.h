// The icons of commands by id: one icon set per command, one icon per
// width, the nearest width rescaled once on request; loading from strips,
// image lists and tool-bar resources; exchange and the clipboard.
#pragma once

#include <objidl.h>

#include <map>
#include <utility>
#include <vector>

#include "framework.h"
#include "icon_image.h"

class CTkPropExchange;
class CTkImageManager;

enum TkImageKind { kTkImageNormal = 0, kTkImageDisabled = 1, kTkImageHot = 2, kTkImageChecked = 3 };

class CTkImageIconSet : public CCmdTarget {
 public:
  CTkImageIconSet(UINT commandId, CTkImageManager* manager) : m_commandId(commandId), m_pManager(manager) {}
  ~CTkImageIconSet() override { RemoveAll(); }

  CTkImageIcon* GetIcon(int width);
  void SetIcon(const CTkIconHandle& handle, int width);
  void SetDisabledIcon(const CTkIconHandle& handle, int width);
  void SetHotIcon(const CTkIconHandle& handle, int width);
  void SetCheckedIcon(const CTkIconHandle& handle, int width);
  CTkImageIcon* FindBestIcon(int width, BOOL nearest);
  void RemoveAll();
  void RefreshIcons();
  // Files an icon under a width, releasing one already there.
  void AddIcon(int width, CTkImageIcon* icon);
  int GetIconCount() const { return static_cast<int>(m_icons.size()); }
  // The icons in the order a hash map of 17 buckets by width / 16 walks them.
  std::vector<std::pair<int, CTkImageIcon*>> IconsInMapOrder() const;

  UINT m_commandId;
  CTkImageManager* m_pManager;

 private:
  std::vector<std::pair<int, CTkImageIcon*>> m_icons;  // in the order added
};

// Icons drawn from an image list for a range of command ids.
struct CTkImageListSource {
  HIMAGELIST imageList = nullptr;
  BOOL ownsList = FALSE;
  UINT firstId = 0;
  std::map<UINT, CTkImageIcon*> icons;
};

class CTkImageManager : public CCmdTarget {
 public:
  static const UINT kFirstCustomId = 68266;

  CTkImageManager();
  ~CTkImageManager() override;
  void Serialize(CArchive& ar) override;

  BOOL SetIcon(const CTkIconHandle& handle, UINT commandId, int width = 0, int height = 0, int kind = kTkImageNormal);
  BOOL AddIconsFromImageList(HIMAGELIST imageList, const UINT* ids, int count, int width = 0, int height = 0,
                             int kind = kTkImageNormal);
  BOOL AddIconsFromBitmap(HBITMAP bitmap, const UINT* ids, int count, int width, int height, int kind,
                          BOOL alphaStrip);
  BOOL AddIconsFromResource(UINT bitmapId, const UINT* ids, int count, int width = 0, int height = 0,
                            int kind = kTkImageNormal);
  // The kind is typed so that a bitmap id never passes for one.
  BOOL AddIconsFromToolBar(UINT toolBarId, UINT bitmapId, TkImageKind kind = kTkImageNormal);
  BOOL AddIconsFromToolBar(UINT toolBarId, TkImageKind kind = kTkImageNormal) {
    return AddIconsFromToolBar(toolBarId, toolBarId, kind);
  }
  UINT AddCustomIcon(const CTkIconHandle& handle);
  CTkImageIcon* GetImage(UINT commandId, int width);
  CTkImageIconSet* FindIconSet(UINT commandId) const;
  BOOL IsAlphaUsable() const { return m_alphaBlend != nullptr; }
  void ResetDerivedImages();
  void RemoveAll();

  void ExchangeIconSet(UINT commandId, CTkPropExchange* exchange);
  void ExchangeIconSetToArchive(UINT commandId, CArchive& ar);
  void DoPropExchange(CTkPropExchange* exchange);

  // The caller opens and empties the clipboard around the copy.
  BOOL CopyIconToClipboard(UINT commandId);
  // The new custom id, or 0 without readable data.
  UINT PasteIconFromClipboard(IDataObject* data);

  using AlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

  COLORREF m_maskColor = static_cast<COLORREF>(-1);
  std::map<UINT, CTkImageIconSet*> m_iconSets;
  std::vector<CTkImageListSource*> m_sources;
  UINT m_lastCustomId = kFirstCustomId;
  HMODULE m_hMsimg = nullptr;
  AlphaBlendProc m_alphaBlend = nullptr;
  BOOL m_bDrawMirrored = FALSE;
};

CTkImageManager* GetSharedImageManager();

extern const UINT ToolBarImageClipboardFormat;
extern const UINT AlphaBitmapClipboardFormat;

// Cuts a 32-bit strip into count parts side by side.
BOOL SplitAlphaBitmap(HBITMAP bitmap, int count, std::vector<HBITMAP>& parts);
COLORREF GetBitmapPixel(HBITMAP bitmap, int x, int y);
// The command ids of a tool-bar resource without its separators.
BOOL ReadToolBarResource(UINT id, std::vector<UINT>& ids, CSize& buttonSize);
HBITMAP FlattenAlphaBitmap(HBITMAP bitmap, COLORREF key);
BOOL IsComCtl32Version6();
