// The choice of file types before a Raw Scan, without a window: the types of
// "Raw.dat" as a check tree (root "File Types", categories, extensions) with
// the tri-state check logic, and the signature list built from what is
// checked. The "File Types" dialog shows this model in its tree.
#pragma once

#include <string>
#include <vector>

#include "raw/signature_file.h"

class FileTypeTree {
public:
    using Item = int;
    static constexpr Item kRoot = 0;
    // Check states as the tree's state images number them.
    enum State { kUnchecked = 1, kChecked = 2, kPartlyChecked = 3 };

    FileTypeTree();

    // The child of parent with exactly that text, inserted last when missing.
    Item FindOrInsertChild(const std::u16string& text, Item parent);
    // The category under the root and the extension under the category.
    Item AddTypeItem(const std::u16string& category, const std::u16string& extension);
    // Records are kept newest first.
    void AddRecord(const CFileTypeRecord& record);

    void CheckItem(Item item);
    void UncheckItem(Item item);
    // Unchecks a checked or partly checked item, checks an unchecked one.
    void ToggleItemCheck(Item item);

    // 1 when no child is checked or partly checked (or there is none).
    int AreChildrenUnchecked(Item item) const;
    // 1 when every child is checked (or there is none).
    int AreAllChildrenChecked(Item item) const;

    int State(Item item) const { return items_[item].state; }
    bool IsBold(Item item) const { return items_[item].bold; }
    const std::u16string& Text(Item item) const { return items_[item].text; }
    Item Parent(Item item) const { return items_[item].parent; }
    const std::vector<Item>& Children(Item item) const { return items_[item].children; }
    int ItemCount() const { return int(items_.size()); }
    const std::vector<CFileTypeRecord>& Records() const { return records_; }

private:
    struct Node {
        std::u16string text;
        Item parent;
        std::vector<Item> children;
        int state = kUnchecked;
        bool bold = false;
    };
    void SetState(Item item, int state);
    void SetSubtree(Item item, int state);
    std::vector<Node> items_;
    std::vector<CFileTypeRecord> records_;  // newest first
};

// Fills the tree from a signature file and checks everything; 0 when the
// file cannot be read (the tree keeps only its root).
int LoadRawSignatureFile(FileTypeTree& tree, const std::u16string& path);
// The same with ProgramFolder + "Raw.dat".
int LoadRawSignatureFile(FileTypeTree& tree);

// Empties SignatureList, then appends an entry for every record whose
// extension is the text of a checked or partly checked item below `root`,
// visiting items depth first in display order.
void BuildSignatureList(const FileTypeTree& tree, FileTypeTree::Item root);

// The dialog's OK: refuses with a message when nothing is checked (0);
// otherwise stores the size (entry index 0 = 1 MB) and builds the list (1).
int AcceptFileTypes(const FileTypeTree& tree, int sizeEntry);
