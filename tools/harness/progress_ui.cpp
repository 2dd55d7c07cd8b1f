#include "progress_ui.h"

void ProgressUi::BeginProgress(const char* task, ItemsText items) {
    task_ = task;
    items_ = items;
    line_ = std::make_unique<ProgressLine>(stderr, StandardErrorIsTerminal());
}

void ProgressUi::EndProgress() { line_.reset(); }

void ProgressUi::SetProgress(int percent) {
    RecordingUi::SetProgress(percent);
    if (line_ && line_->Due()) line_->Show(ProgressText(task_, percent, items_()));
}
