// "Raw.dat", the Raw Scan's signature file: one record per file type.
//
// A record: u16 (unused), category character, then five fields, each a
// little-endian u16 length and that many bytes: extension, file-type text,
// signature length as decimal text, signature bytes, a fifth field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One record as the file-type choice keeps it.
struct CFileTypeRecord {
    int index = 0;                // position in the file, from 0
    std::u16string category;      // category name ("Graphics Files")
    std::u16string extension;     // ".jpg"
    std::u16string fileType;      // group name shown in the results
    std::string signature;        // upper-case hexadecimal
    std::string signatureLength;  // decimal text, as stored
    std::string fifthField;       // upper-case hexadecimal
};

constexpr size_t kMaxSignatureField = 255;

// The category name of a category character.
std::u16string CategoryName(char category);

// Upper-case hexadecimal text of bytes, two digits a byte.
std::string HexEncode(const void* bytes, size_t count);

// Leading decimal digits of a text as a number (0 when there are none).
uint32_t LeadingDecimal(const std::string& text);

// The records of a signature file's bytes, in file order. Reading stops
// cleanly at a field longer than kMaxSignatureField or one that would run
// past the end; the records before it are kept.
std::vector<CFileTypeRecord> ParseRawSignatureFile(const uint8_t* data, size_t size);

// Reads the file; false when it cannot be opened.
bool ReadRawSignatureFile(const std::u16string& path, std::vector<CFileTypeRecord>& records);
