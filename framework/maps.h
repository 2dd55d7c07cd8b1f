// Hash maps. Persisted data and tie rules depend on the walk order, so it is
// fixed: 17 buckets unless InitHashTable says otherwise, nodes taken in
// blocks of ten, walked bucket by bucket, newest first within a bucket.
#pragma once

#include <type_traits>
#include <vector>

#include "archive.h"
#include "cstring.h"
#include "node_blocks.h"

template <class KEY, std::enable_if_t<std::is_integral<KEY>::value || std::is_enum<KEY>::value, int> = 0>
inline UINT AfxHashKey(KEY key) {
  return static_cast<UINT>(static_cast<UINT_PTR>(key)) >> 4;
}
template <class T>
inline UINT AfxHashKey(T* key) {
  return static_cast<UINT>(reinterpret_cast<UINT_PTR>(key)) >> 4;
}
inline UINT AfxHashKey(LPCWSTR key) {
  UINT hash = 0;
  while (*key != 0) hash = (hash << 5) + hash + *key++;
  return hash;
}
inline UINT AfxHashKey(const CString& key) { return AfxHashKey(static_cast<LPCWSTR>(key)); }

// How map keys and values go into an archive: through the typed
// operators, objects with their class records; raw pointers cannot.
template <class T>
void AfxStoreElement(CArchive& ar, const T& element) {
  ar << element;
}
template <class T>
void AfxStoreElement(CArchive&, T* const&) {
  AfxThrowNotSupportedException();
}
inline void AfxStoreElement(CArchive& ar, CObject* const& element) { ar << element; }
template <class T>
void AfxLoadElement(CArchive& ar, T& element) {
  ar >> element;
}
template <class T>
void AfxLoadElement(CArchive&, T*&) {
  AfxThrowNotSupportedException();
}
inline void AfxLoadElement(CArchive& ar, CObject*& element) { ar >> element; }

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
  struct CAssoc {
    CAssoc* pNext;
    UINT nBucket;
    KEY key;
    VALUE value;
  };

 public:
  explicit CMap(INT_PTR nBlockSize = 10) : m_nodes(nBlockSize) {}
  ~CMap() override { RemoveAll(); }
  CMap(const CMap&) = delete;
  CMap& operator=(const CMap&) = delete;

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }
  UINT GetHashTableSize() const { return m_nHashTableSize; }

  // Only takes effect while the map is empty.
  void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE) {
    if (m_nCount != 0 || nHashSize == 0) return;
    m_nHashTableSize = nHashSize;
    m_buckets.clear();
    if (bAllocNow) m_buckets.assign(nHashSize, nullptr);
  }

  BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
    CAssoc* assoc = Find(key);
    if (assoc == nullptr) return FALSE;
    rValue = assoc->value;
    return TRUE;
  }
  VALUE& operator[](ARG_KEY key) {
    CAssoc* assoc = Find(key);
    if (assoc != nullptr) return assoc->value;
    if (m_buckets.empty()) m_buckets.assign(m_nHashTableSize, nullptr);
    UINT bucket = AfxHashKey(key) % m_nHashTableSize;
    assoc = m_nodes.New(m_buckets[bucket], bucket, KEY(key), VALUE());
    m_buckets[bucket] = assoc;
    ++m_nCount;
    return assoc->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(ARG_KEY key) {
    if (m_buckets.empty()) return FALSE;
    for (CAssoc** link = &m_buckets[AfxHashKey(key) % m_nHashTableSize]; *link != nullptr;
         link = &(*link)->pNext) {
      if ((*link)->key == key) {
        CAssoc* assoc = *link;
        *link = assoc->pNext;
        m_nodes.Delete(assoc);
        --m_nCount;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    for (CAssoc*& head : m_buckets) {
      while (head != nullptr) {
        CAssoc* assoc = head;
        head = assoc->pNext;
        m_nodes.Delete(assoc);
      }
    }
    m_nCount = 0;
  }

  POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
    CAssoc* assoc = rNextPosition == BEFORE_START_POSITION ? FirstFrom(0)
                                                           : reinterpret_cast<CAssoc*>(rNextPosition);
    rKey = assoc->key;
    rValue = assoc->value;
    CAssoc* next = assoc->pNext != nullptr ? assoc->pNext : FirstFrom(assoc->nBucket + 1);
    rNextPosition = reinterpret_cast<POSITION>(next);
  }

  // Count, then the pairs in walk order.
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteCount(m_nCount);
      for (POSITION pos = GetStartPosition(); pos != nullptr;) {
        KEY key{};
        VALUE value{};
        GetNextAssoc(pos, key, value);
        AfxStoreElement(ar, key);
        AfxStoreElement(ar, value);
      }
    } else {
      for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
        KEY key{};
        VALUE value{};
        AfxLoadElement(ar, key);
        AfxLoadElement(ar, value);
        SetAt(key, value);
      }
    }
  }

 private:
  CAssoc* Find(ARG_KEY key) const {
    if (m_buckets.empty()) return nullptr;
    for (CAssoc* assoc = m_buckets[AfxHashKey(key) % m_nHashTableSize]; assoc != nullptr;
         assoc = assoc->pNext)
      if (assoc->key == key) return assoc;
    return nullptr;
  }
  CAssoc* FirstFrom(UINT bucket) const {
    for (; bucket < m_buckets.size(); ++bucket)
      if (m_buckets[bucket] != nullptr) return m_buckets[bucket];
    return nullptr;
  }

  UINT m_nHashTableSize = 17;
  std::vector<CAssoc*> m_buckets;
  INT_PTR m_nCount = 0;
  AfxNodeBlocks<CAssoc> m_nodes;
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {};
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {};
class CMapPtrToWord : public CMap<void*, void*, WORD, WORD> {};
class CMapStringToPtr : public CMap<CString, LPCWSTR, void*, void*> {};
class CMapStringToString : public CMap<CString, LPCWSTR, CString, LPCWSTR> {};
class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*> {};
