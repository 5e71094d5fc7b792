#include "ed/editor.h"

#include <algorithm>

#include "aced.h"

namespace arx::ed {

Editor& Editor::instance()
{
    static Editor editor;
    return editor;
}

void Editor::addReactor(AcEditorReactor* reactor)
{
    if (reactor != nullptr && !hasReactor(reactor)) reactors_.push_back(reactor);
}

void Editor::removeReactor(AcEditorReactor* reactor)
{
    reactors_.erase(std::remove(reactors_.begin(), reactors_.end(), reactor), reactors_.end());
}

bool Editor::hasReactor(const AcEditorReactor* reactor) const
{
    return std::find(reactors_.begin(), reactors_.end(), reactor) != reactors_.end();
}

void Editor::notify(const std::function<void(AcEditorReactor*)>& call)
{
    for (AcEditorReactor* reactor : std::vector(reactors_))
        if (hasReactor(reactor)) call(reactor);
}

}  // namespace arx::ed

void AcEditor::addReactor(AcEditorReactor* reactor) { arx::ed::Editor::instance().addReactor(reactor); }
void AcEditor::removeReactor(AcEditorReactor* reactor) { arx::ed::Editor::instance().removeReactor(reactor); }

AcEditor* acedEditorPtr()
{
    static AcEditor editor;
    return &editor;
}
