#pragma once

#include "command_line.h"

// Runs an unattended install or removal: no window, no message box; the
// result is the exit code.
int RunUnattended(const LaunchRequest& request);
