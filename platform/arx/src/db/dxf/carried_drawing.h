// What a drawing file held that the database does not model, kept per database (in its
// "dxf.carried" attachment) so that saving writes it back: sections other than the six
// (THUMBNAILIMAGE, ACDSDATA...) and tables other than the nine.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "db/dxf/carried_groups.h"

class AcDbDatabase;

namespace arx::dxf {

struct CarriedSection {
    std::string name;
    CarriedGroups groups;  // everything between the section's name and its ENDSEC
};

struct CarriedDrawing {
    std::vector<CarriedSection> sections;
    // Each unknown table whole: its TABLE record, its entries and ENDTAB, as groups.
    std::vector<CarriedGroups> tables;
};

// The database's carried data; null when it has none.
CarriedDrawing* carriedDrawing(AcDbDatabase* db);
CarriedDrawing& makeCarriedDrawing(AcDbDatabase* db);

}  // namespace arx::dxf
