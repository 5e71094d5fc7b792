// A palette property whose value is one of the mark's fields (property_values.h); the
// read-only ones are these alone.
#pragma once
#include "properties/mark_property.h"
#include "properties/property_values.h"

namespace kestra {

class FieldProperty : public MarkProperty {
public:
    explicit FieldProperty(const PropertyDefinition& definition);

protected:
    void readValue(const VaduKestra& mark, VARIANT& value) const override;

private:
    const PropertyDefinition& definition_;
};

}  // namespace kestra
