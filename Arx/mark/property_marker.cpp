// The marker by which the property palette recognises marks: an xrecord in the mark's
// extension dictionary.
#include "acutads.h"
#include "dbdict.h"
#include "dbxrecrd.h"
#include "mark/vadu_kestra.h"
#include "shell/object_opener.h"
#include "shell/result_buffer.h"

namespace {

constexpr const char* kMarkerKey = "VADU_MSVP_SIMPLEDYNPROPS";

// Adds the marker record to the open dictionary (replacing an older one).
Acad::ErrorStatus storeMarker(AcDbDictionary* dictionary, const char* markerText)
{
    kestra::ResultBufferHolder data(acutBuildList(1, markerText, 0));
    if (!data) return Acad::eOutOfMemory;
    kestra::ObjectOpener<AcDbXrecord> record(new AcDbXrecord());
    Acad::ErrorStatus status = record->setFromRbChain(*data);
    AcDbObjectId recordId;
    if (status == Acad::eOk) status = dictionary->setAt(kMarkerKey, record.get(), recordId);
    return status;
}

}  // namespace

Acad::ErrorStatus VaduKestra::attachPropertyMarker()
{
    assertWriteEnabled();
    if (extensionDictionary().isNull()) {
        Acad::ErrorStatus status = createExtensionDictionary();
        if (status != Acad::eOk) return status;
    }
    // Opened as any object: one that is not a dictionary is closed again through the opener.
    kestra::ObjectOpener<AcDbObject> object(extensionDictionary(), AcDb::kForWrite);
    if (!object) return object.openStatus();
    AcDbDictionary* dictionary = AcDbDictionary::cast(object.get());
    if (dictionary == nullptr) return Acad::eNotThatKindOfClass;
    return storeMarker(dictionary, propertyMarkerText());
}
