// Matching sectors against SignatureList as bytes: the same answer as
// comparing the sector's leading bytes as hexadecimal text with each entry's
// signature text, without building text per sector.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "raw/raw_lists.h"

class SignatureMatcher {
public:
    // Takes the entries of SignatureList in list order.
    SignatureMatcher();

    // The first entry in list order whose signature begins the sector, or null.
    const SignatureEntry* Match(const uint8_t* sector, size_t size) const;

private:
    struct Compiled {
        std::vector<uint8_t> bytes;
        const SignatureEntry* entry;
    };
    struct Candidate {
        uint64_t head;  // the first eight bytes, zero past the signature's end
        uint64_t headMask;
        uint32_t compiled;
    };
    using ByteSet = uint64_t[4];
    // The entries that one pair of first bytes may begin, in list order,
    // with the third and fourth bytes any of them allows: a sector of zeros
    // or of a common pair is turned down without comparing each entry.
    struct Bucket {
        ByteSet third = {};
        ByteSet fourth = {};
        std::vector<Candidate> candidates;
    };

    static size_t Key(const uint8_t* sector) { return size_t(sector[0]) | size_t(sector[1]) << 8; }
    static bool Has(const ByteSet& set, uint8_t byte) { return (set[byte / 64] >> (byte % 64)) & 1; }
    static void Add(ByteSet& set, uint8_t byte) { set[byte / 64] |= uint64_t(1) << (byte % 64); }
    static void Allow(ByteSet& set, const std::vector<uint8_t>& signature, size_t at);
    bool MayBegin(size_t key) const { return (pairs_[key / 64] >> (key % 64)) & 1; }
    // The place of a pair's bucket: the pairs with a bucket before it.
    size_t BucketOf(size_t key) const {
        const uint64_t below = pairs_[key / 64] & ((uint64_t(1) << (key % 64)) - 1);
        return pairsBefore_[key / 64] + std::bitset<64>(below).count();
    }
    const SignatureEntry* MatchShort(const uint8_t* sector, size_t size) const;

    std::vector<Compiled> compiled_;  // list order
    // One bit per pair of first bytes: most pairs begin no signature, and
    // these 8 KiB say so without touching anything else.
    uint64_t pairs_[65536 / 64] = {};
    uint32_t pairsBefore_[65536 / 64] = {};  // bits set in the words before
    std::vector<Bucket> buckets_;            // one per bit set, in key order
};

// The bytes of a hexadecimal text (either case); false when it is not one.
bool HexDecode(const char* text, std::vector<uint8_t>& bytes);
