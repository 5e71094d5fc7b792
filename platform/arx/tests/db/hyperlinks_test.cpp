// Hyperlinks of entities through AcDbEntityHyperlinkPE: the extended data they are kept in,
// replacement, the collection's editing calls, and hyperlinks that travel with a copy.
#include "support/db_fixture.h"

#include <cstring>
#include <memory>

#include "acdbads_db.h"
#include "acutads.h"
#include "dbhyper.h"
#include "dbidmap.h"
#include "dbxrecrd.h"

using dbtest::DbTest;

namespace {

std::vector<std::string> groupsOf(const resbuf* rb)
{
    std::vector<std::string> out;
    for (; rb; rb = rb->rbnext) out.push_back(std::to_string(rb->restype) + ' ' + rb->resval.rstring);
    return out;
}

std::vector<std::string> extendedData(AcDbObjectId id, const char* app)
{
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk) return {"not opened"};
    resbuf* chain = obj->xData(app);
    std::vector<std::string> groups = groupsOf(chain);
    acutRelRb(chain);
    obj->close();
    return groups;
}

AcDbEntityHyperlinkPE* protocolOf(const AcRxObject* obj) { return ACRX_PE_PTR(obj, AcDbEntityHyperlinkPE); }

// "address|description|sub-location" for each hyperlink of the entity.
std::vector<std::string> linksOf(AcDbObjectId id, bool oneOnly = false)
{
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk) return {"not opened"};
    AcDbHyperlinkCollection* raw = nullptr;
    const Acad::ErrorStatus es = protocolOf(obj)->getHyperlinkCollection(obj, raw, oneOnly);
    obj->close();
    std::unique_ptr<AcDbHyperlinkCollection> links(raw);
    if (es != Acad::eOk || !links) return {"status " + std::to_string(es)};
    std::vector<std::string> out;
    for (int i = 0; i < links->count(); ++i) {
        const AcDbHyperlink* link = links->item(i);
        out.push_back(std::string(link->name()) + '|' + link->description() + '|' + link->subLocation());
    }
    return out;
}

Acad::ErrorStatus setLinks(AcDbObjectId id, const AcDbHyperlinkCollection* links)
{
    AcDbObject* obj = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(obj, id, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    es = protocolOf(obj)->setHyperlinkCollection(obj, links);
    obj->close();
    return es;
}

// An empty collection to fill, made the way a module gets one: from an entity without links.
std::unique_ptr<AcDbHyperlinkCollection> emptyCollection(AcDbObjectId id)
{
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk) return nullptr;
    AcDbHyperlinkCollection* raw = nullptr;
    protocolOf(obj)->getHyperlinkCollection(obj, raw);
    obj->close();
    return std::unique_ptr<AcDbHyperlinkCollection>(raw);
}

}  // namespace

TEST_F(DbTest, HyperlinksAreKeptInTheExtendedDataOfPeUrl)
{
    AcDbObjectId id = addTestEntity();
    auto links = emptyCollection(id);
    ASSERT_TRUE(links);
    EXPECT_EQ(links->count(), 0);
    links->addTail("Layout1", "");
    links->addTail("http://example.org/a", "The sheet", "part 2");
    links->addTail("plan.dxf", nullptr, "View3");
    ASSERT_EQ(setLinks(id, links.get()), Acad::eOk) << "PE_URL is registered on the way";

    EXPECT_EQ(extendedData(id, "PE_URL"),
              (std::vector<std::string>{"1001 PE_URL", "1000 Layout1", "1000 http://example.org/a", "1002 {",
                                        "1000 The sheet", "1000 part 2", "1002 }", "1000 plan.dxf", "1002 {", "1000 ",
                                        "1000 View3", "1002 }"}));
    EXPECT_EQ(linksOf(id),
              (std::vector<std::string>{"Layout1||", "http://example.org/a|The sheet|part 2", "plan.dxf||View3"}));
    EXPECT_EQ(linksOf(id, true), (std::vector<std::string>{"Layout1||"}));

    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eOk);
    unsigned int count = 0;
    bool has = false;
    EXPECT_EQ(protocolOf(obj)->getHyperlinkCount(obj, count), Acad::eOk);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(protocolOf(obj)->hasHyperlink(obj, has), Acad::eOk);
    EXPECT_TRUE(has);
    EXPECT_EQ(protocolOf(obj)->setHyperlinkCollection(obj, links.get()), Acad::eNotOpenForWrite)
        << "an entity open for read is not changed";
    obj->close();

    // Through a container path, the last id being the entity.
    AcDbObjectIdArray path;
    path.append(id);
    const AcDbObjectIdArray* pathPtr = &path;
    AcDbEntityHyperlinkPE* pe =
        static_cast<AcDbEntityHyperlinkPE*>(AcDbEntity::desc()->getX(AcDbEntityHyperlinkPE::desc()));
    ASSERT_NE(pe, nullptr);
    EXPECT_EQ(pe->getHyperlinkCount(pathPtr, count), Acad::eOk);
    EXPECT_EQ(count, 3u);
    AcDbObjectIdArray none;
    const AcDbObjectIdArray* nonePtr = &none;
    EXPECT_EQ(pe->hasHyperlink(nonePtr, has), Acad::eInvalidInput);
    EXPECT_FALSE(has);
    EXPECT_EQ(openState(id), 0) << "the path form closes what it opened";
}

TEST_F(DbTest, SettingHyperlinksReplacesThemAndKeepsOtherApplications)
{
    AcDbObjectId id = addTestEntity();
    ASSERT_EQ(acdbRegApp("OTHER"), RTNORM);
    {
        AcDbObject* obj = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForWrite), Acad::eOk);
        resbuf* other = acutBuildList(1001, "OTHER", 1000, "kept", 0);
        ASSERT_EQ(obj->setXData(other), Acad::eOk);
        acutRelRb(other);
        obj->close();
    }
    auto links = emptyCollection(id);
    links->addTail("first", "");
    links->addTail("second", "");
    ASSERT_EQ(setLinks(id, links.get()), Acad::eOk);
    links->removeHead();
    links->addHead("zero", "desc");
    ASSERT_EQ(setLinks(id, links.get()), Acad::eOk);
    EXPECT_EQ(linksOf(id), (std::vector<std::string>{"zero|desc|", "second||"}));

    // No hyperlinks (an empty or a null collection) removes PE_URL's data and nothing else.
    auto empty = emptyCollection(addTestEntity());
    ASSERT_EQ(setLinks(id, empty.get()), Acad::eOk);
    EXPECT_TRUE(linksOf(id).empty());
    EXPECT_TRUE(extendedData(id, "PE_URL").empty());
    ASSERT_EQ(setLinks(id, links.get()), Acad::eOk);
    ASSERT_EQ(setLinks(id, nullptr), Acad::eOk);
    EXPECT_TRUE(extendedData(id, "PE_URL").empty());
    EXPECT_EQ(extendedData(id, "OTHER"), (std::vector<std::string>{"1001 OTHER", "1000 kept"}));

    // Hyperlink data written by another program with extra groups inside the braces is read,
    // its first two texts being the description and the sub-location.
    {
        AcDbObject* obj = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForWrite), Acad::eOk);
        resbuf* foreign = acutBuildList(1001, "PE_URL", 1000, "a.dxf", 1002, "{", 1070, 1, 1000, "Desc", 1000, "Sub",
                                        1000, "extra", 1002, "}", 1000, "b.dxf", 0);
        ASSERT_EQ(obj->setXData(foreign), Acad::eOk);
        acutRelRb(foreign);
        obj->close();
    }
    EXPECT_EQ(linksOf(id), (std::vector<std::string>{"a.dxf|Desc|Sub", "b.dxf||"}));
}

TEST(HyperlinkCollection, EditingCallsAndDisplayString)
{
    dbtest::registerTestClasses();
    AcDbDatabase db;
    auto* ent = new DbTestEntity();
    AcDbHyperlinkCollection* raw = nullptr;
    ASSERT_EQ(protocolOf(ent)->getHyperlinkCollection(ent, raw), Acad::eOk);
    std::unique_ptr<AcDbHyperlinkCollection> links(raw);
    delete ent;
    links->addAt(5, "c", "");   // past the end: appended
    links->addAt(-2, "a", "");  // before the start: first
    links->addAt(1, "b", "");
    ASSERT_EQ(links->count(), 3);
    EXPECT_STREQ(links->item(0)->name(), "a");
    EXPECT_STREQ(links->item(1)->name(), "b");
    EXPECT_STREQ(links->item(2)->name(), "c");
    EXPECT_EQ(links->item(3), nullptr);
    EXPECT_EQ(links->item(-1), nullptr);
    links->removeAt(7);
    links->removeTail();
    EXPECT_EQ(links->count(), 2);

    AcDbHyperlink* link = links->item(1);
    EXPECT_STREQ(link->getDisplayString(), "b");
    link->setSubLocation("Layout2");
    EXPECT_STREQ(link->getDisplayString(), "b#Layout2");
    link->setDescription("Sheet two");
    EXPECT_STREQ(link->getDisplayString(), "Sheet two");
    link->setName(nullptr);
    EXPECT_STREQ(link->name(), "");
    EXPECT_TRUE(link->isOutermostContainer());
    EXPECT_EQ(link->getNestedLevel(), 0);

    // Objects that are not entities have no hyperlink protocol.
    AcDbXrecord record;
    EXPECT_EQ(protocolOf(&record), nullptr);
}

TEST_F(DbTest, HyperlinksTravelWithACopyIntoAnotherDrawing)
{
    AcDbObjectId id = addTestEntity();
    auto links = emptyCollection(id);
    links->addTail("Layout1", "sheet");
    ASSERT_EQ(setLinks(id, links.get()), Acad::eOk);

    AcDbDatabase dest;
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(dest.getBlockTable(table, AcDb::kForRead), Acad::eOk);
    AcDbObjectId destModel;
    table->getAt(ACDB_MODEL_SPACE, destModel);
    table->close();
    AcDbObjectIdArray ids;
    ids.append(id);
    AcDbIdMapping map;
    ASSERT_EQ(db->wblockCloneObjects(ids, destModel, map, AcDb::kDrcIgnore), Acad::eOk);
    AcDbIdPair pair(id, AcDbObjectId(), false);
    ASSERT_TRUE(map.compute(pair));
    EXPECT_EQ(linksOf(pair.value()), (std::vector<std::string>{"Layout1|sheet|"}));

    AcDbRegAppTable* apps = nullptr;
    ASSERT_EQ(dest.getRegAppTable(apps, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(apps->has("PE_URL")) << "the copy's application is registered in its new drawing";
    apps->close();
}
