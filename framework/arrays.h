// Growable arrays: CArray and the named arrays built on it.
#pragma once

#include <vector>

#include "archive.h"
#include "cstring.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  BOOL IsEmpty() const { return m_data.empty(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
    (void)nGrowBy;
    m_data.resize(nNewSize > 0 ? nNewSize : 0);
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() { m_data.clear(); }

  const TYPE& GetAt(INT_PTR nIndex) const { return m_data.at(nIndex); }
  TYPE& GetAt(INT_PTR nIndex) { return m_data.at(nIndex); }
  void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data.at(nIndex) = newElement; }
  TYPE& ElementAt(INT_PTR nIndex) { return m_data.at(nIndex); }
  const TYPE& operator[](INT_PTR nIndex) const { return m_data.at(nIndex); }
  TYPE& operator[](INT_PTR nIndex) { return m_data.at(nIndex); }
  const TYPE* GetData() const { return m_data.data(); }
  TYPE* GetData() { return m_data.data(); }

  void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
    if (nIndex >= GetSize()) m_data.resize(nIndex + 1);
    m_data.at(nIndex) = newElement;
  }
  INT_PTR Add(ARG_TYPE newElement) {
    m_data.push_back(newElement);
    return GetSize() - 1;
  }
  INT_PTR Append(const CArray& src) {
    INT_PTR first = GetSize();
    m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    return first;
  }
  void Copy(const CArray& src) { m_data = src.m_data; }
  void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
    if (nIndex > GetSize()) m_data.resize(nIndex);
    m_data.insert(m_data.begin() + nIndex, nCount, newElement);
  }
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
    if (nIndex < 0 || nCount <= 0 || nIndex >= GetSize()) return;
    if (nCount > GetSize() - nIndex) nCount = GetSize() - nIndex;
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
  }

 protected:
  std::vector<TYPE> m_data;
};

class CPtrArray : public CArray<void*, void*> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CWordArray : public CArray<WORD, WORD> {};
class CByteArray : public CArray<BYTE, BYTE> {};
class CStringArray : public CArray<CString, LPCWSTR> {};

template <class TYPE>
class CTypedPtrArray : public CPtrArray {
 public:
  TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(CPtrArray::GetAt(nIndex)); }
  TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  INT_PTR Add(TYPE newElement) { return CPtrArray::Add(newElement); }
};

class CObArray : public CArray<CObject*, CObject*> {
  DECLARE_SERIAL(CObArray)
 public:
  // Count, then each object with its class record.
  void Serialize(CArchive& ar) override;
};
