// The summary information of compound documents (Word, Excel, PowerPoint,
// Publisher), which the Raw Scan reads to tell them apart.
#pragma once

#include <string>

// The application name (property 18 of the summary information) of a
// compound file, as its 8-bit text followed by " (VT_LPSTR)" and a line
// feed, converted with the user's code page; empty when the file is no
// compound document or names no application.
std::u16string ReadFileAppName(const std::u16string& path);

#ifdef _WIN32
struct IPropertySetStorage;
// The same text from a storage's property sets.
std::u16string ReadSummaryAppName(IPropertySetStorage* sets);
#endif
