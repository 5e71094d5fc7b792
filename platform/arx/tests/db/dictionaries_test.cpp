// Dictionaries, xrecords and extension dictionaries.
#include "support/db_fixture.h"

#include <cstring>

#include "acutads.h"
#include "dbdict.h"
#include "dbxrecrd.h"

using dbtest::DbTest;

namespace {

resbuf* item(int code)
{
    resbuf* rb = acutNewRb(code);
    return rb;
}

resbuf* textItem(int code, const char* text)
{
    resbuf* rb = acutNewRb(code);
    rb->resval.rstring = strdup(text);
    return rb;
}

}  // namespace

TEST_F(DbTest, DictionarySetAtReplacesAndErasesTheOldEntry)
{
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db->getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    auto* first = new AcDbXrecord();
    AcDbObjectId firstId;
    ASSERT_EQ(nod->setAt("VADU_KESTRA", first, firstId), Acad::eOk);
    EXPECT_EQ(first->ownerId(), nod->objectId());
    first->close();
    auto* second = new AcDbXrecord();
    AcDbObjectId secondId;
    ASSERT_EQ(nod->setAt("vadu_kestra", second, secondId), Acad::eOk);
    second->close();
    AcDbObjectId found;
    ASSERT_EQ(nod->getAt("VADU_KESTRA", found), Acad::eOk);
    EXPECT_EQ(found, secondId);
    EXPECT_TRUE(firstId.isErased()) << "the replaced entry is erased";
    char* name = nullptr;
    ASSERT_EQ(nod->nameAt(secondId, name), Acad::eOk);
    EXPECT_STREQ(name, "VADU_KESTRA") << "the key keeps the case it was first given";
    delete[] name;

    AcDbObjectId removed;
    ASSERT_EQ(nod->remove("VADU_KESTRA", removed), Acad::eOk);
    EXPECT_EQ(removed, secondId);
    EXPECT_FALSE(removed.isErased()) << "removing unlinks, it does not erase";
    EXPECT_EQ(nod->remove("VADU_KESTRA"), Acad::eKeyNotFound);
    EXPECT_EQ(nod->getAt("VADU_KESTRA", found), Acad::eKeyNotFound);
    nod->close();
}

TEST_F(DbTest, DictionaryIteratesSortedOrInInsertionOrderAndSkipsErased)
{
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db->getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    auto* dict = new AcDbDictionary();
    AcDbObjectId dictId;
    nod->setAt("TEST_DICT", dict, dictId);
    nod->close();
    std::vector<AcDbObjectId> ids;
    for (const char* key : {"b", "C", "a"}) {
        auto* x = new AcDbXrecord();
        AcDbObjectId id;
        dict->setAt(key, x, id);
        ids.push_back(id);
        x->close();
    }
    AcDbObject* erased = nullptr;
    dict->close();
    ASSERT_EQ(acdbOpenAcDbObject(erased, ids[0], AcDb::kForWrite), Acad::eOk);
    erased->erase();
    erased->close();
    ASSERT_EQ(acdbOpenObject(dict, dictId, AcDb::kForRead), Acad::eOk);
    auto keys = [&](AcRx::DictIterType type) {
        std::string joined;
        AcDbDictionaryIterator* it = dict->newIterator(type);
        for (; !it->done(); it->next()) joined += it->name();
        delete it;
        return joined;
    };
    EXPECT_EQ(keys(AcRx::kDictSorted), "aC");
    EXPECT_EQ(keys(AcRx::kDictCollated), "Ca");
    EXPECT_EQ(dict->numEntries(), 2u);
    dict->close();
}

TEST_F(DbTest, ErasingADictionaryErasesWhatItOwns)
{
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db->getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    auto* dict = new AcDbDictionary();
    AcDbObjectId dictId;
    nod->setAt("STORE", dict, dictId);
    auto* x = new AcDbXrecord();
    AcDbObjectId xid;
    dict->setAt("INDEX", x, xid);
    x->close();
    dict->erase();
    dict->close();
    nod->close();
    EXPECT_TRUE(xid.isErased());
}

TEST_F(DbTest, XrecordHoldsEveryGroupTypeAndGivesACopy)
{
    AcDbObjectId target = addTestEntity();
    resbuf* head = textItem(1, "2A");
    resbuf* tail = head;
    auto append = [&](resbuf* rb) {
        tail->rbnext = rb;
        tail = rb;
    };
    resbuf* p = item(10);
    p->resval.rpoint[0] = 1;
    p->resval.rpoint[1] = 2;
    p->resval.rpoint[2] = 3;
    append(p);
    resbuf* r = item(40);
    r->resval.rreal = 2.5;
    append(r);
    resbuf* s = item(70);
    s->resval.rint = -3;
    append(s);
    resbuf* l = item(90);
    l->resval.rlong = 100000;
    append(l);
    resbuf* name = item(330);
    acdbGetAdsName(name->resval.rlname, target);
    append(name);
    resbuf* bin = item(310);
    bin->resval.rbinary.clen = 3;
    bin->resval.rbinary.buf = static_cast<char*>(malloc(3));
    std::memcpy(bin->resval.rbinary.buf, "\x01\x02\x03", 3);
    append(bin);
    append(textItem(300, "comment"));

    auto* xrec = new AcDbXrecord();
    ASSERT_EQ(xrec->setFromRbChain(*head), Acad::eOk);
    acutRelRb(head);
    resbuf* copy = nullptr;
    ASSERT_EQ(xrec->rbChain(&copy), Acad::eOk);
    std::vector<int> codes;
    for (resbuf* rb = copy; rb; rb = rb->rbnext) codes.push_back(rb->restype);
    EXPECT_EQ(codes, (std::vector<int>{1, 10, 40, 70, 90, 330, 310, 300}));
    EXPECT_STREQ(copy->resval.rstring, "2A");
    EXPECT_EQ(copy->rbnext->resval.rpoint[2], 3.0);
    EXPECT_EQ(copy->rbnext->rbnext->rbnext->resval.rint, -3);
    AcDbObjectId back;
    resbuf* n = copy->rbnext->rbnext->rbnext->rbnext->rbnext;
    acdbGetObjectId(back, n->resval.rlname);
    EXPECT_EQ(back, target);
    EXPECT_EQ(n->rbnext->resval.rbinary.clen, 3);
    acutRelRb(copy);

    // A group an xrecord cannot hold leaves the data as it was.
    resbuf* bad = textItem(1001, "ACAD");
    EXPECT_EQ(xrec->setFromRbChain(*bad), Acad::eInvalidInput);
    acutRelRb(bad);
    resbuf* still = nullptr;
    xrec->rbChain(&still);
    ASSERT_NE(still, nullptr);
    EXPECT_EQ(still->restype, 1);
    acutRelRb(still);
    delete xrec;

    auto* empty = new AcDbXrecord();
    resbuf* none = reinterpret_cast<resbuf*>(1);
    ASSERT_EQ(empty->rbChain(&none), Acad::eOk);
    EXPECT_EQ(none, nullptr) << "an empty record gives no chain";
    delete empty;
}

TEST_F(DbTest, ExtensionDictionaryIsCreatedOnceAndReleasedWhenEmpty)
{
    AcDbObjectId id = addTestEntity();
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(obj->createExtensionDictionary(), Acad::eOk);
    AcDbObjectId dictId = obj->extensionDictionary();
    ASSERT_FALSE(dictId.isNull());
    EXPECT_EQ(obj->createExtensionDictionary(), Acad::eAlreadyInDb);
    AcDbDictionary* dict = nullptr;
    ASSERT_EQ(acdbOpenObject(dict, dictId, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(dict->ownerId(), id);
    auto* x = new AcDbXrecord();
    AcDbObjectId xid;
    dict->setAt("VADU_KESTRAHANDLE", x, xid);
    x->close();
    dict->close();
    EXPECT_EQ(obj->releaseExtensionDictionary(), Acad::eContainerNotEmpty);
    // Erasing the object erases its extension dictionary; unerasing brings it back.
    obj->erase();
    EXPECT_TRUE(dictId.isErased());
    EXPECT_TRUE(xid.isErased());
    obj->erase(false);
    EXPECT_FALSE(dictId.isErased());
    obj->close();
}
