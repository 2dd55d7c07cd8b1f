#include "road_files.h"

#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <set>

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

namespace {

std::string ReadWholeFile(const std::wstring& path) {
  std::string bytes;
  FILE* in = _wfopen(path.c_str(), L"rb");
  if (in == nullptr) return bytes;
  char buffer[65536];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes.append(buffer, got);
  std::fclose(in);
  return bytes;
}

void AddFiles(const std::wstring& folder, const std::wstring& relative, FileTree& tree) {
  WIN32_FIND_DATAW found = {};
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = relative.empty() ? name : relative + L"/" + name;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      AddFiles(folder + L"\\" + name, path, tree);
    else
      tree[path] = ReadWholeFile(folder + L"\\" + name);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

std::vector<std::wstring> Components(const std::wstring& path) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find(L'/', start);
    if (slash == std::wstring::npos) slash = path.size();
    parts.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return parts;
}

bool IsDirStandIn(const std::wstring& name) {
  if (name.size() <= 3 || name.compare(0, 3, L"Dir") != 0) return false;
  for (size_t i = 3; i < name.size(); ++i)
    if (name[i] < L'0' || name[i] > L'9') return false;
  return true;
}

bool SameButFirst(const std::wstring& recovered, const std::wstring& original) {
  return recovered.size() == original.size() && !original.empty() &&
         recovered.compare(1, std::wstring::npos, original, 1, std::wstring::npos) == 0;
}

bool FitsShortName(const std::wstring& name) {
  const size_t dot = name.find(L'.');
  const size_t base = dot == std::wstring::npos ? name.size() : dot;
  const size_t extension = dot == std::wstring::npos ? 0 : name.size() - dot - 1;
  return base > 0 && base <= 8 && extension <= 3 && name.find(L' ') == std::wstring::npos &&
         (dot == std::wstring::npos || name.find(L'.', dot + 1) == std::wstring::npos);
}

// A name that fits 8.3 gets no long-name entries. The engine takes the
// short name's bytes as they stand and does not read the lower-case bits
// of the entry's byte 12 that NT-style tools set for a name such as
// "notes.txt": it shows "NOTES.TXT", as the entry stores it.
std::wstring AsStored(const std::wstring& name) {
  if (!FitsShortName(name)) return name;
  std::wstring upper = name;
  for (wchar_t& c : upper)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return upper;
}

// Whether a recovered path may stand for the manifest's path.
bool NameAllowed(const std::wstring& recovered, const ManifestEntry& entry, NameRules rules) {
  if (recovered == entry.path) return true;
  std::vector<std::wstring> got = Components(recovered);
  const std::vector<std::wstring> want = Components(entry.path);
  if (rules == NameRules::Advance && got.size() == want.size() + 1 && got[0] == L"Lost Dir") got.erase(got.begin());
  if (got.size() != want.size()) return false;
  for (size_t i = 0; i < got.size(); ++i) {
    const std::wstring stored = AsStored(want[i]);
    if (got[i] == want[i] || got[i] == stored) continue;
    const bool folder = i + 1 < got.size();
    if (rules == NameRules::Advance && folder && IsDirStandIn(got[i])) continue;
    // A deleted short name's first character is lost ('x' stands for it).
    if (entry.deleted && FitsShortName(want[i]) && SameButFirst(got[i], stored)) continue;
    return false;
  }
  return true;
}

}  // namespace

FileTree ReadFileTree(const std::wstring& folder) {
  FileTree tree;
  AddFiles(folder, L"", tree);
  return tree;
}

std::vector<ManifestEntry> ReadManifest(const std::wstring& path, std::string* error) {
  std::vector<ManifestEntry> entries;
  const std::string text = ReadWholeFile(path);
  if (text.empty()) {
    *error = "cannot read the manifest " + Narrow(path);
    return entries;
  }
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty()) continue;
    std::vector<std::string> fields;
    size_t from = 0;
    for (size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
      fields.push_back(line.substr(from, tab - from));
    fields.push_back(line.substr(from));
    if (fields.size() != 4) {
      *error = "a manifest line without four fields: " + line;
      return {};
    }
    std::wstring wide(fields[0].size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, fields[0].data(),
                                                          static_cast<int>(fields[0].size()), &wide[0],
                                                          static_cast<int>(wide.size()))));
    entries.push_back({wide, std::stoull(fields[1]), fields[2] == "deleted", fields[3]});
  }
  return entries;
}

std::string Sha1Hex(const std::string& bytes) {
  HCRYPTPROV provider = 0;
  HCRYPTHASH hash = 0;
  std::string hex;
  if (!::CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return hex;
  if (::CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash)) {
    BYTE digest[20];
    DWORD size = sizeof digest;
    if (::CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0) &&
        ::CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0)) {
      static const char kDigits[] = "0123456789abcdef";
      for (DWORD i = 0; i < size; ++i) {
        hex += kDigits[digest[i] >> 4];
        hex += kDigits[digest[i] & 15];
      }
    }
    ::CryptDestroyHash(hash);
  }
  ::CryptReleaseContext(provider, 0);
  return hex;
}

std::string CompareWithManifest(const FileTree& recovered, const std::vector<ManifestEntry>& manifest,
                                NameRules rules) {
  std::string faults;
  std::set<std::wstring> used;
  // Exact names first, so a stand-in never takes a file another entry
  // names exactly.
  std::vector<const ManifestEntry*> order;
  for (const ManifestEntry& entry : manifest)
    if (recovered.count(entry.path) != 0) order.push_back(&entry);
  for (const ManifestEntry& entry : manifest)
    if (recovered.count(entry.path) == 0) order.push_back(&entry);
  for (const ManifestEntry* entry : order) {
    const std::wstring* match = nullptr;
    std::string why = "not recovered";
    for (const auto& [path, bytes] : recovered) {
      if (used.count(path) != 0 || !NameAllowed(path, *entry, rules)) continue;
      if (entry->sha1 != "-") {
        if (bytes.size() != entry->size) {
          why = "recovered as " + Narrow(path) + " with " + std::to_string(bytes.size()) + " bytes, not " +
                std::to_string(entry->size);
          continue;
        }
        if (Sha1Hex(bytes) != entry->sha1) {
          why = "recovered as " + Narrow(path) + " with other bytes";
          continue;
        }
      }
      match = &path;
      break;
    }
    if (match == nullptr)
      faults += "  " + Narrow(entry->path) + ": " + why + "\n";
    else
      used.insert(*match);
  }
  return faults;
}

std::string CompareCarvedWithSamples(const FileTree& carved, const FileTree& samples, size_t limitBytes) {
  std::string faults;
  for (const auto& [path, bytes] : carved) {
    const size_t dot = path.find(L'.');
    bool numbered = dot != std::wstring::npos && dot > 0 && path.find(L'/') == std::wstring::npos;
    for (size_t i = 0; numbered && i < dot; ++i) numbered = path[i] >= L'0' && path[i] <= L'9';
    if (!numbered) faults += "  carved file " + Narrow(path) + " is not named N.ext\n";
    if (bytes.size() > limitBytes)
      faults += "  carved file " + Narrow(path) + " is longer than the carve limit\n";
  }
  for (const auto& [name, sample] : samples) {
    bool found = false;
    for (const auto& [path, bytes] : carved) {
      const size_t shared = sample.size() < limitBytes ? sample.size() : limitBytes;
      if (bytes.size() >= shared && bytes.compare(0, shared, sample, 0, shared) == 0) {
        found = true;
        break;
      }
    }
    if (!found) faults += "  the sample " + Narrow(name) + " begins no carved file\n";
  }
  return faults;
}

std::string CompareTrees(const FileTree& program, const FileTree& harness) {
  std::string faults;
  for (const auto& [path, bytes] : harness) {
    auto found = program.find(path);
    if (found == program.end())
      faults += "  " + Narrow(path) + ": written by the harness, not by the program\n";
    else if (found->second != bytes)
      faults += "  " + Narrow(path) + ": other bytes than the harness's (" + std::to_string(found->second.size()) +
                " and " + std::to_string(bytes.size()) + ")\n";
  }
  for (const auto& [path, bytes] : program)
    if (harness.count(path) == 0) faults += "  " + Narrow(path) + ": written by the program, not by the harness\n";
  return faults;
}
