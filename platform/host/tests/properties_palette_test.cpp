// The Properties palette protocol of the host: the property-extension factory on
// AcDbDatabase's class, the property manager of a class and its reference counting, the
// document lock, and PROPERTIES listing and editing through the calls a real palette makes.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "acdocman.h"
#include "dbents.h"
#include "dynprops.h"
#include "host_session_fixture.h"

using hosttest::HostSessionTest;
using hosttest::printed;

namespace {

// A property that records every call the palette makes. It is enabled on the objects given,
// keeps a real value per object and tells its sink when it is set.
class RecordingProperty : public IDynamicProperty, public ICategorizeProperties {
public:
    RecordingProperty(std::wstring name, bool readOnly) : name_(std::move(name)), readOnly_(readOnly) {}

    STDMETHOD(QueryInterface)(REFIID riid, void** out) override
    {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDynamicProperty))
            *out = static_cast<IDynamicProperty*>(this);
        else if (IsEqualIID(riid, IID_ICategorizeProperties)) *out = static_cast<ICategorizeProperties*>(this);
        else return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references; }
    STDMETHOD_(ULONG, Release)() override { return --references; }  // owned by the test

    STDMETHOD(GetGUID)(GUID*) override { return E_NOTIMPL; }
    STDMETHOD(GetDisplayName)(BSTR* name) override
    {
        *name = SysAllocString(name_.c_str());
        return S_OK;
    }
    STDMETHOD(IsPropertyEnabled)(LONG_PTR objectID, BOOL* enabled) override
    {
        *enabled = values.count(objectID) != 0;
        return S_OK;
    }
    STDMETHOD(IsPropertyReadOnly)(BOOL* readOnly) override
    {
        *readOnly = readOnly_;
        return S_OK;
    }
    STDMETHOD(GetDescription)(BSTR* text) override
    {
        *text = SysAllocString(L"recorded");
        return S_OK;
    }
    STDMETHOD(GetCurrentValueName)(BSTR*) override { return E_NOTIMPL; }
    STDMETHOD(GetCurrentValueType)(VARTYPE* type) override
    {
        *type = VT_R8;
        return S_OK;
    }
    STDMETHOD(GetCurrentValueData)(LONG_PTR objectID, VARIANT* value) override
    {
        value->vt = VT_R8;
        value->dblVal = values[objectID];
        return S_OK;
    }
    STDMETHOD(SetCurrentValueData)(LONG_PTR objectID, const VARIANT value) override
    {
        calls.push_back("set " + std::to_string(value.dblVal));
        values[objectID] = value.dblVal;
        if (sink_ != nullptr) sink_->OnChanged(this);
        return S_OK;
    }
    STDMETHOD(Connect)(IDynamicPropertyNotify* sink) override
    {
        calls.push_back("connect");
        sink->AddRef();
        sink_ = sink;
        return S_OK;
    }
    STDMETHOD(Disconnect)() override
    {
        calls.push_back("disconnect");
        if (sink_ != nullptr) sink_->Release();
        sink_ = nullptr;
        return S_OK;
    }
    STDMETHOD(MapPropertyToCategory)(DISPID, PROPCAT* category) override
    {
        *category = 7;
        return S_OK;
    }
    STDMETHOD(GetCategoryName)(PROPCAT, LCID, BSTR* name) override
    {
        *name = SysAllocString(L"Recorded");
        return S_OK;
    }

    ULONG references = 1;
    std::map<LONG_PTR, double> values;
    std::vector<std::string> calls;

private:
    std::wstring name_;
    bool readOnly_;
    IDynamicPropertyNotify* sink_ = nullptr;
};

IPropertyManager* managerOf(AcRxClass* cls) { return GET_OPMPROPERTY_MANAGER(cls); }

class PropertiesPaletteTest : public HostSessionTest {
protected:
    AcDbObjectId append(AcDbEntity* entity)
    {
        AcDbObjectId id;
        AcDbObjectPointer<AcDbBlockTableRecord> space(db->currentSpaceId(), AcDb::kForWrite);
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        return id;
    }
    void TearDown() override
    {
        for (auto& [cls, property] : added) {
            IPropertyManager* manager = managerOf(cls);
            manager->RemoveProperty(property);
            manager->Release();
        }
        HostSessionTest::TearDown();
    }
    // A property that outlives the test body: TearDown still removes it from its manager.
    RecordingProperty& make(std::wstring name, bool readOnly)
    {
        return properties.emplace_back(std::move(name), readOnly);
    }
    void add(AcRxClass* cls, RecordingProperty& property)
    {
        IPropertyManager* manager = managerOf(cls);
        ASSERT_EQ(manager->AddProperty(&property), S_OK);
        manager->Release();
        added.emplace_back(cls, &property);
    }

    std::deque<RecordingProperty> properties;
    std::vector<std::pair<AcRxClass*, IDynamicProperty*>> added;
};

TEST_F(PropertiesPaletteTest, FactoryIsAProtocolExtensionOfTheDatabaseClass)
{
    OPMPropertyExtensionFactory* factory = GET_OPMEXTENSION_CREATE_PROTOCOL();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->CreateOPMObjectProtocol(AcDbEntity::desc()),
              factory->CreateOPMObjectProtocol(AcDbEntity::desc()));
    EXPECT_NE(factory->CreateOPMObjectProtocol(AcDbEntity::desc()), factory->CreateOPMObjectProtocol(AcDbLine::desc()));
    EXPECT_EQ(factory->CreateOPMObjectProtocol(nullptr), nullptr);
}

TEST_F(PropertiesPaletteTest, ManagerHoldsOneReferencePerPropertyAndChecksItsArguments)
{
    RecordingProperty property(L"Weight", false);
    IPropertyManager* manager = managerOf(AcDbEntity::desc());
    EXPECT_EQ(manager->AddProperty(nullptr), E_POINTER);
    ASSERT_EQ(manager->AddProperty(&property), S_OK);
    EXPECT_EQ(property.references, 2u);
    EXPECT_EQ(manager->AddProperty(&property), E_INVALIDARG);  // once only
    EXPECT_EQ(property.references, 2u);

    LONG count = 0;
    EXPECT_EQ(manager->GetDynamicPropertyCount(nullptr), E_POINTER);
    ASSERT_EQ(manager->GetDynamicPropertyCount(&count), S_OK);
    IDynamicProperty* found = nullptr;
    EXPECT_EQ(manager->GetDynamicProperty(0, nullptr), E_POINTER);
    EXPECT_EQ(manager->GetDynamicProperty(count, &found), E_INVALIDARG);
    EXPECT_EQ(found, nullptr);
    ASSERT_EQ(manager->GetDynamicProperty(count - 1, &found), S_OK);
    EXPECT_EQ(found, &property);
    EXPECT_EQ(property.references, 3u);
    found->Release();

    BSTR name = SysAllocString(L"Weight");
    ASSERT_EQ(manager->GetDynamicPropertyByName(name, &found), S_OK);
    found->Release();
    SysFreeString(name);
    ITypeInfo* info = nullptr;
    DWORD cookie = 0;
    EXPECT_EQ(manager->GetDynamicClassInfo(nullptr, &info, &cookie), E_NOTIMPL);

    EXPECT_EQ(manager->RemoveProperty(&property), S_OK);
    EXPECT_EQ(property.references, 1u);
    EXPECT_EQ(manager->RemoveProperty(&property), E_INVALIDARG);
    EXPECT_EQ(property.references, 1u);
    manager->Release();
}

TEST_F(PropertiesPaletteTest, ClassArrayHoldsTheClassesOwnPropertiesThenItsParents)
{
    RecordingProperty& onEntity = make(L"General one", false);
    RecordingProperty& onLine = make(L"Line one", false);
    add(AcDbEntity::desc(), onEntity);
    add(AcDbLine::desc(), onLine);
    OPMPropertyExtensionFactory* factory = GET_OPMEXTENSION_CREATE_PROTOCOL();
    LONG count = 0;
    ASSERT_TRUE(factory->GetPropertyCount(AcDbLine::desc(), &count));
    ASSERT_EQ(count, 2);
    std::vector<IDynamicProperty*> array(2, nullptr);
    ASSERT_EQ(factory->GetPropertyClassArray(AcDbLine::desc(), array.data()), 2);
    EXPECT_EQ(array[0], &onLine);
    EXPECT_EQ(array[1], &onEntity);
    for (IDynamicProperty* property : array) property->Release();
    EXPECT_EQ(onEntity.references, 2u);  // the manager's, the test's
    ASSERT_TRUE(factory->GetPropertyCount(AcDbCircle::desc(), &count));
    EXPECT_EQ(count, 1);
}

TEST_F(PropertiesPaletteTest, DocumentLocksNestAndEveryUnlockNeedsALock)
{
    AcApDocManager* manager = acDocManager;
    AcApDocument* document = manager->curDocument();
    EXPECT_EQ(manager->lockDocument(nullptr), Acad::eNoDocument);
    EXPECT_EQ(manager->unlockDocument(document), Acad::eNotApplicable);
    EXPECT_EQ(manager->lockDocument(document, AcAp::kWrite), Acad::eOk);
    EXPECT_EQ(manager->lockDocument(document, AcAp::kWrite), Acad::eOk);
    EXPECT_EQ(arx::ap::DocumentManager::instance().lockCount(document), 2);
    EXPECT_EQ(manager->unlockDocument(document), Acad::eOk);
    EXPECT_EQ(manager->unlockDocument(document), Acad::eOk);
    EXPECT_EQ(manager->unlockDocument(document), Acad::eNotApplicable);
}

TEST_F(PropertiesPaletteTest, ListsEnabledPropertiesByCategoryAndSetsEachEnabledObjectOnce)
{
    const AcDbObjectId line = append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    const AcDbObjectId circle = append(new AcDbCircle(AcGePoint3d(50, 0, 0), AcGeVector3d::kZAxis, 5));
    RecordingProperty& weight = make(L"Weight", false);
    RecordingProperty& fixed = make(L"Fixed", true);
    weight.values[line.asOldId()] = 1.5;
    fixed.values[line.asOldId()] = 3.0;
    fixed.values[circle.asOldId()] = 4.0;
    add(AcDbEntity::desc(), weight);
    add(AcDbEntity::desc(), fixed);

    typed("PROPERTIES\nALL\n\nweight\n2.5\n\n");
    const std::string out = printed();
    EXPECT_NE(out.find("AcDbLine (handle "), std::string::npos) << out;
    EXPECT_NE(out.find("  General\n    Color                   ByLayer\n    Layer                   0\n"),
              std::string::npos)
        << out;
    EXPECT_NE(
        out.find("  Recorded\n    Weight                  1.5000\n    Fixed                   3.0000  (read only)\n"),
        std::string::npos)
        << out;
    // The circle has only the read-only one.
    EXPECT_NE(out.find("AcDbCircle (handle "), std::string::npos);
    EXPECT_NE(out.find("  Recorded\n    Fixed                   4.0000  (read only)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Enter new value for Weight <1.5000>: 2.5"), std::string::npos) << out;
    // Refreshed after the property said it changed.
    EXPECT_NE(out.find("2.5\n    Weight                  2.5000\n"), std::string::npos) << out;
    EXPECT_EQ(weight.calls, (std::vector<std::string>{"connect", "set 2.500000", "disconnect"}));
    EXPECT_EQ(weight.values[line.asOldId()], 2.5);
    EXPECT_EQ(weight.values.count(circle.asOldId()), 0u);
    EXPECT_EQ(weight.references, 2u);
}

TEST_F(PropertiesPaletteTest, RefusesReadOnlyUnknownAndUnreadableAnswers)
{
    const AcDbObjectId line = append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    RecordingProperty& weight = make(L"Weight", false);
    RecordingProperty& fixed = make(L"Fixed", true);
    weight.values[line.asOldId()] = 1.0;
    fixed.values[line.asOldId()] = 1.0;
    add(AcDbEntity::desc(), weight);
    add(AcDbEntity::desc(), fixed);

    typed("PROPERTIES\nALL\n\nFixed\nNothing\nWeight\nheavy\n\n\n");
    const std::string out = printed();
    EXPECT_NE(out.find("Property \"Fixed\" is read only."), std::string::npos) << out;
    EXPECT_NE(out.find("No property \"Nothing\" in the selection."), std::string::npos) << out;
    EXPECT_NE(out.find("Invalid value."), std::string::npos) << out;
    EXPECT_TRUE(weight.calls.empty());
    EXPECT_TRUE(fixed.calls.empty());
    EXPECT_EQ(weight.values[line.asOldId()], 1.0);
}

}  // namespace
