// Opens any bytes as a drawing file into a fresh database and saves it again. A drawing the
// reader accepts must save, and what was saved must open again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dbmain.h"
#include "db/dxf/drawing_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    AcDbDatabase first(false, true);
    arx::dxf::ReadReport report;
    if (arx::dxf::readDrawingText(&first, text, report) != Acad::eOk) return 0;
    std::string saved;
    std::string message;
    if (arx::dxf::writeDrawingText(&first, saved, message) != Acad::eOk) {
        std::fprintf(stderr, "an opened drawing cannot be saved: %s\n", message.c_str());
        std::abort();
    }
    AcDbDatabase second(false, true);
    arx::dxf::ReadReport again;
    if (arx::dxf::readDrawingText(&second, saved, again) != Acad::eOk) {
        std::fprintf(stderr, "a saved drawing does not open: %s\n", again.message.c_str());
        std::abort();
    }
    return 0;
}
