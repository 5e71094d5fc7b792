// Throughput of the DXF text layer: writes a drawing-like file of 100,000 entities with the
// writer, reads it back with the tokenizer (every value converted to its type), and times
// Debian's ezdxf reading the same file, side by side.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "db/dxf/carried_groups.h"
#include "db/dxf/structure_reader.h"
#include "db/dxf/text_writer.h"
#include "db/dxf/tokenizer.h"
#include "timing.h"

using namespace arx::dxf;

namespace {

constexpr int kEntities = 100000;

// A LINE, CIRCLE, ARC or LWPOLYLINE record with the groups the host writes for it.
void writeEntity(TextWriter& out, int i)
{
    const double x = i * 0.731, y = (i % 977) * 1.618;
    static const char* kTypes[] = {"LINE", "CIRCLE", "ARC", "LWPOLYLINE"};
    out.string(0, kTypes[i % 4]);
    out.handle(5, 0x100 + static_cast<unsigned>(i));
    out.handle(330, 0x1F);
    out.string(100, "AcDbEntity");
    out.string(8, i % 3 ? "Walls" : "0");
    switch (i % 4) {
    case 0:
        out.string(100, "AcDbLine");
        out.point(10, x, y, 0);
        out.point(11, x + 10.25, y + 3.125, 0);
        break;
    case 1:
        out.string(100, "AcDbCircle");
        out.point(10, x, y, 0);
        out.real(40, 2.5 + i * 1e-5);
        break;
    case 2:
        out.string(100, "AcDbCircle");
        out.point(10, x, y, 0);
        out.real(40, 7.75);
        out.string(100, "AcDbArc");
        out.real(50, 15.0);
        out.real(51, 271.3333333333333);
        break;
    default:
        out.string(100, "AcDbPolyline");
        out.integer(90, 4);
        out.integer(70, 1);
        for (int k = 0; k < 4; ++k) out.point2d(10, x + k * 1.1, y - k * 0.9);
        break;
    }
}

class ValueCheckingHandler : public SectionHandler {
public:
    long records = 0;
    void headerVariable(std::string_view, long, std::span<const Group> values) override { check(values); }
    void classRecord(const Record& r) override { take(r); }
    void tableBegin(std::string_view, const Record& r) override { take(r); }
    void tableEntry(std::string_view, const Record& r) override { take(r); }
    void tableEnd(std::string_view, const Record& r) override { take(r); }
    void blockBegin(const Record& r) override { take(r); }
    void blockEntity(const Record& r) override { take(r); }
    void blockEnd(const Record& r) override { take(r); }
    void entity(const Record& r) override { take(r); }
    void object(const Record& r) override { take(r); }
    void otherSection(std::string_view, long, std::span<const Group> groups) override { check(groups); }

private:
    void take(const Record& r)
    {
        ++records;
        check(r.groups);
    }
    static void check(std::span<const Group> groups)
    {
        for (const Group& group : groups) checkValue(group);
    }
};

}  // namespace

int main()
{
    std::string text;
    text.reserve(32u << 20);  // the file's room up front, as a file sink would have it
    const double writeSeconds = dxfbench::seconds([&] {
        TextWriter out([&text](std::string_view chunk) {
            text.append(chunk);
            return true;
        });
        out.string(0, "SECTION");
        out.string(2, "ENTITIES");
        for (int i = 0; i < kEntities; ++i) writeEntity(out, i);
        out.string(0, "ENDSEC");
        out.string(0, "EOF");
        out.flush();
    });
    ValueCheckingHandler handler;
    const double readSeconds = dxfbench::seconds([&] { readStructure(text, handler); });
    const double megabytes = static_cast<double>(text.size()) / 1e6;
    std::printf("DXF text layer, %d entities, %.1f MB\n", kEntities, megabytes);
    std::printf("  write (format every group)      %8.3f s  %8.1f MB/s\n", writeSeconds, megabytes / writeSeconds);
    std::printf("  read  (tokenize, check values)  %8.3f s  %8.1f MB/s  (%ld records)\n", readSeconds,
                megabytes / readSeconds, handler.records);
    dxfbench::compareWithEzdxf(text, megabytes, readSeconds);
    return 0;
}
