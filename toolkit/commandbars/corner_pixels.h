// Rounded corners without regions: the four corner pixels of a rectangle
// are cut out of the clip before it is filled or framed.
#pragma once

#include <windows.h>

void ExcludeCornerPixels(HDC hDC, const RECT& rect);
