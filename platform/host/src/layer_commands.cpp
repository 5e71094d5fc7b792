// The host's -LAYER command: the layer options of the command line, with the prompts and
// answers of the host, so that scripts written for it run here. Name lists are separated by
// commas and may hold wild cards (* ? # @ . [ ] ~ `), matched in any case.
#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db/symbol_lookup.h"
#include "db/symbol_table_internal.h"
#include "ed/command_processor.h"
#include "ed/drawing_sysvars.h"
#include "ed/object_selection.h"
#include "ed/views.h"
#include "host_command_sets.h"

namespace arx::host {
namespace {

using ed::CommandOutcome;

constexpr const char* kOptions = "? Make Set New ON OFF Color Ltype LWeight Plot Freeze Thaw LOck Unlock";
constexpr const char* kOptionPrompt =
    "Enter an option [?/Make/Set/New/ON/OFF/Color/Ltype/LWeight/Plot/Freeze/Thaw/LOck/Unlock]: ";
constexpr const char* kColorNames[] = {"red", "yellow", "green", "cyan", "blue", "magenta", "white"};
// The lineweights a layer can take, in hundredths of a millimetre.
constexpr int kLineWeights[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};

enum class Answered { Yes, Enter, Cancel };

std::string upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> splitList(const std::string& list)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string name =
            trimmed(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!name.empty()) names.push_back(name);
        if (comma == std::string::npos) return names;
        start = comma + 1;
    }
}

Answered ask(const std::string& prompt, std::string& answer)
{
    if (!askText(prompt.c_str(), answer)) return Answered::Cancel;
    answer = trimmed(answer);
    return answer.empty() ? Answered::Enter : Answered::Yes;
}

std::vector<AcDbObjectId> allLayers(AcDbDatabase* db)
{
    std::vector<AcDbObjectId> layers;
    AcDbObjectPointer<AcDbLayerTable> table(db->layerTableId(), AcDb::kForRead);
    if (table.openStatus() != Acad::eOk) return layers;
    AcDbLayerTableIterator* it = nullptr;
    if (table->newIterator(it) != Acad::eOk) return layers;
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        if (it->getRecordId(id) == Acad::eOk) layers.push_back(id);
    }
    delete it;
    return layers;
}

// The layers a name list names, each once, in table order.
std::vector<AcDbObjectId> layersNamed(AcDbDatabase* db, const std::string& list)
{
    std::vector<AcDbObjectId> found;
    const std::vector<std::string> patterns = splitList(list);
    for (AcDbObjectId id : allLayers(db)) {
        const std::string name = upper(arx::db::recordName(id));
        for (const std::string& pattern : patterns) {
            if (acutWcMatch(name.c_str(), upper(pattern).c_str()) != RTNORM) continue;
            found.push_back(id);
            break;
        }
    }
    return found;
}

std::string currentLayerName(AcDbDatabase* db) { return arx::db::recordName(db->clayer()); }

// What Enter means at a prompt for a list of layer names.
enum class OnEnter { Nothing, CurrentLayer, SelectObjects };

// The layers of the entities, each once, in the order met.
std::vector<AcDbObjectId> layersOf(const ed::EntityList& entities)
{
    std::vector<AcDbObjectId> layers;
    std::set<AcDbObjectId> seen;
    for (AcDbObjectId id : entities) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (entity.openStatus() == Acad::eOk && seen.insert(entity->layerId()).second)
            layers.push_back(entity->layerId());
    }
    return layers;
}

// The layers a name list names; on Enter the current layer, or the layers of the objects
// chosen at "Select objects: ". RTNORM, RTNONE (nothing to change) or RTCAN.
int askLayers(AcDbDatabase* db, const std::string& prompt, OnEnter onEnter, std::vector<AcDbObjectId>& layers)
{
    std::string list;
    const Answered answered = ask(prompt, list);
    if (answered == Answered::Cancel) return RTCAN;
    if (answered == Answered::Enter && onEnter == OnEnter::Nothing) return RTNONE;
    if (answered == Answered::Enter && onEnter == OnEnter::SelectObjects) {
        ed::EntityList chosen;
        if (ed::selectObjects(ed::SelectionRules(), chosen) == RTCAN) return RTCAN;
        layers = layersOf(chosen);
        return layers.empty() ? RTNONE : RTNORM;
    }
    if (answered == Answered::Enter) list = currentLayerName(db);
    layers = layersNamed(db, list);
    if (layers.empty()) say("No matching layer names found.");
    return RTNORM;
}

// Changes each layer asked for.
template <class Change>
CommandOutcome changeLayers(AcDbDatabase* db, const std::string& prompt, OnEnter onEnter, Change change)
{
    std::vector<AcDbObjectId> layers;
    const int status = askLayers(db, prompt, onEnter, layers);
    if (status != RTNORM) return outcomeOf(status);
    for (AcDbObjectId id : layers) {
        AcDbObjectPointer<AcDbLayerTableRecord> layer(id, AcDb::kForWrite);
        if (layer.openStatus() == Acad::eOk) change(layer.object());
    }
    return CommandOutcome::Ended;
}

AcDbObjectId addLayer(AcDbDatabase* db, const std::string& name)
{
    if (!arx::db::isValidRecordName(name.c_str())) return AcDbObjectId();
    return arx::db::findOrAddLayer(db, name.c_str());
}

CommandOutcome newLayers(AcDbDatabase* db)
{
    std::string list;
    const Answered answered = ask("Enter name list for new layer(s): ", list);
    if (answered != Answered::Yes)
        return answered == Answered::Cancel ? CommandOutcome::Cancelled : CommandOutcome::Ended;
    for (const std::string& name : splitList(list))
        if (addLayer(db, name).isNull()) say("Invalid layer name: " + name);
    return CommandOutcome::Ended;
}

void turnOn(AcDbLayerTableRecord* layer) { layer->setIsOff(false); }

CommandOutcome makeLayer(AcDbDatabase* db)
{
    std::string name;
    const std::string current = currentLayerName(db);
    const Answered answered = ask("Enter name for new layer (becomes the current layer) <" + current + ">: ", name);
    if (answered == Answered::Cancel) return CommandOutcome::Cancelled;
    if (answered == Answered::Enter) return CommandOutcome::Ended;
    const AcDbObjectId id = addLayer(db, name);
    if (id.isNull()) {
        say("Invalid layer name: " + name);
        return CommandOutcome::Ended;
    }
    {
        AcDbObjectPointer<AcDbLayerTableRecord> layer(id, AcDb::kForWrite);
        if (layer.openStatus() == Acad::eOk) turnOn(layer.object());
    }
    if (!ed::makeLayerCurrent(db, id)) say("Cannot set a frozen layer current.");
    return CommandOutcome::Ended;
}

CommandOutcome setLayer(AcDbDatabase* db)
{
    std::string name;
    const Answered answered = ask("Enter layer name to make current or <select object>: ", name);
    if (answered == Answered::Cancel) return CommandOutcome::Cancelled;
    if (answered == Answered::Enter) return CommandOutcome::Ended;
    const AcDbObjectId id = arx::db::findRecord(db->layerTableId(), name.c_str());
    if (id.isNull()) {
        say("Cannot find layer \"" + name + "\".");
        return CommandOutcome::Ended;
    }
    {
        AcDbObjectPointer<AcDbLayerTableRecord> layer(id, AcDb::kForWrite);
        if (layer.openStatus() == Acad::eOk && !layer->isFrozen()) turnOn(layer.object());
    }
    if (!ed::makeLayerCurrent(db, id)) say("Cannot set a frozen layer current.");
    return CommandOutcome::Ended;
}

// Gives `each` every layer asked for (Enter selects objects); `each` returns false to
// cancel the command.
template <class Each>
CommandOutcome forListedLayers(AcDbDatabase* db, const char* prompt, Each each)
{
    std::vector<AcDbObjectId> layers;
    const int status = askLayers(db, prompt, OnEnter::SelectObjects, layers);
    if (status != RTNORM) return outcomeOf(status);
    for (AcDbObjectId id : layers)
        if (!each(id)) return CommandOutcome::Cancelled;
    return CommandOutcome::Ended;
}

void writeLayer(AcDbObjectId id, void (*change)(AcDbLayerTableRecord*))
{
    AcDbObjectPointer<AcDbLayerTableRecord> layer(id, AcDb::kForWrite);
    if (layer.openStatus() == Acad::eOk) change(layer.object());
}

// OFF asks before turning the current layer off.
CommandOutcome turnOff(AcDbDatabase* db)
{
    return forListedLayers(db, "Enter name list of layer(s) to turn off or <select objects>: ", [&](AcDbObjectId id) {
        if (id == db->clayer()) {
            char reply[32] = {};
            acedInitGet(0, "Yes No");
            const std::string question =
                "Really want layer " + arx::db::recordName(id) + " (the CURRENT layer) off? <N>: ";
            const int status = acedGetKword(question.c_str(), reply);
            if (status == RTCAN) return false;
            if (status != RTNORM || std::string(reply) != "Yes") return true;
        }
        writeLayer(id, [](AcDbLayerTableRecord* layer) { layer->setIsOff(true); });
        return true;
    });
}

// FREEZE leaves the current layer alone, with the host's message.
CommandOutcome freeze(AcDbDatabase* db)
{
    return forListedLayers(db, "Enter name list of layer(s) to freeze or <select objects>: ", [&](AcDbObjectId id) {
        if (id == db->clayer()) say("Cannot freeze layer " + arx::db::recordName(id) + ".  It is the CURRENT layer.");
        else writeLayer(id, [](AcDbLayerTableRecord* layer) { layer->setIsFrozen(true); });
        return true;
    });
}

std::string colorDescription(int index)
{
    std::string text = std::to_string(index);
    if (index >= 1 && index <= 7) text += std::string(" (") + kColorNames[index - 1] + ")";
    return text;
}

// COLOR: a colour name or number; a leading minus turns the layers off as well.
CommandOutcome colorLayers(AcDbDatabase* db)
{
    std::string answer;
    int index = -1;
    bool off = false;
    while (index < 0) {
        const Answered answered = ask("Enter color name or number (1-255): ", answer);
        if (answered == Answered::Cancel) return CommandOutcome::Cancelled;
        off = !answer.empty() && answer.front() == '-';
        index = ed::colorFromText(off ? answer.substr(1) : answer);
        if (index < 1 || index > 255) {
            index = -1;
            say("Invalid color name or number.");
        }
    }
    const std::string prompt =
        "Enter name list of layer(s) for color " + colorDescription(index) + " <" + currentLayerName(db) + ">: ";
    AcCmColor color;
    color.setColorIndex(static_cast<Adesk::UInt16>(index));
    return changeLayers(db, prompt, OnEnter::CurrentLayer, [&](AcDbLayerTableRecord* layer) {
        layer->setColor(color);
        layer->setIsOff(off);
    });
}

CommandOutcome linetypeLayers(AcDbDatabase* db)
{
    std::string name;
    AcDbObjectId linetype;
    while (linetype.isNull()) {
        const Answered answered = ask("Enter a loaded linetype name or [?] <Continuous>: ", name);
        if (answered == Answered::Cancel) return CommandOutcome::Cancelled;
        if (answered == Answered::Enter) name = "Continuous";
        linetype = arx::db::findRecord(db->linetypeTableId(), name.c_str());
        if (linetype.isNull()) say("Linetype " + name + " not found.  Use LINETYPE command to load it.");
    }
    const std::string prompt = "Enter name list of layer(s) for linetype \"" + arx::db::recordName(linetype) + "\" <" +
                               currentLayerName(db) + ">: ";
    return changeLayers(db, prompt, OnEnter::CurrentLayer,
                        [&](AcDbLayerTableRecord* layer) { layer->setLinetypeObjectId(linetype); });
}

CommandOutcome lineWeightLayers(AcDbDatabase* db)
{
    std::string answer;
    int weight = -1;
    while (weight < 0) {
        const Answered answered = ask("Enter lineweight (0.0mm - 2.11mm): ", answer);
        if (answered == Answered::Cancel) return CommandOutcome::Cancelled;
        char* end = nullptr;
        const double mm = std::strtod(answer.c_str(), &end);
        if (answer.empty() || (*end != '\0' && strcasecmp(end, "mm") != 0) || mm < 0.0 || mm > 2.11) {
            say("Invalid lineweight.");
            continue;
        }
        // The nearest of the fixed lineweights.
        weight = *std::min_element(std::begin(kLineWeights), std::end(kLineWeights),
                                   [&](int a, int b) { return std::fabs(a - mm * 100.0) < std::fabs(b - mm * 100.0); });
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2fmm", weight / 100.0);
    const std::string prompt =
        std::string("Enter name list of layers(s) for lineweight ") + text + " <" + currentLayerName(db) + ">: ";
    return changeLayers(db, prompt, OnEnter::CurrentLayer, [&](AcDbLayerTableRecord* layer) {
        layer->setLineWeight(static_cast<AcDb::LineWeight>(weight));
    });
}

CommandOutcome plotLayers(AcDbDatabase* db)
{
    char answer[32] = {};
    acedInitGet(0, "Plot No");
    const int status = acedGetKword("Enter a plotting preference [Plot/No plot] <Plot>: ", answer);
    if (status == RTCAN) return CommandOutcome::Cancelled;
    if (status != RTNORM && status != RTNONE) return CommandOutcome::Failed;
    const bool plot = status == RTNONE || std::string(answer) == "Plot";
    const std::string prompt = "Enter layer name(s) for this plot preference <" + currentLayerName(db) + ">: ";
    return changeLayers(db, prompt, OnEnter::CurrentLayer,
                        [&](AcDbLayerTableRecord* layer) { layer->setIsPlottable(plot); });
}

std::string padded(std::string text, std::size_t width)
{
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

CommandOutcome listLayers(AcDbDatabase* db)
{
    std::string list;
    const Answered answered = ask("Enter layer name(s) to list <*>: ", list);
    if (answered == Answered::Cancel) return CommandOutcome::Cancelled;
    if (answered == Answered::Enter) list = "*";
    say("");
    say("Layer name                State       Color      Linetype");
    say("");
    for (AcDbObjectId id : layersNamed(db, list)) {
        AcDbObjectPointer<AcDbLayerTableRecord> layer(id, AcDb::kForRead);
        if (layer.openStatus() != Acad::eOk) continue;
        std::string state = layer->isOff() ? "Off" : "On";
        state += layer->isFrozen() ? " F" : "  ";
        state += layer->isLocked() ? " L" : "  ";
        say(padded(arx::db::recordName(id), 26) + padded(state, 12) +
            padded(colorDescription(layer->color().colorIndex()), 11) + arx::db::recordName(layer->linetypeObjectId()));
    }
    say("");
    say("Current layer:  " + currentLayerName(db));
    return CommandOutcome::Ended;
}

CommandOutcome runOption(AcDbDatabase* db, const std::string& option)
{
    if (option == "?") return listLayers(db);
    if (option == "Make") return makeLayer(db);
    if (option == "Set") return setLayer(db);
    if (option == "New") return newLayers(db);
    if (option == "ON") return changeLayers(db, "Enter name list of layer(s) to turn On: ", OnEnter::Nothing, turnOn);
    if (option == "OFF") return turnOff(db);
    if (option == "Color") return colorLayers(db);
    if (option == "Ltype") return linetypeLayers(db);
    if (option == "LWeight") return lineWeightLayers(db);
    if (option == "Plot") return plotLayers(db);
    if (option == "Freeze") return freeze(db);
    if (option == "Thaw")
        return changeLayers(db, "Enter name list of layer(s) to thaw: ", OnEnter::Nothing,
                            [](AcDbLayerTableRecord* layer) { layer->setIsFrozen(false); });
    if (option == "LOck")
        return changeLayers(db, "Enter name list of layer(s) to lock or <select objects>: ", OnEnter::SelectObjects,
                            [](AcDbLayerTableRecord* layer) { layer->setIsLocked(true); });
    return changeLayers(db, "Enter name list of layer(s) to unlock or <select objects>: ", OnEnter::SelectObjects,
                        [](AcDbLayerTableRecord* layer) { layer->setIsLocked(false); });
}

CommandOutcome layerCommand()
{
    AcDbDatabase* db = views::workingDatabase();
    if (db == nullptr) return CommandOutcome::Failed;
    say("Current layer:  \"" + currentLayerName(db) + "\"");
    for (;;) {
        char option[32] = {};
        acedInitGet(0, kOptions);
        const int status = acedGetKword(kOptionPrompt, option);
        if (status == RTNONE) return CommandOutcome::Ended;
        if (status == RTCAN) return CommandOutcome::Cancelled;
        if (status != RTNORM) return CommandOutcome::Failed;
        const CommandOutcome outcome = runOption(db, option);
        if (outcome != CommandOutcome::Ended) return outcome;
    }
}

}  // namespace

void defineLayerCommands()
{
    auto& processor = ed::CommandProcessor::instance();
    processor.defineHostCommand("-LAYER", layerCommand);
    processor.defineHostCommand("-LA", layerCommand);
}

}  // namespace arx::host
