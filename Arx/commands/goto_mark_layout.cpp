#include "commands/goto_mark_layout.h"

#include <strings.h>

#include <memory>
#include <optional>
#include <string>

#include "AcDbLMgr.h"
#include "acutads.h"
#include "adscodes.h"
#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "commands/creation_parts.h"
#include "commands/mark_selection.h"
#include "dbapserv.h"
#include "dbdict.h"
#include "dblayout.h"
#include "mark/mark_messages.h"
#include "shell/message_routing.h"
#include "shell/object_opener.h"
#include "shell/system_variables.h"

namespace kestra {

namespace {

// The stored name of the layout of that name (any case) in the working database's layout
// dictionary, erased ones left out; nothing when there is none.
std::optional<std::string> layoutNamed(const std::string& name)
{
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbDictionary* layouts = nullptr;
    if (db == nullptr || db->getLayoutDictionary(layouts, AcDb::kForRead) != Acad::eOk) return std::nullopt;
    ObjectOpener<AcDbDictionary> dictionary(layouts);
    std::unique_ptr<AcDbDictionaryIterator> it(dictionary->newIterator());
    for (; it && !it->done(); it->next())
        if (!it->objectId().isErased() && strcasecmp(it->name(), name.c_str()) == 0) return std::string(it->name());
    return std::nullopt;
}

}  // namespace

int gotoMarkLayout(const resbuf* args)
{
    if (!requireModelSpace(kModelSpaceRequired)) return RTNORM;
    AcDbObjectId markId;
    if (!markOfCommandOrLisp(args, markId)) return RTNORM;
    AcDbObjectId indexedMark;
    AcDbObjectId viewportId;
    const std::string handle = handleTextOf(markId);
    if (findIndexEntry(kStoreName, handle.c_str(), true, indexedMark, viewportId) != Acad::eOk || viewportId.isNull())
        return RTNORM;
    const std::string layout = layoutNameOf(viewportId);
    const std::optional<std::string> stored = layout.empty() ? std::nullopt : layoutNamed(layout);
    AcDbLayoutManager* layouts = acdbHostApplicationServices()->layoutManager();
    if (!stored || layouts == nullptr || layouts->setCurrentLayout(stored->c_str()) != Acad::eOk)
        showRefusal(kLayoutErased);
    return RTNORM;
}

}  // namespace kestra
