// default_option PATH: writes the option file with every setting at its
// default, exactly as the program itself writes it (COption::Save of a new
// COption). tools/package.sh puts it beside Rolecue.exe in the release zip,
// so that the first start finds its settings.
#include "option/Option.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: default_option PATH\n");
        return 2;
    }
    if (!COption().Save(argv[1])) {
        std::fprintf(stderr, "default_option: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
