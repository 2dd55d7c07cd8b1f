// Critical sections and per-thread / per-process data slots.
#pragma once

#include <windows.h>

#include <memory>

#include "temp_handles.h"

class CCriticalSection {
 public:
  CCriticalSection() { InitializeCriticalSection(&m_sect); }
  ~CCriticalSection() { DeleteCriticalSection(&m_sect); }
  CCriticalSection(const CCriticalSection&) = delete;
  CCriticalSection& operator=(const CCriticalSection&) = delete;
  BOOL Lock() { EnterCriticalSection(&m_sect); return TRUE; }
  BOOL Unlock() { LeaveCriticalSection(&m_sect); return TRUE; }
  operator CRITICAL_SECTION*() { return &m_sect; }
  CRITICAL_SECTION m_sect;
};

// Base of the data kept in slots: deleted through its virtual destructor.
class CNoTrackObject {
 public:
  virtual ~CNoTrackObject() = default;
};

// One TYPE per thread and slot object, made on first use in each thread
// and deleted when a thread started by AfxBeginThread ends.
template <class TYPE>
class CThreadLocal {
 public:
  TYPE* GetData() {
    return static_cast<TYPE*>(AfxGetThreadSlot(
        this, [] { return static_cast<void*>(new TYPE); },
        [](void* data) { delete static_cast<TYPE*>(data); }));
  }
  TYPE* operator->() { return GetData(); }
  operator TYPE*() { return GetData(); }
};

// One TYPE for the process, made on first use.
template <class TYPE>
class CProcessLocal {
 public:
  CProcessLocal() { InitializeCriticalSection(&m_lock); }
  ~CProcessLocal() { DeleteCriticalSection(&m_lock); }
  CProcessLocal(const CProcessLocal&) = delete;
  CProcessLocal& operator=(const CProcessLocal&) = delete;
  TYPE* GetData() {
    EnterCriticalSection(&m_lock);
    if (!m_data) m_data.reset(new TYPE);
    TYPE* data = m_data.get();
    LeaveCriticalSection(&m_lock);
    return data;
  }
  TYPE* operator->() { return GetData(); }
  operator TYPE*() { return GetData(); }

 private:
  CRITICAL_SECTION m_lock;
  std::unique_ptr<TYPE> m_data;
};
