// A picture loaded from a file, for the picture previews and the
// document's image list. Decoded through GDI+.
#pragma once

#include "framework.h"

class CPicture {
 public:
  CPicture() = default;
  // Loads path; format is the code of GetImageTypeFromName (0 lets the
  // decoder tell).
  CPicture(LPCWSTR path, int format);
  ~CPicture();
  CPicture(const CPicture&) = delete;
  CPicture& operator=(const CPicture&) = delete;

  BOOL Load(LPCWSTR path, int format);
  BOOL IsValid() const { return m_image != nullptr; }
  int GetFormat() const { return m_format; }
  UINT GetWidth() const;
  UINT GetHeight() const;
  // Draws the picture stretched into rect.
  BOOL Draw(HDC hdc, const RECT& rect) const;
  void Destroy();

 private:
  void* m_image = nullptr;  // GpImage
  int m_format = 0;
};
