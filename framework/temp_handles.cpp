#include "temp_handles.h"

#include <vector>

namespace {

std::vector<void (*)()>& Clearers() {
  thread_local std::vector<void (*)()> clearers;
  return clearers;
}

}  // namespace

void AfxRegisterTempMapClearer(void (*pfnClear)()) { Clearers().push_back(pfnClear); }

void AfxDeleteTempMaps() {
  for (void (*clear)() : Clearers()) clear();
}
