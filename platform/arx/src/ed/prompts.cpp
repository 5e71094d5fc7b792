#include "ed/prompts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "acedads.h"
#include "adscodes.h"
#include "ed/console.h"
#include "ed/object_snap.h"
#include "ed/views.h"
#include "gepnt3d.h"
#include "ed/sysvars.h"

namespace arx::ed {
namespace {

bool argumentsEchoed() { return SysVars::instance().getInt("CMDECHO").value_or(1) != 0; }

std::string formatReal(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.8g", v);
    return buffer;
}

}  // namespace

std::string answerText(const Answer& answer)
{
    if (answer.kind == Answer::Kind::Text) return answer.text;
    if (answer.kind != Answer::Kind::Value) return "";
    const AnswerValue& v = answer.value;
    switch (v.type) {
    case RTSTR: return v.text;
    case RTSHORT:
    case RTLONG: return std::to_string(v.integer);
    case RTREAL:
    case RTANG: return formatReal(v.real);
    case RTPOINT: return formatReal(v.point[0]) + "," + formatReal(v.point[1]);
    case RT3DPOINT: return formatReal(v.point[0]) + "," + formatReal(v.point[1]) + "," + formatReal(v.point[2]);
    default: return "";
    }
}

Prompts& Prompts::instance()
{
    static Prompts prompts;
    return prompts;
}

void Prompts::initGet(int bits, const char* keywords)
{
    pending_.bits = bits;
    pending_.keywords = KeywordList(keywords ? keywords : "");
}

InitGetState Prompts::take()
{
    InitGetState state = std::move(pending_);
    pending_ = InitGetState{};
    return state;
}

void Prompts::showPrompt(const char* prompt)
{
    echoNext_ = !Input::instance().answerFromArguments() || argumentsEchoed();
    if (echoNext_ && prompt != nullptr) Console::instance().write(prompt);
}

Answer Prompts::read(const AnswerRequest& request)
{
    Answer answer = Input::instance().next(request);
    if (answer.kind == Answer::Kind::Cancel) {
        Console::instance().write("*Cancel*\n");
        noteCancel();
        return answer;
    }
    if (answer.kind == Answer::Kind::Text && answer.text == "\\" && answer.fromArguments)
        answer = Input::instance().nextBelowArguments(request);  // PAUSE: the user answers
    if (echoNext_) Console::instance().write(answerText(answer) + "\n");
    echoNext_ = true;
    return answer;
}

void Prompts::complain(const char* message)
{
    Console::instance().ensureLineStart();
    Console::instance().write(std::string(message) + "\n");
}

void Prompts::noteCancel() { ++cancelCount_; }

std::optional<std::string> askHostText(const char* prompt)
{
    Prompts::instance().take();
    Prompts::instance().showPrompt(prompt);
    AnswerRequest request;
    request.spacesAllowed = true;
    Answer answer = Prompts::instance().read(request);
    if (answer.kind == Answer::Kind::Cancel) return std::nullopt;
    return answerText(answer);
}

}  // namespace arx::ed

using arx::ed::Answer;
using arx::ed::AnswerRequest;
using arx::ed::InitGetState;
using arx::ed::Prompts;

namespace {

constexpr size_t kMaxAnswer = 132;  // the host's limit for string answers
// What an answer parser returns when it already said why the answer was refused.
constexpr int kAskAgain = 1;

// Copies at most the host's limit and the terminating NUL, nothing more: callers size their
// buffers for the answer, not always for the limit.
void copyResult(char* result, const std::string& text)
{
    if (result == nullptr) return;
    size_t length = std::min(text.size(), kMaxAnswer);
    std::memcpy(result, text.data(), length);
    result[length] = '\0';
}

// Tries the answer as one of the prompt's keywords; RTKWORD when it is one.
bool takeKeyword(const InitGetState& state, const Answer& answer)
{
    std::string text = arx::ed::answerText(answer);
    if (state.keywords.empty() || text.empty()) return false;
    if (auto global = state.keywords.match(text)) {
        Prompts::instance().setLastKeyword(*global);
        return true;
    }
    return false;
}

std::optional<double> parseReal(const std::string& text)
{
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<std::array<double, 3>> parsePoint(std::string text)
{
    bool relative = !text.empty() && text[0] == '@';
    if (relative) text.erase(0, 1);
    std::array<double, 3> p{0.0, 0.0, 0.0};
    int count = 0;
    size_t start = 0;
    while (count < 3) {
        size_t comma = text.find(',', start);
        auto v = parseReal(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!v) return std::nullopt;
        p[count++] = *v;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (count < 2 || (count == 3 && text.find(',', start) != std::string::npos)) return std::nullopt;
    if (relative || text.empty()) {
        resbuf last;
        if (acedGetVar("LASTPOINT", &last) == RTNORM)
            for (int i = 0; i < 3; ++i) p[i] += last.resval.rpoint[i];
    }
    return p;
}

// The common cycle: prompt, read, handle Enter/cancel/keywords, parse with `accept`.
template <typename Accept>
int promptCycle(const char* prompt, const AnswerRequest& request, const char* complaint, Accept accept)
{
    InitGetState state = Prompts::instance().take();
    for (;;) {
        Prompts::instance().showPrompt(prompt);
        Answer answer = Prompts::instance().read(request);
        if (answer.kind == Answer::Kind::Cancel) return RTCAN;
        if (answer.isEnter()) {
            if (state.bits & RSG_NONULL) {
                Prompts::instance().complain(complaint);
                continue;
            }
            return RTNONE;
        }
        int status = accept(answer, state);
        if (status == kAskAgain) continue;
        if (status != RTREJ) return status;
        if (takeKeyword(state, answer)) return RTKWORD;
        Prompts::instance().complain(state.keywords.empty() ? complaint : "Invalid option keyword.");
    }
}

// The point an answer gives (a point value, or coordinates as text).
std::optional<AcGePoint3d> pointOf(const Answer& answer)
{
    std::optional<std::array<double, 3>> p;
    if (answer.kind == Answer::Kind::Value && (answer.value.type == RTPOINT || answer.value.type == RT3DPOINT))
        p = answer.value.point;
    else if (answer.kind == Answer::Kind::Text || answer.value.type == RTSTR)
        p = parsePoint(arx::ed::answerText(answer));
    if (!p) return std::nullopt;
    return AcGePoint3d((*p)[0], (*p)[1], (*p)[2]);
}

// The answer of a point prompt, which becomes LASTPOINT.
void takePoint(const AcGePoint3d& point, ads_point result)
{
    resbuf last;
    last.restype = RT3DPOINT;
    for (int i = 0; i < 3; ++i) result[i] = last.resval.rpoint[i] = point[i];
    acedSetVar("LASTPOINT", &last);
}

// After an object snap override: "of " and the point it applies to. Without a point there
// (or with no snap under it) the original prompt is asked again.
int pointAfterOverride(arx::ed::SnapOverride snap, ads_point result)
{
    Prompts::instance().showPrompt("of ");
    const Answer answer = Prompts::instance().read(AnswerRequest{});
    if (answer.kind == Answer::Kind::Cancel) return RTCAN;
    std::optional<AcGePoint3d> point = pointOf(answer);
    if (!point) return kAskAgain;
    AcDbDatabase* db = arx::views::workingDatabase();
    if (snap == arx::ed::SnapOverride::Intersection && !arx::ed::snapToIntersection(db, *point, *point))
        return kAskAgain;
    if (snap != arx::ed::SnapOverride::Intersection && snap != arx::ed::SnapOverride::None &&
        !arx::ed::snapToEntities(db, snap, *point, *point))
        return kAskAgain;
    takePoint(*point, result);
    return RTNORM;
}

bool violatesSign(const InitGetState& state, double v)
{
    if ((state.bits & RSG_NOZERO) && v == 0.0) return true;
    if ((state.bits & RSG_NONEG) && v < 0.0) return true;
    return false;
}

}  // namespace

int acedInitGet(int val, const char* kwl)
{
    Prompts::instance().initGet(val, kwl);
    return RTNORM;
}

int acedGetKword(const char* prompt, char* result)
{
    InitGetState state = Prompts::instance().take();
    for (;;) {
        Prompts::instance().showPrompt(prompt);
        Answer answer = Prompts::instance().read(AnswerRequest{});
        if (answer.kind == Answer::Kind::Cancel) return RTCAN;
        if (answer.isEnter()) {
            if (state.bits & RSG_NONULL) {
                Prompts::instance().complain("Invalid option keyword.");
                continue;
            }
            copyResult(result, "");
            return RTNONE;
        }
        if (auto global = state.keywords.match(arx::ed::answerText(answer))) {
            copyResult(result, *global);
            Prompts::instance().setLastKeyword(*global);
            return RTNORM;
        }
        Prompts::instance().complain("Invalid option keyword.");
    }
}

int acedGetString(int cronly, const char* prompt, char* result)
{
    Prompts::instance().take();
    Prompts::instance().showPrompt(prompt);
    AnswerRequest request;
    request.spacesAllowed = cronly != 0;
    Answer answer = Prompts::instance().read(request);
    if (answer.kind == Answer::Kind::Cancel) return RTCAN;
    copyResult(result, arx::ed::answerText(answer));
    return RTNORM;
}

int acedGetPoint(const ads_point, const char* prompt, ads_point result)
{
    return promptCycle(prompt, AnswerRequest{}, "Point or option keyword required.",
                       [&](const Answer& answer, const InitGetState& state) {
                           const bool snapping = !arx::ed::ObjectPickScope::active();
                           // A keyword of the prompt wins over an object snap of the same name.
                           const bool isText = answer.kind == Answer::Kind::Text || answer.value.type == RTSTR;
                           if (snapping && isText && !state.keywords.match(arx::ed::answerText(answer)))
                               if (auto snap = arx::ed::snapOverrideOf(arx::ed::answerText(answer)))
                                   return pointAfterOverride(*snap, result);
                           std::optional<AcGePoint3d> point = pointOf(answer);
                           if (!point) return RTREJ;
                           if (snapping && arx::ed::runningSnapsTake(answer))
                               point = arx::ed::withRunningSnaps(arx::views::workingDatabase(), *point);
                           takePoint(*point, result);
                           return RTNORM;
                       });
}

int acedGetReal(const char* prompt, ads_real* result)
{
    return promptCycle(prompt, AnswerRequest{}, "Requires numeric value.",
                       [&](const Answer& answer, const InitGetState& state) {
                           std::optional<double> v;
                           if (answer.kind == Answer::Kind::Value && answer.value.type != RTSTR)
                               v = (answer.value.type == RTSHORT || answer.value.type == RTLONG)
                                       ? static_cast<double>(answer.value.integer)
                                       : answer.value.real;
                           else v = parseReal(arx::ed::answerText(answer));
                           if (!v) return RTREJ;
                           if (violatesSign(state, *v)) {
                               Prompts::instance().complain("Value must be positive and nonzero.");
                               return kAskAgain;
                           }
                           *result = *v;
                           return RTNORM;
                       });
}

namespace {

// A distance or angle prompt takes a number, or a point measured from the base point; with no
// base point the point given is the first of two, and "Specify second point: " asks for the other.
std::optional<std::array<double, 3>> measuredPoint(const Answer& answer)
{
    if (answer.kind == Answer::Kind::Value && (answer.value.type == RTPOINT || answer.value.type == RT3DPOINT))
        return answer.value.point;
    if (answer.kind == Answer::Kind::Text || answer.value.type == RTSTR) return parsePoint(arx::ed::answerText(answer));
    return std::nullopt;
}

std::optional<double> numberOf(const Answer& answer)
{
    if (answer.kind == Answer::Kind::Value && answer.value.type != RTSTR) {
        if (answer.value.type == RTSHORT || answer.value.type == RTLONG)
            return static_cast<double>(answer.value.integer);
        if (answer.value.type == RTREAL || answer.value.type == RTANG) return answer.value.real;
        return std::nullopt;
    }
    return parseReal(arx::ed::answerText(answer));
}

// The two ends of a measurement: the base point (or the point answered, then a second one).
// RTNORM, RTREJ when the answer is no point, RTCAN.
int measuredEnds(const ads_point base, const Answer& answer, std::array<double, 3>& from, std::array<double, 3>& to)
{
    const auto point = measuredPoint(answer);
    if (!point) return RTREJ;
    if (base != nullptr) {
        from = {base[0], base[1], base[2]};
        to = *point;
        return RTNORM;
    }
    from = *point;
    ads_point second;
    acedInitGet(RSG_NONULL, nullptr);
    const int status = acedGetPoint(from.data(), "Specify second point: ", second);
    if (status != RTNORM) return status == RTCAN ? RTCAN : RTREJ;
    to = {second[0], second[1], second[2]};
    return RTNORM;
}

}  // namespace

int acedGetDist(const ads_point pt, const char* prompt, ads_real* result)
{
    return promptCycle(prompt, AnswerRequest{}, "Requires numeric distance or two points.",
                       [&](const Answer& answer, const InitGetState& state) {
                           std::optional<double> v = numberOf(answer);
                           if (!v) {
                               std::array<double, 3> from{}, to{};
                               const int status = measuredEnds(pt, answer, from, to);
                               if (status != RTNORM) return status;
                               const bool flat = !(state.bits & RSG_GETZ) || (state.bits & RSG_2D);
                               v = std::hypot(to[0] - from[0], to[1] - from[1], flat ? 0.0 : to[2] - from[2]);
                           }
                           if (violatesSign(state, *v)) {
                               Prompts::instance().complain("Value must be positive and nonzero.");
                               return kAskAgain;
                           }
                           *result = *v;
                           return RTNORM;
                       });
}

int acedGetAngle(const ads_point pt, const char* prompt, ads_real* result)
{
    return promptCycle(prompt, AnswerRequest{}, "Requires valid numeric angle or second point.",
                       [&](const Answer& answer, const InitGetState& state) {
                           double radians = 0.0;
                           if (const std::optional<double> degrees = numberOf(answer)) {
                               radians = *degrees * M_PI / 180.0;
                           } else {
                               std::array<double, 3> from{}, to{};
                               const int status = measuredEnds(pt, answer, from, to);
                               if (status != RTNORM) return status;
                               radians = std::atan2(to[1] - from[1], to[0] - from[0]);
                           }
                           if (violatesSign(state, radians)) {
                               Prompts::instance().complain("Value must be positive and nonzero.");
                               return kAskAgain;
                           }
                           *result = radians;
                           return RTNORM;
                       });
}

int acedGetInt(const char* prompt, int* result)
{
    return promptCycle(prompt, AnswerRequest{}, "Requires an integer value.",
                       [&](const Answer& answer, const InitGetState& state) {
                           std::string text = arx::ed::answerText(answer);
                           char* end = nullptr;
                           long v = std::strtol(text.c_str(), &end, 10);
                           if (text.empty() || *end != '\0' || v < -32768 || v > 32767) return RTREJ;
                           if (violatesSign(state, static_cast<double>(v))) {
                               Prompts::instance().complain("Value must be positive and nonzero.");
                               return kAskAgain;
                           }
                           *result = static_cast<int>(v);
                           return RTNORM;
                       });
}

int acedGetInput(char* str)
{
    copyResult(str, Prompts::instance().lastKeyword());
    return RTNORM;
}
