#include "shell/shell_state.h"

ShellState g_shell;

void ResetShellState() { g_shell = ShellState(); }
