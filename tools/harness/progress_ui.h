// The recording interface with a progress line for the scan running: the
// percent the engine reports and the items found so far.
#pragma once

#include <memory>
#include <string>

#include "progress_line.h"
#include "recording_ui.h"

class ProgressUi : public RecordingUi {
public:
    using ItemsText = std::string (*)();

    // Starts the line of one task, named `task` ("scanning"), its items
    // counted by `items`; EndProgress blanks it.
    void BeginProgress(const char* task, ItemsText items);
    void EndProgress();
    void SetProgress(int percent) override;

private:
    const char* task_ = "";
    ItemsText items_ = nullptr;
    std::unique_ptr<ProgressLine> line_;
};
