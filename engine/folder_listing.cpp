#include "folder_listing.h"

#include "advance/advance_lists.h"
#include "engine_ui.h"
#include "found_lists.h"
#include "scan_control.h"
#include "settings.h"
#include "volumes/boot_params.h"
#include "text.h"

int ListWithProgress = 0;
uint32_t ProgressPercent = 0;

namespace {

void TwoDigits(unsigned value, std::u16string& text) {
    text.push_back(char16_t(u'0' + value / 10 % 10));
    text.push_back(char16_t(u'0' + value % 10));
}

std::u16string FatDate(uint16_t date) {
    std::u16string text;
    FatDateToText(date, text);
    return text;
}

std::u16string FileTime(uint64_t time) {
    std::u16string text;
    FileTimeToText(uint32_t(time), uint32_t(time >> 32), text);
    return text;
}

// Per-cent steps of a listing with a progress dialog: after every node of a
// list the counter grows by 100 and the dialog shows counter / total.
class ListProgress {
public:
    explicit ListProgress(uint64_t total) : total_(total ? total : 1) {
        if (!ListWithProgress) return;
        Ui().OpenListProgress();
        ProgressPercent = 0;
        Ui().SetListProgress(0);
    }
    void Step() {
        if (!ListWithProgress) return;
        counter_ += 100;
        ProgressPercent = uint32_t(counter_ / total_);
        Ui().SetListProgress(int(ProgressPercent));
    }
    void StepOne() {
        if (!ListWithProgress) return;
        ++ProgressPercent;
        Ui().SetListProgress(int(ProgressPercent));
    }
    void Finish(bool redraw) {
        if (!ListWithProgress) return;
        Ui().SetListProgress(100);
        if (redraw) Ui().RedrawList();
        Ui().CloseListProgress();
    }

private:
    uint64_t total_;
    uint64_t counter_ = 0;
};

class RowWriter {
public:
    RowWriter() { Ui().DeleteAllRows(); }
    void Add(std::u16string name, std::u16string type, std::u16string size, std::u16string time1,
             std::u16string time2, std::u16string id, RowIcon icon) {
        const std::u16string columns[6] = {name, type, size, time1, time2, id};
        Ui().InsertRow(rows_++, columns, icon);
    }
    void AddParent() { Add(u"Parent...", u"", u"", u"", u"", u"", RowIcon::Folder); }

private:
    int rows_ = 0;
};

std::u16string FolderType(uint32_t deleted) { return deleted ? u"Deleted Folder" : u"Folder"; }

std::u16string FileType(const char16_t* name, uint32_t deleted) {
    std::u16string type = deleted ? u"Deleted " : u"";
    return type + Ui().ShellTypeName(name);
}

// Days since 1 January 1601 to a civil date.
void CivilFromDays(int64_t days, int& year, unsigned& month, unsigned& day) {
    int64_t since1970 = days - 134774;
    int64_t zz = since1970 + 719468;
    int64_t era = (zz >= 0 ? zz : zz - 146096) / 146097;
    unsigned doe = unsigned(zz - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t y = int64_t(yoe) + era * 400;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = int(y + (month <= 2));
}

}  // namespace

void FatDateToText(uint16_t date, std::u16string& text) {
    text.clear();
    TwoDigits(date & 0x1F, text);
    text.push_back(u'-');
    TwoDigits(date >> 5 & 0x0F, text);
    text.push_back(u'-');
    unsigned year = date / 512 + 1980;
    text += Decimal(year);
    text.push_back(u' ');
}

void FileTimeToText(uint32_t low, uint32_t high, std::u16string& text) {
    uint64_t ticks = uint64_t(high) << 32 | low;
    uint64_t seconds = ticks / 10000000;
    int64_t days = int64_t(seconds / 86400);
    uint32_t rest = uint32_t(seconds % 86400);
    int year;
    unsigned month, day;
    CivilFromDays(days, year, month, day);
    text = Decimal(day) + u"-" + Decimal(month) + u"-" + Decimal(uint64_t(year)) + u" " +
           Decimal(rest / 3600) + u":" + Decimal(rest / 60 % 60) + u":" + Decimal(rest % 60);
}

int MatchFilter(const std::u16string& name, const std::u16string& patternIn) {
    if (name.empty() || patternIn.empty()) return 0;
    const bool hasStar = patternIn.find(u'*') != std::u16string::npos;
    const bool hasQuestion = patternIn.find(u'?') != std::u16string::npos;
    if (!hasStar && patternIn.size() > name.size()) return 0;
    if (patternIn == u"*") return 1;
    if (patternIn == u"*.*") return name.find(u'.') != std::u16string::npos ? 1 : 0;
    if (!hasStar && !hasQuestion) return name.find(patternIn) != std::u16string::npos ? 1 : 0;

    std::u16string pattern = patternIn;
    while (pattern.size() >= 2 && pattern[pattern.size() - 1] == u'*' &&
           pattern[pattern.size() - 2] == u'*')
        pattern.pop_back();

    size_t position = 0;
    bool afterStar = false;
    std::u16string run;
    for (size_t k = 0; k < pattern.size(); ++k) {
        const char16_t c = pattern[k];
        const bool last = k + 1 == pattern.size();
        if (c == u'*') {
            run.clear();
            afterStar = true;
            if (last) return 1;
            continue;
        }
        if (!afterStar) {
            if (position >= name.size()) return 0;
            if (c != u'?' && name[position] != c) return 0;
            ++position;
            continue;
        }
        if (last) {
            run.push_back(c);
            if (run.size() > name.size()) return 0;
            size_t tail = name.size() - run.size();
            for (size_t j = 0; j < run.size(); ++j) {
                bool anyOne = j + 1 == run.size() && run[j] == u'?';
                if (!anyOne && run[j] != name[tail + j]) return 0;
            }
            return 1;
        }
        if (c == u'?') {
            ++position;
            continue;
        }
        run.push_back(c);
        if (position < name.size() && name[position] == c) {
            ++position;
            continue;
        }
        size_t from = position > 0 ? position - 1 : 0;
        size_t found = from <= name.size() ? name.find(run, from) : std::u16string::npos;
        if (found == std::u16string::npos) return 0;
        position = found + run.size();
    }
    return 1;
}

int PassesFilters(const char16_t* name) {
    if (FilterCount <= 0) return 1;
    std::u16string upper = UpperCase(name);
    int count = FilterCount < kMaxFilters ? FilterCount : kMaxFilters;
    for (int i = 0; i < count; ++i) {
        const char16_t* entry = FilterTable[i];
        size_t length = 0;
        while (length < kFilterLength && entry[length]) ++length;
        if (MatchFilter(upper, UpperCase(std::u16string(entry, length)))) return 1;
    }
    return 0;
}

void ListFatFolder(uint32_t parentCluster) {
    RowWriter rows;
    ListProgress progress(uint64_t(FilesFound) + FoldersFound);
    const bool inRoot = parentCluster == 0;
    if (!inRoot) rows.AddParent();
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next) {
        if (f->parentCluster == parentCluster)
            rows.Add(f->name, FolderType(f->deleted), u"0", FatDate(f->writeDate),
                     FatDate(f->accessDate), Decimal(f->treeItem), RowIcon::Folder);
        progress.Step();
    }
    for (FatFileEntry* f = FatFileList.head; f; f = f->next) {
        if (f->parentCluster == parentCluster) {
            if (!PassesFilters(f->name)) continue;
            rows.Add(f->name, FileType(f->name, f->deleted), Decimal(f->size),
                     FatDate(f->writeDate), FatDate(f->accessDate), Decimal(f->fileNumber),
                     RowIcon::File);
        }
        progress.Step();
    }
    if (!inRoot) Ui().SetRowChecked(0);
    progress.Finish(false);
    Ui().FocusFolderTree();
}

namespace {

void ListNtfsFolders(RowWriter& rows, ListProgress& progress, uint32_t parentRecord) {
    if (parentRecord != kNtfsRootRecord) {
        rows.AddParent();
        progress.StepOne();
    }
    for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next) {
        if (f->parentRecord == parentRecord)
            rows.Add(f->name, FolderType(f->deleted), u"0", FileTime(f->creationTime),
                     FileTime(f->secondTime), Decimal(f->treeItem), RowIcon::Folder);
        progress.Step();
    }
}

}  // namespace

void ListNtfsFolder(uint32_t parentRecord) {
    if (ScanMode == kAdvanceScan && PartitionParameters.scannedType == kNtfs) {
        ListNtfsFolderAdvance(parentRecord);
        return;
    }
    RowWriter rows;
    ListProgress progress(uint64_t(FilesFound) + FoldersFound);
    ListNtfsFolders(rows, progress, parentRecord);
    for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next) {
        if (f->parentRecord == parentRecord) {
            if (!PassesFilters(f->name)) continue;
            rows.Add(f->name, FileType(f->name, f->deleted), Decimal(f->size),
                     FileTime(f->creationTime), FileTime(f->secondTime),
                     Decimal(f->dataRecordSector), RowIcon::File);
        }
        progress.Step();
    }
    progress.Finish(false);
    Ui().FocusFolderTree();
}

void ListNtfsFolderAdvance(uint32_t parentRecord) {
    ListProgress progress(uint64_t(FoldersFound) + AdvanceFoundCounts[1]);
    RowWriter rows;
    ListNtfsFolders(rows, progress, parentRecord);
    for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f; f = f->next) {
        if (f->parentRecord == parentRecord && LiesInPickedVolume(f->sector)) {
            if (!PassesFilters(f->name)) continue;
            rows.Add(f->name, FileType(f->name, f->deleted), Decimal(f->size),
                     FileTime(f->creationTime), FileTime(f->secondTime), Decimal(f->sector),
                     RowIcon::File);
        }
        progress.Step();
    }
    progress.Finish(true);
    Ui().FocusFolderTree();
}
