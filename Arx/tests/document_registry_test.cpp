#include <gtest/gtest.h>

#include "shell/document_registry.h"
#include "shell/document_registry_reactor.h"
#include "assoc/msv_editor_reactor.h"
#include "shell/kestra_module.h"
#include "shell/lisp_guard.h"

using namespace kestra;

namespace {

// Documents are only keys to the registry: distinct addresses that are never dereferenced.
char documentStorage[4];
AcApDocument* doc(int i) { return reinterpret_cast<AcApDocument*>(&documentStorage[i]); }

// A module state of its own for each test, with a registry but no host.
class ModuleStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KestraModule& module = createKestraModule();
        module.documents = std::make_unique<DocumentRegistry>(doc(0));
        registry = module.documents.get();
    }
    void TearDown() override { destroyKestraModule(); }

    DocumentRegistry* registry = nullptr;
};

}  // namespace

TEST(DocumentRegistryTest, StartsWithTheCurrentDocumentOrEmpty)
{
    DocumentRegistry registry(doc(0));
    ASSERT_EQ(registry.size(), 1u);
    ASSERT_NE(registry.current(), nullptr);
    EXPECT_EQ(registry.current()->document, doc(0));
    EXPECT_EQ(registry.current()->associationCount, -1);
    EXPECT_FALSE(registry.current()->lispEvaluating);
    EXPECT_FALSE(registry.current()->reactorsSuspended);

    DocumentRegistry empty(nullptr);
    EXPECT_EQ(empty.size(), 0u);
    EXPECT_EQ(empty.current(), nullptr);
    empty.makeCurrent(nullptr);
    EXPECT_EQ(empty.size(), 0u);
}

TEST(DocumentRegistryTest, SwitchingDocumentsCreatesEachRecordOnce)
{
    DocumentRegistry registry(doc(0));
    registry.makeCurrent(doc(1));
    DocumentState* second = registry.current();
    EXPECT_EQ(second->document, doc(1));
    registry.makeCurrent(doc(0));
    registry.makeCurrent(doc(1));
    EXPECT_EQ(registry.current(), second);  // the same record, not a new one
    EXPECT_EQ(registry.size(), 2u);
    EXPECT_EQ(registry.records()[1]->document, doc(1));  // appended at the end
}

TEST(DocumentRegistryTest, ClosingRemovesExactlyItsRecord)
{
    DocumentRegistry registry(doc(0));
    registry.makeCurrent(doc(1));
    registry.makeCurrent(doc(2));
    registry.records()[0]->associationCount = 5;

    registry.remove(doc(1));  // not the current one
    EXPECT_EQ(registry.size(), 2u);
    EXPECT_EQ(registry.current()->document, doc(2));
    EXPECT_EQ(registry.find(doc(1)), nullptr);

    registry.remove(doc(2));  // the current one: the first record becomes current
    ASSERT_NE(registry.current(), nullptr);
    EXPECT_EQ(registry.current()->document, doc(0));
    EXPECT_EQ(registry.current()->associationCount, 5);

    registry.remove(doc(3));  // unknown: nothing happens
    EXPECT_EQ(registry.size(), 1u);
    registry.remove(doc(0));
    EXPECT_EQ(registry.current(), nullptr);
    EXPECT_EQ(registry.size(), 0u);
}

TEST_F(ModuleStateTest, ReactorFollowsTheDocumentManagerNotifications)
{
    DocumentRegistryReactor reactor(*registry);
    reactor.documentCreated(doc(1));
    EXPECT_EQ(currentDocumentState()->document, doc(1));
    reactor.documentToBeActivated(doc(0));
    EXPECT_EQ(currentDocumentState()->document, doc(0));
    reactor.documentBecameCurrent(doc(2));  // not one the registry follows
    EXPECT_EQ(registry->size(), 2u);
    reactor.documentToBeDestroyed(doc(0));
    EXPECT_EQ(currentDocumentState()->document, doc(1));
    EXPECT_EQ(documentStateOf(doc(0)), nullptr);
}

TEST_F(ModuleStateTest, MissingRecordSuspendsTheReactorsButNotTheGuard)
{
    EXPECT_FALSE(reactorsSuspended());
    currentDocumentState()->reactorsSuspended = true;
    EXPECT_TRUE(reactorsSuspended());
    registry->remove(doc(0));
    EXPECT_EQ(currentDocumentState(), nullptr);
    EXPECT_TRUE(reactorsSuspended());
    EXPECT_FALSE(lispGuardRefuses("vadu_kslist"));
    LispFlagBracket nothingToSave;  // and no record to touch
}

TEST_F(ModuleStateTest, EditorReactorKeepsTheCurrentDocumentsLispFlag)
{
    MsvEditorReactor reactor;
    reactor.lispWillStart("(vadu_KsList)");
    EXPECT_TRUE(currentDocumentState()->lispEvaluating);
    reactor.lispEnded();
    EXPECT_FALSE(currentDocumentState()->lispEvaluating);
    reactor.lispWillStart("(command \"KSLIST\")");
    reactor.lispCancelled();
    EXPECT_FALSE(currentDocumentState()->lispEvaluating);

    registry->makeCurrent(doc(1));
    reactor.lispWillStart("(princ)");
    EXPECT_TRUE(documentStateOf(doc(1))->lispEvaluating);
    EXPECT_FALSE(documentStateOf(doc(0))->lispEvaluating);
}

TEST_F(ModuleStateTest, BracketRestoresTheFlagOfItsOwnDocument)
{
    currentDocumentState()->lispEvaluating = true;
    {
        LispFlagBracket bracket;
        EXPECT_FALSE(currentDocumentState()->lispEvaluating);
        registry->makeCurrent(doc(1));  // the work switched documents
    }
    EXPECT_TRUE(documentStateOf(doc(0))->lispEvaluating);
    EXPECT_FALSE(documentStateOf(doc(1))->lispEvaluating);

    {
        LispFlagBracket bracket;  // on doc(1), whose flag is clear
        currentDocumentState()->lispEvaluating = true;
    }
    EXPECT_FALSE(documentStateOf(doc(1))->lispEvaluating);

    registry->makeCurrent(doc(0));
    {
        LispFlagBracket bracket;
        registry->remove(doc(0));  // the work closed the document
    }
    EXPECT_EQ(documentStateOf(doc(0)), nullptr);
}

TEST(LispGuardTest, SorryMessageNamesTheFunction)
{
    EXPECT_EQ(sorryMessage("vadu_kslist"),
              "Sorry!\nYou must use the function \n(vadu_kslist) in an AutoLISP function.");
}
