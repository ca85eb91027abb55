// The record reader from arbitrary bytes: whatever it accepts whole, it writes back the same.
#include <cstdlib>
#include <string>

#include "platform/record/record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const platform::Record record = platform::ParseRecord(bytes);
  if (!record.error.empty() || record.cut) return 0;
  // Format 2 is read, and written back as the format of today.
  if (record.bytes[4] != static_cast<char>(platform::kRecordFormat)) return 0;
  std::string again = platform::EncodeHeader(record.header);
  platform::Event e;
  std::string why;
  for (size_t at = record.events_at; at < record.events_end;) {
    at = platform::ReadEvent(record.bytes, at, e, why);
    if (at == 0) std::abort();
    again += platform::EncodeEvent(e);
  }
  if (again != bytes) std::abort();
  return 0;
}
