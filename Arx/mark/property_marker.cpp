// The marker by which the property palette recognises marks: an xrecord in the mark's
// extension dictionary.
#include "acutads.h"
#include "aced.h"
#include "dbdict.h"
#include "dbxrecrd.h"
#include "mark/mark_messages.h"
#include "mark/vadu_kestra.h"
#include "shell/result_buffer.h"

namespace {

constexpr const char* kMarkerKey = "VADU_MSVP_SIMPLEDYNPROPS";
constexpr const char* kMarkerText = "Kestra";

void closeOrAbort(AcDbObject* object)
{
    if (object->close() != Acad::eOk) acrx_abort("%s", kestra::kFailedClose);
}

// Adds the marker record to the open dictionary (replacing an older one).
Acad::ErrorStatus storeMarker(AcDbDictionary* dictionary)
{
    kestra::ResultBufferHolder data(acutBuildList(1, kMarkerText, 0));
    if (!data) return Acad::eOutOfMemory;
    auto* record = new AcDbXrecord();
    Acad::ErrorStatus status = record->setFromRbChain(*data);
    AcDbObjectId recordId;
    if (status == Acad::eOk) status = dictionary->setAt(kMarkerKey, record, recordId);
    if (status != Acad::eOk) {
        if (record->objectId().isNull()) delete record;
        else closeOrAbort(record);
        return status;
    }
    closeOrAbort(record);
    return Acad::eOk;
}

}  // namespace

Acad::ErrorStatus VaduKestra::attachPropertyMarker()
{
    assertWriteEnabled();
    if (extensionDictionary().isNull()) {
        Acad::ErrorStatus status = createExtensionDictionary();
        if (status != Acad::eOk) return status;
    }
    AcDbObject* object = nullptr;
    Acad::ErrorStatus status = acdbOpenAcDbObject(object, extensionDictionary(), AcDb::kForWrite);
    if (status != Acad::eOk) return status;
    AcDbDictionary* dictionary = AcDbDictionary::cast(object);
    if (dictionary == nullptr) {
        closeOrAbort(object);
        return Acad::eNotThatKindOfClass;
    }
    status = storeMarker(dictionary);
    closeOrAbort(dictionary);
    return status;
}
