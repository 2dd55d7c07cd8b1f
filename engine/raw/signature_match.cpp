#include "raw/signature_match.h"

#include <algorithm>
#include <cstring>

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

uint64_t LoadWord(const uint8_t* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
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
    std::vector<uint8_t> bytes;
    for (const SignatureEntry* e = SignatureList.head; e; e = e->next) {
        // An entry whose length disagrees with its text can never be equal
        // to a sector's text; one without bytes would match every sector and
        // carves nothing.
        if (!HexDecode(e->signature, bytes) || bytes.empty() || bytes.size() != e->signatureLength)
            continue;
        compiled_.push_back({bytes, e});
    }

    // A one-byte signature may begin any pair with its byte first.
    auto forEachKey = [](const std::vector<uint8_t>& signature, auto&& visit) {
        if (signature.size() >= 2)
            visit(Key(signature.data()));
        else
            for (size_t second = 0; second < 256; ++second) visit(size_t(signature[0]) | second << 8);
    };
    for (const Compiled& c : compiled_)
        forEachKey(c.bytes, [&](size_t key) { pairs_[key / 64] |= uint64_t(1) << (key % 64); });
    size_t buckets = 0;
    for (size_t word = 0; word < 65536 / 64; ++word) {
        pairsBefore_[word] = uint32_t(buckets);
        buckets += std::bitset<64>(pairs_[word]).count();
    }
    buckets_.resize(buckets);

    for (uint32_t index = 0; index < compiled_.size(); ++index) {
        const std::vector<uint8_t>& signature = compiled_[index].bytes;
        uint8_t head[8] = {}, mask[8] = {};
        const size_t inHead = std::min(signature.size(), sizeof head);
        std::memcpy(head, signature.data(), inHead);
        std::memset(mask, 0xFF, inHead);
        const Candidate candidate{LoadWord(head), LoadWord(mask), index};
        forEachKey(signature, [&](size_t key) {
            Bucket& bucket = buckets_[BucketOf(key)];
            bucket.candidates.push_back(candidate);
            Allow(bucket.third, signature, 2);
            Allow(bucket.fourth, signature, 3);
        });
    }
}

// A signature that ends before that byte allows any byte there.
void SignatureMatcher::Allow(ByteSet& set, const std::vector<uint8_t>& signature, size_t at) {
    if (signature.size() <= at)
        for (uint64_t& word : set) word = ~uint64_t(0);
    else
        Add(set, signature[at]);
}

const SignatureEntry* SignatureMatcher::Match(const uint8_t* sector, size_t size) const {
    if (size < 8) return MatchShort(sector, size);
    const size_t key = Key(sector);
    if (!MayBegin(key)) return nullptr;
    const Bucket& bucket = buckets_[BucketOf(key)];
    if (!Has(bucket.third, sector[2]) || !Has(bucket.fourth, sector[3])) return nullptr;
    const uint64_t head = LoadWord(sector);
    for (const Candidate& candidate : bucket.candidates) {
        if ((head & candidate.headMask) != candidate.head) continue;
        const Compiled& c = compiled_[candidate.compiled];
        const size_t length = c.bytes.size();
        if (length <= 8) return c.entry;
        if (length <= size && std::memcmp(c.bytes.data() + 8, sector + 8, length - 8) == 0)
            return c.entry;
    }
    return nullptr;
}

// Sectors too short for the word compare (never a whole disk sector).
const SignatureEntry* SignatureMatcher::MatchShort(const uint8_t* sector, size_t size) const {
    for (const Compiled& c : compiled_)
        if (c.bytes.size() <= size && std::memcmp(c.bytes.data(), sector, c.bytes.size()) == 0)
            return c.entry;
    return nullptr;
}
