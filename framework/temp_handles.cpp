#include "temp_handles.h"

#include <vector>

namespace {

struct Slot {
  const void* key;
  void* data;
  void (*destroy)(void*);
  void (*clear)(void*);
};

struct ThreadSlots {
  std::vector<Slot> slots;
  ~ThreadSlots() {
    // Newest first: later slots may refer to earlier ones.
    for (auto it = slots.rbegin(); it != slots.rend(); ++it) it->destroy(it->data);
  }
};

thread_local ThreadSlots* currentSlots = nullptr;

}  // namespace

void* AfxGetThreadSlot(const void* key, void* (*create)(), void (*destroy)(void*), void (*clear)(void*)) {
  if (currentSlots == nullptr) currentSlots = new ThreadSlots;
  for (Slot& slot : currentSlots->slots)
    if (slot.key == key) return slot.data;
  currentSlots->slots.push_back({key, create(), destroy, clear});
  return currentSlots->slots.back().data;
}

void AfxDeleteTempMaps() {
  if (currentSlots == nullptr) return;
  for (Slot& slot : currentSlots->slots)
    if (slot.clear != nullptr) slot.clear(slot.data);
}

void AfxTermThread() {
  delete currentSlots;
  currentSlots = nullptr;
}
