// Marks without their class (a drawing opened without the module, or after KSUNLOAD): kept
// as proxies and written back unchanged, and marks again once the class is back.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "mark_test_support.h"
#include "rxclass.h"

using marktest::expectSameFiledFields;
using marktest::MarkTest;
using marktest::markWithEveryField;

namespace {

std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The groups of the drawing's KESTRA entity, from its 0 group to the next one.
std::string kestraRecord(const std::string& drawing)
{
    const std::string start = "\n  0\r\nKESTRA\r\n";
    const size_t at = drawing.find(start);
    if (at == std::string::npos) return "";
    const size_t end = drawing.find("\n  0\r\n", at + start.size());
    return drawing.substr(at, end - at);
}

class MarkProxyTest : public MarkTest {
protected:
    void SetUp() override
    {
        MarkTest::SetUp();
        const std::string stem = "kestra-proxy-" + std::to_string(getpid()) + "-";
        for (int i = 0; i < 3; ++i)
            paths[i] = std::filesystem::temp_directory_path() / (stem + std::to_string(i) + ".dxf");
    }
    void TearDown() override
    {
        for (const auto& path : paths) std::filesystem::remove(path);
        kestra::registerMarkClass();
        acrxBuildClassHierarchy();
        MarkTest::TearDown();
    }
    static void removeMarkClass() { deleteAcRxClass(acrxFindClass("VaduKestra")); }

    // Reads the drawing into a new database (the working database stays).
    AcDbDatabase* read(const std::filesystem::path& path)
    {
        auto* other = new AcDbDatabase(false);
        EXPECT_EQ(other->dxfIn(path.string().c_str()), Acad::eOk);
        acdbHostApplicationServices()->setWorkingDatabase(db);
        return other;
    }

    std::filesystem::path paths[3];
};

AcDbEntity* firstModelEntity(AcDbDatabase* database)
{
    AcDbBlockTable* table = nullptr;
    database->getBlockTable(table, AcDb::kForRead);
    AcDbBlockTableRecord* space = nullptr;
    table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
    table->close();
    AcDbBlockTableRecordIterator* it = nullptr;
    space->newIterator(it);
    AcDbEntity* entity = nullptr;
    if (!it->done()) it->getEntity(entity, AcDb::kForRead);
    delete it;
    space->close();
    return entity;
}

}  // namespace

TEST_F(MarkProxyTest, AMarkOpenedWithoutItsClassStaysAProxyAndIsWrittenBackUnchanged)
{
    VaduKestra* reference = markWithEveryField();
    append(markWithEveryField());
    ASSERT_EQ(db->dxfOut(paths[0].string().c_str()), Acad::eOk);
    const std::string written = kestraRecord(readText(paths[0]));
    ASSERT_NE(written.find("VaduKestra"), std::string::npos);

    removeMarkClass();
    AcDbDatabase* withoutClass = read(paths[0]);
    AcDbEntity* proxy = firstModelEntity(withoutClass);
    ASSERT_NE(proxy, nullptr);
    EXPECT_TRUE(proxy->isAProxy());
    proxy->close();
    ASSERT_EQ(withoutClass->dxfOut(paths[1].string().c_str()), Acad::eOk);
    delete withoutClass;
    EXPECT_EQ(kestraRecord(readText(paths[1])), written);

    kestra::registerMarkClass();
    acrxBuildClassHierarchy();
    AcDbDatabase* withClass = read(paths[1]);
    AcDbEntity* entity = firstModelEntity(withClass);
    VaduKestra* mark = VaduKestra::cast(entity);
    ASSERT_NE(mark, nullptr) << "the class is back: so is the mark";
    expectSameFiledFields(*reference, *mark);
    mark->close();
    delete withClass;
    delete reference;
}

TEST_F(MarkProxyTest, MarksOfADrawingBecomeProxiesWhenTheClassLeavesAndComeBackWithIt)
{
    VaduKestra* reference = markWithEveryField();
    const AcDbObjectId id = append(markWithEveryField());
    ASSERT_EQ(db->dxfOut(paths[0].string().c_str()), Acad::eOk);
    removeMarkClass();
    AcDbEntity* proxy = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(proxy, id, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(proxy->isAProxy());
    proxy->close();
    ASSERT_EQ(db->dxfOut(paths[1].string().c_str()), Acad::eOk);
    const std::string written = kestraRecord(readText(paths[0]));
    ASSERT_NE(written.find("VaduKestra"), std::string::npos);
    EXPECT_EQ(kestraRecord(readText(paths[1])), written);

    kestra::registerMarkClass();
    acrxBuildClassHierarchy();
    VaduKestra* mark = nullptr;
    ASSERT_EQ(acdbOpenObject(mark, id, AcDb::kForRead), Acad::eOk);
    expectSameFiledFields(*reference, *mark);
    mark->close();
    delete reference;
}
