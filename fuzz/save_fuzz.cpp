// save.dat from arbitrary bytes: read, then a score inserted and written back.
#include "frontend/save_file.h"
#include "fuzz_home.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzHome home;
  home.Begin("save.dat", data, size);
  ResetRanking();
  ReadSaveFile("save.dat");
  InsertScore(1000);
  return 0;
}
