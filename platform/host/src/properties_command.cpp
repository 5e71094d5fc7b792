// PROPERTIES: the Properties palette of a host without windows. It lists, for the pick-first
// set (or the objects selected at its own prompt), each object's general properties and the
// dynamic properties modules added to its class (or a parent) that are enabled for it, by
// category; then it edits one property at a time, as the palette does: the property's sink
// is connected, SetCurrentValueData is called once for each selected object on which the
// property is enabled, the sink is disconnected, and the property is shown again when the
// property said it changed.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <string>
#include <vector>

#include "acdbads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "dynprops.h"
#include "ed/selection_sets.h"
#include "ed/views.h"
#include "host_command_sets.h"

namespace arx::host {
namespace {

using ed::CommandOutcome;

std::string narrow(const OLECHAR* text)
{
    std::string out;
    for (; text != nullptr && *text != 0; ++text) out += *text < 0x80 ? static_cast<char>(*text) : '?';
    return out;
}

bool equalNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(static_cast<unsigned char>(a[i])) != std::towlower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// A text handed out by a property, freed on every path.
class Text {
public:
    ~Text() { SysFreeString(text_); }
    BSTR* out() { return &text_; }
    std::string str() const { return narrow(text_); }

private:
    BSTR text_ = nullptr;
};

class Variant {
public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    VARIANT* get() { return &value_; }
    const VARIANT& operator*() const { return value_; }

private:
    VARIANT value_;
};

// One dynamic property, held for the command.
class Property {
public:
    explicit Property(IDynamicProperty* property) : property_(property) {}  // takes the reference
    ~Property()
    {
        if (property_ != nullptr) property_->Release();
    }
    Property(Property&& other) noexcept : property_(other.property_) { other.property_ = nullptr; }
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;
    Property& operator=(Property&&) = delete;

    IDynamicProperty* get() const { return property_; }

    std::string name() const
    {
        Text text;
        return SUCCEEDED(property_->GetDisplayName(text.out())) ? text.str() : std::string();
    }
    bool enabledFor(AcDbObjectId id) const
    {
        BOOL enabled = FALSE;
        return SUCCEEDED(property_->IsPropertyEnabled(id.asOldId(), &enabled)) && enabled;
    }
    bool readOnly() const
    {
        BOOL readOnly = FALSE;
        return SUCCEEDED(property_->IsPropertyReadOnly(&readOnly)) && readOnly;
    }
    VARTYPE type() const
    {
        VARTYPE type = VT_EMPTY;
        return SUCCEEDED(property_->GetCurrentValueType(&type)) ? type : VARTYPE(VT_EMPTY);
    }
    // The category the property maps itself to; "Misc" for one that does not say.
    std::string category() const
    {
        ICategorizeProperties* categories = nullptr;
        if (FAILED(property_->QueryInterface(IID_ICategorizeProperties, reinterpret_cast<void**>(&categories))) ||
            categories == nullptr)
            return "Misc";
        PROPCAT category = 0;
        Text text;
        std::string name = "Misc";
        if (SUCCEEDED(categories->MapPropertyToCategory(DISPID_DYNAMIC, &category)) &&
            SUCCEEDED(categories->GetCategoryName(category, 0, text.out())))
            name = text.str();
        categories->Release();
        return name;
    }
    // The list of a VT_USERDEFINED property; null when it offers none.
    IDynamicEnumProperty* list() const
    {
        IDynamicEnumProperty* list = nullptr;
        if (FAILED(property_->QueryInterface(IID_IDynamicEnumProperty, reinterpret_cast<void**>(&list))))
            return nullptr;
        return list;
    }

private:
    IDynamicProperty* property_;
};

std::vector<Property> propertiesOf(AcRxClass* cls)
{
    std::vector<Property> properties;
    OPMPropertyExtensionFactory* factory = GET_OPMEXTENSION_CREATE_PROTOCOL();
    LONG count = 0;
    if (factory == nullptr || !factory->GetPropertyCount(cls, &count) || count <= 0) return properties;
    std::vector<IDynamicProperty*> array(static_cast<size_t>(count), nullptr);
    const LONG written = factory->GetPropertyClassArray(cls, array.data());
    for (LONG i = 0; i < written; ++i) properties.emplace_back(array[static_cast<size_t>(i)]);
    return properties;
}

std::string realText(double value)
{
    char text[64] = {};
    if (acdbRToS(value, -1, -1, text) != RTNORM) std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

// The name of the list entry whose data equals the value, else the value itself.
std::string listEntryText(const Property& property, const VARIANT& value)
{
    IDynamicEnumProperty* list = property.list();
    if (list == nullptr) return value.vt == VT_I4 ? std::to_string(value.lVal) : std::string();
    std::string text = value.vt == VT_I4 ? std::to_string(value.lVal) : std::string();
    LONG count = 0;
    if (SUCCEEDED(list->GetNumPropertyValues(&count))) {
        for (LONG i = 0; i < count; ++i) {
            Variant data;
            if (FAILED(list->GetPropValueData(i, data.get())) || (*data).vt != value.vt || (*data).lVal != value.lVal)
                continue;
            Text name;
            if (SUCCEEDED(list->GetPropValueName(i, name.out()))) text = name.str();
            break;
        }
    }
    list->Release();
    return text;
}

std::string valueText(const Property& property, AcDbObjectId id)
{
    Variant value;
    if (FAILED(property.get()->GetCurrentValueData(id.asOldId(), value.get()))) return "*unavailable*";
    if (property.type() == VT_USERDEFINED) return listEntryText(property, *value);
    switch ((*value).vt) {
    case VT_R8: return realText((*value).dblVal);
    case VT_I4: return std::to_string((*value).lVal);
    case VT_I2: return std::to_string((*value).iVal);
    case VT_BOOL: return (*value).boolVal ? "Yes" : "No";
    case VT_BSTR: return narrow((*value).bstrVal);
    default: return "";
    }
}

void sayRow(const std::string& name, const std::string& value, bool readOnly)
{
    std::string row = "    " + name;
    row.resize(std::max<size_t>(row.size() + 1, 28), ' ');
    say(row + value + (readOnly ? "  (read only)" : ""));
}

std::string colorText(Adesk::UInt16 index)
{
    if (index == 256) return "ByLayer";
    if (index == 0) return "ByBlock";
    return std::to_string(index);
}

void listGeneral(const AcDbEntity& entity)
{
    say("  General");
    sayRow("Color", colorText(entity.colorIndex()), false);
    char* layer = entity.layer();
    sayRow("Layer", layer ? layer : "", false);
    std::free(layer);
    char* linetype = entity.linetype();
    sayRow("Linetype", linetype ? linetype : "", false);
    std::free(linetype);
}

// The enabled dynamic properties, grouped by category in the order the categories first come.
void listDynamic(const std::vector<Property>& properties, AcDbObjectId id)
{
    std::vector<std::string> categories;
    for (const Property& property : properties) {
        if (!property.enabledFor(id)) continue;
        const std::string category = property.category();
        if (std::find(categories.begin(), categories.end(), category) == categories.end())
            categories.push_back(category);
    }
    for (const std::string& category : categories) {
        say("  " + category);
        for (const Property& property : properties)
            if (property.enabledFor(id) && property.category() == category)
                sayRow(property.name(), valueText(property, id), property.readOnly());
    }
}

void listObject(AcDbObjectId id)
{
    std::vector<Property> properties;
    {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (entity.openStatus() != Acad::eOk) return;
        char handle[17] = {};
        entity->objectId().handle().getIntoAsciiBuffer(handle);
        say(std::string(entity->isA()->name()) + " (handle " + handle + ")");
        listGeneral(*entity);
        properties = propertiesOf(entity->isA());
    }
    // The object is closed again: a property opens it itself to read its value.
    listDynamic(properties, id);
}

// The palette's sink: it remembers that a property changed, so the palette refreshes.
class Sink final : public IDynamicPropertyNotify {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override
    {
        if (ppvObject == nullptr) return E_POINTER;
        *ppvObject = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDynamicPropertyNotify)) return E_NOINTERFACE;
        AddRef();
        *ppvObject = static_cast<IDynamicPropertyNotify*>(this);
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
    // Owned by the command; references only count (checked when the command ends).
    STDMETHOD_(ULONG, Release)() override { return --references_; }
    STDMETHOD(OnChanged)(IDynamicProperty*) override
    {
        changed = true;
        return S_OK;
    }
    STDMETHOD(GetCurrentSelectionSet)(VARIANT* pSelection) override
    {
        if (pSelection == nullptr) return E_POINTER;
        VariantInit(pSelection);
        return E_NOTIMPL;
    }

    bool changed = false;
    ULONG references_ = 1;
};

// The properties of the selection that carry the name, each with the objects it is enabled on.
struct Target {
    std::vector<Property> candidates;  // one per object's class that offers the name
    IDynamicProperty* property = nullptr;
    std::vector<AcDbObjectId> objects;
};

bool findTarget(const std::string& name, const ed::EntityList& chosen, Target& target)
{
    for (AcDbObjectId id : chosen) {
        std::vector<Property> properties;
        {
            AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
            if (entity.openStatus() != Acad::eOk) continue;
            properties = propertiesOf(entity->isA());
        }
        for (Property& property : properties) {
            if (!equalNoCase(property.name(), name) || !property.enabledFor(id)) continue;
            if (target.property == nullptr) target.property = property.get();
            if (property.get() == target.property) target.objects.push_back(id);
            target.candidates.push_back(std::move(property));
            break;
        }
    }
    return target.property != nullptr;
}

// The typed value as the property's type wants it; false when it does not read as one.
bool readValue(const Property& property, const std::string& text, VARIANT& value)
{
    VariantInit(&value);
    const VARTYPE type = property.type();
    char* end = nullptr;
    if (type == VT_R8) {
        const double number = std::strtod(text.c_str(), &end);
        if (end == text.c_str() || *end != '\0') return false;
        value.vt = VT_R8;
        value.dblVal = number;
        return true;
    }
    if (type == VT_I4) {
        const long number = std::strtol(text.c_str(), &end, 10);
        if (end == text.c_str() || *end != '\0') return false;
        value.vt = VT_I4;
        value.lVal = number;
        return true;
    }
    if (type != VT_USERDEFINED) return false;
    IDynamicEnumProperty* list = property.list();
    if (list == nullptr) return false;
    LONG count = 0;
    bool found = false;
    if (SUCCEEDED(list->GetNumPropertyValues(&count))) {
        for (LONG i = 0; i < count && !found; ++i) {
            Text name;
            if (FAILED(list->GetPropValueName(i, name.out())) || !equalNoCase(name.str(), text)) continue;
            found = SUCCEEDED(list->GetPropValueData(i, &value));
        }
    }
    list->Release();
    return found;
}

// One edit: the value is asked for, then set on every object the property is enabled on.
void editProperty(const std::string& name, const ed::EntityList& chosen)
{
    Target target;
    if (!findTarget(name, chosen, target)) {
        say("No property \"" + name + "\" in the selection.");
        return;
    }
    const Property& property = target.candidates.front();
    if (property.readOnly()) {
        say("Property \"" + property.name() + "\" is read only.");
        return;
    }
    const std::string current = valueText(property, target.objects.front());
    VARIANT value;
    for (;;) {
        std::string text;
        const std::string prompt = "Enter new value for " + property.name() + " <" + current + ">: ";
        if (!askText(prompt.c_str(), text) || text.empty()) return;
        if (readValue(property, text, value)) break;
        say("Invalid value.");
    }
    Sink sink;
    target.property->Connect(&sink);
    int refused = 0;
    for (AcDbObjectId id : target.objects)
        if (FAILED(target.property->SetCurrentValueData(id.asOldId(), value))) ++refused;
    target.property->Disconnect();
    VariantClear(&value);
    if (refused > 0) say(std::to_string(refused) + (refused == 1 ? " object" : " objects") + " refused the value.");
    if (sink.changed)
        for (AcDbObjectId id : target.objects) sayRow(property.name(), valueText(property, id), false);
    if (sink.references_ != 1) say("** the property kept the palette's sink");
}

CommandOutcome properties()
{
    ed::EntityList chosen;
    ed::SelectionRules rules;
    AcDbDatabase* db = views::workingDatabase();
    chosen = ed::inCurrentSpace(db, ed::liveMembers(ed::SelectionSets::instance().pickFirst()));
    if (!chosen.empty()) say(std::to_string(chosen.size()) + " found");
    else if (const int status = ed::selectObjects(rules, chosen); status != RTNORM) return outcomeOf(status);
    if (chosen.empty()) return CommandOutcome::Ended;
    // The palette's selection is the pick-first set: a property asks for it while it is set.
    ed::SelectionSets::instance().setPickFirst(chosen);
    for (AcDbObjectId id : chosen) listObject(id);
    for (;;) {
        std::string name;
        if (!askText("Enter property name to change or <exit>: ", name)) return CommandOutcome::Cancelled;
        if (name.empty()) return CommandOutcome::Ended;
        editProperty(name, chosen);
    }
}

}  // namespace

void definePropertiesCommand()
{
    ed::CommandProcessor::instance().defineHostCommand("PROPERTIES", properties, ed::kUsesPickFirst);
}

}  // namespace arx::host
