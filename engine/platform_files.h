// Files the engine writes besides the devices it reads: the times of a
// recovered file, temporary files and the preview folder.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// 1 when the file system reports attributes for the path.
int FileExists(const std::u16string& path);

// Opens a file by its UTF-16 path with a C mode ("wb+", "rb").
std::FILE* OpenFile(const std::u16string& path, const char* mode);
// Reads a whole file of at most `limit` bytes.
enum class FileRead { Ok, CannotOpen, Failed };
FileRead ReadFileBytes(const std::u16string& path, size_t limit, std::vector<uint8_t>& bytes);
// Deletes a file; false when it could not (also when it does not exist).
bool DeleteFileAt(const std::u16string& path);

// Sets a file's creation, last-access and last-write times to one FILETIME
// (100 ns units since 1601, UTC). False when the file cannot be opened or
// the time is 0, which would say nothing: the file then keeps its times.
bool SetFileTimes(const std::u16string& path, uint64_t fileTime);
// A file's last-write time as a FILETIME; false when it cannot be read.
bool GetFileWriteTime(const std::u16string& path, uint64_t& fileTime);

// The FILETIME of now (UTC) with its date replaced by a FAT date word's
// (year = word / 512 + 1980, month = bits 5-8, day = bits 0-4); false when
// the word is no valid date, such as 0.
bool FatDateToFileTime(uint16_t dateWord, uint64_t& fileTime);
// The FILETIME of a UTC calendar time; false for an impossible date.
bool CalendarToFileTime(int year, int month, int day, int hour, int minute, int second,
                        int millisecond, uint64_t& fileTime);

// The system's folder for temporary files, ending in a separator.
std::u16string TemporaryFolderPath();
// A file in that folder ("0001" holds the copy of the Office detection).
std::u16string TemporaryFilePath(const std::u16string& name);
// The folder "ssss" in the temporary folder, where previews are unpacked.
std::u16string PreviewFolderPath();
// Deletes every file (not the subfolders) of a folder.
void DeleteFolderFiles(const std::u16string& folder);
bool RemoveEmptyFolder(const std::u16string& path);
// Deletes the preview files named, then the files of the preview folder and
// the folder itself. Files that are already gone are passed over.
void DeletePreviewFiles(const std::vector<std::u16string>& files);
