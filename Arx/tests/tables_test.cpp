#include <gtest/gtest.h>

#include <set>
#include <string>
#include <strings.h>

#include "shell/command_table.h"
#include "shell/demand_load.h"
#include "shell/lisp_function_table.h"

using namespace kestra;

namespace {

const CommandEntry* command(const char* name)
{
    for (const CommandEntry& entry : commandTable())
        if (std::string(entry.name) == name) return &entry;
    return nullptr;
}

}  // namespace

TEST(CommandTableTest, NamesAreUniqueAndAliasesRunTheSameHandler)
{
    std::set<std::string> names;
    for (const CommandEntry& entry : commandTable()) {
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
        EXPECT_NE(entry.handler, nullptr) << entry.name;
    }
    const std::pair<const char*, const char*> aliases[] = {
        {"KSMAKE", "KS1"},     {"KSREFRESH", "KS2"}, {"KSSCALE", "KS3"},    {"KSPLAN", "KS4"},    {"KSUCS", "KS5"},
        {"KSVIEWUCS", "KS6"},  {"KSMENU", "KS7"},    {"KSLIST", "KS8"},     {"KSVERSION", "KS9"}, {"KSHELP", "KS?"},
        {"KSUNLOAD", "KS999"}, {"KSGOTO", "KS10"},   {"KSOPTIONS", "KS11"}, {"KSREPAIR", "KS12"},
    };
    for (const auto& [main, alias] : aliases) {
        ASSERT_TRUE(command(main) && command(alias)) << main;
        EXPECT_EQ(command(main)->handler, command(alias)->handler) << alias;
        EXPECT_EQ(command(main)->flags, command(alias)->flags) << alias;
    }
    EXPECT_NE(command("KSMENU?")->handler, command("KSMENU")->handler);
}

TEST(CommandTableTest, OnlyCommandsThatPickMarksUseThePickFirstSet)
{
    const std::set<std::string> pickers = {"KSMAKE", "KS1", "KSSCALE",   "KS3", "KSPLAN", "KS4",
                                           "KSUCS",  "KS5", "KSVIEWUCS", "KS6", "KSGOTO", "KS10"};
    for (const CommandEntry& entry : commandTable())
        EXPECT_EQ(entry.flags, pickers.count(entry.name) ? ACRX_CMD_USEPICKSET : ACRX_CMD_MODAL) << entry.name;
    EXPECT_STREQ(commandTable().front().name, "KSMAKE");
    EXPECT_STREQ(commandTable().back().name, "KSUPDATE");
}

TEST(CommandTableTest, EveryDescribedCommandIsRegistered)
{
    const auto& described = describedCommandNames();
    std::set<std::string> distinct;
    int ksListCount = 0;
    for (const char* name : described) {
        EXPECT_NE(command(name), nullptr) << name;
        distinct.insert(name);
        if (std::string(name) == "KSLIST") ++ksListCount;
    }
    EXPECT_EQ(ksListCount, 2);
    EXPECT_EQ(distinct.size(), 27u);
}

TEST(LispFunctionTableTest, NamesAreDistinctForAutoLisp)
{
    std::set<std::string> folded;
    for (const LispFunctionEntry& entry : lispFunctionTable()) {
        std::string name = entry.name;
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(folded.insert(name).second) << entry.name;  // AutoLISP ignores case
        EXPECT_EQ(name.rfind("vadu_", 0) == 0 || name == "aidetopicmsv", true) << entry.name;
        EXPECT_NE(entry.function, nullptr);
    }
    // Codes that other parts of the product call by number.
    EXPECT_STREQ(lispFunctionTable()[4].name, "vadu_KsMake");
    EXPECT_STREQ(lispFunctionTable()[22].name, "vadu_kestra_aerial_view_enabled");
    EXPECT_STREQ(lispFunctionTable()[26].name, "vadu_KestraLoadCtrls");
    EXPECT_STREQ(lispFunctionTable()[27].name, "vadu_KSRepair");
}
