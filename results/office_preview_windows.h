// The Office programs that the preview pane starts keep the previewed file
// open. Before another file is extracted those instances are closed: only
// the ones the pane noted as its own, each asked to close first, a few tries
// at most. An Office window of any other process is never touched.
#pragma once

#include <set>

#include "framework.h"

// Every process that now owns a top-level window of an Office frame class.
std::set<DWORD> OfficeWindowProcesses();
// The pane notes the instances it started: those not in before.
void NoteStartedOfficeProcesses(const std::set<DWORD>& before);
void NoteStartedOfficeProcess(DWORD processId);
// Closes the noted instances that still have a window; returns how many
// ended. Waits at most kOfficeCloseTries x kOfficeCloseWaitMs per instance.
int CloseOfficePreviewWindows();

constexpr int kOfficeCloseTries = 3;
constexpr DWORD kOfficeCloseWaitMs = 200;
