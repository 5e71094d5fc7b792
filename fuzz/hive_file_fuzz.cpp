// Reads any bytes as a hive file. A text the reader accepts must write back to a text that
// reads to the same hive: the writer's output of both readings is compared.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "registry/hive_text.h"

namespace {

constexpr std::string_view kRoot = "HKEY_LOCAL_MACHINE";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace win32::registry;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const HiveParseResult first = parseHiveText(bytes, kRoot);
    if (first.error) return 0;
    const std::string written = formatHiveText(*first.root, kRoot);
    const HiveParseResult second = parseHiveText(written, kRoot);
    if (second.error) {
        std::fprintf(stderr, "the written hive does not read back (line %d: %s)\n", second.error->line,
                     second.error->message.c_str());
        std::abort();
    }
    if (formatHiveText(*second.root, kRoot) != written) {
        std::fprintf(stderr, "the written hive reads back differently\n");
        std::abort();
    }
    return 0;
}
