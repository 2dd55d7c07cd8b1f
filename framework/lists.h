// Doubly linked lists whose nodes come in blocks of ten.
#pragma once

#include "archive.h"
#include "cstring.h"
#include "node_blocks.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    TYPE data;
  };

 public:
  explicit CList(INT_PTR nBlockSize = 10) : m_nodes(nBlockSize) {}
  ~CList() override { RemoveAll(); }
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return m_pNodeHead->data; }
  const TYPE& GetHead() const { return m_pNodeHead->data; }
  TYPE& GetTail() { return m_pNodeTail->data; }
  const TYPE& GetTail() const { return m_pNodeTail->data; }

  POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(GetHeadPosition(), newElement); }
  POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(GetTailPosition(), newElement); }
  void AddTail(const CList* pNewList) {
    for (POSITION pos = pNewList->GetHeadPosition(); pos != nullptr;) AddTail(pNewList->GetNext(pos));
  }
  TYPE RemoveHead() {
    TYPE value = m_pNodeHead->data;
    RemoveAt(reinterpret_cast<POSITION>(m_pNodeHead));
    return value;
  }
  TYPE RemoveTail() {
    TYPE value = m_pNodeTail->data;
    RemoveAt(reinterpret_cast<POSITION>(m_pNodeTail));
    return value;
  }
  void RemoveAll() {
    while (m_pNodeHead != nullptr) RemoveAt(reinterpret_cast<POSITION>(m_pNodeHead));
  }

  POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
  POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); }
  TYPE& GetNext(POSITION& rPosition) {
    CNode* node = Node(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pNext);
    return node->data;
  }
  const TYPE& GetNext(POSITION& rPosition) const {
    CNode* node = Node(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pNext);
    return node->data;
  }
  TYPE& GetPrev(POSITION& rPosition) {
    CNode* node = Node(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pPrev);
    return node->data;
  }
  const TYPE& GetPrev(POSITION& rPosition) const {
    CNode* node = Node(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pPrev);
    return node->data;
  }
  TYPE& GetAt(POSITION position) { return Node(position)->data; }
  const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
  void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }

  void RemoveAt(POSITION position) {
    CNode* node = Node(position);
    (node->pPrev != nullptr ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
    (node->pNext != nullptr ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
    m_nodes.Delete(node);
    --m_nCount;
  }
  // A null position inserts at the head (before) or the tail (after).
  POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
    CNode* next = position != nullptr ? Node(position) : m_pNodeHead;
    CNode* node = m_nodes.New(nullptr, nullptr, newElement);
    node->pNext = next;
    node->pPrev = next != nullptr ? next->pPrev : nullptr;
    (node->pPrev != nullptr ? node->pPrev->pNext : m_pNodeHead) = node;
    (next != nullptr ? next->pPrev : m_pNodeTail) = node;
    ++m_nCount;
    return reinterpret_cast<POSITION>(node);
  }
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
    CNode* prev = position != nullptr ? Node(position) : m_pNodeTail;
    CNode* node = m_nodes.New(nullptr, nullptr, newElement);
    node->pPrev = prev;
    node->pNext = prev != nullptr ? prev->pNext : nullptr;
    (node->pNext != nullptr ? node->pNext->pPrev : m_pNodeTail) = node;
    (prev != nullptr ? prev->pNext : m_pNodeHead) = node;
    ++m_nCount;
    return reinterpret_cast<POSITION>(node);
  }

  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
    CNode* node = startAfter != nullptr ? Node(startAfter)->pNext : m_pNodeHead;
    for (; node != nullptr; node = node->pNext)
      if (node->data == searchValue) return reinterpret_cast<POSITION>(node);
    return nullptr;
  }
  POSITION FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
    CNode* node = m_pNodeHead;
    while (nIndex-- > 0) node = node->pNext;
    return reinterpret_cast<POSITION>(node);
  }

 private:
  static CNode* Node(POSITION position) { return reinterpret_cast<CNode*>(position); }

  CNode* m_pNodeHead = nullptr;
  CNode* m_pNodeTail = nullptr;
  INT_PTR m_nCount = 0;
  AfxNodeBlocks<CNode> m_nodes;
};

class CPtrList : public CList<void*, void*> {
 public:
  explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CStringList : public CList<CString, LPCWSTR> {
 public:
  explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

template <class TYPE>
class CTypedPtrList : public CPtrList {
 public:
  explicit CTypedPtrList(INT_PTR nBlockSize = 10) : CPtrList(nBlockSize) {}
  TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(CPtrList::GetNext(rPosition)); }
  TYPE GetAt(POSITION position) const { return static_cast<TYPE>(CPtrList::GetAt(position)); }
  TYPE GetHead() const { return static_cast<TYPE>(CPtrList::GetHead()); }
  TYPE GetTail() const { return static_cast<TYPE>(CPtrList::GetTail()); }
};

// The list does not own its objects: owners delete them before RemoveAll.
class CObList : public CList<CObject*, CObject*> {
  DECLARE_SERIAL(CObList)
 public:
  explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
  void Serialize(CArchive& ar) override;
};
