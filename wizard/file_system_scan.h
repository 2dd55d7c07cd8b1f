// The file-system step's scan without its view: Next and Stop. The view
// applies the frame's step flags and its layout around them; completion is
// the engine's ScanHasEnded, which holds only once the worker has returned.
#pragma once

#include "framework.h"

// Next: with no volume row chosen (row below 0) the kind-1 message and
// FALSE; otherwise the Standard Scan lists freed and the scan of the picked
// volume started on the scan worker, its flags set before it runs.
BOOL StartPickedVolumeScan(int selectedRow);

// Stop: the worker paused while "Do you want to stop file searching ?" is
// open, then resumed. On Yes the step's Stop is hidden and 1 returned.
int StopPickedVolumeScan();
