// Rebuilding the viewport index from the marks, and the check that runs it.
#include <string>
#include <unordered_map>

#include "acdocman.h"
#include "acutads.h"
#include "assoc/association_maintenance.h"
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "dbents.h"
#include "mark/vadu_kestra.h"
#include "shell/document_registry.h"
#include "commands/command_routines.h"

namespace kestra {

namespace {

// Latin-1, as the host's command line expects it.
constexpr const char* kIntegrityError = "\nErreur pendant la v\xE9rification de l'int\xE9grit\xE9 des donn\xE9"
                                        "es Kestra\n";

// The index being rebuilt: one pair per mark, in the order marks were first added, a later
// pair of the same mark replacing the viewport of the first, as addIndexEntry does one at a
// time. Kept in memory and written once.
class IndexBuilder {
public:
    void add(std::string mark, std::string viewport)
    {
        std::string key = upperCase(mark);
        auto [position, added] = positions_.try_emplace(std::move(key), pairs_.size());
        if (added) pairs_.push_back({std::move(mark), std::move(viewport)});
        else pairs_[position->second].viewport = std::move(viewport);
    }
    const IndexPairs& pairs() const { return pairs_; }

private:
    static std::string upperCase(std::string text)
    {
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    }
    IndexPairs pairs_;
    std::unordered_map<std::string, size_t> positions_;
};

bool samePairs(const IndexPairs& a, const IndexPairs& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].mark != b[i].mark || a[i].viewport != b[i].viewport) return false;
    return true;
}

// Erases an orphan mark (open for read) and its outline block reference, each on its layer
// unlocked for the erase, and reports it by its handle.
void eraseOrphan(ObjectOpener<VaduKestra>& mark)
{
    const AcDbObjectId outline = mark->outlineBlockId();
    if (!outline.isNull()) changeOnUnlockedLayer<AcDbEntity>(outline, [](AcDbEntity& entity) { entity.erase(); });
    const std::string handle = handleTextOf(mark->objectId());
    bool erased = false;
    changeOnUnlockedLayer(mark, [&](VaduKestra& m) { erased = m.erase() == Acad::eOk; });
    acutPrintf("%s '%s'.\n",
               erased ? "Erasing the orphan Kestra object with the handle "
                      : "Cannot erase the orphan Kestra object with the handle ",
               handle.c_str());
}

}  // namespace

int rebuildAssociations(AcDbObjectIdArray markIds)
{
    if (markIds.isEmpty()) return 0;
    IndexPairs stored;
    const bool indexed = readIndexPairs(kStoreName, stored) == Acad::eOk;
    const ReactorObjects reactors = getReactorObjects();
    IndexBuilder index;
    int associated = 0;
    bool dropped = false;
    for (int i = 0; i < markIds.length(); ++i) {
        ObjectOpener<VaduKestra> mark(markIds.at(i), AcDb::kForRead);
        if (!mark) continue;
        ObjectOpener<AcDbViewport> viewport(objectIdOfHandle(mark->viewportHandle()), AcDb::kForRead);
        if (!viewport) {
            // The index goes before the first orphan: erasing a mark also looks its pair up.
            if (!dropped) {
                dropIndex();
                dropped = true;
            }
            eraseOrphan(mark);
            continue;
        }
        if (attachReactors(reactors, &mark, &viewport) != Acad::eOk) continue;
        index.add(handleTextOf(mark->objectId()), handleTextOf(viewport->objectId()));
        ++associated;
    }
    // An index that already holds exactly these pairs is left untouched, so that a check of
    // a sound drawing changes nothing in it (and leaves nothing to undo).
    if (!dropped && indexed && samePairs(stored, index.pairs())) return associated;
    if (!dropped) dropIndex();
    if (!index.pairs().empty() && writeIndex(kStoreName, index.pairs()) != Acad::eOk) {
        acutPrintf("%s\n", kCannotAddToDictionary);
        acutPrintf("%s", kCannotAddIndexEntry);
    }
    return associated;
}

int verifyAssociations(bool rebuild, bool repair, AcApDocument* document)
{
    AcDbObjectIdArray ids;
    int result = 0;
    if (collectModelSpaceEntities("VaduKestra", ids) != Acad::eOk) {
        acutPrintf("(Vadu_Util) %s\n", kIntegrityError);
    } else if (!rebuild) {
        result = ids.length();
    } else if (ids.isEmpty()) {
        dropStore();
    } else {
        result = rebuildAssociations(ids);
        if (result == 0) dropStore();
        else if (repair) updateMarks();
    }
    if (DocumentState* state = document ? documentStateOf(document) : currentDocumentState())
        state->associationCount = result;
    return result;
}

}  // namespace kestra
