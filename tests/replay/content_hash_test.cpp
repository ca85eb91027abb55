// The content hash covers the files the game can open, read in chunks: a file
// past its reader's limit (an 8 GB sparse one too), a FIFO or a folder adds
// nothing and is not read.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/record/record.h"
#include "support/headless_test.h"

namespace {

using platform::HashFolders;

class ContentHashTest : public HeadlessTest {};

TEST_F(ContentHashTest, OnlyFilesTheGameCanOpen) {
  MakeTempDir();
  std::filesystem::create_directories("img/sub");
  const std::string bytes(200000, 'x');  // several chunks
  std::ofstream("img/sub/a.bmp", std::ios::binary) << bytes;
  const uint64_t base = HashFolders({{"img", 200000}});
  // The same as one pass over the name and the bytes, as records made before hold it.
  EXPECT_EQ(base, platform::Fnv1a(platform::Fnv1a(platform::kFnvStart, "sub/a.bmp", 10),
                                  bytes.data(), bytes.size()));
  const auto sparse = [](const char* file, uintmax_t size) {
    std::ofstream{file};
    std::filesystem::resize_file(file, size);
  };
  const struct {
    const char* name;
    std::function<void()> add;
    bool counts;
  } cases[] = {
      {"past the limit", [&] { sparse("img/b.bmp", 200001); }, false},
      {"8 GB", [&] { sparse("img/c.bmp", uintmax_t{8} << 30); }, false},
      {"a FIFO", [] { ASSERT_EQ(mkfifo("img/d.bmp", 0600), 0); }, false},
      {"a folder", [] { std::filesystem::create_directory("img/e"); }, false},
      {"at the limit", [&] { sparse("img/f.bmp", 200000); }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.add();
    ASSERT_EQ(HashFolders({{"img", 200000}}) != base, c.counts);
  }
}

}  // namespace
