#include "support/headless_test.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "shell/program_reset.h"

int RunInChild(const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void HeadlessTest::SetUp() {
  hp.keep_frames = true;
  platform::Set(&hp);
  ResetProgramState();
  char cwd[4096];
  if (getcwd(cwd, sizeof cwd) != nullptr) old_cwd_ = cwd;
}

void HeadlessTest::TearDown() {
  if (!old_cwd_.empty() && chdir(old_cwd_.c_str()) != 0)
    ADD_FAILURE() << "cannot return to " << old_cwd_;
  if (!temp_dir_.empty()) std::filesystem::remove_all(temp_dir_);
  ResetProgramState();
  platform::Set(nullptr);
}

std::string HeadlessTest::MakeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ld-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
  temp_dir_ = pattern;
  if (chdir(temp_dir_.c_str()) != 0) ADD_FAILURE() << "cannot enter " << temp_dir_;
  return temp_dir_ + "/";
}
