#include "image_manager.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "global_settings.h"
#include "prop_exchange.h"

namespace {
const wchar_t kIconsCheckSum[] = L"CTkImageManagerIcons";
}  // namespace

const UINT ToolBarImageClipboardFormat = ::RegisterClipboardFormatW(L"Pellum ToolBar Image") & 0xFFFF;
const UINT AlphaBitmapClipboardFormat = ::RegisterClipboardFormatW(L"Alpha Bitmap Image") & 0xFFFF;

// --- CTkImageIconSet ---

std::vector<std::pair<int, CTkImageIcon*>> CTkImageIconSet::IconsInMapOrder() const {
  std::vector<std::pair<int, CTkImageIcon*>> ordered;
  for (int bucket = 0; bucket < 17; ++bucket)
    for (auto it = m_icons.rbegin(); it != m_icons.rend(); ++it)
      if (static_cast<unsigned>(it->first) / 16 % 17 == static_cast<unsigned>(bucket)) ordered.push_back(*it);
  return ordered;
}

void CTkImageIconSet::AddIcon(int width, CTkImageIcon* icon) {
  for (auto& entry : m_icons) {
    if (entry.first == width) {
      entry.second->InternalRelease();
      entry.second = icon;
      return;
    }
  }
  m_icons.emplace_back(width, icon);
}

CTkImageIcon* CTkImageIconSet::GetIcon(int width) {
  for (auto& entry : m_icons)
    if (entry.first == width) return entry.second;
  CTkImageIcon* icon = new CTkImageIcon(m_commandId, width, 15, this);
  m_icons.emplace_back(width, icon);
  return icon;
}

void CTkImageIconSet::SetIcon(const CTkIconHandle& handle, int width) { GetIcon(width)->SetNormalImage(handle); }
void CTkImageIconSet::SetDisabledIcon(const CTkIconHandle& handle, int width) {
  GetIcon(width)->SetDisabledImage(handle);
}
void CTkImageIconSet::SetHotIcon(const CTkIconHandle& handle, int width) { GetIcon(width)->SetHotImage(handle); }
void CTkImageIconSet::SetCheckedIcon(const CTkIconHandle& handle, int width) {
  GetIcon(width)->SetCheckedImage(handle);
}

CTkImageIcon* CTkImageIconSet::FindBestIcon(int width, BOOL nearest) {
  for (auto& entry : m_icons)
    if (entry.first == width) return entry.second;
  if (!nearest || m_icons.empty()) return nullptr;
  CTkImageIcon* best = nullptr;
  int bestDistance = 0;
  for (auto& entry : IconsInMapOrder()) {
    int distance = std::abs(entry.first - width);
    if (best == nullptr || distance < bestDistance) {
      best = entry.second;
      bestDistance = distance;
    }
  }
  if (best->IsAlpha() || width == 0) return best;
  CTkImageIcon* scaled = best->CreateScaledIcon(width);
  if (scaled == nullptr) return best;
  scaled->m_bGenerated = TRUE;
  m_icons.emplace_back(width, scaled);
  return scaled;
}

void CTkImageIconSet::RemoveAll() {
  std::vector<std::pair<int, CTkImageIcon*>> icons;
  icons.swap(m_icons);
  for (auto& entry : icons) entry.second->InternalRelease();
}

void CTkImageIconSet::RefreshIcons() {
  std::vector<std::pair<int, CTkImageIcon*>> kept;
  std::vector<CTkImageIcon*> released;
  for (auto& entry : m_icons) {
    if (entry.second->m_bGenerated) {
      released.push_back(entry.second);
    } else {
      entry.second->ClearDerivedImages();
      kept.push_back(entry);
    }
  }
  m_icons.swap(kept);
  for (CTkImageIcon* icon : released) icon->InternalRelease();
}

// --- CTkImageManager ---

CTkImageManager::CTkImageManager() {
  m_hMsimg = ::LoadLibraryW(L"msimg32.dll");
  if (m_hMsimg != nullptr)
    m_alphaBlend = reinterpret_cast<AlphaBlendProc>(reinterpret_cast<void*>(::GetProcAddress(m_hMsimg, "AlphaBlend")));
}

CTkImageManager::~CTkImageManager() {
  RemoveAll();
  if (m_hMsimg != nullptr) ::FreeLibrary(m_hMsimg);
}

CTkImageManager* GetSharedImageManager() {
  // Never destroyed: icons may still be drawn while the process ends.
  static CTkImageManager* SharedImageManager = new CTkImageManager;
  return SharedImageManager;
}

void CTkImageManager::Serialize(CArchive& ar) {
  CTkPropExchangeArchive exchange(ar);
  DoPropExchange(&exchange);
}

CTkImageIconSet* CTkImageManager::FindIconSet(UINT commandId) const {
  auto it = m_iconSets.find(commandId);
  return it != m_iconSets.end() ? it->second : nullptr;
}

BOOL CTkImageManager::SetIcon(const CTkIconHandle& handle, UINT commandId, int width, int height, int kind) {
  if (handle.IsEmpty()) return FALSE;
  if (width == 0 && height == 0) {
    CSize size = handle.GetExtent();
    width = size.cx;
    if (width == 0 && size.cy == 0) return FALSE;
  }
  CTkImageIconSet* set = FindIconSet(commandId);
  if (set != nullptr) {
    switch (kind) {
      case kTkImageDisabled: set->SetDisabledIcon(handle, width); break;
      case kTkImageHot: set->SetHotIcon(handle, width); break;
      case kTkImageChecked: set->SetCheckedIcon(handle, width); break;
      default: set->SetIcon(handle, width); break;
    }
    return TRUE;
  }
  if (kind != kTkImageNormal) return FALSE;
  set = new CTkImageIconSet(commandId, this);
  set->SetIcon(handle, width);
  m_iconSets[commandId] = set;
  return TRUE;
}

BOOL CTkImageManager::AddIconsFromImageList(HIMAGELIST imageList, const UINT* ids, int count, int width, int height,
                                            int kind) {
  if (imageList == nullptr) return FALSE;
  const int images = ::ImageList_GetImageCount(imageList);
  if (ids == nullptr && count == 0) count = images;
  if (width == 0 && height == 0 && count > 0) ::ImageList_GetIconSize(imageList, &width, &height);
  const BOOL exact = count == images;
  int image = 0;
  for (int i = 0; i < count; ++i) {
    if (ids != nullptr && !exact && ids[i] == 0) continue;  // a separator
    HICON icon = ::ImageList_GetIcon(imageList, image, ILD_NORMAL);
    if (icon == nullptr) return FALSE;
    CTkIconHandle handle;
    handle.AttachIcon(icon);
    SetIcon(handle, ids != nullptr ? ids[i] : static_cast<UINT>(i), width, height, kind);
    ++image;
  }
  return TRUE;
}

BOOL CTkImageManager::AddIconsFromBitmap(HBITMAP bitmap, const UINT* ids, int count, int width, int height, int kind,
                                         BOOL alphaStrip) {
  if (width <= 0 || bitmap == nullptr) return FALSE;
  if (!alphaStrip) {
    HIMAGELIST list = ::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 0, 1);
    if (list == nullptr) return FALSE;
    COLORREF mask = m_maskColor != static_cast<COLORREF>(-1) ? m_maskColor : GetBitmapPixel(bitmap, 0, 0);
    ::ImageList_AddMasked(list, bitmap, mask);
    BOOL ok = AddIconsFromImageList(list, ids, count, width, height, kind);
    ::ImageList_Destroy(list);
    return ok;
  }
  BITMAP info = {};
  if (::GetObjectW(bitmap, sizeof info, &info) == 0 || info.bmWidth % width != 0) return FALSE;
  const int parts = info.bmWidth / width;
  std::vector<HBITMAP> pieces;
  if (!SplitAlphaBitmap(bitmap, parts, pieces)) return FALSE;
  const BOOL exact = count == parts;
  int image = 0;
  for (int i = 0; i < count && image < parts; ++i) {
    if (ids != nullptr && !exact && ids[i] == 0) continue;
    CTkIconHandle handle(pieces[image]);
    SetIcon(handle, ids != nullptr ? ids[i] : static_cast<UINT>(i), width, height, kind);
    ++image;
  }
  for (HBITMAP piece : pieces) ::DeleteObject(piece);
  return TRUE;
}

BOOL CTkImageManager::AddIconsFromResource(UINT bitmapId, const UINT* ids, int count, int width, int height,
                                           int kind) {
  const BOOL alpha = IsAlphaBitmapResource(bitmapId);
  HBITMAP bitmap = alpha ? LoadAlphaBitmapResource(bitmapId)
                         : static_cast<HBITMAP>(::LoadImageW(
                               AfxFindResourceHandle(MAKEINTRESOURCEW(bitmapId), RT_BITMAP),
                               MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap == nullptr) return FALSE;
  BITMAP info = {};
  ::GetObjectW(bitmap, sizeof info, &info);
  BOOL ok = TRUE;
  if (width == 0 && height == 0) {
    // No ids to divide the strip by (a tool bar of separators only).
    if (count <= 0) ok = FALSE;
    else {
      height = std::abs(info.bmHeight);
      width = info.bmWidth / count;
    }
  }
  if (ok && count == 0) count = width > 0 ? info.bmWidth / width : 0;
  ok = ok && AddIconsFromBitmap(bitmap, ids, count, width, height, kind, alpha);
  ::DeleteObject(bitmap);
  return ok;
}

BOOL ReadToolBarResource(UINT id, std::vector<UINT>& ids, CSize& buttonSize) {
  if (!AfxReadToolBarResource(MAKEINTRESOURCEW(id), buttonSize, ids)) return FALSE;
  ids.erase(std::remove(ids.begin(), ids.end(), static_cast<UINT>(ID_SEPARATOR)), ids.end());
  return TRUE;
}

BOOL CTkImageManager::AddIconsFromToolBar(UINT toolBarId, UINT bitmapId, TkImageKind kind) {
  std::vector<UINT> ids;
  CSize buttonSize;
  if (!ReadToolBarResource(toolBarId, ids, buttonSize)) return FALSE;
  return AddIconsFromResource(bitmapId, ids.data(), static_cast<int>(ids.size()), 0, 0, kind);
}

UINT CTkImageManager::AddCustomIcon(const CTkIconHandle& handle) {
  UINT id = ++m_lastCustomId;
  CTkImageIconSet* set = new CTkImageIconSet(id, this);
  set->SetIcon(handle, handle.GetExtent().cx);
  m_iconSets[id] = set;
  return id;
}

CTkImageIcon* CTkImageManager::GetImage(UINT commandId, int width) {
  if (CTkImageIconSet* set = FindIconSet(commandId)) return set->FindBestIcon(width, TRUE);
  for (CTkImageListSource* source : m_sources) {
    int images = ::ImageList_GetImageCount(source->imageList);
    if (commandId < source->firstId || commandId >= source->firstId + static_cast<UINT>(images)) continue;
    CTkImageIcon*& icon = source->icons[commandId];
    if (icon == nullptr) {
      int cx = 0;
      int cy = 0;
      ::ImageList_GetIconSize(source->imageList, &cx, &cy);
      icon = new CTkImageIcon(commandId, cx, cy, source);
    }
    return icon;
  }
  return nullptr;
}

void CTkImageManager::ResetDerivedImages() {
  for (auto& entry : m_iconSets) entry.second->RefreshIcons();
  for (CTkImageListSource* source : m_sources) {
    for (auto& entry : source->icons) entry.second->InternalRelease();
    source->icons.clear();
  }
}

void CTkImageManager::RemoveAll() {
  std::map<UINT, CTkImageIconSet*> sets;
  sets.swap(m_iconSets);
  for (auto& entry : sets) entry.second->InternalRelease();
  for (CTkImageListSource* source : m_sources) {
    for (auto& entry : source->icons) entry.second->InternalRelease();
    if (source->ownsList) ::ImageList_Destroy(source->imageList);
    delete source;
  }
  m_sources.clear();
}

void CTkImageManager::ExchangeIconSet(UINT commandId, CTkPropExchange* exchange) {
  m_lastCustomId = std::max(m_lastCustomId, commandId);
  CString checkSum = kIconsCheckSum;
  ExchangeText(exchange, L"CheckSum", &checkSum, kIconsCheckSum);
  if (exchange->IsLoading()) {
    if (checkSum != kIconsCheckSum) AfxThrowArchiveException(CArchiveException::badClass);
    CTkImageIconSet* set = FindIconSet(commandId);
    if (set != nullptr) {
      set->RemoveAll();
    } else {
      set = new CTkImageIconSet(commandId, this);
      m_iconSets[commandId] = set;
    }
    CTkPropExchangeSequenceHolder list(exchange->CreateEnumerator(L"Icon"));
    DWORD count = 0;
    DWORD position = list->Start(count, TRUE);
    while (position != 0) {
      CTkPropExchangeSectionHolder item(list->Next(position));
      int width = 16;
      ExchangeIntNoDefault(item.Get(), L"Width", &width);
      CTkImageIcon* icon = new CTkImageIcon(commandId, width, 15, set);
      ExchangeSerializable(item.Get(), L"Data", icon);
      set->AddIcon(width, icon);
    }
    return;
  }
  CTkImageIconSet* set = FindIconSet(commandId);
  std::vector<std::pair<int, CTkImageIcon*>> icons;
  if (set != nullptr)
    for (auto& entry : set->IconsInMapOrder())
      if (!entry.second->m_bGenerated) icons.push_back(entry);
  CTkPropExchangeSequenceHolder list(exchange->CreateEnumerator(L"Icon"));
  DWORD count = static_cast<DWORD>(icons.size());
  DWORD position = list->Start(count, TRUE);
  for (auto& entry : icons) {
    if (position == 0) break;
    CTkPropExchangeSectionHolder item(list->Next(position));
    int width = entry.first;
    ExchangeIntNoDefault(item.Get(), L"Width", &width);
    ExchangeSerializable(item.Get(), L"Data", entry.second);
  }
}

void CTkImageManager::ExchangeIconSetToArchive(UINT commandId, CArchive& ar) {
  CTkPropExchangeArchive exchange(ar);
  ExchangeIconSet(commandId, &exchange);
}

void CTkImageManager::DoPropExchange(CTkPropExchange* exchange) {
  if (exchange->IsLoading()) RemoveAll();
  CTkPropExchangeSequenceHolder list(exchange->CreateEnumerator(L"IconSet"));
  std::vector<UINT> ids;
  for (auto& entry : m_iconSets) ids.push_back(entry.first);
  DWORD count = static_cast<DWORD>(ids.size());
  DWORD position = list->Start(count, TRUE);
  size_t index = 0;
  while (position != 0) {
    CTkPropExchangeSectionHolder item(list->Next(position));
    int id = exchange->IsLoading() ? 0 : static_cast<int>(ids[index++]);
    ExchangeIntNoDefault(item.Get(), L"Id", &id);
    ExchangeIconSet(static_cast<UINT>(id), item.Get());
  }
}

BOOL CTkImageManager::CopyIconToClipboard(UINT commandId) {
  CMemFile file(1024);
  {
    CArchive ar(&file, CArchive::store, 4096);
    ExchangeIconSetToArchive(commandId, ar);
    ar.Flush();
  }
  SIZE_T length = static_cast<SIZE_T>(file.GetLength());
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, length);
  if (memory == nullptr) return FALSE;
  void* target = ::GlobalLock(memory);
  file.SeekToBegin();
  file.Read(target, static_cast<UINT>(length));
  ::GlobalUnlock(memory);
  if (::SetClipboardData(ToolBarImageClipboardFormat, memory) == nullptr) {
    ::GlobalFree(memory);
    return FALSE;
  }
  return TRUE;
}

UINT CTkImageManager::PasteIconFromClipboard(IDataObject* data) {
  if (data == nullptr) return 0;
  FORMATETC format = {static_cast<CLIPFORMAT>(ToolBarImageClipboardFormat), nullptr, DVASPECT_CONTENT, -1,
                      TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&format, &medium))) return 0;
  UINT id = 0;
  try {
    CSharedFile file(GMEM_MOVEABLE, 4096);
    file.SetHandle(medium.hGlobal, FALSE);
    CArchive ar(&file, CArchive::load, 4096);
    id = ++m_lastCustomId;
    ExchangeIconSetToArchive(id, ar);
    file.Detach();
  } catch (CException* e) {
    e->Delete();
    id = 0;
  }
  ::ReleaseStgMedium(&medium);
  return id;
}

BOOL SplitAlphaBitmap(HBITMAP bitmap, int count, std::vector<HBITMAP>& parts) {
  parts.clear();
  TkBitmapHeaderBlock header;
  std::vector<BYTE> bits;
  if (count <= 0 || !ReadAlphaPixels(bitmap, header, bits)) return FALSE;
  const int width = header.header.biWidth / count;
  const int height = header.header.biHeight;
  if (width <= 0) return FALSE;
  for (int part = 0; part < count; ++part) {
    void* target = nullptr;
    HBITMAP section = CreateAlphaSection(width, height, &target);
    if (section == nullptr) {
      for (HBITMAP made : parts) ::DeleteObject(made);
      parts.clear();
      return FALSE;
    }
    for (int row = 0; row < height; ++row)
      memcpy(static_cast<BYTE*>(target) + static_cast<size_t>(row) * width * 4,
             bits.data() + (static_cast<size_t>(row) * header.header.biWidth + part * width) * 4,
             static_cast<size_t>(width) * 4);
    parts.push_back(section);
  }
  return TRUE;
}

COLORREF GetBitmapPixel(HBITMAP bitmap, int x, int y) {
  HDC memory = ::CreateCompatibleDC(nullptr);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  COLORREF pixel = ::GetPixel(memory, x, y);
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  return pixel;
}

HBITMAP FlattenAlphaBitmap(HBITMAP bitmap, COLORREF key) {
  TkBitmapHeaderBlock header;
  std::vector<BYTE> bits;
  if (!ReadAlphaPixels(bitmap, header, bits)) return nullptr;
  for (size_t i = 0; i < bits.size(); i += 4) {
    BYTE* p = &bits[i];
    if (p[3] >= 120) {
      for (int c = 0; c < 3; ++c) p[c] = static_cast<BYTE>(p[c] * 255 >> 8);
    } else {
      p[0] = GetBValue(key);
      p[1] = GetGValue(key);
      p[2] = GetRValue(key);
    }
    p[3] = 0;
  }
  return SectionFromAlphaPixels(header, bits);
}

BOOL IsComCtl32Version6() { return (GetGlobalSettings().GetComCtlVersion() >> 16) > 5; }
