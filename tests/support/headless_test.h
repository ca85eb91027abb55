// A test fixture on the headless platform with every subsystem reset.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/headless/headless_platform.h"

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
