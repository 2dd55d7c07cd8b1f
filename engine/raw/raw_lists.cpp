#include "raw/raw_lists.h"
#include "entry_list.h"
#include "text.h"

#include <cstdlib>

EntryList<SignatureEntry> SignatureList;
uint32_t SignatureCount = 0;
EntryList<CarvedFileRecord> CarvedFileList;
int CarveSizeLimitMB = 3;

void AddSignatureEntry(const char16_t* extension, const char16_t* fileType,
                       uint32_t signatureLength, const char* signature, uint32_t number) {
    SignatureEntry* node = AllocateNode<SignatureEntry>();
    node->extension = CopyName(extension);
    node->fileType = CopyName(fileType);
    node->signatureLength = signatureLength;
    node->signature = CopyText(signature);
    node->number = number;
    LinkNode(SignatureList, node);
}

void AddCarvedFile(const char16_t* name, const char16_t* extension, const char16_t* fileType,
                   uint32_t runningNumber, uint32_t startSector) {
    CarvedFileRecord* node = AllocateNode<CarvedFileRecord>();
    node->name = CopyName(name);
    node->extension = CopyName(extension);
    node->fileType = CopyName(fileType);
    node->runningNumber = runningNumber;
    node->startSector = startSector;
    LinkNode(CarvedFileList, node);
}

void FreeSignatureList() {
    FreeEntryList(SignatureList, [](SignatureEntry& node) {
        std::free(node.extension);
        std::free(node.fileType);
        std::free(node.signature);
    });
    SignatureCount = 0;
}

void FreeCarvedFileList() {
    FreeEntryList(CarvedFileList, [](CarvedFileRecord& node) {
        std::free(node.name);
        std::free(node.extension);
        std::free(node.fileType);
    });
}
