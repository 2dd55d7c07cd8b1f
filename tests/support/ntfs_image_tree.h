// What tools/images/make_ntfs_images.sh leaves on its images, beside the
// volume's own files, the fill files and /Documents/fragmented.bin: folders
// and files with their sizes and whether they are deleted.
#pragma once

#include <set>

#include "test_images.h"

inline const std::set<TreeEntry>& NtfsImageTree() {
    static const std::set<TreeEntry> tree = {
        {true, "/Music", 0, false},
        {true, "/Music/Artist", 0, false},
        {true, "/Music/Artist/Album", 0, false},
        {true, "/Documents", 0, false},
        {true, "/Documents/Reports 2009", 0, false},
        {true, "/Old", 0, true},
        {true, "/Old/Trip", 0, true},
        {true, "/Fill", 0, false},
        {true, "/Lost Dir", 0, false},
        {false, "/small.txt", 300, false},
        {false, "/empty.txt", 0, false},
        {false, "/medium.bin", 12000, false},
        {false, "/\xC3\x9Cn\xC3\xAF" "c\xC3\xB8" "d\xC3\xA9 \xC3\x86" "ble.txt", 42, false},
        {false, "/\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB.txt", 77, false},
        {false, "/Documents/notes.txt", 12, false},
        {false, "/Documents/Reports 2009/Summary.doc", 9000, false},
        {false, "/Music/Artist/Album/Track 01.mp3", 40000, false},
        {false, "/Music/Artist/Album/Deleted Song.mp3", 30000, true},
        {false, "/Old/photo.jpg", 20000, true},
        {false, "/Old/Trip/tiny.txt", 100, true},
        {false, "/Old/Trip/big.jpg", 25000, true},
        {false, "/deleted_small.txt", 500, true},
    };
    return tree;
}

