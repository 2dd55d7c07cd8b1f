// Compound documents with a summary application name, for the Office type
// detection: written by our own small writer, and on Windows also by the
// system's structured storage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A minimal compound file whose summary information names the
// application. `largeSummary` pads the summary stream past the mini-stream
// cutoff, so that it lies in ordinary sectors.
std::vector<uint8_t> WriteCompoundDocument(const std::string& appName, bool largeSummary);

#ifdef _WIN32
// The same made through StgCreateStorageEx and IPropertySetStorage; empty
// when the system could not make it.
std::vector<uint8_t> SystemCompoundDocument(const std::string& appName, const std::string& path);
#endif
