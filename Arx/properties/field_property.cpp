#include "properties/field_property.h"

namespace kestra {

FieldProperty::FieldProperty(const PropertyDefinition& definition) : definition_(definition)
{
    describe(definition.name, definition.category, definition.type, definition.readOnly, definition.description);
}

void FieldProperty::readValue(const VaduKestra& mark, VARIANT& value) const { definition_.read(mark, value); }

}  // namespace kestra
