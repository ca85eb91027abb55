// A test fixture on the headless platform with every subsystem reset.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>

#include "platform/headless/headless_platform.h"

// The address sanitizer keeps operator new to itself; elsewhere the tests can
// make it refuse blocks larger than g_new_limit bytes.
#if defined(__SANITIZE_ADDRESS__)
#define LD_LIMITS_NEW 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LD_LIMITS_NEW 0
#endif
#endif
#ifndef LD_LIMITS_NEW
#define LD_LIMITS_NEW 1
#endif
extern size_t g_new_limit;  // defined only where LD_LIMITS_NEW

// Runs body in a forked child: its exit code, or 128 + the signal that ended it.
int RunInChild(const std::function<int()>& body);

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A fresh, empty folder for the test, made the current directory.
  std::string MakeTempDir();

  platform::HeadlessPlatform hp;

 private:
  std::string old_cwd_;
  std::string temp_dir_;
};
