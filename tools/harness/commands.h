// The harness's commands beside `scan`, each in its own file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

int PartitionsCommand(int argc, char** argv);
int RecoverCommand(int argc, char** argv);
int DrivesCommand(int argc, char** argv);
int RawCommand(int argc, char** argv);
int LoadCommand(int argc, char** argv);
int AdvanceCommand(int argc, char** argv);

// Shared by the commands: the volume options and their selection.
struct VolumeOptions {
    std::string image;
    uint64_t start = 0, count = 0;
    uint16_t type = 0;
    bool byPartition = false;
    uint32_t partition = 0;
};

// Takes --start, --count, --type and --partition at argv[i]; returns the
// number of arguments used (2), 0 when argv[i] is none of them, -1 on a bad
// value.
int ParseVolumeOption(int argc, char** argv, int i, VolumeOptions& options);
// Selects the volume; false after printing the reason.
bool SelectVolume(const VolumeOptions& options);
// Runs the Standard Scan on the selected volume; false after printing why.
class RecordingUi;
bool RunStandardScan(RecordingUi& ui);
int Usage();
// Recovers the found files (all when chosen is empty) into destination and
// prints a line per file and a total.
int PrintRecovery(const RecordingUi& ui, const std::u16string& destination,
                  const std::vector<std::u16string>& chosen);
void Print(const std::u16string& text);
// The engine's messages, one a line, on standard error.
void PrintMessages(const RecordingUi& ui);
// A path as the engine takes it; a folder path ends with a separator and
// the folder is made when missing.
std::u16string EnginePath(const std::string& path);
std::u16string EngineFolder(const std::string& path);
// One line per carved file; every carved file written into the folder
// (false when one could not be).
void PrintCarvedFiles();
bool ExtractCarvedFiles(const std::string& folder);
