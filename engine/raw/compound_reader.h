// A small reader of compound files (the structured-storage format of Office
// 97-2003 documents): enough to read one property of the summary
// information.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The application name (property 18) of the summary information of a
// compound file held in memory, when it is an 8-bit string. False when the
// file, the stream or the property is missing or damaged.
bool ReadCompoundAppName(const uint8_t* data, size_t size, std::string& appName);
