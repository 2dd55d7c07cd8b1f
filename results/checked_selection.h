// The checked selection of the results: which folders and files the user
// checked in the folder tree or the found-file list. The tree, the list's
// marks, the selected-size total and the saving all read these sets, so
// they are kept in one place. The walks over the engine's found-entry lists
// are bounded: a folder whose parent link leads back to itself or to an
// ancestor is visited once.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine_ui.h"

// What the found-entry lists hold, from the scan mode and the scanned volume.
enum class ResultsKind { None, Fat, Ntfs, AdvanceNtfs, Raw };
ResultsKind CurrentResultsKind();
// The root folder's key: FAT cluster 0, NTFS record 5.
uint32_t RootFolderKey(ResultsKind kind);

struct CheckedSelection {
  std::set<TreeItem> CheckedFolderItems;
  std::set<uint32_t> CheckedFileIds;
  std::set<TreeItem> SelectedFolderItems;
  std::set<uint32_t> SelectedRootFiles;
  std::map<int, std::u16string> PreviewTempFiles;
  std::set<TreeItem> CheckedTreeItems;

  // Every map but the preview files, as the results page's Back leaves them.
  void ClearMarks();
};

// The file IDs of a folder's own files (the root key: every file of the
// root folder); in Advance Scan only files inside the picked volume.
std::vector<uint32_t> FolderFileIds(ResultsKind kind, uint32_t key);
// The keys and tree items of a folder's subfolders, in list order.
std::vector<std::pair<uint32_t, TreeItem>> SubfolderKeys(ResultsKind kind, uint32_t key);
// The folder key stored with a tree item; `found` false when none.
uint32_t FolderKeyOfItem(ResultsKind kind, TreeItem item, bool* found = nullptr);
// The parent key of a folder key; the root key when unknown.
uint32_t ParentFolderKey(ResultsKind kind, uint32_t key);
// The parent folder key of a file ID.
bool FileParentKey(ResultsKind kind, uint32_t id, uint32_t* parent);

// A folder and every folder below it enter (or leave) CheckedFolderItems,
// their files CheckedFileIds.
void AddFolderSubtree(CheckedSelection& selection, ResultsKind kind, uint32_t key, TreeItem item);
void RemoveFolderSubtree(CheckedSelection& selection, ResultsKind kind, uint32_t key, TreeItem item);
// A folder checked as a whole from the tree or its row: its subfolders head
// selections; its files are checked (and, for the root item, selected as root
// files).
void CheckFolderContents(CheckedSelection& selection, ResultsKind kind, uint32_t key, bool isRootItem);
void UncheckFolderContents(CheckedSelection& selection, ResultsKind kind, uint32_t key, bool isRootItem);
// Raw results: "ROOT" every carved file, with the group flag those of a file
// type, otherwise those of an extension.
void CheckRawGroup(CheckedSelection& selection, const std::u16string& text, bool group);
void UncheckRawGroup(CheckedSelection& selection, const std::u16string& text, bool group);

// Adds a folder and every folder below it, each once, to SelectionTotals:
// one folder each, their files and bytes.
void AddSubtreeTotals(ResultsKind kind, uint32_t key);
// One folder's own files and bytes.
void AddFolderTotals(ResultsKind kind, uint32_t key);
