// The scan page's one-second timer: notices that any kind of scan has ended
// and moves the wizard on.
#pragma once

constexpr int kScanTimer = 1;

void OnScanTimer(int timerId);
