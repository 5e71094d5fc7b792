// The mark's properties in the host's Properties palette, on the stand-in host running in this
// process: registration on AcDbEntity, the values the palette shows, the standard-scale list,
// and the writable properties with their edit bookkeeping over the pick-first set.
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "acdocman.h"
#include "acedads.h"
#include "aced.h"
#include "ap/document_manager.h"
#include "assoc_test_support.h"
#include "dynprops.h"
#include "geassign.h"
#include "properties/com_object_table.h"
#include "properties/property_registration.h"
#include "shell/com_ptr.h"
#include "shell/object_opener.h"

using namespace assoctest;
using kestra::ComPtr;
using kestra::ObjectOpener;

namespace {

// The palette's side: counts the changes it is told about.
class CountingSink final : public IDynamicPropertyNotify {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** out) override
    {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDynamicPropertyNotify)) return E_NOINTERFACE;
        AddRef();
        *out = this;
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references; }
    STDMETHOD_(ULONG, Release)() override { return --references; }
    STDMETHOD(OnChanged)(IDynamicProperty*) override
    {
        ++changes;
        return S_OK;
    }
    STDMETHOD(GetCurrentSelectionSet)(VARIANT*) override { return E_NOTIMPL; }

    ULONG references = 1;
    int changes = 0;
};

VARIANT real(double value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = value;
    return v;
}

VARIANT whole(long value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

std::string text(BSTR value)
{
    std::string out;
    for (const OLECHAR* c = value; c != nullptr && *c != 0; ++c) out += static_cast<char>(*c);
    SysFreeString(value);
    return out;
}

struct Outline {
    AcGePoint3d corners[4];
    AcGePoint3d center;
    double zoomXp;
    double rotation;
};

class MarkPropertiesTest : public AssocHostTest {
protected:
    void SetUp() override
    {
        AssocHostTest::SetUp();
        kestra::registerMarkProperties();
        ASSERT_TRUE(kestra::markPropertiesRegistered());
        viewportId = makeViewport();
        markId = makeMarkWithMarker(viewportId);
        takePrinted();
    }
    void TearDown() override
    {
        clearPickFirst();
        kestra::unregisterMarkProperties();
        AssocHostTest::TearDown();
    }

    AcDbObjectId makeMarkWithMarker(AcDbObjectId viewport)
    {
        const AcDbObjectId id = makeMark(viewport);
        ObjectOpener<VaduKestra> mark(id, AcDb::kForWrite);
        EXPECT_EQ(mark->attachPropertyMarker(), Acad::eOk);
        return id;
    }

    // The registered property of that name, found as the palette finds it.
    ComPtr<IDynamicProperty> property(const char* name)
    {
        ComPtr<IPropertyManager> manager =
            ComPtr<IPropertyManager>::attach(GET_OPMPROPERTY_MANAGER(AcDbEntity::desc()));
        const std::string narrow = name;
        const std::wstring wide(narrow.begin(), narrow.end());
        kestra::Bstr key(wide.c_str());
        ComPtr<IDynamicProperty> found;
        EXPECT_EQ(manager->GetDynamicPropertyByName(key.get(), found.out()), S_OK) << name;
        return found;
    }

    VARIANT valueOf(const char* name, AcDbObjectId id)
    {
        VARIANT v;
        VariantInit(&v);
        EXPECT_EQ(property(name)->GetCurrentValueData(id.asOldId(), &v), S_OK) << name;
        return v;
    }

    // The marks lie in model space; the pick-first set is taken in the current space.
    void toModelSpace()
    {
        resbuf value;
        if (acedGetVar("TILEMODE", &value) == RTNORM && value.resval.rint == 1) return;
        setShort("TILEMODE", 1);
    }

    void select(const std::vector<AcDbObjectId>& ids)
    {
        toModelSpace();
        ads_name set = {0, 0};
        bool made = false;
        for (AcDbObjectId id : ids) {
            ads_name name;
            acdbGetAdsName(name, id);
            ASSERT_EQ(acedSSAdd(name, made ? set : nullptr, set), RTNORM);
            made = true;
        }
        ASSERT_EQ(acedSSSetFirst(set, nullptr), RTNORM);
        acedSSFree(set);
    }
    static void clearPickFirst() { acedSSSetFirst(nullptr, nullptr); }

    // One palette edit: the sink connected, one call per object, the sink disconnected.
    std::vector<HRESULT> edit(const char* name, const std::vector<AcDbObjectId>& objects,
                              const std::vector<VARIANT>& values)
    {
        ComPtr<IDynamicProperty> target = property(name);
        target->Connect(&sink);
        std::vector<HRESULT> results;
        for (size_t i = 0; i < objects.size(); ++i)
            results.push_back(target->SetCurrentValueData(objects[i].asOldId(), values[i]));
        target->Disconnect();
        return results;
    }

    Outline outline(AcDbObjectId id)
    {
        ObjectOpener<VaduKestra> mark(id, AcDb::kForRead);
        Outline o;
        for (int i = 0; i < 4; ++i) o.corners[i] = mark->corners()[i];
        o.center = mark->center();
        o.zoomXp = mark->zoomXp();
        o.rotation = mark->rotation();
        return o;
    }

    static void expectScaled(const Outline& before, const Outline& after, double factor)
    {
        for (int i = 0; i < 4; ++i) {
            const AcGePoint3d expected = before.center + (before.corners[i] - before.center) * factor;
            EXPECT_TRUE(after.corners[i].isEqualTo(expected, AcGeTol())) << "corner " << i;
        }
        EXPECT_TRUE(after.center.isEqualTo(before.center, AcGeTol()));
    }

    AcDbObjectId viewportId, markId;
    CountingSink sink;
};

TEST_F(MarkPropertiesTest, RegistersTheTwentyThreePropertiesInOrderAndRemovesThemAtUnload)
{
    const char* const names[] = {"Center X",         "Center Y",
                                 "Center Z",         "Standard scales",
                                 "Zoom XP",          "1 / Zoom XP",
                                 "Rotation",         "Width",
                                 "Height",           "Area",
                                 "Viewdir X",        "Viewdir Y",
                                 "Viewdir Z",        "Target X",
                                 "Target Y",         "Target Z",
                                 "Center of view X", "Center of view Y",
                                 "Center of view Z", "BackZ",
                                 "FrontZ",           "Length of the lens",
                                 "ViewMode"};
    const bool writable[] = {true, true, true, true, true, false, true};
    ComPtr<IPropertyManager> manager = ComPtr<IPropertyManager>::attach(GET_OPMPROPERTY_MANAGER(AcDbEntity::desc()));
    LONG count = 0;
    ASSERT_EQ(manager->GetDynamicPropertyCount(&count), S_OK);
    ASSERT_EQ(count, 23);
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IDynamicProperty> p;
        ASSERT_EQ(manager->GetDynamicProperty(i, p.out()), S_OK);
        BSTR name = nullptr;
        ASSERT_EQ(p->GetDisplayName(&name), S_OK);
        EXPECT_EQ(text(name), names[i]);
        BOOL readOnly = FALSE;
        p->IsPropertyReadOnly(&readOnly);
        EXPECT_EQ(readOnly == FALSE, i < 7 && writable[i]) << names[i];
        ComPtr<ICategorizeProperties> categories;
        ASSERT_EQ(p->QueryInterface(IID_ICategorizeProperties, reinterpret_cast<void**>(categories.out())), S_OK);
        PROPCAT category = 0;
        EXPECT_EQ(categories->MapPropertyToCategory(DISPID_DYNAMIC, &category), S_OK);
        EXPECT_EQ(category, 1);
        BSTR categoryName = nullptr;
        ASSERT_EQ(categories->GetCategoryName(1, 0, &categoryName), S_OK);
        EXPECT_EQ(text(categoryName), i < 10 ? "Geometry" : "Perspective");
        EXPECT_EQ(categories->GetCategoryName(2, 0, &categoryName), E_FAIL);
    }
    VARTYPE type = VT_EMPTY;
    property("Standard scales")->GetCurrentValueType(&type);
    EXPECT_EQ(type, VT_USERDEFINED);
    property("Rotation")->GetCurrentValueType(&type);
    EXPECT_EQ(type, VT_I4);
    property("ViewMode")->GetCurrentValueType(&type);
    EXPECT_EQ(type, VT_I4);
    BSTR description = nullptr;
    property("1 / Zoom XP")->GetDescription(&description);
    EXPECT_EQ(text(description), "Inverted Zoom XP \ni.e. Kestra/Viewport height ratio.");

    kestra::registerMarkProperties();  // a second registration adds nothing
    manager->GetDynamicPropertyCount(&count);
    EXPECT_EQ(count, 23);
    kestra::unregisterMarkProperties();
    manager->GetDynamicPropertyCount(&count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(takePrinted(), "");
    kestra::registerMarkProperties();
}

TEST_F(MarkPropertiesTest, CallsCheckTheirOutPointersAndAnswerNotImplementedWhereThePaletteExpectsIt)
{
    ComPtr<IDynamicProperty> zoom = property("Zoom XP");
    GUID guid;
    EXPECT_EQ(zoom->GetGUID(&guid), E_NOTIMPL);
    BSTR name = nullptr;
    EXPECT_EQ(zoom->GetCurrentValueName(&name), E_NOTIMPL);
    EXPECT_EQ(zoom->GetDisplayName(nullptr), E_POINTER);
    EXPECT_EQ(zoom->GetDescription(nullptr), E_POINTER);
    EXPECT_EQ(zoom->IsPropertyEnabled(markId.asOldId(), nullptr), E_POINTER);
    EXPECT_EQ(zoom->IsPropertyReadOnly(nullptr), E_POINTER);
    EXPECT_EQ(zoom->GetCurrentValueType(nullptr), E_POINTER);
    EXPECT_EQ(zoom->GetCurrentValueData(markId.asOldId(), nullptr), E_POINTER);
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(zoom->QueryInterface(IID_IDispatch, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);

    // A line is no mark: no value, whatever it is asked.
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(zoom->GetCurrentValueData(appendLine().asOldId(), &v), E_ACCESSDENIED);

    // Connect keeps one reference to the sink, Disconnect gives it back.
    CountingSink other;
    zoom->Connect(&sink);
    zoom->Connect(&other);
    EXPECT_EQ(sink.references, 1u);
    EXPECT_EQ(other.references, 2u);
    zoom->Disconnect();
    EXPECT_EQ(other.references, 1u);
}

TEST_F(MarkPropertiesTest, EnabledOnlyForEntitiesCarryingTheMarker)
{
    const AcDbObjectId line = appendLine();
    const AcDbObjectId bareMark = makeMark(makeViewport());
    ComPtr<IDynamicProperty> p = property("Width");
    BOOL enabled = FALSE;
    ASSERT_EQ(p->IsPropertyEnabled(markId.asOldId(), &enabled), S_OK);
    EXPECT_TRUE(enabled);
    p->IsPropertyEnabled(line.asOldId(), &enabled);
    EXPECT_FALSE(enabled);
    p->IsPropertyEnabled(bareMark.asOldId(), &enabled);
    EXPECT_FALSE(enabled) << "a mark made by another tool";
    p->IsPropertyEnabled(AcDbObjectId().asOldId(), &enabled);
    EXPECT_FALSE(enabled);
}

TEST_F(MarkPropertiesTest, ValuesComeFromTheMarkWithTheCentreInTheCurrentUcs)
{
    // Frame of the default viewport: view centre (500, 400), model height 1000, paper 100.
    EXPECT_DOUBLE_EQ(valueOf("Zoom XP", markId).dblVal, 0.1);
    EXPECT_DOUBLE_EQ(valueOf("1 / Zoom XP", markId).dblVal, 10.0);
    EXPECT_DOUBLE_EQ(valueOf("Width", markId).dblVal, 2000.0);
    EXPECT_DOUBLE_EQ(valueOf("Height", markId).dblVal, 1000.0);
    EXPECT_DOUBLE_EQ(valueOf("Area", markId).dblVal, 2000000.0);
    EXPECT_EQ(valueOf("Standard scales", markId).lVal, 17);  // 1:10
    EXPECT_DOUBLE_EQ(valueOf("Center X", markId).dblVal, 500.0);
    EXPECT_DOUBLE_EQ(valueOf("Center Y", markId).dblVal, 400.0);
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        EXPECT_EQ(valueOf("Viewdir Z", markId).dblVal, mark->viewDir().z);
        EXPECT_EQ(valueOf("Target X", markId).dblVal, mark->viewTarget().x);
        EXPECT_EQ(valueOf("Center of view Y", markId).dblVal, mark->viewCenter().y);
        EXPECT_EQ(valueOf("Length of the lens", markId).dblVal, mark->lensLength());
        EXPECT_EQ(valueOf("ViewMode", markId).lVal, mark->viewMode());
    }
    // A UCS of model space turned a quarter turn and moved: only the centre is shown in it.
    toModelSpace();
    AcGeMatrix3d ucs = AcGeMatrix3d::rotation(std::numbers::pi / 2, AcGeVector3d::kZAxis, AcGePoint3d::kOrigin);
    ucs = AcGeMatrix3d::translation(AcGeVector3d(10, 20, 30)) * ucs;
    ASSERT_EQ(acedSetCurrentUCS(ucs), Acad::eOk);
    EXPECT_NEAR(valueOf("Center X", markId).dblVal, 380.0, 1e-9);
    EXPECT_NEAR(valueOf("Center Y", markId).dblVal, -490.0, 1e-9);
    EXPECT_NEAR(valueOf("Center Z", markId).dblVal, -30.0, 1e-9);
    EXPECT_DOUBLE_EQ(valueOf("Target Z", markId).dblVal, 0.0);
}

TEST_F(MarkPropertiesTest, RotationIsShownInWholeDegreesOppositeToTheStoredAngle)
{
    struct Case {
        double rotation;
        long shown;
    };
    constexpr double kDegree = std::numbers::pi / 180.0;
    const Case cases[] = {{-std::numbers::pi / 2, 90},
                          {-0.5, 28},
                          {0.5, -28},
                          {-2 * std::numbers::pi + 1e-9, 0},
                          {0.0, 0},
                          {-30 * kDegree * (1 - 1e-12), 30},
                          {-29.9 * kDegree, 29}};
    for (const Case& c : cases) {
        {
            ObjectOpener<VaduKestra> mark(markId, AcDb::kForWrite);
            ASSERT_EQ(mark->setRotation(c.rotation), Acad::eOk);
        }
        EXPECT_EQ(valueOf("Rotation", markId).lVal, c.shown) << c.rotation;
    }
}

TEST_F(MarkPropertiesTest, StandardScaleListHasThirtyFourEntriesWithThePalettesTexts)
{
    ComPtr<IDynamicProperty> scales = property("Standard scales");
    ComPtr<IDynamicEnumProperty> list;
    ASSERT_EQ(scales->QueryInterface(IID_IDynamicEnumProperty, reinterpret_cast<void**>(list.out())), S_OK);
    LONG count = 0;
    ASSERT_EQ(list->GetNumPropertyValues(&count), S_OK);
    EXPECT_EQ(count, 34);
    EXPECT_EQ(list->GetNumPropertyValues(nullptr), E_POINTER);
    const std::pair<LONG, const char*> texts[] = {
        {0, "Custom"},        {6, "1/8\" = 1'"}, {8, "1/4\" = 1'"}, {11, "3/4\" = 1' | 1:16"},
        {15, "1'= 1' | 1:1"}, {22, "1:100"},     {33, "1000:1"}};
    for (const auto& [index, expected] : texts) {
        BSTR name = nullptr;
        ASSERT_EQ(list->GetPropValueName(index, &name), S_OK);
        EXPECT_EQ(text(name), expected);
        VARIANT data;
        ASSERT_EQ(list->GetPropValueData(index, &data), S_OK);
        EXPECT_EQ(data.vt, VT_I4);
        EXPECT_EQ(data.lVal, index);
    }
    BSTR name = nullptr;
    EXPECT_EQ(list->GetPropValueName(34, &name), E_FAIL);
    EXPECT_EQ(list->GetPropValueName(-1, &name), E_FAIL);
    VARIANT data;
    EXPECT_EQ(list->GetPropValueData(34, &data), E_FAIL);
    EXPECT_EQ(list->GetPropValueName(0, nullptr), E_POINTER);
    // Both interfaces are one object.
    ComPtr<IDynamicProperty> back;
    ASSERT_EQ(list->QueryInterface(IID_IDynamicProperty, reinterpret_cast<void**>(back.out())), S_OK);
    EXPECT_EQ(back.get(), scales.get());
}

TEST_F(MarkPropertiesTest, ZoomOfTwoSelectedMarksAppliesTheFirstValueToBothAboutTheirOwnCentres)
{
    ViewportFrame frame;
    frame.center = AcGePoint3d(400.0, 100.0, 0.0);
    frame.viewCenter = AcGePoint2d(-300.0, 50.0);
    const AcDbObjectId second = makeMarkWithMarker(makeViewport(frame));
    const Outline before1 = outline(markId), before2 = outline(second);
    select({markId, second});
    const std::vector<HRESULT> results = edit("Zoom XP", {markId, second}, {real(0.05), real(123.0)});
    EXPECT_EQ(results, (std::vector<HRESULT>{S_OK, S_OK}));
    expectScaled(before1, outline(markId), 2.0);
    expectScaled(before2, outline(second), 2.0);
    EXPECT_DOUBLE_EQ(outline(second).zoomXp, 0.05);
    EXPECT_EQ(sink.changes, 2);
    EXPECT_EQ(sink.references, 1u);
    EXPECT_EQ(arx::ap::DocumentManager::instance().lockCount(curDoc()), 0);
}

// With a mark and a line selected the palette calls the property for the mark alone: each
// edit applies the value typed for it, never the one of the edit before.
TEST_F(MarkPropertiesTest, AMarkAndALineSelectedTakeEachNewValue)
{
    const AcDbObjectId line = appendLine();
    select({markId, line});
    EXPECT_EQ(edit("Zoom XP", {markId}, {real(0.05)}), std::vector<HRESULT>{S_OK});
    EXPECT_DOUBLE_EQ(outline(markId).zoomXp, 0.05);
    EXPECT_EQ(edit("Zoom XP", {markId}, {real(0.2)}), std::vector<HRESULT>{S_OK});
    EXPECT_DOUBLE_EQ(outline(markId).zoomXp, 0.2);
    EXPECT_EQ(edit("Rotation", {markId}, {whole(30)}), std::vector<HRESULT>{S_OK});
    EXPECT_EQ(edit("Rotation", {markId}, {whole(45)}), std::vector<HRESULT>{S_OK});
    EXPECT_NEAR(-outline(markId).rotation * 180.0 / std::numbers::pi, 45.0, 1e-9);
    EXPECT_EQ(valueOf("Rotation", markId).lVal, 45) << "the degree typed, not the one below";
}

TEST_F(MarkPropertiesTest, AnEditForAnObjectOutsideTheSelectionChangesNothing)
{
    const Outline before = outline(markId);
    EXPECT_EQ(edit("Zoom XP", {markId}, {real(0.05)}), std::vector<HRESULT>{E_FAIL}) << "no selection";
    const AcDbObjectId other = makeMarkWithMarker(makeViewport());
    select({other});
    EXPECT_EQ(edit("Zoom XP", {markId}, {real(0.05)}), std::vector<HRESULT>{E_FAIL});
    EXPECT_DOUBLE_EQ(outline(markId).zoomXp, before.zoomXp);
}

TEST_F(MarkPropertiesTest, RefusedValuesChangeNothing)
{
    const Outline before = outline(markId);
    select({markId});
    EXPECT_EQ(edit("Zoom XP", {markId}, {real(0.0)}), std::vector<HRESULT>{E_FAIL});
    EXPECT_EQ(edit("Zoom XP", {markId}, {real(-1.0)}), std::vector<HRESULT>{E_FAIL});
    EXPECT_EQ(edit("Standard scales", {markId}, {whole(34)}), std::vector<HRESULT>{E_FAIL});
    VARIANT words;
    VariantInit(&words);
    words.vt = VT_BSTR;
    words.bstrVal = nullptr;
    EXPECT_EQ(edit("Zoom XP", {markId}, {words}), std::vector<HRESULT>{E_INVALIDARG});
    EXPECT_EQ(edit("Rotation", {markId}, {real(12.5)}), std::vector<HRESULT>{E_INVALIDARG});
    EXPECT_DOUBLE_EQ(outline(markId).zoomXp, before.zoomXp);
    EXPECT_EQ(sink.changes, 0);
}

TEST_F(MarkPropertiesTest, StandardScaleOneToHundredOnAOneToFiftyMarkDoublesTheOutline)
{
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForWrite);
        ASSERT_EQ(mark->setZoomXp(0.02), Acad::eOk);
    }
    const Outline before = outline(markId);
    EXPECT_EQ(valueOf("Standard scales", markId).lVal, 21);
    select({markId});
    EXPECT_EQ(edit("Standard scales", {markId}, {whole(22)}), std::vector<HRESULT>{S_OK});
    expectScaled(before, outline(markId), 2.0);
    // "Custom" changes nothing and does not even tell the sink.
    const Outline scaled = outline(markId);
    const int changes = sink.changes;
    EXPECT_EQ(edit("Standard scales", {markId}, {whole(0)}), std::vector<HRESULT>{S_OK});
    expectScaled(scaled, outline(markId), 1.0);
    EXPECT_EQ(sink.changes, changes);
}

TEST_F(MarkPropertiesTest, RotationTurnsFromTheExactAngleAboutTheNormal)
{
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForWrite);
        ASSERT_EQ(mark->setRotation(-std::numbers::pi / 2), Acad::eOk);
    }
    const Outline before = outline(markId);
    AcGeVector3d normal;
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        normal = mark->normal();
    }
    EXPECT_EQ(valueOf("Rotation", markId).lVal, 90);
    select({markId});
    EXPECT_EQ(edit("Rotation", {markId}, {whole(0)}), std::vector<HRESULT>{S_OK});
    const Outline after = outline(markId);
    for (int i = 0; i < 4; ++i) {
        AcGePoint3d expected = before.corners[i];
        expected.rotateBy(-std::numbers::pi / 2, normal, before.center);
        EXPECT_TRUE(after.corners[i].isEqualTo(expected, AcGeTol())) << "corner " << i;
    }
    EXPECT_EQ(valueOf("Rotation", markId).lVal, 0);
}

TEST_F(MarkPropertiesTest, CenterXInARotatedUcsMovesTheMarkAlongThatAxisOnly)
{
    select({markId});
    ASSERT_EQ(
        acedSetCurrentUCS(AcGeMatrix3d::rotation(std::numbers::pi / 2, AcGeVector3d::kZAxis, AcGePoint3d::kOrigin)),
        Acad::eOk);
    const Outline before = outline(markId);
    const double ucsX = valueOf("Center X", markId).dblVal;  // the world's Y
    EXPECT_DOUBLE_EQ(ucsX, before.center.y);
    EXPECT_EQ(edit("Center X", {markId}, {real(ucsX + 25.0)}), std::vector<HRESULT>{S_OK});
    const Outline after = outline(markId);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(after.corners[i].isEqualTo(before.corners[i] + AcGeVector3d(0, 25.0, 0), AcGeTol())) << i;
    EXPECT_NEAR(valueOf("Center X", markId).dblVal, ucsX + 25.0, 1e-9);
}

TEST_F(MarkPropertiesTest, WithoutASinkTheEditIsAcceptedButChangesNothing)
{
    const Outline before = outline(markId);
    select({markId});
    EXPECT_EQ(property("Zoom XP")->SetCurrentValueData(markId.asOldId(), real(0.05)), S_OK);
    EXPECT_DOUBLE_EQ(outline(markId).zoomXp, before.zoomXp);
    EXPECT_EQ(arx::ap::DocumentManager::instance().lockCount(curDoc()), 0);
}

TEST_F(MarkPropertiesTest, AMarkThatCannotBeOpenedForWriteIsReportedWithThePropertysCode)
{
    select({markId});
    ObjectOpener<VaduKestra> held(markId, AcDb::kForRead);  // a reader keeps the write open out
    EXPECT_EQ(edit("Zoom XP", {markId}, {real(0.05)}), std::vector<HRESULT>{E_FAIL});
    EXPECT_EQ(takePrinted(), "\n(OPM-1300) Cannot open Kestra object for writing\n");
    EXPECT_EQ(edit("Center Z", {markId}, {real(1.0)}), std::vector<HRESULT>{E_FAIL});
    EXPECT_EQ(takePrinted(), "\n(OPM-1500) Cannot open Kestra object for writing\n");
    EXPECT_EQ(arx::ap::DocumentManager::instance().lockCount(curDoc()), 0);
}

TEST_F(MarkPropertiesTest, ReadOnlyPropertiesOnlyTellTheSink)
{
    select({markId});
    const Outline before = outline(markId);
    EXPECT_EQ(edit("Width", {markId}, {real(1.0)}), std::vector<HRESULT>{S_OK});
    EXPECT_EQ(sink.changes, 1);
    EXPECT_DOUBLE_EQ(outline(markId).zoomXp, before.zoomXp);
}

TEST(ComObjectTable, MakesClassObjectsOnDemandAndReleasesThemAtDetach)
{
    kestra::termComObjectTable();
    EXPECT_EQ(kestra::cachedClassObjects(), 0u);
    EXPECT_EQ(kestra::comClassCount(), 23u);
    IDynamicProperty* made = nullptr;
    EXPECT_EQ(kestra::createComObject(0, nullptr), E_POINTER);
    EXPECT_EQ(kestra::createComObject(23, &made), E_INVALIDARG);
    EXPECT_EQ(made, nullptr);
    ASSERT_EQ(kestra::createComObject(4, &made), S_OK);
    EXPECT_EQ(kestra::cachedClassObjects(), 1u);
    BSTR name = nullptr;
    made->GetDisplayName(&name);
    EXPECT_EQ(text(name), "Zoom XP");
    EXPECT_EQ(made->Release(), 0u);
    kestra::termComObjectTable();
    EXPECT_EQ(kestra::cachedClassObjects(), 0u);
}

}  // namespace
