// A test that plays any visual-style library through the process-wide
// module record: the record is saved before and restored after each test.
#pragma once

#include <gtest/gtest.h>

#include "ux_theme.h"

class UxThemeSlotsTest : public ::testing::Test {
 protected:
  void SetUp() override { saved = GetUxThemeModule(); }
  void TearDown() override { GetUxThemeModule() = saved; }
  static void ClearSlots() {
    for (FARPROC& slot : GetUxThemeModule().entries) slot = nullptr;
  }
  template <class F>
  static void Install(UxThemeEntry slot, F f) {
    GetUxThemeModule().entries[slot] = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(f));
  }
  UxThemeModuleRecord saved;
};
