// The library's error reports as the player sees them: a box "context :
// message" under the caption "エラー発生". Start-up makes it the failure sink.
#pragma once

#include <string>

void ShowReport(const std::string& context, const std::string& message);
