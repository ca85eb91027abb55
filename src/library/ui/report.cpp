#include "library/system/report.h"

#include "library/draw/message_box.h"
#include "platform/platform.h"

int ReportError(const std::string& context, const std::string& message, int) {
  platform::Platform& p = platform::Get();
  p.ShowDesktop();
  p.Beep();
  OpenBox(context + " : " + message, "エラー発生",
          platform::MB_OK | platform::MB_ICONEXCLAMATION | platform::MB_SYSTEMMODAL);
  return 0;
}
