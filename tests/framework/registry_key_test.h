// A test with a registry key of its own under HKEY_CURRENT_USER, made empty
// before each test and removed after it: `root` names it, `parent` is the
// key open.
#pragma once

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>

#include "test_app.h"

class RegistryKeyTest : public ::testing::Test {
 protected:
  // prefix: the key's name before the test's own part (see KeyOfThisTest).
  explicit RegistryKeyTest(LPCWSTR prefix) : m_prefix(prefix) {}

  void SetUp() override {
    root = KeyOfThisTest(m_prefix);
    SHDeleteKeyW(HKEY_CURRENT_USER, root.c_str());
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, root.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &parent, nullptr));
  }
  void TearDown() override {
    RegCloseKey(parent);
    SHDeleteKeyW(HKEY_CURRENT_USER, root.c_str());
  }

  std::wstring root;
  HKEY parent = nullptr;

 private:
  LPCWSTR m_prefix;
};
