// A palette property the user can edit: the value typed is applied to every selected mark
// through the mark's reshape, with the document locked, and the viewport follows at once.
#pragma once
#include <memory>

#include "properties/edit_round.h"
#include "properties/field_property.h"
#include "properties/outline_edits.h"

namespace kestra {

class EditableProperty : public FieldProperty {
public:
    EditableProperty(const PropertyDefinition& definition, std::unique_ptr<OutlineEdit> edit);

    STDMETHOD(SetCurrentValueData)(LONG_PTR objectID, const VARIANT varData) override;

    // How many selected objects the running edit still has to serve.
    size_t pendingEdits() const { return round_.pending(); }

private:
    // The value as this property reads it; nothing for a variant of another kind.
    std::optional<EditValue> typedValue(const VARIANT& value) const;
    // Starts a round for the object unless the running one serves it; false when the object
    // is not among the selected objects on which the property is enabled.
    bool joinRound(AcDbObjectId id, const EditValue& typed);
    HRESULT apply(AcDbObjectId id, const EditValue& value);

    std::unique_ptr<OutlineEdit> edit_;
    EditRound round_;
};

}  // namespace kestra
