// The ADS calls AutoLISP's entget, entmod, entmake, entdel, entlast, entnext, handent,
// tblsearch and dictsearch go through.
#include "support/db_fixture.h"
#include "support/resbuf_builders.h"

#include <cstring>

#include "acdbads_db.h"
#include "acutads.h"
#include "dbhostext.h"

using dbtest::chain;
using dbtest::DbTest;
using dbtest::point;
using dbtest::real;
using dbtest::text;

namespace {

const resbuf* find(const resbuf* list, int code)
{
    for (; list; list = list->rbnext)
        if (list->restype == code) return list;
    return nullptr;
}

}  // namespace

TEST_F(DbTest, EntGetListsTheNameTypeHeaderAndClassGroups)
{
    AcDbObjectId reactor = addReactorObject();
    AcDbObjectId id = addTestEntity(2.5);
    {
        AcDbObject* obj = nullptr;
        acdbOpenAcDbObject(obj, id, AcDb::kForWrite);
        obj->addPersistentReactor(reactor);
        obj->close();
    }
    ads_name name;
    acdbGetAdsName(name, id);
    resbuf* list = acdbEntGet(name);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->restype, -1);
    EXPECT_EQ(list->resval.rlname[0], name[0]);
    EXPECT_EQ(list->rbnext->restype, 0);
    EXPECT_STREQ(list->rbnext->resval.rstring, "DBTESTENTITY");
    // The first 330 is the persistent reactor, listed before the owner.
    const resbuf* first330 = find(list, 330);
    ASSERT_NE(first330, nullptr);
    AcDbObjectId firstRef;
    acdbGetObjectId(firstRef, first330->resval.rlname);
    EXPECT_EQ(firstRef, reactor);
    EXPECT_STREQ(find(list, 8)->resval.rstring, "0");
    EXPECT_STREQ(find(list, 410)->resval.rstring, "Model");
    EXPECT_EQ(find(list, 40)->resval.rreal, 2.5);
    char handle[20];
    id.handle().getIntoAsciiBuffer(handle);
    EXPECT_STREQ(find(list, 5)->resval.rstring, handle);
    acutRelRb(list);
    ads_name bogus = {0, 0};
    EXPECT_EQ(acdbEntGet(bogus), nullptr);
}

TEST_F(DbTest, EntModChangesWhatTheListSaysAndRefusalsChangeNothing)
{
    AcDbObjectId id = addTestEntity(1.0);
    addLayer("OTHER");
    ads_name name;
    acdbGetAdsName(name, id);
    resbuf* list = acdbEntGet(name);
    for (resbuf* rb = list; rb; rb = rb->rbnext) {
        if (rb->restype == 40) rb->resval.rreal = 7.0;
        if (rb->restype == 8) {
            free(rb->resval.rstring);
            rb->resval.rstring = strdup("OTHER");
        }
    }
    ASSERT_EQ(acdbEntMod(list), RTNORM);
    acutRelRb(list);
    EXPECT_EQ(valueOf(id), 7.0);
    DbTestEntity* ent = nullptr;
    acdbOpenObject(ent, id, AcDb::kForRead);
    char* layer = ent->layer();
    EXPECT_STREQ(layer, "OTHER");
    free(layer);
    ent->close();

    // A short list sets what it gives and keeps the rest.
    resbuf* minus1 = acutNewRb(-1);
    minus1->resval.rlname[0] = name[0];
    resbuf* partial = chain({minus1, real(40, 8.0)});
    ASSERT_EQ(acdbEntMod(partial), RTNORM);
    acutRelRb(partial);
    EXPECT_EQ(valueOf(id), 8.0);

    // A list the class refuses (a later version) leaves the entity as it was.
    minus1 = acutNewRb(-1);
    minus1->resval.rlname[0] = name[0];
    resbuf* version = acutNewRb(70);
    version->resval.rint = 99;
    resbuf* refused = chain({minus1, text(100, "AcDbEntity"), text(100, "DbTestEntity"), real(40, 1.5), version});
    EXPECT_EQ(acdbEntMod(refused), RTERROR);
    acutRelRb(refused);
    EXPECT_EQ(valueOf(id), 8.0);
    EXPECT_EQ(openState(id), 0);
}

TEST_F(DbTest, EntMakeMakesEntitiesInTheCurrentSpaceAndRecords)
{
    resbuf* list = chain({text(RTDXF0, "DBTESTENTITY"), text(8, "NEWLAYER"), text(100, "DbTestEntity"),
                          point(10, 1, 2, 3), real(40, 4.0)});
    ASSERT_EQ(acdbEntMake(list), RTNORM);
    acutRelRb(list);
    ads_name last;
    ASSERT_EQ(acdbEntLast(last), RTNORM);
    AcDbObjectId id;
    acdbGetObjectId(id, last);
    EXPECT_EQ(valueOf(id), 4.0);
    DbTestEntity* ent = nullptr;
    acdbOpenObject(ent, id, AcDb::kForRead);
    EXPECT_EQ(ent->blockId(), modelSpaceId());
    char* layer = ent->layer();
    EXPECT_STREQ(layer, "NEWLAYER") << "entmake adds a layer it does not find";
    free(layer);
    ent->close();

    resbuf* paper = acutNewRb(67);
    paper->resval.rint = 1;
    list = chain({text(0, "DBTESTENTITY"), paper, real(40, 5.0)});
    ads_name made;
    ASSERT_EQ(acdbEntMakeX(list, made), RTNORM);
    acutRelRb(list);
    acdbGetObjectId(id, made);
    acdbOpenObject(ent, id, AcDb::kForRead);
    EXPECT_EQ(ent->blockId(), paperSpaceId());
    ent->close();

    list = chain({text(0, "NOSUCHTYPE")});
    EXPECT_EQ(acdbEntMake(list), RTERROR);
    acutRelRb(list);
    resbuf* flags = acutNewRb(70);
    flags->resval.rint = 0;
    list = chain({text(0, "LAYER"), text(100, "AcDbSymbolTableRecord"), text(100, "AcDbLayerTableRecord"),
                  text(2, "MADE"), flags});
    ASSERT_EQ(acdbEntMake(list), RTNORM);
    acutRelRb(list);
    resbuf* found = acdbTblSearch("layer", "made", 0);
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(find(found, 2)->resval.rstring, "MADE");
    acutRelRb(found);
}

TEST_F(DbTest, EntDelTogglesAndEntNextWalksTheDrawing)
{
    AcDbObjectId a = addTestEntity(1.0);
    AcDbObjectId b = addTestEntity(2.0, paperSpaceId());
    AcDbObjectId c = addTestEntity(3.0);
    ads_name name;
    ASSERT_EQ(acdbEntNext(nullptr, name), RTNORM);
    AcDbObjectId id;
    acdbGetObjectId(id, name);
    EXPECT_EQ(id, a);
    ASSERT_EQ(acdbEntNext(name, name), RTNORM);
    acdbGetObjectId(id, name);
    EXPECT_EQ(id, b);
    ads_name cname;
    acdbGetAdsName(cname, c);
    ASSERT_EQ(acdbEntDel(cname), RTNORM);
    EXPECT_TRUE(c.isErased());
    ads_name last;
    ASSERT_EQ(acdbEntLast(last), RTNORM);
    acdbGetObjectId(id, last);
    EXPECT_EQ(id, b) << "entlast skips erased entities";
    EXPECT_EQ(acdbEntNext(name, name), RTERROR) << "c is erased: nothing follows b";
    ASSERT_EQ(acdbEntDel(cname), RTNORM);
    EXPECT_FALSE(c.isErased()) << "entdel of an erased entity unerases it";
    ads_name tableName;
    acdbGetAdsName(tableName, db->layerTableId());
    EXPECT_EQ(acdbEntDel(tableName), RTERROR) << "only entities";
}

TEST_F(DbTest, TableAndDictionarySearches)
{
    resbuf* layer0 = acdbTblSearch("LAYER", "0", 1);
    ASSERT_NE(layer0, nullptr);
    EXPECT_STREQ(layer0->resval.rstring, "LAYER");
    EXPECT_EQ(find(layer0, 62)->resval.rint, 7);
    EXPECT_EQ(find(layer0, 5), nullptr) << "no object header";
    acutRelRb(layer0);
    EXPECT_EQ(acdbTblNext("LAYER", 0), nullptr) << "after the last record";
    resbuf* first = acdbTblNext("ltype", 1);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(find(first, 2)->resval.rstring, "ByBlock");
    acutRelRb(first);
    EXPECT_EQ(acdbTblSearch("NOTABLE", "0", 0), nullptr);
    resbuf* block = acdbTblSearch("BLOCK", "*Model_Space", 0);
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(block->resval.rstring, "BLOCK");
    acutRelRb(block);

    ads_name nod;
    ASSERT_EQ(acdbNamedObjDict(nod), RTNORM);
    resbuf* layouts = acdbDictSearch(nod, "acad_layout", 0);
    ASSERT_NE(layouts, nullptr);
    EXPECT_STREQ(find(layouts, 0)->resval.rstring, "DICTIONARY");
    acutRelRb(layouts);
    resbuf* entry = acdbDictNext(nod, 1);
    ASSERT_NE(entry, nullptr);
    acutRelRb(entry);
    ads_name layerName;
    ASSERT_EQ(acdbTblObjName("LAYER", "0", layerName), RTNORM);
    AcDbObjectId id;
    acdbGetObjectId(id, layerName);
    EXPECT_EQ(id, db->clayer());
}

TEST_F(DbTest, NamesOfAnotherDrawingAreRefused)
{
    AcDbDatabase other;
    ads_name foreign;
    acdbGetAdsName(foreign, other.layerTableId());
    EXPECT_EQ(acdbEntGet(foreign), nullptr);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    ads_name name;
    EXPECT_EQ(acdbEntLast(name), RTERROR);
    EXPECT_EQ(acdbHandEnt("1", name), RTERROR);
    acdbHostApplicationServices()->setWorkingDatabase(db);
}

TEST(SymbolNames, ValidityFollowsTheHostsRules)
{
    EXPECT_EQ(acdbSNValid("WALLS", 0), RTNORM);
    EXPECT_EQ(acdbSNValid("a b-c_d$", 0), RTNORM);
    EXPECT_EQ(acdbSNValid("", 0), RTERROR);
    EXPECT_EQ(acdbSNValid("a<b", 0), RTERROR);
    EXPECT_EQ(acdbSNValid("x|y", 0), RTERROR);
    EXPECT_EQ(acdbSNValid("x|y", 1), RTNORM);
}
