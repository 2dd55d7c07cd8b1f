// Folders that the result tree could never reach.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

// Folders whose parents lead round in a circle are never reached from the
// root: each circle is cut at the folder that comes first in the list, which
// moves below the "Lost Dir" folder `lost`. Every folder is walked once.
// key(folder) gives a folder's number, parent(folder) a reference to its
// parent's.
template <typename Entry, typename Key, typename Parent>
void BreakParentCircles(Entry* head, uint32_t root, uint32_t lost, Key key, Parent parent) {
    struct Place {
        Entry* folder;
        size_t position;
    };
    std::unordered_map<uint32_t, Place> byKey;
    size_t position = 0;
    for (Entry* e = head; e; e = e->next) byKey.emplace(key(e), Place{e, position++});
    enum : uint8_t { kOnPath = 1, kSettled = 2 };
    std::unordered_map<uint32_t, uint8_t> state;
    std::vector<Entry*> path;
    for (Entry* e = head; e; e = e->next) {
        path.clear();
        for (Entry* at = e;;) {
            auto known = state.find(key(at));
            if (known != state.end()) {
                if (known->second == kOnPath) {
                    // The circle is the path from `at` on.
                    Entry* first = at;
                    for (size_t i = path.size(); i-- > 0 && path[i] != at;)
                        if (byKey.at(key(path[i])).position < byKey.at(key(first)).position)
                            first = path[i];
                    parent(first) = lost;
                }
                break;
            }
            state[key(at)] = kOnPath;
            path.push_back(at);
            const uint32_t up = parent(at);
            if (up == root || up == lost) break;
            auto next = byKey.find(up);
            if (next == byKey.end()) break;
            at = next->second.folder;
        }
        for (Entry* settled : path) state[key(settled)] = kSettled;
    }
}
