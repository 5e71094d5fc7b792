// Opens any bytes as a drawing file into a fresh database and saves it again. A drawing the
// reader accepts must save, and what was saved must open again; the reader splitting the text
// on a second thread and on the host's thread must agree.
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
    // Large drawings are split into groups on a second thread: the input is read that way and
    // on this thread, and both must come to the same answer.
    AcDbDatabase first(false, true);
    arx::dxf::ReadReport report;
    const Acad::ErrorStatus status =
        arx::dxf::readDrawingText(&first, text, report, arx::dxf::Splitting::OnSecondThread);
    {
        AcDbDatabase here(false, true);
        arx::dxf::ReadReport hereReport;
        const Acad::ErrorStatus hereStatus =
            arx::dxf::readDrawingText(&here, text, hereReport, arx::dxf::Splitting::OnThisThread);
        if (hereStatus != status || hereReport.message != report.message) {
            std::fprintf(stderr, "the threads disagree: \"%s\" against \"%s\"\n", report.message.c_str(),
                         hereReport.message.c_str());
            std::abort();
        }
    }
    if (status != Acad::eOk) return 0;
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
