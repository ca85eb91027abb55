// Library error reports: a box "context : message" under the caption "エラー発生".
#pragma once

#include <string>

int ReportError(const std::string& context, const std::string& message, int code = 0);
