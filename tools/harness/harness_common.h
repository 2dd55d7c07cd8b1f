// Helpers shared by the harness's commands.
#pragma once

#include <cstdint>
#include <string>

#include "recording_ui.h"

bool ParseNumber(const char* text, uint64_t& value);
void Print(const std::u16string& text);
// The engine's messages, one a line, on standard error.
void PrintMessages(const RecordingUi& ui);
// A path as the engine takes it; a folder path ends with a separator and
// the folder is made when missing.
std::u16string EnginePath(const std::string& path);
std::u16string EngineFolder(const std::string& path);

int RawCommand(int argc, char** argv);
int LoadCommand(int argc, char** argv);
