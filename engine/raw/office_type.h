// Telling Word, Excel, PowerPoint and Publisher compound documents apart by
// the application name in their summary information.
#pragma once

#include <cstdint>
#include <string>

// Copies the megabyte that begins at the sector to a temporary file and
// reads its summary: ".ppt", ".xls", ".doc" or ".pub". Never fails: a
// document whose summary cannot be read, or for which no temporary file can
// be created, is ".doc".
std::u16string DetectOfficeType(uint64_t sector);

// The names the temporary file is created under, tried in order while
// something already exists at one: "0001-" and the process id, then that
// with "-1" up to "-7" appended.
constexpr int kOfficeProbeNames = 8;
std::u16string OfficeProbePath(int attempt);

// The extension for a summary application-name text.
std::u16string OfficeTypeFromAppName(const std::u16string& appName);
