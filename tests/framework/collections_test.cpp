#include <gtest/gtest.h>

#include <vector>

#include "framework.h"

namespace {

// Integer keys hash to (key >> 4) % 17: 0x00, 0x110 and 0x220 share
// bucket 0, 0x10 and 0x120 bucket 1, 0x20 bucket 2.
TEST(CMap, WalksBucketByBucketNewestFirst) {
  CMap<UINT, UINT, int, int> map;
  EXPECT_EQ(map.GetHashTableSize(), 17u);
  const UINT inserted[] = {0x20, 0x00, 0x10, 0x110, 0x120, 0x220};
  for (UINT key : inserted) map.SetAt(key, static_cast<int>(key) + 1);
  // Updating a key keeps its place.
  map.SetAt(0x110, 7);
  std::vector<UINT> order;
  for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
    UINT key;
    int value;
    map.GetNextAssoc(pos, key, value);
    order.push_back(key);
  }
  EXPECT_EQ(order, (std::vector<UINT>{0x220, 0x110, 0x00, 0x120, 0x10, 0x20}));

  int value = 0;
  EXPECT_TRUE(map.Lookup(0x110, value));
  EXPECT_EQ(value, 7);
  EXPECT_TRUE(map.RemoveKey(0x110));
  EXPECT_FALSE(map.RemoveKey(0x110));
  EXPECT_FALSE(map.Lookup(0x110, value));
  EXPECT_EQ(map.GetCount(), 5);
  map[0x330] = 9;  // bucket 0 again: now first
  POSITION pos = map.GetStartPosition();
  UINT first;
  map.GetNextAssoc(pos, first, value);
  EXPECT_EQ(first, 0x330u);
  map.RemoveAll();
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(CMap, HonoursOtherTableSizesAndPointerAndStringKeys) {
  CMapPtrToPtr pointers;
  pointers.InitHashTable(5);
  char block[0x100];
  // Pointer keys hash like integers: 0x50 further on is 5 buckets on,
  // the same bucket of 5, so the newer key comes first.
  void* a = block;
  void* b = block + 0x50;
  pointers.SetAt(a, a);
  pointers.SetAt(b, b);
  POSITION pos = pointers.GetStartPosition();
  void *key, *value;
  pointers.GetNextAssoc(pos, key, value);
  EXPECT_EQ(key, b);
  EXPECT_EQ(pointers.GetHashTableSize(), 5u);

  CMapStringToString strings;
  strings[L"VertSplitPos"] = L"200";
  strings.SetAt(L"HorizSplitPos", L"120");
  CString found;
  EXPECT_TRUE(strings.Lookup(L"VertSplitPos", found));
  EXPECT_EQ(found, L"200");
  EXPECT_FALSE(strings.Lookup(L"vertsplitpos", found));
  EXPECT_EQ(strings.GetCount(), 2);
}

TEST(CList, InsertsRemovesAndFinds) {
  CPtrList list;
  int items[5];
  POSITION second = list.AddTail(&items[1]);
  list.AddHead(&items[0]);
  list.AddTail(&items[3]);
  list.InsertAfter(second, &items[2]);
  list.InsertBefore(list.GetHeadPosition(), &items[4]);
  std::vector<void*> order;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) order.push_back(list.GetNext(pos));
  EXPECT_EQ(order, (std::vector<void*>{&items[4], &items[0], &items[1], &items[2], &items[3]}));
  EXPECT_EQ(list.Find(&items[2]), list.FindIndex(3));
  EXPECT_EQ(list.Find(&items[4], list.GetHeadPosition()), nullptr);
  list.RemoveAt(list.Find(&items[0]));
  EXPECT_EQ(list.RemoveHead(), &items[4]);
  EXPECT_EQ(list.RemoveTail(), &items[3]);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetHead(), &items[1]);
  EXPECT_EQ(list.GetTail(), &items[2]);
  POSITION tail = list.GetTailPosition();
  EXPECT_EQ(list.GetPrev(tail), &items[2]);
  EXPECT_EQ(list.GetAt(tail), &items[1]);
  // Freed nodes are reused after the block of ten is exhausted.
  for (int i = 0; i < 25; ++i) list.AddTail(&items[i % 5]);
  EXPECT_EQ(list.GetCount(), 27);
  list.RemoveAll();
  EXPECT_TRUE(list.IsEmpty());
}

TEST(CArray, GrowsAndShrinks) {
  CArray<int, int> array;
  for (int i = 0; i < 5; ++i) array.Add(i);
  array.InsertAt(1, 9, 2);
  array.RemoveAt(4, 2);
  ASSERT_EQ(array.GetSize(), 5);
  EXPECT_EQ(std::vector<int>(array.GetData(), array.GetData() + 5), (std::vector<int>{0, 9, 9, 1, 4}));
  array.RemoveAt(3, 100);
  EXPECT_EQ(array.GetSize(), 3);
  array.SetAtGrow(5, 6);
  EXPECT_EQ(array.GetSize(), 6);
  EXPECT_EQ(array[4], 0);
  array.SetSize(2);
  EXPECT_EQ(array.GetUpperBound(), 1);
  CStringArray names;
  names.Add(L"one");
  names.InsertAt(0, L"zero");
  EXPECT_EQ(names[1], L"one");
}

}  // namespace
