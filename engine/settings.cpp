#include "settings.h"

int SectorsPerRead = 60;
uint16_t DuplicatePolicy = 1;
uint16_t DeletedFilesPolicy = 1;
uint16_t BadSectorRetries = 3;
char16_t FilterTable[kMaxFilters][kFilterLength] = {};
int FilterCount = 0;
