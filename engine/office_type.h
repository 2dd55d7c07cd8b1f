// Telling Word, Excel, PowerPoint and Publisher compound documents apart by
// the application name in their summary information.
#pragma once

#include <cstdint>
#include <string>

// Copies the megabyte that begins at the sector to a temporary file and
// reads its summary: ".ppt", ".xls", ".doc" or ".pub". Never fails: a
// document whose summary cannot be read is ".doc".
std::u16string DetectOfficeType(uint64_t sector);

// The extension for a summary application-name text.
std::u16string OfficeTypeFromAppName(const std::u16string& appName);
