// The record reader from arbitrary bytes: whatever it accepts whole, it writes back the same.
#include <cstdlib>
#include <string>

#include "platform/record/record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const platform::Record record = platform::ParseRecord(bytes);
  if (!record.error.empty() || record.cut) return 0;
  std::string again = platform::EncodeHeader(record.header);
  for (const platform::Event& e : record.events) again += platform::EncodeEvent(e);
  if (again != bytes) std::abort();
  return 0;
}
