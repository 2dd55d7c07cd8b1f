// Filling the result page's found-file list for one folder.
#pragma once

#include <cstdint>
#include <string>

// 1 when listings show the progress dialog; the per cent it shows.
extern int ListWithProgress;
extern uint32_t ProgressPercent;

void ListFatFolder(uint32_t parentCluster);
// In Advance mode with an NTFS volume it hands over to ListNtfsFolderAdvance.
void ListNtfsFolder(uint32_t parentRecord);
// Folders of the Standard NTFS list, files of the Advance list that lie in
// the picked volume.
void ListNtfsFolderAdvance(uint32_t parentRecord);

// "dd-mm-yyyy " from a FAT date word.
void FatDateToText(uint16_t date, std::u16string& text);
// "d-m-yyyy h:m:s" from a FILETIME, without time-zone conversion.
void FileTimeToText(uint32_t low, uint32_t high, std::u16string& text);

// 1 when the name fits the pattern (both upper-cased by the caller).
int MatchFilter(const std::u16string& name, const std::u16string& pattern);

// 1 when no filter is set or the upper-cased name fits one of FilterTable's.
int PassesFilters(const char16_t* name);
