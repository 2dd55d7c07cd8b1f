// Wrapper objects made on the fly for handles that no C++ object owns
// (CDC::FromHandle, CFont::FromHandle...). They belong to the thread that
// asked and are deleted when it goes idle, never the handles themselves.
#pragma once

#include <windows.h>

#include <unordered_map>

void AfxRegisterTempMapClearer(void (*pfnClear)());
// Deletes the current thread's temporary wrappers (called at idle time).
void AfxDeleteTempMaps();

template <class T>
class AfxTempObjects {
  struct Holder {
    T* object = nullptr;
    Holder() = default;
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
    ~Holder() {
      if (object != nullptr) {
        object->DetachTempHandle();
        delete object;
      }
    }
  };

 public:
  static T* Get(void* handle) {
    if (handle == nullptr) return nullptr;
    Holder& holder = Map()[handle];
    if (holder.object == nullptr) {
      holder.object = new T;
      holder.object->AttachTempHandle(handle);
    }
    return holder.object;
  }

 private:
  static std::unordered_map<void*, Holder>& Map() {
    thread_local std::unordered_map<void*, Holder> map;
    thread_local bool registered = false;
    if (!registered) {
      registered = true;
      AfxRegisterTempMapClearer(&Clear);
    }
    return map;
  }
  static void Clear() { Map().clear(); }
};
