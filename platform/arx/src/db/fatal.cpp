#include "db/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace arx::db {

void fatal(const char* message)
{
    std::fprintf(stderr, "Fatal error: %s\n", message);
    std::fflush(stderr);
    std::abort();
}

}  // namespace arx::db
