#pragma once

// Converts without a window: "VALUE FROM TO [--markup | --pdf FILE | --print]", "--list", "--help".
// Returns the process exit code: 0 done, 1 an error (told on standard error), 2 wrong usage.
int RunCommandLine(int argc, char **argv);
