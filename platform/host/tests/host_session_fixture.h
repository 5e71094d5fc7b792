// A host started once per test program and a fresh drawing per test, its command-line output
// collected in printed(); typed input runs through the command loop, and entities can be added
// watched by a persistent reactor object and a transient reactor.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include <unistd.h>

#include "ap/document_manager.h"
#include "dbapserv.h"
#include "dbdict.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "ed/command_processor.h"
#include "ed/console.h"
#include "ed/input.h"
#include "host.h"
#include "support/test_classes.h"

namespace hosttest {

inline std::string& printed()
{
    static std::string text;
    return text;
}

class HostSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::filesystem::path registry =
            std::filesystem::temp_directory_path() / ("kestra_host_session_" + std::to_string(::getpid()));
        std::filesystem::create_directories(registry);
        arx::host::HostOptions options;
        options.registryFolder = registry.string();
        arx::host::startHost(options);
        dbtest::registerTestClasses();
    }
    static void TearDownTestSuite() { arx::host::stopHost(); }

    void SetUp() override
    {
        arx::ap::DocumentManager::instance().newDocument();
        db = acdbHostApplicationServices()->workingDatabase();
        ASSERT_NE(db, nullptr);
        printed().clear();
        dbtest::events().clear();
        arx::ed::Console::instance().setSink([](std::string_view text) { printed().append(text); });
    }
    void TearDown() override
    {
        arx::ed::Console::instance().resetSink();
        if (auto* doc = arx::ap::DocumentManager::instance().current())
            arx::ap::DocumentManager::instance().closeDocument(doc);
    }

    // Appends the entity to the current space, watched by a persistent reactor object (kept in
    // the named objects dictionary) and by `transient`.
    AcDbObjectId addWatched(AcDbEntity* entity, AcDbObjectReactor& transient)
    {
        AcDbObjectId reactorId;
        {
            AcDbDictionary* nod = nullptr;
            EXPECT_EQ(db->getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
            auto* reactor = new DbTestReactor;
            nod->setAt(("WATCH" + std::to_string(++watchers)).c_str(), reactor, reactorId);
            reactor->close();
            nod->close();
        }
        AcDbObjectId id;
        {
            AcDbObjectPointer<AcDbBlockTableRecord> space(db->currentSpaceId(), AcDb::kForWrite);
            EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        }
        entity->addPersistentReactor(reactorId);
        entity->addReactor(&transient);
        entity->close();
        return id;
    }

    void typed(const std::string& text)
    {
        std::istringstream in(text);
        arx::ed::TypedInput input(in);
        arx::ed::InputScope scope(&input);
        arx::ed::CommandProcessor::instance().runCommandLoop();
    }

    AcDbDatabase* db = nullptr;
    int watchers = 0;
};

}  // namespace hosttest
