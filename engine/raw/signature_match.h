// Matching sectors against SignatureList as bytes: the same answer as
// comparing the sector's leading bytes as hexadecimal text with each entry's
// signature text, without building text per sector.
#pragma once

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
    // Entries by their first byte, each bucket in list order.
    std::vector<Compiled> buckets_[256];
};

// The bytes of a hexadecimal text (either case); false when it is not one.
bool HexDecode(const char* text, std::vector<uint8_t>& bytes);
