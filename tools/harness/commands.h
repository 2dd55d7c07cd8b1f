// The harness's commands beside `scan`, each in its own file, and what they
// share: exit statuses, messages, argument reading and the volume options.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

int PartitionsCommand(int argc, char** argv);
int RecoverCommand(int argc, char** argv);
int DrivesCommand(int argc, char** argv);
int RawCommand(int argc, char** argv);
int LoadCommand(int argc, char** argv);
int AdvanceCommand(int argc, char** argv);

constexpr char kProgramName[] = "mulvara-harness";

enum ExitStatus : int {
    kExitDone = 0,
    kExitUnusable = 1,      // the image, volume, snapshot or destination cannot be used
    kExitUsage = 2,         // wrong arguments
    kExitNotRecovered = 3,  // a file asked for was not written
};

// "mulvara-harness: TEXT" on standard error.
void ShowError(const std::string& text);
// The usage text, on standard output for --help, on standard error after a
// wrong argument.
void PrintUsage(std::FILE* out);
// Names the argument and what is wrong with it in one line, then gives the
// usage; returns kExitUsage.
int WrongArgument(const std::string& argument, const std::string& reason);
// Reports an argument the command does not take; returns kExitUsage.
int UnknownArgument(const char* command, const char* argument);
// The value of the option at argv[i]; null after reporting it missing.
const char* OptionValue(int argc, char** argv, int i);
// The positional argument `name` of the command at argv[i]; null after
// reporting it missing (an option stands there, or nothing).
const char* Positional(const char* command, const char* name, int argc, char** argv, int i);
// A decimal number from `lowest` to `highest`; false after reporting the
// option's value wrong.
bool ParseNumber(const char* option, const char* text, uint64_t lowest, uint64_t highest,
                 uint64_t& value);

// Shared by the commands: the volume options and their selection.
struct VolumeOptions {
    std::string image;
    uint64_t start = 0, count = 0;
    uint16_t type = 0;
    bool byPartition = false;
    uint32_t partition = 0;
};

// Takes --start, --count, --type and --partition at argv[i]; returns the
// number of arguments used (2), 0 when argv[i] is none of them, -1 after
// reporting a wrong or missing value.
int ParseVolumeOption(int argc, char** argv, int i, VolumeOptions& options);
// Selects the volume; false after printing the reason.
bool SelectVolume(const VolumeOptions& options);
// Runs the Standard Scan on the selected volume, with a progress line;
// false after printing why it failed.
class RecordingUi;
class ProgressUi;
bool RunStandardScan(ProgressUi& ui);
// The progress line's items of a scan that lists folders and files.
std::string FolderAndFileItems();
// Recovers the found files (all when chosen is empty) into destination,
// prints a line per file and a total; kExitNotRecovered when a file failed
// or a chosen path names nothing found.
int PrintRecovery(const RecordingUi& ui, const std::u16string& destination,
                  const std::vector<std::u16string>& chosen);
void Print(const std::u16string& text);
// The engine's messages, one a line, on standard error.
void PrintMessages(const RecordingUi& ui);
// A path as the engine takes it.
std::u16string EnginePath(const std::string& path);
// The destination folder as the engine takes it (ending in a separator),
// made with its parents when missing; empty after saying why it cannot be
// used.
std::u16string DestinationFolder(const std::string& path);
// One line per carved file; every carved file written into the folder made
// by DestinationFolder (false when one could not be).
void PrintCarvedFiles();
bool ExtractCarvedFiles(const std::u16string& folder);
