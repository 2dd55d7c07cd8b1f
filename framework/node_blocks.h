// Storage for list and map nodes, taken from the heap a block at a time;
// freed nodes are kept for reuse until the owner goes away.
#pragma once

#include <windows.h>

#include <new>
#include <utility>
#include <vector>

struct AfxPositionTag;
typedef AfxPositionTag* POSITION;
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(-1L))

template <class NODE>
class AfxNodeBlocks {
 public:
  explicit AfxNodeBlocks(INT_PTR nBlockSize) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
  ~AfxNodeBlocks() {
    for (void* block : m_blocks) ::operator delete(block);
  }
  AfxNodeBlocks(const AfxNodeBlocks&) = delete;
  AfxNodeBlocks& operator=(const AfxNodeBlocks&) = delete;

  // A node made from its fields, in storage from the blocks.
  template <class... Fields>
  NODE* New(Fields&&... fields) {
    return new (Allocate()) NODE{std::forward<Fields>(fields)...};
  }
  void Delete(NODE* node) {
    node->~NODE();
    m_free.push_back(node);
  }

 private:
  void* Allocate() {
    if (m_free.empty()) {
      char* block = static_cast<char*>(::operator new(sizeof(NODE) * m_nBlockSize));
      m_blocks.push_back(block);
      // Handed out from the front of the block first.
      for (INT_PTR i = m_nBlockSize; i-- > 0;) m_free.push_back(block + i * sizeof(NODE));
    }
    void* node = m_free.back();
    m_free.pop_back();
    return node;
  }
  INT_PTR m_nBlockSize;
  std::vector<void*> m_blocks;
  std::vector<void*> m_free;
};
