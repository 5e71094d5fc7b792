// The partner handle record: the mark's handle, kept in the extension dictionary of its
// viewport and of its outline block reference so that it travels with them through copy,
// undo and save.
#include "acutads.h"
#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "assoc/store_access.h"

namespace kestra {

namespace {

Acad::ErrorStatus storePartnerHandle(AcDbObject& object, const AcDbHandle& handle)
{
    if (object.extensionDictionary().isNull()) {
        Acad::ErrorStatus status = object.createExtensionDictionary();
        if (status != Acad::eOk) return status;
    }
    ObjectOpener<AcDbDictionary> dictionary(object.extensionDictionary(), AcDb::kForWrite);
    if (!dictionary) return dictionary.openStatus();
    ResultBufferHolder data;
    if (!handle.isNull()) {
        data.reset(acutBuildList(1, handleText(handle).c_str(), 0));
        if (!data) return Acad::eOutOfMemory;
    }
    return replaceRecord(*dictionary, kPartnerHandleKey, data.get());
}

}  // namespace

// The viewport or block reference may lie on a locked layer: the record is written inside
// the layer unlock bracket.
Acad::ErrorStatus writePartnerHandle(AcDbObjectId objectId, const AcDbHandle& handle)
{
    Acad::ErrorStatus stored = Acad::eOk;
    Acad::ErrorStatus status = changeOnUnlockedLayer<AcDbEntity>(
        objectId, [&](AcDbEntity& entity) { stored = storePartnerHandle(entity, handle); });
    return status != Acad::eOk ? status : stored;
}

bool readPartnerHandle(const AcDbObject& object, AcDbObjectId& markId)
{
    markId.setNull();
    if (object.extensionDictionary().isNull()) return false;
    ObjectOpener<AcDbDictionary> dictionary(object.extensionDictionary(), AcDb::kForRead);
    if (!dictionary) return false;
    ObjectOpener<AcDbXrecord> record;
    if (openEntry(*dictionary, kPartnerHandleKey, AcDb::kForRead, false, record) != Acad::eOk) return false;
    resbuf* chain = nullptr;
    record->rbChain(&chain);
    ResultBufferHolder data(chain);
    if (!data || data->restype != 1 || data->resval.rstring == nullptr) return false;
    markId = objectIdOfHandle(data->resval.rstring);
    return true;
}

}  // namespace kestra
