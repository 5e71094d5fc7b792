// External functions through fake module hooks: definition, dispatch, the argument types a
// module receives, each result call, failures and acdbFail, and the symbol calls.
#include <functional>
#include <map>
#include <vector>

#include "adslib.h"
#include "lisp_test_support.h"

namespace arx::lisp::testing {
namespace {

// "SHORT 5", "POINT 1 2", "LB", ... one word per buffer.
std::string describe(const resbuf* chain)
{
    std::string out;
    auto number = [](double v) { return formatReal(v); };
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        if (!out.empty()) out += ", ";
        switch (rb->restype) {
        case RTSHORT: out += "SHORT " + std::to_string(rb->resval.rint); break;
        case RTLONG: out += "LONG " + std::to_string(rb->resval.rlong); break;
        case RTREAL: out += "REAL " + number(rb->resval.rreal); break;
        case RTSTR: out += "STR " + std::string(rb->resval.rstring); break;
        case RTPOINT: out += "POINT " + number(rb->resval.rpoint[0]) + " " + number(rb->resval.rpoint[1]); break;
        case RT3DPOINT:
            out += "3DPOINT " + number(rb->resval.rpoint[0]) + " " + number(rb->resval.rpoint[1]) + " " +
                   number(rb->resval.rpoint[2]);
            break;
        case RTENAME: out += "ENAME " + std::to_string(rb->resval.rlname[0]); break;
        case RTPICKS: out += "PICKS " + std::to_string(rb->resval.rlname[0]); break;
        case RTLB: out += "LB"; break;
        case RTLE: out += "LE"; break;
        case RTDOTE: out += "DOTE"; break;
        case RTNIL: out += "NIL"; break;
        case RTT: out += "T"; break;
        case RTVOID: out += "VOID"; break;
        default: out += "TYPE " + std::to_string(rb->restype);
        }
    }
    return out;
}

class ExternalFunctions : public LispTest {
protected:
    void SetUp() override
    {
        LispTest::SetUp();
        setModuleHooks([this] { return calling; },
                       [this](ModuleId module, int code) {
                           invoked.emplace_back(module, code);
                           EXPECT_EQ(acedGetFunCode(), code);
                           auto body = bodies.find(code);
                           return body == bodies.end() ? RTNORM : body->second();
                       });
    }

    // Defines name under code for the module currently "calling", with its body.
    void define(const char* name, int code, std::function<int()> body)
    {
        ASSERT_EQ(acedDefun(name, code), RTNORM);
        bodies[code] = std::move(body);
    }

    int moduleA = 0;
    int moduleB = 0;
    ModuleId calling = &moduleA;
    std::map<int, std::function<int()>> bodies;
    std::vector<std::pair<ModuleId, int>> invoked;
};

TEST_F(ExternalFunctions, DispatchToTheDefiningModuleWithTheFunctionCode)
{
    define("vadu_KsList", 11, [] { return RTNORM; });
    calling = &moduleB;
    define("other_fn", 3, [] { return RTNORM; });
    calling = nullptr;  // the calls come later, from AutoLISP

    EXPECT_EQ(show("(type vadu_kslist)"), "EXRXSUBR");
    std::string printed = show("vadu_KsList");
    EXPECT_EQ(printed.substr(0, 12), "#<EXRXSUBR @");
    EXPECT_EQ(printed.substr(printed.size() - 13), " VADU_KSLIST>");
    eval("(VADU_KSLIST)");
    eval("(other_fn)");
    ASSERT_EQ(invoked.size(), 2u);
    EXPECT_EQ(invoked[0], std::make_pair(static_cast<ModuleId>(&moduleA), 11));
    EXPECT_EQ(invoked[1], std::make_pair(static_cast<ModuleId>(&moduleB), 3));
}

TEST_F(ExternalFunctions, ArgumentsArriveWithTheHostsTypes)
{
    std::string received;
    define("probe", 1, [&] {
        resbuf* args = acedGetArgs();
        received = describe(args);
        acutRelRb(args);
        return RTNORM;
    });
    long entity[2] = {77, 0};
    long selection[2] = {5, 0};
    lisp.setValue("ent", makeEntityName(entity));
    lisp.setValue("ss", makeSelectionSet(selection));

    eval("(probe 5 100000 -40000 32767 -32768 1.5 \"s\")");
    EXPECT_EQ(received, "SHORT 5, LONG 100000, LONG -40000, SHORT 32767, SHORT -32768, REAL 1.5, STR s");
    eval("(probe '(1 2) '(1 2.5 3) '(1 . 2) t nil 'sym ent ss)");
    EXPECT_EQ(received, "POINT 1.0 2.0, 3DPOINT 1.0 2.5 3.0, LB, SHORT 1, DOTE, SHORT 2, LE, T, NIL, STR SYM, "
                        "ENAME 77, PICKS 5");
    eval("(probe '((1 2) \"a\" (3 (4 5 6 7)) (8 . \"x\") (1 2 . 3)))");
    EXPECT_EQ(received, "LB, POINT 1.0 2.0, STR a, LB, SHORT 3, LB, SHORT 4, SHORT 5, SHORT 6, SHORT 7, LE, LE, "
                        "LB, SHORT 8, DOTE, STR x, LE, LB, SHORT 1, SHORT 2, DOTE, SHORT 3, LE, LE");
    eval("(probe)");
    EXPECT_EQ(received, "");
    // Each acedGetArgs hands out a fresh chain.
    define("twice", 2, [&] {
        resbuf* first = acedGetArgs();
        resbuf* second = acedGetArgs();
        EXPECT_NE(first, second);
        EXPECT_NE(first->resval.rstring, second->resval.rstring);
        acutRelRb(first);
        acutRelRb(second);
        return RTNORM;
    });
    eval("(twice \"text\")");
}

TEST_F(ExternalFunctions, AFunctionArgumentHasNoBufferFormAndTheCallDoesNotHappen)
{
    define("probe", 1, [] { return RTNORM; });
    std::string message = errorOf("(probe car)");
    EXPECT_EQ(message.substr(0, 27), "bad argument type: #<SUBR @");
    EXPECT_TRUE(invoked.empty());
}

TEST_F(ExternalFunctions, EachResultCallGivesItsValue)
{
    ads_point pt = {1.0, 2.0, 3.0};
    ads_name name = {0x7ef5a3c8, 0};
    std::map<int, std::function<int()>> results = {
        {0, [] { return acedRetInt(-7); }},
        {1, [] { return acedRetReal(2.5); }},
        {2, [] { return acedRetStr("15.06.04.05 2004/03/04"); }},
        {3, [&] { return acedRetPoint(pt); }},
        {4, [&] { return acedRetName(name, RTENAME); }},
        {5, [&] { return acedRetName(name, RTPICKS); }},
        {6, [] { return acedRetT(); }},
        {7, [] { return acedRetNil(); }},
        {8, [] { return acedRetVoid(); }},
    };
    std::vector<std::string> expected = {"-7",
                                         "2.5",
                                         "\"15.06.04.05 2004/03/04\"",
                                         "(1.0 2.0 3.0)",
                                         "<Entity name: 7ef5a3c8>",
                                         "<Selection set: 7ef5a3c8>",
                                         "T",
                                         "nil",
                                         ""};
    for (auto& result : results) {
        // Named copies rather than a structured binding: clang before 16 cannot capture those.
        const int code = result.first;
        auto& body = result.second;
        std::string fn = "result" + std::to_string(code);
        define(fn.c_str(), code, [&body, code] {
            EXPECT_EQ(body(), RTNORM) << code;
            return RTNORM;
        });
        EXPECT_EQ(show("(" + fn + ")"), expected[static_cast<std::size_t>(code)]) << code;
    }
    EXPECT_EQ(acedRetName(name, RTSTR), RTERROR);  // outside a call anyway
}

TEST_F(ExternalFunctions, RetValAndRetListConvertChains)
{
    ads_name a = {10, 0};
    ads_name b = {20, 0};
    std::function<resbuf*()> chain;
    int status = 0;
    define("val", 1, [&] {
        resbuf* rb = chain();
        status = acedRetVal(rb);
        acutRelRb(rb);
        return RTNORM;
    });
    define("lst", 2, [&] {
        resbuf* rb = chain();
        status = acedRetList(rb);
        acutRelRb(rb);
        return RTNORM;
    });
    chain = [] { return acutBuildList(RTLONG, 100000L, 0); };
    EXPECT_EQ(show("(val)"), "100000");
    chain = [] { return acutBuildList(RTSTR, "C:\\Kestra\\", RTSTR, "Kestra2000.arx", 0); };
    EXPECT_EQ(show("(lst)"), "(\"C:\\\\Kestra\\\\\" \"Kestra2000.arx\")");
    // The list of dotted pairs of entity names that an association listing returns.
    chain = [&] {
        return acutBuildList(RTLB, RTENAME, a, RTDOTE, RTENAME, b, RTLE, RTLB, RTENAME, b, RTDOTE, RTENAME, a, RTLE, 0);
    };
    EXPECT_EQ(show("(lst)"), "((<Entity name: a> . <Entity name: 14>) (<Entity name: 14> . <Entity name: a>))");
    chain = [] { return acutBuildList(RTSHORT, 1, RTLB, RTREAL, 2.0, RTLB, RTT, RTNIL, RTLE, RTLE, 0); };
    EXPECT_EQ(show("(lst)"), "(1 (2.0 (T nil)))");
    chain = [] { return acutBuildList(RTSTR, "a", RTDOTE, RTSTR, "b", 0); };
    EXPECT_EQ(show("(lst)"), "(\"a\" . \"b\")");
    chain = [] { return static_cast<resbuf*>(nullptr); };
    EXPECT_EQ(show("(lst)"), "nil");

    // acedRetList accepts exactly the host's types: no RTLONG, no RTVOID; malformed lists fail.
    for (auto bad : std::vector<std::function<resbuf*()>>{
             [] { return acutBuildList(RTSHORT, 1, RTLONG, 100000L, 0); }, [] { return acutBuildList(RTVOID, 0); },
             [] { return acutBuildList(RTLB, RTSHORT, 1, 0); }, [] { return acutBuildList(RTSHORT, 1, RTLE, 0); },
             [] { return acutBuildList(RTDOTE, RTSHORT, 1, 0); },
             [] { return acutBuildList(RTLB, RTSHORT, 1, RTDOTE, RTSHORT, 2, RTSHORT, 3, RTLE, 0); },
             [] { return acutBuildList(8, "LAYER", 0); }}) {
        chain = bad;
        EXPECT_EQ(show("(lst)"), "nil");
        EXPECT_EQ(status, RTERROR);
    }
    // acedRetVal takes one value only.
    chain = [] { return acutBuildList(RTSHORT, 1, RTSHORT, 2, 0); };
    EXPECT_EQ(show("(val)"), "nil");
    EXPECT_EQ(status, RTERROR);
    chain = [] { return acutBuildList(RTLB, RTSHORT, 1, RTSHORT, 2, RTLE, 0); };
    EXPECT_EQ(show("(val)"), "(1 2)");
}

TEST_F(ExternalFunctions, TheLastResultCallWinsAndNoResultMeansNil)
{
    define("many", 1, [] {
        acedRetInt(1);
        acedRetStr("last");
        return RTNORM;
    });
    define("none", 2, [] { return RTNORM; });
    EXPECT_EQ(show("(many)"), "\"last\"");
    EXPECT_EQ(show("(none)"), "nil");
}

TEST_F(ExternalFunctions, RetVoidPrintsNothingAtTheCommandLine)
{
    define("vadu_KsRefresh", 5, [] { return acedRetVoid(); });
    EXPECT_EQ(commandLine("(vadu_KsRefresh)"), "");
    EXPECT_EQ(show("(list (vadu_KsRefresh))"), "()");
}

TEST_F(ExternalFunctions, ErrorStatusEndsTheCallingExpression)
{
    define("fails", 1, [] {
        acedRetInt(3);
        return RTERROR;
    });
    EXPECT_EQ(commandLine("(progn (fails) (setq after 1))"), "; error: ADS request error\n");
    EXPECT_FALSE(lisp.valueOf("after"));
    define("cancelled", 2, [] { return RTCAN; });
    EXPECT_EQ(errorOf("(cancelled)"), "Function cancelled");
    // The entry point's own success codes count as success.
    define("ok_entry", 3, [] {
        acedRetT();
        return 0;
    });
    EXPECT_EQ(show("(ok_entry)"), "T");
}

TEST_F(ExternalFunctions, FailMessagesArePrintedVerbatimWhenTheFunctionReturns)
{
    define("too_many", 2, [] {
        writeOutput("<working>");
        acdbFail("Error -- Too many parameters!\nConsult the Help file.\n");
        acedRetStr("15.06.04.05 2004/03/04");
        writeOutput("<done>");
        return RTNORM;
    });
    EXPECT_EQ(commandLine("(princ (too_many 1))"),
              "<working><done>Error -- Too many parameters!\nConsult the Help file.\n"
              "15.06.04.05 2004/03/04\"15.06.04.05 2004/03/04\"");
    define("bad_code", 3, [] {
        acdbFail("Received nonexistent function code.");
        return RTERROR;
    });
    EXPECT_EQ(commandLine("(bad_code)"), "Received nonexistent function code.; error: ADS request error\n");
}

TEST_F(ExternalFunctions, BridgeCallsOutsideAFunctionAreRefused)
{
    EXPECT_EQ(acedGetFunCode(), RTERROR);
    EXPECT_EQ(acedGetArgs(), nullptr);
    EXPECT_EQ(acedRetInt(1), RTERROR);
    EXPECT_EQ(acedRetNil(), RTERROR);
    EXPECT_EQ(acedRetList(nullptr), RTERROR);
    acdbFail("printed at once\n");
    EXPECT_EQ(output, "printed at once\n");
}

TEST_F(ExternalFunctions, UndefineAndForgetTheModule)
{
    define("first", 1, [] { return RTNORM; });
    define("second", 2, [] { return RTNORM; });
    calling = &moduleB;
    define("third", 3, [] { return RTNORM; });
    EXPECT_EQ(acedUndef("third", 4), RTERROR);  // another code
    EXPECT_EQ(acedUndef("first", 1), RTERROR);  // another module's function
    EXPECT_EQ(acedUndef("third", 3), RTNORM);
    EXPECT_EQ(errorOf("(third)"), "no function definition: THIRD");
    calling = &moduleA;
    forgetModule(&moduleA);
    EXPECT_EQ(errorOf("(first)"), "no function definition: FIRST");
    EXPECT_EQ(errorOf("(second)"), "no function definition: SECOND");
}

TEST_F(ExternalFunctions, DefinitionsBelongToTheCurrentInterpreter)
{
    define("here", 1, [] { return acedRetT(); });
    Interpreter other;
    EXPECT_FALSE(other.valueOf("here"));
    setCurrentInterpreter(nullptr);
    EXPECT_EQ(acedDefun("nowhere", 2), RTERROR);
    setCurrentInterpreter(&other);
    EXPECT_EQ(acedDefun("there", 2), RTNORM);
    EXPECT_FALSE(lisp.valueOf("there"));
    EXPECT_TRUE(other.valueOf("there"));
    EXPECT_EQ(acedDefun("", 3), RTERROR);
    EXPECT_EQ(acedDefun("two words", 3), RTERROR);
    EXPECT_EQ(acedDefun(nullptr, 3), RTERROR);
}

TEST_F(ExternalFunctions, WithoutAnInvokeHookTheFunctionCannotBeReached)
{
    define("probe", 1, [] { return RTNORM; });
    setModuleHooks(nullptr, nullptr);
    EXPECT_EQ(errorOf("(probe)"), "no function definition: PROBE");
}

TEST_F(ExternalFunctions, NestedCallsKeepTheirOwnCodeArgumentsAndResults)
{
    define("inner", 2, [] {
        resbuf* args = acedGetArgs();
        int value = args ? args->resval.rint : 0;
        acutRelRb(args);
        return acedRetInt(value * 10);
    });
    define("outer", 1, [&] {
        EvalOutcome nested = lisp.evaluate("(inner 4)");
        EXPECT_EQ(printValue(nested.value, PrintStyle::Prin1), "40");
        EXPECT_EQ(acedGetFunCode(), 1);
        resbuf* args = acedGetArgs();
        EXPECT_EQ(describe(args), "STR outer-argument");
        acutRelRb(args);
        return acedRetStr("outer done");
    });
    EXPECT_EQ(show("(list (outer \"outer-argument\") (inner 1))"), "(\"outer done\" 10)");
}

TEST_F(ExternalFunctions, AnErrorInsideANestedEvaluationLeavesTheCallIntact)
{
    define("outer", 1, [&] {
        lisp.evaluate("(car 1)");  // reported, ends only the nested text
        return acedRetInt(1);
    });
    EXPECT_EQ(commandLine("(outer)"), "; error: bad argument type: consp 1\n1");
}

TEST_F(ExternalFunctions, AnErrorThrownThroughTheCallClosesItsFrame)
{
    define("throws", 1, [] {
        acdbFail("partial\n");
        throw LispError("raised on the host side");
        return RTNORM;
    });
    EXPECT_EQ(commandLine("(throws '(1 \"a\" (2 . 3)))"), "partial\n; error: raised on the host side\n");
    EXPECT_EQ(acedGetFunCode(), RTERROR);
    EXPECT_EQ(acedRetInt(1), RTERROR);
}

TEST_F(ExternalFunctions, ForgettingAModuleReachesEveryDocument)
{
    define("everywhere", 1, [] { return RTNORM; });
    Interpreter second;
    setCurrentInterpreter(&second);
    define("everywhere", 1, [] { return RTNORM; });
    second.setValue("kept", makeInteger(1));
    forgetModule(&moduleA);
    EXPECT_FALSE(lisp.valueOf("everywhere"));
    EXPECT_FALSE(second.valueOf("everywhere"));
    EXPECT_TRUE(second.valueOf("kept"));
}

using Symbols = ExternalFunctions;

TEST_F(Symbols, GetSymHandsOutTheValueAsAChain)
{
    eval("(setq testboole t teststr \"HELLO, WORLD\" pt '(1 2 3) lst '(\"a\" 1) big 100000 nothing nil)");
    auto get = [](const char* name) {
        resbuf* rb = nullptr;
        EXPECT_EQ(acedGetSym(name, &rb), RTNORM) << name;
        std::string text = describe(rb);
        acutRelRb(rb);
        return text;
    };
    EXPECT_EQ(get("testboole"), "T");
    EXPECT_EQ(get("TestStr"), "STR HELLO, WORLD");
    EXPECT_EQ(get("pt"), "3DPOINT 1.0 2.0 3.0");
    EXPECT_EQ(get("lst"), "LB, STR a, SHORT 1, LE");
    EXPECT_EQ(get("big"), "LONG 100000");
    EXPECT_EQ(get("nothing"), "NIL");
    EXPECT_EQ(get("never-set"), "NIL");
    resbuf* rb = reinterpret_cast<resbuf*>(1);
    EXPECT_EQ(acedGetSym("car", &rb), RTERROR);
    EXPECT_EQ(rb, nullptr);
    EXPECT_EQ(acedGetSym("x", nullptr), RTERROR);
}

TEST_F(Symbols, PutSymSetsOneValueOrOneList)
{
    ads_point pt1 = {1.4, 1.4, 10.9923};
    resbuf* rb = acutBuildList(RTSTR, "GREETINGS", 0);
    EXPECT_EQ(acedPutSym("teststr", rb), RTNORM);
    acutRelRb(rb);
    EXPECT_EQ(show("teststr"), "\"GREETINGS\"");

    rb = acutBuildList(RTLB, RTSHORT, -1, RTSTR, "The combinations of the world", RTSTR, "are unstable by nature.",
                       RTSHORT, 100, RT3DPOINT, pt1, RTLB, RTSTR, "He jests at scars", RTSTR,
                       "that never felt a wound.", RTLE, RTLE, 0);
    EXPECT_EQ(acedPutSym("longlist", rb), RTNORM);
    acutRelRb(rb);
    EXPECT_EQ(show("longlist"),
              "(-1 \"The combinations of the world\" \"are unstable by nature.\" 100 (1.4 1.4 10.9923) "
              "(\"He jests at scars\" \"that never felt a wound.\"))");

    rb = acutBuildList(RTLB, RTSTR, "key", RTDOTE, RTREAL, 2.5, RTLE, 0);
    EXPECT_EQ(acedPutSym("pair", rb), RTNORM);
    acutRelRb(rb);
    EXPECT_EQ(show("pair"), "(\"key\" . 2.5)");

    EXPECT_EQ(acedPutSym("cleared", nullptr), RTNORM);
    EXPECT_EQ(show("cleared"), "nil");

    // Malformed chains and constants are refused and change nothing.
    for (resbuf* bad :
         {acutBuildList(RTLB, RTSHORT, 1, 0), acutBuildList(RTSHORT, 1, RTSHORT, 2, 0), acutBuildList(RTLE, 0)}) {
        EXPECT_EQ(acedPutSym("teststr", bad), RTERROR);
        acutRelRb(bad);
    }
    EXPECT_EQ(show("teststr"), "\"GREETINGS\"");
    rb = acutBuildList(RTNIL, 0);
    EXPECT_EQ(acedPutSym("T", rb), RTERROR);
    EXPECT_EQ(acedPutSym("nil", rb), RTERROR);
    acutRelRb(rb);
    EXPECT_EQ(show("t"), "T");
}

TEST_F(Symbols, InsideAnExternalFunctionTheCallingInterpretersSymbolsAreUsed)
{
    Interpreter other;
    other.setValue("where", makeString("other document"));
    lisp.setValue("where", makeString("calling document"));
    std::string seen;
    define("look", 1, [&] {
        setCurrentInterpreter(&other);  // the current document changes during the call
        resbuf* rb = nullptr;
        acedGetSym("where", &rb);
        seen = rb && rb->restype == RTSTR ? rb->resval.rstring : "?";
        acutRelRb(rb);
        return RTNORM;
    });
    eval("(look)");
    EXPECT_EQ(seen, "calling document");
}

}  // namespace
}  // namespace arx::lisp::testing
