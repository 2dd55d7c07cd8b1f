// The singly linked lists the scans keep their finds in: heap nodes with a
// `next` link, appended at the tail and freed together.
#pragma once

#include <cstdlib>

#include "engine_ui.h"

template <typename Entry>
struct EntryList {
    Entry* head = nullptr;
    Entry* tail = nullptr;
};

// Frees every node and what `freeOwned` frees of it; leaves the list empty.
template <typename Entry, typename FreeOwned>
void FreeEntryList(EntryList<Entry>& list, FreeOwned freeOwned) {
    Entry* node = list.head;
    while (node) {
        Entry* next = node->next;
        freeOwned(*node);
        std::free(node);
        node = next;
    }
    list.head = list.tail = nullptr;
}

// Frees every node and its name; leaves the list empty.
template <typename Entry>
void FreeEntryList(EntryList<Entry>& list) {
    FreeEntryList(list, [](Entry& node) { std::free(node.name); });
}

// A zeroed heap node; ends the process with the out-of-memory message when
// memory is exhausted.
template <typename Node>
Node* AllocateNode() {
    Node* node = static_cast<Node*>(std::calloc(1, sizeof(Node)));
    if (!node) OutOfMemory();
    return node;
}

// Appends a node at the list's tail.
template <typename Node>
void LinkNode(EntryList<Node>& list, Node* node) {
    node->next = nullptr;
    if (!list.head) {
        list.head = list.tail = node;
    } else {
        list.tail->next = node;
        list.tail = node;
    }
}
