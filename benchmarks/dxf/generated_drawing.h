// The drawing the DXF benchmarks read and write: 100,000 entities in model space (lines,
// circles, arcs and closed lightweight polylines in turn), made once per run through the
// database and saved to a temporary file that goes when the drawing is released.
#pragma once
#include <memory>
#include <string>

#include "dbmain.h"

namespace dxfbench {

constexpr int kEntities = 100000;

class GeneratedDrawing {
public:
    static GeneratedDrawing& instance();
    // Before the end of main, while the database's classes still exist.
    static void release();

    AcDbDatabase* database() { return db_.get(); }
    const std::string& path() const { return path_; }
    double megabytes() const { return megabytes_; }
    const std::string& problem() const { return problem_; }

    ~GeneratedDrawing();

private:
    GeneratedDrawing();
    static std::unique_ptr<GeneratedDrawing>& held();

    std::unique_ptr<AcDbDatabase> db_;
    std::string folder_, path_, problem_;
    double megabytes_ = 0;
};

}  // namespace dxfbench
