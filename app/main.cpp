#include "commandline.h"
#include "exception.h"
#include "windowlibrary.h"

#include <cstdio>

int main(int argc, char **argv)
{
    // The window takes no arguments; with arguments the program converts on the command line.
    if (argc > 1)
        return RunCommandLine(argc, argv);
    try {
        auto run = reinterpret_cast<KalkRunApplication_t>(WindowLibraryEntry("KalkRunApplication"));
        return run(argc, argv);
    } catch (const Exception &error) {
        std::fprintf(stderr, "%s\n", ExceptionDisplayText(error.Message()).toUtf8().constData());
        return 1;
    }
}
