/* A stand-in family module that only records, in the file named by KALK_LOAD_MARKER, that it was
   loaded and under which file name; it has no entry points, so loading it as a library fails. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

__attribute__((constructor)) static void MarkLoaded(void)
{
    const char *marker = getenv("KALK_LOAD_MARKER");
    Dl_info info;
    if (!marker || !dladdr((void *)&MarkLoaded, &info) || !info.dli_fname)
        return;
    FILE *file = fopen(marker, "a");
    if (!file)
        return;
    const char *slash = strrchr(info.dli_fname, '/');
    fprintf(file, "%s\n", slash ? slash + 1 : info.dli_fname);
    fclose(file);
}
