// The window procedure: what each platform message does.
#pragma once

#include "platform/platform.h"

void WindowProc(const platform::Message& message);
void KeyboardHandler(int vk);
