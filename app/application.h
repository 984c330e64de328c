#pragma once

// The window program: loads the family libraries, opens the main window and runs until it closes.
// Returns 0, also after a fatal error box; 1 when there is no display to open a window on.
int RunApplication(int argc, char **argv);
