// The shell's message boxes and the orderly shutdown.
#pragma once

int ShowMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));
int AskYesNo(const char* format, ...) __attribute__((format(printf, 1, 2)));
int QuitGame();
