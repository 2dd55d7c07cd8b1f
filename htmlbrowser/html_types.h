// Plain types the browser's portable core shares with its Windows side.
#pragma once

#include <cstdint>

// A COLORREF (red in the low byte); some fields also hold -1 or -2.
using HtmlColor = int32_t;
// A window handle carried as an integer; -1 marks "no window" in boxes.
using HtmlWindow = intptr_t;

struct HtmlRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct HtmlSize {
    int width = 0;
    int height = 0;
};
