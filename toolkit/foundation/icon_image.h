// One command icon at one width: the pictures for the states of a control,
// the faded, shadow and disabled pictures computed from them, drawing,
// scaling and serialization; and the 32-bit bitmap helpers they use.
#pragma once

#include <vector>

#include "framework.h"

class CTkImageIconSet;
class CTkImageManager;
struct CTkImageListSource;

// Either a system icon or a 32-bit section with straight alpha. Copies do
// not own; a premultiplied draw copy is made on the first alpha draw.
class CTkIconHandle {
 public:
  CTkIconHandle() = default;
  explicit CTkIconHandle(HICON icon) : m_hIcon(icon), m_bOwns(FALSE) {}
  explicit CTkIconHandle(HBITMAP bitmap) : m_hBitmap(bitmap), m_bOwns(FALSE) {}
  CTkIconHandle(const CTkIconHandle& other) : m_hIcon(other.m_hIcon), m_hBitmap(other.m_hBitmap), m_bOwns(FALSE) {}
  CTkIconHandle& operator=(const CTkIconHandle&) = delete;
  ~CTkIconHandle() { Clear(); }

  void Clear();
  void CopyFrom(const CTkIconHandle& other);
  void SetBitmapCopy(HBITMAP bitmap);
  void AttachIcon(HICON icon);
  void AttachBitmap(HBITMAP bitmap);
  BOOL IsEmpty() const { return m_hIcon == nullptr && m_hBitmap == nullptr; }
  BOOL IsAlpha() const { return m_hBitmap != nullptr; }
  HICON GetIcon() const { return m_hIcon; }
  HBITMAP GetBitmap() const { return m_hBitmap; }
  CSize GetExtent() const;
  BOOL LoadFromResource(UINT id, int width, int height, BOOL searchGroup = TRUE);
  BOOL PrepareDrawCache();
  HBITMAP GetDrawCopy() const { return m_hDrawCopy; }

 private:
  HICON m_hIcon = nullptr;
  HBITMAP m_hBitmap = nullptr;
  HBITMAP m_hDrawCopy = nullptr;
  BOOL m_bOwns = TRUE;
};

class CTkImageIcon : public CCmdTarget {
 public:
  CTkImageIcon(UINT commandId, int width, int height, CTkImageIconSet* owner);
  CTkImageIcon(UINT commandId, int width, int height, CTkImageListSource* source);
  ~CTkImageIcon() override = default;

  void Serialize(CArchive& ar) override;

  CTkIconHandle& GetNormalImage() { return m_normal; }
  CTkIconHandle& GetHotImage() { return m_hot.IsEmpty() ? m_normal : m_hot; }
  CTkIconHandle& GetCheckedImage() { return m_checked.IsEmpty() ? GetHotImage() : m_checked; }
  CTkIconHandle& GetFadedImage();
  CTkIconHandle& GetShadowImage();
  BOOL HasDisabledImage() const { return !m_disabled.IsEmpty() || !m_computedDisabled.IsEmpty(); }
  CTkIconHandle& GetDisabledImage(BOOL create = TRUE);
  BOOL IsAlpha() const { return m_normal.IsAlpha(); }
  CSize GetExtent() const { return m_normal.GetExtent(); }
  int GetHeight() const { return m_height; }
  int GetWidth() const { return m_width; }
  UINT GetCommandId() const { return m_commandId; }

  void SetNormalImage(const CTkIconHandle& handle);
  void SetHotImage(const CTkIconHandle& handle);
  void SetCheckedImage(const CTkIconHandle& handle);
  void SetDisabledImage(const CTkIconHandle& handle);
  void ClearDerivedImages();
  void ClearImages(BOOL includingNormal);

  // -1 for either colour gives the grey image.
  void MakeDisabledImage(COLORREF light = static_cast<COLORREF>(-1), COLORREF dark = static_cast<COLORREF>(-1));
  CTkImageIcon* CreateScaledIcon(int width);

  void Draw(CDC* pDC, int x, int y, CTkIconHandle& handle, int width = 0, int height = 0);
  void DrawMonochrome(CDC* pDC, int x, int y, CTkIconHandle& handle, COLORREF color);
  CTkImageManager* GetImageManager() const;

  UINT m_commandId;
  int m_width;
  int m_height;
  BOOL m_bGenerated = FALSE;
  CTkImageIconSet* m_pOwner = nullptr;
  CTkImageListSource* m_pSource = nullptr;

 private:
  void SerializeImage(CArchive& ar, CTkIconHandle& handle);

  CTkIconHandle m_normal;
  CTkIconHandle m_faded;
  CTkIconHandle m_shadow;
  CTkIconHandle m_hot;
  CTkIconHandle m_checked;
  CTkIconHandle m_disabled;
  CTkIconHandle m_computedDisabled;
};

// The 40-byte info header and what the system writes after it.
struct TkBitmapHeaderBlock {
  BITMAPINFOHEADER header;
  DWORD extra[3];
};
static_assert(sizeof(TkBitmapHeaderBlock) == 52, "the stored header block is 52 bytes");

// A bottom-up 32-bit section; bits receives its pixels.
HBITMAP CreateAlphaSection(int width, int height, void** bits = nullptr);
BOOL GetAlphaBitmapBits(HDC hDC, HBITMAP bitmap, TkBitmapHeaderBlock& header, std::vector<BYTE>& bits);
// GetAlphaBitmapBits on a screen DC.
BOOL ReadAlphaPixels(HBITMAP bitmap, TkBitmapHeaderBlock& header, std::vector<BYTE>& bits);
// A new section holding pixels read by ReadAlphaPixels.
HBITMAP SectionFromAlphaPixels(const TkBitmapHeaderBlock& header, const std::vector<BYTE>& bits);
HBITMAP CopyAlphaBitmap(HBITMAP bitmap);
HBITMAP PremultiplyAlphaBitmap(HBITMAP bitmap);
BOOL ReadBitmapBits(HBITMAP bitmap, std::vector<BYTE>& bits, TkBitmapHeaderBlock& header);
HBITMAP LoadAlphaBitmapResource(UINT id);
BOOL IsAlphaBitmapResource(UINT id);
BOOL IsBitmapFile32Bit(LPCWSTR path);
HBITMAP LoadAlphaIconFile(LPCWSTR path, int width);
// The first 32-bit image of an .ico file image of that width (0: any).
HBITMAP AlphaBitmapFromIconFileBytes(const BYTE* data, size_t size, int width);
CSize GetIconExtent(HICON icon);
HICON ResizeIcon(HICON icon, CSize size, int width);
void DrawAlphaBitmap(CDC* pDC, HBITMAP premultiplied, int x, int y, int width, int height, int sourceX = 0,
                     int sourceY = 0, int sourceWidth = 0, int sourceHeight = 0);
COLORREF LightenColor(COLORREF color, double fraction);
