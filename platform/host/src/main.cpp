// arxhost [--registry DIR] [--load MODULE]... [--script FILE] [DRAWING.dxf]
#include <cstdio>

#include "host.h"

int main(int argc, char** argv)
{
    arx::host::HostOptions options;
    std::string error;
    if (!arx::host::parseCommandLine(argc, argv, options, error)) {
        std::fprintf(stderr,
                     "arxhost: %s\nusage: arxhost [--registry DIR] [--load MODULE]... "
                     "[--script FILE] [DRAWING.dxf]\n",
                     error.c_str());
        return 2;
    }
    arx::host::startHost(options);
    arx::host::runHost(options);
    arx::host::stopHost();
    return 0;
}
