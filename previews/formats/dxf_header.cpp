#include "dxf_header.h"

#include <algorithm>
#include <string_view>

bool LooksLikeDxf(const uint8_t* bytes, size_t count) {
    count = std::min(count, kDxfHeaderTest);
    const uint8_t* end = std::find(bytes, bytes + count, uint8_t(0));
    std::string_view text(reinterpret_cast<const char*>(bytes), size_t(end - bytes));
    return text.find("SECTION") != std::string_view::npos && text.find("HEADER") != std::string_view::npos;
}
