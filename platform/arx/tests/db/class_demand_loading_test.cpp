// A drawing that lists a class nobody registered asks the host to load its application
// before reading its objects; what the host cannot load stays a proxy.
#include "support/db_fixture.h"

#include <vector>

#include "db/dxf/class_demand_loader.h"
#include "db/dxf/drawing_file.h"

using dbtest::DbTest;

namespace {

// Installs a loader for the test's lifetime and puts the one before back.
class FakeLoader {
public:
    explicit FakeLoader(bool registers) : registers_(registers)
    {
        previous_ = arx::db::setClassDemandLoader([this](const std::string& appName) {
            asked.push_back(appName);
            if (registers_ && appName == "DBTEST") dbtest::registerTestClasses();
            return registers_;
        });
    }
    ~FakeLoader() { arx::db::setClassDemandLoader(std::move(previous_)); }
    FakeLoader(const FakeLoader&) = delete;
    FakeLoader& operator=(const FakeLoader&) = delete;

    std::vector<std::string> asked;

private:
    bool registers_;
    arx::db::ClassDemandLoader previous_;
};

}  // namespace

class ClassDemandLoading : public DbTest {
protected:
    // The drawing with two test entities, as text, written while their class is loaded.
    std::string drawingWithTestEntities()
    {
        addTestEntity(1.5);
        addTestEntity(2.5);
        std::string text, message;
        EXPECT_EQ(arx::dxf::writeDrawingText(db, text, message), Acad::eOk) << message;
        return text;
    }

    static std::vector<AcDbObject*> openEntities(AcDbDatabase& drawing)
    {
        std::vector<AcDbObject*> found;
        AcDbBlockTable* table = nullptr;
        drawing.getBlockTable(table, AcDb::kForRead);
        AcDbBlockTableRecord* model = nullptr;
        table->getAt(ACDB_MODEL_SPACE, model, AcDb::kForRead);
        table->close();
        for (const AcDbObjectId& id : model->entityIds()) {
            AcDbObject* object = nullptr;
            if (acdbOpenAcDbObject(object, id, AcDb::kForRead) == Acad::eOk) found.push_back(object);
        }
        model->close();
        return found;
    }
};

TEST_F(ClassDemandLoading, TheApplicationIsLoadedBeforeTheObjectsAreRead)
{
    const std::string text = drawingWithTestEntities();
    dbtest::unregisterTestEntityClass();
    FakeLoader loader(true);
    AcDbDatabase drawing(false, true);
    arx::dxf::ReadReport report;
    ASSERT_EQ(arx::dxf::readDrawingText(&drawing, text, report), Acad::eOk) << report.message;
    EXPECT_EQ(loader.asked, std::vector<std::string>{"DBTEST"}) << "asked once for the application";
    const std::vector<AcDbObject*> entities = openEntities(drawing);
    ASSERT_EQ(entities.size(), 2u);
    for (AcDbObject* object : entities) {
        EXPECT_FALSE(object->isAProxy());
        EXPECT_NE(DbTestEntity::cast(object), nullptr);
        object->close();
    }
}

TEST_F(ClassDemandLoading, RegisteredClassesAskForNothingAndUnloadableOnesStayProxies)
{
    const std::string text = drawingWithTestEntities();
    {
        FakeLoader loader(false);
        AcDbDatabase drawing(false, true);
        arx::dxf::ReadReport report;
        ASSERT_EQ(arx::dxf::readDrawingText(&drawing, text, report), Acad::eOk) << report.message;
        EXPECT_TRUE(loader.asked.empty());
    }
    dbtest::unregisterTestEntityClass();
    FakeLoader loader(false);
    AcDbDatabase drawing(false, true);
    arx::dxf::ReadReport report;
    ASSERT_EQ(arx::dxf::readDrawingText(&drawing, text, report), Acad::eOk) << report.message;
    EXPECT_EQ(loader.asked, std::vector<std::string>{"DBTEST"});
    const std::vector<AcDbObject*> entities = openEntities(drawing);
    ASSERT_EQ(entities.size(), 2u);
    for (AcDbObject* object : entities) {
        EXPECT_TRUE(object->isAProxy());
        object->close();
    }
    dbtest::registerTestClasses();
}
