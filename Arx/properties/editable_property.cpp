#include "properties/editable_property.h"

#include <algorithm>

#include "acdocman.h"
#include "acutads.h"
#include "assoc/pending_modifications.h"
#include "mark/vadu_kestra.h"
#include "shell/object_opener.h"

namespace kestra {

namespace {

constexpr const char* kCannotOpenForWrite = "Cannot open Kestra object for writing";

// The document that holds the database, locked for writing for the life of the lock. A lock
// that was not taken is not released.
class DocumentWriteLock {
public:
    explicit DocumentWriteLock(AcDbDatabase* db)
    {
        AcApDocManager* manager = acDocManager;
        if (manager == nullptr) return;
        document_ = manager->document(db);
        status_ = manager->lockDocument(document_, AcAp::kWrite, nullptr, nullptr, true);
    }
    ~DocumentWriteLock()
    {
        if (status_ == Acad::eOk) acDocManager->unlockDocument(document_);
    }
    DocumentWriteLock(const DocumentWriteLock&) = delete;
    DocumentWriteLock& operator=(const DocumentWriteLock&) = delete;

    bool held() const { return status_ == Acad::eOk || status_ == Acad::eNotApplicable; }

private:
    AcApDocument* document_ = nullptr;
    Acad::ErrorStatus status_ = Acad::eNoDocument;
};

}  // namespace

EditableProperty::EditableProperty(const PropertyDefinition& definition, std::unique_ptr<OutlineEdit> edit)
    : FieldProperty(definition), edit_(std::move(edit))
{}

std::optional<EditValue> EditableProperty::typedValue(const VARIANT& value) const
{
    EditValue typed;
    switch (value.vt) {
    case VT_R8:
        if (edit_->wholeValue()) return std::nullopt;
        typed.real = value.dblVal;
        return typed;
    case VT_I4:
        typed.whole = value.lVal;
        typed.real = static_cast<double>(value.lVal);
        return typed;
    case VT_I2:
        typed.whole = value.iVal;
        typed.real = static_cast<double>(value.iVal);
        return typed;
    default: return std::nullopt;
    }
}

bool EditableProperty::joinRound(AcDbObjectId id, const EditValue& typed)
{
    if (round_.serves(id)) return true;
    std::vector<AcDbObjectId> enabled;
    for (AcDbObjectId selected : pickFirstObjects())
        if (carriesPropertyMarker(selected)) enabled.push_back(selected);
    if (std::find(enabled.begin(), enabled.end(), id) == enabled.end()) {
        round_.begin({}, typed);
        return false;
    }
    round_.begin(std::move(enabled), typed);
    return true;
}

HRESULT EditableProperty::SetCurrentValueData(LONG_PTR objectID, const VARIANT varData)
{
    const std::optional<EditValue> typed = typedValue(varData);
    if (!typed) return E_INVALIDARG;
    const AcDbObjectId id = objectIdOf(objectID);
    if (!joinRound(id, *typed)) return E_FAIL;
    const HRESULT result = apply(id, round_.value());
    round_.served(id);
    return result;
}

HRESULT EditableProperty::apply(AcDbObjectId id, const EditValue& value)
{
    if (!edit_->accepts(value)) return E_FAIL;
    if (edit_->changesNothing(value)) return S_OK;
    DocumentWriteLock lock(id.database());
    if (!lock.held()) return E_FAIL;
    if (sink() == nullptr) return S_OK;
    notifyChanged();
    {
        ObjectOpener<VaduKestra> mark(id, AcDb::kForWrite);
        if (!mark) {
            acutPrintf("\n(OPM-%d) %s\n", edit_->code(), kCannotOpenForWrite);
            return E_FAIL;
        }
        const std::optional<Corners> corners = edit_->newCorners(*mark, value);
        if (!corners) return E_FAIL;
        mark->reshape((*corners)[0], (*corners)[1], (*corners)[2], (*corners)[3], mark->paperHeight());
    }
    // The palette edits outside any command: the mark's outline and its viewport's view record
    // follow now, before the palette reads the values back.
    processPendingModifications();
    return S_OK;
}

}  // namespace kestra
