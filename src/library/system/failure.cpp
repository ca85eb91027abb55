#include "library/system/failure.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "library/system/file_lookup.h"

namespace {

FailureSink g_sink = nullptr;
std::string g_detail;
std::string g_load_source;
std::string g_load_line;

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

LoadSource::LoadSource(const std::string& where, const std::string& written) {
  g_load_source = where;
  g_load_line = written;
}

LoadSource::~LoadSource() {
  g_load_source.clear();
  g_load_line.clear();
}

std::string WithLoadSource(const std::string& text) {
  return g_load_source.empty() || text.empty() ? text : g_load_source + ": " + text;
}

std::string ShownName(const std::string& name) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  const auto same = [&](char a, char b) { return lower(a) == lower(b); };
  const auto at =
      std::search(g_load_line.begin(), g_load_line.end(), name.begin(), name.end(), same);
  if (name.empty() || at == g_load_line.end()) return ContentPath(name);
  return ContentPath(std::string(at, at + static_cast<std::ptrdiff_t>(name.size())));
}
