// The search of Find File(s): the found files of the scanned file system
// whose upper-cased names fit a pattern, each with its folder's path. It
// reads only the engine's lists and a table of folder paths made on the
// interface thread beforehand, so it can run on a worker that never touches
// a window.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "checked_selection.h"

struct FoundFileRow {
  std::u16string name;  // upper-cased
  std::u16string path;  // "\\" then the folder's tree path
  std::u16string size;
  std::u16string created;
  std::u16string modified;
  uint32_t id = 0;  // as the listings write it
  std::u16string original;  // the name as found, for the saving
};

// Folder key to its tree path below "Root" ("" for the root folder).
using FolderPaths = std::map<uint32_t, std::u16string>;

// The folder paths of the kind's folder list, from the tree items the
// builders stored with them.
using TreePathOf = std::function<std::u16string(TreeItem)>;
FolderPaths MakeFolderPaths(ResultsKind kind, const TreePathOf& pathOf);

// Walks the kind's file list in order and hands each match to found; asks
// proceed before every entry and ends when it says no. Returns the matches.
int SearchFoundFiles(ResultsKind kind, const std::u16string& pattern, const FolderPaths& paths,
                     const std::function<bool()>& proceed, const std::function<void(FoundFileRow)>& found);
