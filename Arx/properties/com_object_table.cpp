#include "properties/com_object_table.h"

#include <array>
#include <new>

#include "properties/editable_property.h"
#include "properties/standard_scale_property.h"

namespace kestra {

namespace {

using Creator = MarkProperty* (*)(const PropertyDefinition&);

MarkProperty* makeFieldProperty(const PropertyDefinition& definition)
{
    return new (std::nothrow) FieldProperty(definition);
}

template <unsigned Axis>
MarkProperty* makeCenterProperty(const PropertyDefinition& definition)
{
    return new (std::nothrow) EditableProperty(definition, std::make_unique<CenterEdit>(Axis));
}

MarkProperty* makeZoomProperty(const PropertyDefinition& definition)
{
    return new (std::nothrow) EditableProperty(definition, std::make_unique<ZoomEdit>());
}

MarkProperty* makeRotationProperty(const PropertyDefinition& definition)
{
    return new (std::nothrow) EditableProperty(definition, std::make_unique<RotationEdit>());
}

MarkProperty* makeScaleListProperty(const PropertyDefinition& definition)
{
    return new (std::nothrow) StandardScaleProperty(definition);
}

// In the order of markPropertyDefinitions().
constexpr Creator kCreators[] = {
    makeCenterProperty<0>, makeCenterProperty<1>, makeCenterProperty<2>, makeScaleListProperty, makeZoomProperty,
    makeFieldProperty,     makeRotationProperty,  makeFieldProperty,     makeFieldProperty,     makeFieldProperty,
    makeFieldProperty,     makeFieldProperty,     makeFieldProperty,     makeFieldProperty,     makeFieldProperty,
    makeFieldProperty,     makeFieldProperty,     makeFieldProperty,     makeFieldProperty,     makeFieldProperty,
    makeFieldProperty,     makeFieldProperty,     makeFieldProperty,
};
constexpr std::size_t kClassCount = std::size(kCreators);

// The class object of one entry: it makes the entry's property objects.
class ClassObject {
public:
    explicit ClassObject(std::size_t index) : index_(index) {}
    HRESULT createInstance(IDynamicProperty** object) const
    {
        MarkProperty* made = kCreators[index_](markPropertyDefinitions()[index_]);
        if (made == nullptr) return E_OUTOFMEMORY;
        *object = made;
        return S_OK;
    }

private:
    std::size_t index_;
};

std::array<ClassObject*, kClassCount>& classObjects()
{
    static std::array<ClassObject*, kClassCount> objects{};
    return objects;
}

}  // namespace

std::size_t comClassCount() { return kClassCount; }

HRESULT createComObject(std::size_t index, IDynamicProperty** object)
{
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (index >= kClassCount || index >= markPropertyDefinitions().size()) return E_INVALIDARG;
    ClassObject*& classObject = classObjects()[index];
    if (classObject == nullptr) classObject = new (std::nothrow) ClassObject(index);
    if (classObject == nullptr) return E_OUTOFMEMORY;
    return classObject->createInstance(object);
}

std::size_t cachedClassObjects()
{
    std::size_t count = 0;
    for (const ClassObject* object : classObjects())
        if (object != nullptr) ++count;
    return count;
}

void initComObjectTable() { classObjects().fill(nullptr); }

void termComObjectTable()
{
    // The property classes keep no class-wide state of their own to end; the class objects go.
    for (ClassObject*& object : classObjects()) {
        delete object;
        object = nullptr;
    }
}

}  // namespace kestra
