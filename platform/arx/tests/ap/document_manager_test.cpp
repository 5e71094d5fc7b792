// The document manager as the host drives it: NEW makes a document current, an OPEN that
// fails leaves the documents and the current one as they were, closing the current document
// makes another current, a document held by something running in it closes once let go,
// and its reactors hear each step in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ap/document_manager.h"
#include "dbmain.h"

namespace {

using arx::ap::Document;
using arx::ap::DocumentManager;

class Log : public AcApDocManagerReactor {
public:
    std::vector<std::string> events;
    void documentCreated(AcApDocument* doc) override { events.push_back(std::string("created ") + doc->docTitle()); }
    void documentToBeDestroyed(AcApDocument* doc) override
    {
        events.push_back(std::string("destroying ") + doc->docTitle());
    }
    void documentBecameCurrent(AcApDocument* doc) override
    {
        events.push_back(std::string("current ") + doc->docTitle());
    }
};

// Holds one document while `held` names it, as an evaluation running in it does.
class Holder : public arx::ap::DocumentListener {
public:
    const Document* held = nullptr;
    bool holdsDocument(const Document& doc) const override { return &doc == held; }
};

Holder& holder()
{
    static Holder instance;  // the manager keeps its listeners for the whole process
    static bool added = false;
    if (!added) DocumentManager::instance().addListener(&instance);
    added = true;
    return instance;
}

class DocumentManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        arx::ap::DatabaseHooks hooks;
        hooks.createEmpty = [] { return new AcDbDatabase(true, true); };
        hooks.open = [](const std::string& path, std::string& error) -> AcDbDatabase* {
            if (path == "readable.dxf") return new AcDbDatabase(true, true);
            error = "Cannot open the drawing " + path + ".";
            return nullptr;
        };
        hooks.release = [](AcDbDatabase* db) { delete db; };
        manager.setDatabaseHooks(std::move(hooks));
        manager.addReactor(&log);
    }
    void TearDown() override
    {
        holder().held = nullptr;
        manager.closeAll();
        manager.removeReactor(&log);
    }

    DocumentManager& manager = DocumentManager::instance();
    Log log;
};

}  // namespace

TEST_F(DocumentManagerTest, NewAndOpenMakeTheirDocumentCurrentAndARefusedOpenChangesNothing)
{
    Document* first = manager.newDocument();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(manager.current(), first);
    EXPECT_NE(first->database(), nullptr);
    std::string error;
    Document* opened = manager.openDocument("readable.dxf", error);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(manager.current(), opened);
    EXPECT_STREQ(opened->fileName(), "readable.dxf");
    EXPECT_EQ(manager.documentCount(), 2);

    EXPECT_EQ(manager.openDocument("broken.dxf", error), nullptr);
    EXPECT_EQ(error, "Cannot open the drawing broken.dxf.");
    EXPECT_EQ(manager.documentCount(), 2);
    EXPECT_EQ(manager.current(), opened);
    EXPECT_EQ(manager.document(opened->database()), opened);
}

TEST_F(DocumentManagerTest, ClosingTheCurrentDocumentMakesAnotherCurrentAndTellsTheReactors)
{
    Document* first = manager.newDocument();
    Document* second = manager.newDocument();
    const std::string firstTitle = first->docTitle(), secondTitle = second->docTitle();
    EXPECT_NE(firstTitle, secondTitle);
    log.events.clear();
    manager.closeDocument(second);
    EXPECT_EQ(manager.documentCount(), 1);
    EXPECT_EQ(manager.current(), first);
    ASSERT_FALSE(log.events.empty());
    EXPECT_EQ(log.events.front(), "destroying " + secondTitle);
    EXPECT_EQ(log.events.back(), "current " + firstTitle);
}

TEST_F(DocumentManagerTest, ADocumentHeldByWhatRunsInItClosesOnceLetGo)
{
    Document* first = manager.newDocument();
    Document* second = manager.newDocument();
    holder().held = second;
    manager.closeDocument(second);
    EXPECT_EQ(manager.documentCount(), 2);  // still there: an evaluation runs in it
    manager.closeDeferredDocuments();
    EXPECT_EQ(manager.documentCount(), 2);
    holder().held = nullptr;
    manager.closeDeferredDocuments();
    EXPECT_EQ(manager.documentCount(), 1);
    EXPECT_EQ(manager.current(), first);
}

TEST_F(DocumentManagerTest, TheResourceStackPopsWhatWasPushedAndNoMore)
{
    const std::size_t depth = manager.resourceStack().size();
    int resource = 0;
    manager.pushResourceHandle(reinterpret_cast<HINSTANCE>(&resource));
    manager.pushAcadResourceHandle();
    ASSERT_EQ(manager.resourceStack().size(), depth + 2);
    EXPECT_EQ(manager.resourceStack().back(), nullptr);
    manager.popResourceHandle();
    EXPECT_EQ(manager.resourceStack().back(), reinterpret_cast<HINSTANCE>(&resource));
    manager.popResourceHandle();
    EXPECT_EQ(manager.resourceStack().size(), depth);
    for (std::size_t i = 0; i <= depth; ++i) manager.popResourceHandle();  // one more than there is
    EXPECT_TRUE(manager.resourceStack().empty());
}
