// Per-thread data of the framework: the slots behind CThreadLocal and the
// wrapper objects made on the fly for handles no C++ object owns
// (CDC::FromHandle, CFont::FromHandle...). The wrappers belong to the
// thread that asked and are deleted when it goes idle, never the handles.
//
// Only a plain pointer is thread_local: with this mingw runtime a
// thread_local object that has a destructor corrupts the heap when its
// thread ends under Wine.
#pragma once

#include <windows.h>

#include <unordered_map>

// The current thread's slot for key, made with create on first use;
// destroy runs when the thread's data ends, clear (if any) at idle time.
void* AfxGetThreadSlot(const void* key, void* (*create)(), void (*destroy)(void*), void (*clear)(void*) = nullptr);
// Deletes the current thread's temporary wrappers (called at idle time).
void AfxDeleteTempMaps();
// Ends the current thread's framework data (threads we start call it last).
void AfxTermThread();

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
  typedef std::unordered_map<void*, Holder> Map;

 public:
  static T* Get(void* handle) {
    if (handle == nullptr) return nullptr;
    Map* map = static_cast<Map*>(AfxGetThreadSlot(&Key, &Create, &Destroy, &Clear));
    Holder& holder = (*map)[handle];
    if (holder.object == nullptr) {
      holder.object = new T;
      holder.object->AttachTempHandle(handle);
    }
    return holder.object;
  }

 private:
  static const char Key;
  static void* Create() { return new Map; }
  static void Destroy(void* map) { delete static_cast<Map*>(map); }
  static void Clear(void* map) { static_cast<Map*>(map)->clear(); }
};

template <class T>
const char AfxTempObjects<T>::Key = 0;
