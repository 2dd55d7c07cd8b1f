#include "corner_pixels.h"

void ExcludeCornerPixels(HDC hDC, const RECT& rect) {
  ::ExcludeClipRect(hDC, rect.left, rect.top, rect.left + 1, rect.top + 1);
  ::ExcludeClipRect(hDC, rect.right - 1, rect.top, rect.right, rect.top + 1);
  ::ExcludeClipRect(hDC, rect.left, rect.bottom - 1, rect.left + 1, rect.bottom);
  ::ExcludeClipRect(hDC, rect.right - 1, rect.bottom - 1, rect.right, rect.bottom);
}
