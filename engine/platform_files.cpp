#include <ctime>
#include <new>

#include "platform_files.h"

namespace {

constexpr uint64_t kTicksPerSecond = 10000000;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr int64_t kEpochDifference = 11644473600;

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
int64_t DaysFromEpoch(int year, int month, int day) {
    year -= month <= 2;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

bool CalendarToFileTime(int year, int month, int day, int hour, int minute, int second,
                        int millisecond, uint64_t& fileTime) {
    if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59 || millisecond < 0 || millisecond > 999)
        return false;
    int64_t seconds = DaysFromEpoch(year, month, day) * 86400 + hour * 3600 + minute * 60 +
                      second + kEpochDifference;
    fileTime = uint64_t(seconds) * kTicksPerSecond + uint64_t(millisecond) * 10000;
    return true;
}

bool FatDateToFileTime(uint16_t dateWord, uint64_t& fileTime) {
    std::time_t now = std::time(nullptr);
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    return CalendarToFileTime(dateWord / 512 + 1980, (dateWord >> 5) & 15, dateWord & 31,
                              utc.tm_hour, utc.tm_min, utc.tm_sec, 0, fileTime);
}

FileRead ReadFileBytes(const std::u16string& path, size_t limit, std::vector<uint8_t>& bytes) {
    bytes.clear();
    std::FILE* file = OpenFile(path, "rb");
    if (!file) return FileRead::CannotOpen;
    uint8_t chunk[65536];
    size_t got;
    bool fits = true;
    try {
        while (fits && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
            fits = bytes.size() + got <= limit;
            if (fits) bytes.insert(bytes.end(), chunk, chunk + got);
        }
    } catch (const std::bad_alloc&) {
        fits = false;
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (!fits || failed) {
        bytes.clear();
        return FileRead::Failed;
    }
    return FileRead::Ok;
}

std::u16string TemporaryFilePath(const std::u16string& name) { return TemporaryFolderPath() + name; }

std::u16string PreviewFolderPath() { return TemporaryFolderPath() + u"ssss"; }

void DeletePreviewFiles(const std::vector<std::u16string>& files) {
    for (const std::u16string& file : files) DeleteFileAt(file);
    // A folder can only be removed once it is empty.
    std::u16string folder = PreviewFolderPath();
    DeleteFolderFiles(folder);
    RemoveEmptyFolder(folder);
}
