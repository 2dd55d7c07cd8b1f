// Conversions between the drawer's text and the system's wide strings.
#pragma once

#include "framework.h"
#include "html_draw_types.h"

inline LPCWSTR Wide(const HtmlText& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }
inline HtmlText FromWide(LPCWSTR text) {
  return text != nullptr ? HtmlText(reinterpret_cast<const char16_t*>(text)) : HtmlText();
}
