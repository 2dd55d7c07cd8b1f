// Tests of the engine over a device held in memory, and the clean-up every
// engine test ends with.
#pragma once

#include <gtest/gtest.h>

#include "engine_state.h"
#include "engine_ui.h"
#include "memory_device.h"
#include "device/sector_access.h"

// Leaves the engine as a test found it: no interface, no drive, fresh state.
inline void ReleaseEngine() {
    SetEngineUi(nullptr);
    ClosePhysicalDrive();
    ResetEngineState();
}

class MemoryDeviceTest : public testing::Test {
protected:
    MemoryDevice* device = nullptr;

    // Resets the engine and opens a zeroed device of that many sectors.
    void OpenMemoryDevice(size_t sectors) {
        ResetEngineState();
        device = AdoptMemoryDevice(sectors);
    }
    void TearDown() override { ReleaseEngine(); }
};
