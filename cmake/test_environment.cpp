// Linked into every test program: puts the build's folders into the environment (unless the
// caller set them already), so tests find the built programs, the sources and the shared
// sample files however they are started (ctest, by hand, under a debugger).
#include <cstdlib>

namespace {

struct TestEnvironment {
    TestEnvironment()
    {
        setenv("KESTRA_BIN_DIR", KESTRA_TEST_BIN_DIR, 0);
        setenv("KESTRA_SOURCE_DIR", KESTRA_TEST_SOURCE_DIR, 0);
        setenv("KESTRA_SHARED_DIR", KESTRA_TEST_SHARED_DIR, 0);
    }
};

const TestEnvironment environment;

}  // namespace
