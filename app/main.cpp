#include "application.h"
#include "commandline.h"

int main(int argc, char **argv)
{
    // The window takes no arguments; with arguments the program converts on the command line.
    if (argc > 1)
        return RunCommandLine(argc, argv);
    return RunApplication(argc, argv);
}
