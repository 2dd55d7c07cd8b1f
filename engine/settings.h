// The user's recovery settings and file-name filters.
#pragma once

#include <cstdint>

extern int SectorsPerRead;
extern uint16_t DuplicatePolicy;
extern uint16_t DeletedFilesPolicy;
extern uint16_t BadSectorRetries;
constexpr int kMaxFilters = 100;
constexpr int kFilterLength = 20;
extern char16_t FilterTable[kMaxFilters][kFilterLength];
extern int FilterCount;
