#include "file_types.h"

#include "text.h"

bool CheckOnlyTypes(FileTypeTree& tree, const std::string& list, std::string& unknown) {
    if (list == "all") return true;
    tree.UncheckItem(FileTypeTree::kRoot);
    size_t from = 0;
    while (from < list.size()) {
        size_t comma = list.find(',', from);
        if (comma == std::string::npos) comma = list.size();
        std::u16string extension = Utf8ToUtf16(list.substr(from, comma - from));
        from = comma + 1;
        if (extension.empty()) continue;
        bool found = false;
        for (FileTypeTree::Item item = 1; item < tree.ItemCount(); ++item) {
            if (tree.Parent(item) == FileTypeTree::kRoot || tree.Text(item) != extension) continue;
            tree.CheckItem(item);
            found = true;
        }
        if (!found) {
            unknown = Utf16ToUtf8(extension);
            return false;
        }
    }
    return true;
}
