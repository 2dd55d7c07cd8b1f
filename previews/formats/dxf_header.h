// The first bytes of a drawing exchange file.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kDxfHeaderTest = 511;

// True when the text before the first zero byte of the bytes read (at most
// 511) holds both "SECTION" and "HEADER".
bool LooksLikeDxf(const uint8_t* bytes, size_t count);
