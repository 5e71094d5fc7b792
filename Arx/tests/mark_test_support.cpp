#include "mark_test_support.h"

#include <cmath>
#include <numbers>

#include "dbapserv.h"
#include "dbsymtb.h"
#include "ed/console.h"
#include "ed/sysvars.h"
#include "lisp/lisp_host.h"
#include "mark/vadu_msv.h"

namespace marktest {

namespace {

std::string& printed()
{
    static std::string text;
    return text;
}

using arx::ed::SysValue;

void defineViewVariable(const char* name, std::function<SysValue()> value)
{
    arx::ed::SysVarDef def;
    def.name = name;
    def.initial = value();
    def.get = [name = std::string(name), value]() -> std::optional<SysValue> {
        if (viewVariables().unreadable.count(name) != 0) return std::nullopt;
        return value();
    };
    arx::ed::SysVars::instance().define(def);
}

SysValue pointValue(const AcGePoint3d& p) { return SysValue::ofPoint(p.x, p.y, p.z); }

// The view variables a host keeps per viewport, answering from viewVariables().
void defineViewVariables()
{
    defineViewVariable("VIEWMODE", [] { return SysValue::ofShort(viewVariables().viewMode); });
    defineViewVariable("VIEWDIR", [] { return pointValue(viewVariables().viewDir); });
    defineViewVariable("TARGET", [] { return pointValue(viewVariables().target); });
    defineViewVariable("FRONTZ", [] { return SysValue::ofReal(viewVariables().frontZ); });
    defineViewVariable("BACKZ", [] { return SysValue::ofReal(viewVariables().backZ); });
    defineViewVariable("LENSLENGTH", [] { return SysValue::ofReal(viewVariables().lensLength); });
    defineViewVariable("VIEWSIZE", [] { return SysValue::ofReal(viewVariables().viewSize); });
    defineViewVariable("ELEVATION", [] { return SysValue::ofReal(viewVariables().elevation); });
}

}  // namespace

ViewVariables& viewVariables()
{
    static ViewVariables variables;
    return variables;
}

void MarkTest::SetUp()
{
    kestra::registerMarkClass();
    kestra::registerLegacyMarkClass();
    acrxBuildClassHierarchy();
    viewVariables() = ViewVariables{};
    defineViewVariables();
    db = new AcDbDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(db);
    printed().clear();
    arx::ed::Console::instance().setSink([](std::string_view text) { printed() += text; });
}

void MarkTest::TearDown()
{
    arx::ed::Console::instance().resetSink();
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    delete db;
}

std::string MarkTest::takePrinted()
{
    std::string text;
    text.swap(printed());
    return text;
}

void MarkLispTest::SetUp()
{
    MarkTest::SetUp();
    interpreter_ = std::make_unique<arx::lisp::Interpreter>();
    arx::lisp::setCurrentInterpreter(interpreter_.get());
}

void MarkLispTest::TearDown()
{
    arx::lisp::setCurrentInterpreter(nullptr);
    interpreter_.reset();
    MarkTest::TearDown();
}

void MarkLispTest::evaluate(const char* expression) { interpreter_->evaluate(expression); }

void MarkLispTest::withoutInterpreter() { arx::lisp::setCurrentInterpreter(nullptr); }

AcDbObjectId MarkTest::modelSpaceId() const
{
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db->getBlockTable(table, AcDb::kForRead), Acad::eOk);
    AcDbObjectId id;
    table->getAt(ACDB_MODEL_SPACE, id);
    table->close();
    return id;
}

AcDbObjectId MarkTest::append(AcDbEntity* entity)
{
    AcDbBlockTableRecord* space = nullptr;
    EXPECT_EQ(acdbOpenObject(space, modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
    EXPECT_EQ(entity->close(), Acad::eOk);
    EXPECT_EQ(space->close(), Acad::eOk);
    return id;
}

VaduKestra* markOf(const Frame& f, VaduKestra* (*make)())
{
    const AcGeVector3d n = f.normal.normal();
    AcGeVector3d right = n.perpVector().normal();
    right.rotateBy(f.angle, n);
    const AcGeVector3d up = n.crossProduct(right);
    const AcGeVector3d w = right * (f.width / 2.0);
    const AcGeVector3d h = up * (f.height / 2.0);
    VaduKestra* mark = make != nullptr ? make() : new VaduKestra();
    mark->setFromViewport(f.center + w + h, f.center - w + h, f.center - w - h, f.center + w - h, f.paperHeight,
                          AcDbHandle(0x2Full), f.normal);
    return mark;
}

Frame randomFrame(std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_real_distribution<double> size(1.0, 500.0);
    AcGeVector3d normal;
    do normal = AcGeVector3d(unit(random), unit(random), unit(random));
    while (normal.length() < 0.1);
    normal *= 0.5 + 2.0 * std::fabs(unit(random));
    return Frame{AcGePoint3d(1000 * unit(random), 1000 * unit(random), 100 * unit(random)),
                 normal,
                 std::numbers::pi * 3.0 * unit(random),
                 size(random),
                 size(random),
                 5.0 + 100.0 * std::fabs(unit(random))};
}

VaduKestra* markWithEveryField(AcDbObjectId outlineBlock)
{
    ViewVariables& view = viewVariables();
    view.viewMode = 7;
    view.viewDir = AcGePoint3d(0.25, -0.5, 1.5);
    view.target = AcGePoint3d(10.5, 20.25, -3.0);
    view.frontZ = 12.5;
    view.backZ = -7.25;
    view.lensLength = 35.0;
    auto* mark = new VaduKestra();
    EXPECT_EQ(mark->setFromViewport(AcGePoint3d(300.0, 150.0, 2.0), AcGePoint3d(100.0, 150.0, 2.0),
                                    AcGePoint3d(100.0, 50.0, 2.0), AcGePoint3d(300.0, 50.0, 2.0), 25.0,
                                    AcDbHandle(0x1A2Bull), AcGeVector3d(0.0, 0.0, 2.0)),
              Acad::eOk);
    mark->setViewCenter(AcGePoint3d(150.0, 100.0, 0.0));
    mark->setOutlineBlockId(outlineBlock);
    mark->setScaleLabel("1:100");
    mark->appendExtraGrip(AcGePoint3d(1.0, 2.0, 3.0));
    return mark;
}

namespace {

testing::AssertionResult sameCoordinates(double ax, double ay, double az, double bx, double by, double bz)
{
    if (ax == bx && ay == by && az == bz) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << ax << ", " << ay << ", " << az << ") differs from (" << bx << ", "
                                       << by << ", " << bz << ")";
}

testing::AssertionResult same(const AcGePoint3d& a, const AcGePoint3d& b)
{
    return sameCoordinates(a.x, a.y, a.z, b.x, b.y, b.z);
}
testing::AssertionResult same(const AcGeVector3d& a, const AcGeVector3d& b)
{
    return sameCoordinates(a.x, a.y, a.z, b.x, b.y, b.z);
}

}  // namespace

// Ids are compared by handle, so that a mark read into another database compares too.
void expectSameFiledFields(const VaduKestra& expected, const VaduKestra& actual)
{
    EXPECT_EQ(actual.viewportHandle(), expected.viewportHandle());
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(same(actual.corners()[i], expected.corners()[i])) << "corner " << i;
    EXPECT_TRUE(same(actual.center(), expected.center())) << "center";
    EXPECT_EQ(actual.paperHeight(), expected.paperHeight());
    EXPECT_EQ(actual.rotation(), expected.rotation());
    EXPECT_EQ(actual.zoomXp(), expected.zoomXp());
    EXPECT_TRUE(same(actual.normal(), expected.normal())) << "normal";
    EXPECT_EQ(actual.outlineBlockId().isNull(), expected.outlineBlockId().isNull());
    if (!expected.outlineBlockId().isNull()) {
        EXPECT_EQ(actual.outlineBlockId().handle(), expected.outlineBlockId().handle());
    }
    EXPECT_EQ(actual.viewMode(), expected.viewMode());
    EXPECT_TRUE(same(actual.viewDir(), expected.viewDir())) << "viewDir";
    EXPECT_TRUE(same(actual.viewTarget(), expected.viewTarget())) << "viewTarget";
    EXPECT_TRUE(same(actual.viewCenter(), expected.viewCenter())) << "viewCenter";
    EXPECT_EQ(actual.backZ(), expected.backZ());
    EXPECT_EQ(actual.frontZ(), expected.frontZ());
    EXPECT_EQ(actual.lensLength(), expected.lensLength());
}

}  // namespace marktest
