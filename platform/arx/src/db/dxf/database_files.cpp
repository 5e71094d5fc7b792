// AcDbDatabase::dxfIn and dxfOut: whole drawings in and out of a database. A read fills a
// fresh database first and takes its contents over only when it succeeded, so a refused
// file leaves the target as it was.
#include <cstdio>
#include <string>

#include "db/database_access.h"
#include "db/dxf/drawing_file.h"
#include "dbmain.h"

namespace {

void writeLog(const char* logFileName, const arx::dxf::ReadReport& report)
{
    if (logFileName == nullptr || *logFileName == '\0') return;
    if (report.message.empty() && report.warnings.empty()) return;
    std::FILE* log = std::fopen(logFileName, "a");
    if (log == nullptr) return;
    for (const std::string& warning : report.warnings) std::fprintf(log, "%s\n", warning.c_str());
    if (!report.message.empty()) std::fprintf(log, "%s\n", report.message.c_str());
    std::fclose(log);
}

}  // namespace

Acad::ErrorStatus AcDbDatabase::dxfIn(const char* dxfFilename, const char* logFilename)
{
    if (dxfFilename == nullptr) return Acad::eInvalidInput;
    AcDbDatabase fresh(false);
    arx::dxf::ReadReport report;
    const Acad::ErrorStatus status = arx::dxf::readDrawingFile(&fresh, dxfFilename, report);
    writeLog(logFilename, report);
    if (status != Acad::eOk) return status;
    arx::db::swapDatabaseContents(this, &fresh);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::dxfOut(const char* fileName, int, bool)
{
    if (fileName == nullptr) return Acad::eInvalidInput;
    std::string message;
    const Acad::ErrorStatus status = arx::dxf::writeDrawingFile(this, fileName, message);
    if (status == Acad::eOk) arx::db::setFileName(this, fileName);
    return status;
}
