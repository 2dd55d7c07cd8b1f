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
// A compound document as Office writes one, made through the system's
// structured storage, with the application name given (none: no summary at
// all).
void MakeCompoundDocument(const std::string& path, const char* application);
// The same as bytes; empty when the system could not make it.
std::vector<uint8_t> SystemCompoundDocument(const std::string& appName, const std::string& path);
#endif
