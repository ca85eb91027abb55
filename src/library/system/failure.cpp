#include "library/system/failure.h"

#include <cstdio>
#include <utility>

namespace {

FailureSink g_sink = nullptr;
std::string g_detail;
std::string g_load_source;

}  // namespace

void SetFailureSink(FailureSink sink) { g_sink = sink; }

int ReportError(const std::string& context, const std::string& message, int) {
  if (g_sink != nullptr)
    g_sink(context, message);
  else
    std::fprintf(stderr, "lantern-drift: %s : %s\n", context.c_str(), message.c_str());
  return 0;
}

void NoteFailureDetail(const std::string& detail) { g_detail = WithLoadSource(detail); }

std::string TakeFailureDetail() { return std::exchange(g_detail, std::string()); }

LoadSource::LoadSource(const std::string& where) { g_load_source = where; }

LoadSource::~LoadSource() { g_load_source.clear(); }

std::string WithLoadSource(const std::string& text) {
  return g_load_source.empty() || text.empty() ? text : g_load_source + ": " + text;
}
