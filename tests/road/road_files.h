// What the road test compares after a recovery: the files below a folder
// with their bytes, an image's manifest, and the harness's recovery of the
// same image.
#pragma once

#include <map>
#include <string>
#include <vector>

// Files below a folder by their path relative to it ("/" between folders),
// with their bytes.
using FileTree = std::map<std::wstring, std::string>;
FileTree ReadFileTree(const std::wstring& folder);

// One line of a manifest: PATH, SIZE, STATE ("live" or "deleted"), SHA1
// ("-" when the image maker gave the file's clusters to another file).
struct ManifestEntry {
  std::wstring path;
  unsigned long long size;
  bool deleted;
  std::string sha1;
};
std::vector<ManifestEntry> ReadManifest(const std::wstring& path, std::string* error);

std::string Sha1Hex(const std::string& bytes);

// How recovered names may differ from the files that were on the volume,
// as the engine documents it.
// A short name (one that fits 8.3) is stored and shown in capitals.
enum class NameRules {
  Standard,  // a deleted short name's first character is lost
  Advance,   // also "DirN" for a folder whose name was lost, below "Lost Dir"
};

// Every manifest file must be among the recovered ones under its own name
// or one the rules allow, with its size and SHA-1 unless the manifest says
// "-". Returns the faults, one a line; empty when there are none.
std::string CompareWithManifest(const FileTree& recovered, const std::vector<ManifestEntry>& manifest,
                                NameRules rules);

// Raw Scan: each sample must be the start of a carved file named N.ext (or
// the carved file the start of the sample, when the sample is longer than
// the carve limit of `limitBytes`).
std::string CompareCarvedWithSamples(const FileTree& carved, const FileTree& samples, size_t limitBytes);

// The two recoveries must hold the same names with the same bytes.
std::string CompareTrees(const FileTree& program, const FileTree& harness);

std::string Narrow(const std::wstring& text);
