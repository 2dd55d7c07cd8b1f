// A dialog opened over owners in the middle of the screen, at its edges and
// past them: it must lie wholly in the work area and, wherever the work area
// leaves room, share its owner's centre.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

// open makes the dialog over the owner and returns its window; close ends it.
inline void ExpectPlacedOverOwners(const std::function<HWND(HWND owner)>& open, const std::function<void()>& close) {
  RECT work = {};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const struct {
    const char* name;
    RECT owner;
  } cases[] = {
      {"centred frame", {work.left + 200, work.top + 150, work.right - 200, work.bottom - 150}},
      {"small frame at the top left", {work.left, work.top, work.left + 300, work.top + 200}},
      {"frame at the bottom right", {work.right - 500, work.bottom - 400, work.right, work.bottom}},
      {"frame past the right of the screen", {work.right - 200, work.top + 100, work.right + 600, work.top + 700}},
      {"frame past the left and the top", {work.left - 700, work.top - 500, work.left + 150, work.top + 120}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND owner = ::CreateWindowExW(0, L"Static", L"owner", WS_POPUP | WS_VISIBLE | WS_BORDER, c.owner.left,
                                   c.owner.top, c.owner.right - c.owner.left, c.owner.bottom - c.owner.top,
                                   nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    HWND dialog = open(owner);
    ASSERT_NE(nullptr, dialog);
    RECT shown = {};
    ::GetWindowRect(dialog, &shown);
    EXPECT_GE(shown.left, work.left);
    EXPECT_GE(shown.top, work.top);
    EXPECT_LE(shown.right, work.right);
    EXPECT_LE(shown.bottom, work.bottom);
    const int width = shown.right - shown.left, height = shown.bottom - shown.top;
    const int wantX = (c.owner.left + c.owner.right - width) / 2, wantY = (c.owner.top + c.owner.bottom - height) / 2;
    if (wantX >= work.left && wantX + width <= work.right) {
      EXPECT_NEAR(wantX, shown.left, 1);
    }
    if (wantY >= work.top && wantY + height <= work.bottom) {
      EXPECT_NEAR(wantY, shown.top, 1);
    }
    close();
    ::DestroyWindow(owner);
  }
}
