#include "library/ui/report.h"

#include "library/ui/message_box.h"
#include "platform/platform.h"

void ShowReport(const std::string& context, const std::string& message) {
  platform::Platform& p = platform::Get();
  p.ShowDesktop();
  p.Beep();
  OpenBox(context + " : " + message, "エラー発生",
          platform::MB_OK | platform::MB_ICONEXCLAMATION | platform::MB_SYSTEMMODAL);
}
