#include "raw/file_type_choice.h"

#include <cstdint>

#include "app_message.h"
#include "engine_ui.h"
#include "program_folder.h"
#include "raw/raw_lists.h"

FileTypeTree::FileTypeTree() { items_.push_back({u"File Types", -1, {}}); }

FileTypeTree::Item FileTypeTree::FindOrInsertChild(const std::u16string& text, Item parent) {
    for (Item child : items_[parent].children)
        if (items_[child].text == text) return child;
    Item item = Item(items_.size());
    items_.push_back({text, parent, {}});
    items_[parent].children.push_back(item);
    return item;
}

FileTypeTree::Item FileTypeTree::AddTypeItem(const std::u16string& category,
                                             const std::u16string& extension) {
    return FindOrInsertChild(extension, FindOrInsertChild(category, kRoot));
}

void FileTypeTree::AddRecord(const CFileTypeRecord& record) {
    records_.insert(records_.begin(), record);
}

void FileTypeTree::SetState(Item item, int state) {
    items_[item].state = state;
    items_[item].bold = state == kChecked;
}

void FileTypeTree::SetSubtree(Item item, int state) {
    for (Item child : items_[item].children) {
        SetState(child, state);
        SetSubtree(child, state);
    }
}

int FileTypeTree::AreChildrenUnchecked(Item item) const {
    for (Item child : items_[item].children)
        if (items_[child].state != kUnchecked) return 0;
    return 1;
}

int FileTypeTree::AreAllChildrenChecked(Item item) const {
    for (Item child : items_[item].children)
        if (items_[child].state != kChecked) return 0;
    return 1;
}

void FileTypeTree::CheckItem(Item item) {
    SetState(item, kChecked);
    for (Item up = items_[item].parent; up >= 0; up = items_[up].parent)
        SetState(up, AreAllChildrenChecked(up) ? kChecked : kPartlyChecked);
    SetSubtree(item, kChecked);
}

void FileTypeTree::UncheckItem(Item item) {
    SetState(item, kUnchecked);
    for (Item up = items_[item].parent; up >= 0; up = items_[up].parent) {
        int state = AreAllChildrenChecked(up)   ? kChecked
                    : AreChildrenUnchecked(up) ? kUnchecked
                                                : kPartlyChecked;
        SetState(up, state);
    }
    SetSubtree(item, kUnchecked);
}

void FileTypeTree::ToggleItemCheck(Item item) {
    if (items_[item].state == kUnchecked)
        CheckItem(item);
    else
        UncheckItem(item);
}

int LoadRawSignatureFile(FileTypeTree& tree, const std::u16string& path) {
    std::vector<CFileTypeRecord> records;
    if (!ReadRawSignatureFile(path, records)) return 0;
    for (const CFileTypeRecord& record : records) {
        if (!record.extension.empty()) tree.AddTypeItem(record.category, record.extension);
        tree.AddRecord(record);
    }
    tree.ToggleItemCheck(FileTypeTree::kRoot);
    return 1;
}

int LoadRawSignatureFile(FileTypeTree& tree) {
    return LoadRawSignatureFile(tree, ProgramFolderPath() + u"Raw.dat");
}

namespace {

void AddCheckedBelow(const FileTypeTree& tree, FileTypeTree::Item item) {
    for (FileTypeTree::Item child : tree.Children(item)) {
        if (tree.State(child) != FileTypeTree::kUnchecked) {
            for (const CFileTypeRecord& record : tree.Records()) {
                if (record.extension != tree.Text(child)) continue;
                AddSignatureEntry(record.extension.c_str(), record.fileType.c_str(),
                                  LeadingDecimal(record.signatureLength), record.signature.c_str(),
                                  LeadingDecimal(record.fifthField));
                ++SignatureCount;
            }
        }
        AddCheckedBelow(tree, child);
    }
}

}  // namespace

void BuildSignatureList(const FileTypeTree& tree, FileTypeTree::Item root) {
    // Types unchecked since an earlier scan must not be carved again.
    FreeSignatureList();
    AddCheckedBelow(tree, root);
}

int AcceptFileTypes(const FileTypeTree& tree, int sizeEntry) {
    if (tree.AreChildrenUnchecked(FileTypeTree::kRoot)) {
        ShowAppMessage(2, u"Please select a file types and then \r\nclick [Next] to continue with recovery.");
        return 0;
    }
    if (sizeEntry < 0) sizeEntry = 0;
    if (sizeEntry > 19) sizeEntry = 19;
    CarveSizeLimitMB = sizeEntry + 1;
    BuildSignatureList(tree, FileTypeTree::kRoot);
    return 1;
}
