// Keeps the numbers of the current layout's viewports and the current space in step after
// every command and AutoLISP evaluation: a command or a module may add, copy, erase or turn
// off viewports without going through the editor's views.
#include "aced.h"
#include "ed/editor.h"
#include "ed/views.h"
#include "ed/views_sysvars.h"

namespace arx::ed {
namespace {

class ViewRefresh : public AcEditorReactor {
public:
    void commandEnded(const char*) override { views::refresh(views::workingDatabase()); }
    void commandCancelled(const char*) override { views::refresh(views::workingDatabase()); }
    void commandFailed(const char*) override { views::refresh(views::workingDatabase()); }
    void lispEnded() override { views::refresh(views::workingDatabase()); }
    void lispCancelled() override { views::refresh(views::workingDatabase()); }
};

}  // namespace

void installViewRefresh()
{
    static ViewRefresh reactor;
    if (!Editor::instance().hasReactor(&reactor)) Editor::instance().addReactor(&reactor);
}

}  // namespace arx::ed
