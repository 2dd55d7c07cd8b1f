#include "arrays.h"
#include "lists.h"

IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CObList, CObject, 0)

void CObArray::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
    for (INT_PTR i = 0; i < GetSize(); ++i) ar << GetAt(i);
  } else {
    // Grown one object at a time: a damaged count ends at the end of the file.
    for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
      CObject* pOb = nullptr;
      ar >> pOb;
      Add(pOb);
    }
  }
}

void CObList::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) ar << GetNext(pos);
  } else {
    for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
      CObject* pOb = nullptr;
      ar >> pOb;
      AddTail(pOb);
    }
  }
}
