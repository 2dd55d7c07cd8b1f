#include "raw/signature_match.h"

#include <cstring>

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

bool HexDecode(const char* text, std::vector<uint8_t>& bytes) {
    bytes.clear();
    size_t length = text ? std::strlen(text) : 0;
    if (length % 2) return false;
    for (size_t i = 0; i < length; i += 2) {
        int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes.push_back(uint8_t(high << 4 | low));
    }
    return true;
}

SignatureMatcher::SignatureMatcher() {
    for (const SignatureEntry* e = SignatureList.head; e; e = e->next) {
        std::vector<uint8_t> bytes;
        // An entry whose length disagrees with its text can never be equal
        // to a sector's text; one without bytes would match every sector and
        // carves nothing.
        if (!HexDecode(e->signature, bytes) || bytes.empty() || bytes.size() != e->signatureLength)
            continue;
        buckets_[bytes[0]].push_back({std::move(bytes), e});
    }
}

const SignatureEntry* SignatureMatcher::Match(const uint8_t* sector, size_t size) const {
    for (const Compiled& c : buckets_[sector[0]])
        if (c.bytes.size() <= size && std::memcmp(c.bytes.data(), sector, c.bytes.size()) == 0)
            return c.entry;
    return nullptr;
}
