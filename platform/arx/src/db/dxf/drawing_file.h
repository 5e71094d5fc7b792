// Reading and writing whole drawings as ASCII DXF of release 2000 (AC1015).
//
// The entry points of AcDbDatabase call these:
//   AcDbDatabase::dxfIn(fileName, logFileName)  makes a fresh AcDbDatabase(false), calls
//       readDrawingFile on it and, only when that returns eOk, takes its contents over; on
//       failure the target database is left exactly as it was.
//   AcDbDatabase::dxfOut(fileName, ...)  calls writeDrawingFile.
// lastDrawingFileMessage() gives the message of the last failure for the host to print
// ("Error in DXF file at line 1234: ..."); the log file, when one is named, receives it too,
// with the warnings of a successful read.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "acadstrc.h"
#include "db/dxf/group_stream.h"

class AcDbDatabase;

namespace arx::dxf {

struct ReadReport {
    std::string message;                // why reading failed (empty on success)
    std::vector<std::string> warnings;  // what was repaired (dangling references...)
    std::vector<std::string> removed;   // what of the file was left out (also in warnings)
};

// Fills `db`, which must be new and empty (AcDbDatabase(false)), from the file. eFileNotFound
// when the file is missing, eFileAccessErr when it cannot be read, eDxfReadAborted when it is
// not a drawing this reader accepts (the message names the line). A database that failed is
// half filled: throw it away.
Acad::ErrorStatus readDrawingFile(AcDbDatabase* db, const char* fileName, ReadReport& report);
// `splitting` says which thread splits the text into groups (the same drawing either way).
Acad::ErrorStatus readDrawingText(AcDbDatabase* db, std::string_view text, ReadReport& report,
                                  Splitting splitting = Splitting::Automatic);

// Writes the drawing to a temporary file beside fileName and renames it over fileName, so
// that a failure leaves any old file as it was. eFileAccessErr when the file cannot be
// written (the message says why), eInvalidInput when an object's data cannot be written.
Acad::ErrorStatus writeDrawingFile(AcDbDatabase* db, const char* fileName, std::string& message);
// The same into a string (tests, the ADS layer).
Acad::ErrorStatus writeDrawingText(AcDbDatabase* db, std::string& text, std::string& message);

// The message of the last failed read or write in this process ("" after a success).
const std::string& lastDrawingFileMessage();
// What the last read of a drawing in this process left out of the file (its report's
// `removed`; empty after a failed read), for the host to tell the user.
const std::vector<std::string>& lastDrawingFileRemovals();

}  // namespace arx::dxf
