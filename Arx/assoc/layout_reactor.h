// The module's layout-manager reactor. Every mark carries a hyperlink naming the layout of its
// viewport: renaming a layout rewrites that link on the layout's marks and outline block
// references; deleting a layout that holds associated viewports tells the user that their
// marks go at the next editing session (the next verification erases them as orphans).
#pragma once
#include <memory>
#include <string>

#include "AcDbLMgr.h"

namespace kestra {

constexpr const char* kDependingMarksErased = "The depending Kestras will be erased at the \nnext editing session.\n";

class LayoutReactor : public AcDbLayoutManagerReactor {
public:
    ACRX_DECLARE_MEMBERS(LayoutReactor);

    void layoutToBeRemoved(const char* layoutName, const AcDbObjectId& layoutId) override;
    void layoutRenamed(const char* oldName, const char* newName, const AcDbObjectId& layoutId) override;
};

void registerLayoutReactorClass();

// The reactor added to the host's layout manager; removeLayoutReactor takes it away again and
// deletes it.
std::unique_ptr<LayoutReactor> addLayoutReactor();
void removeLayoutReactor(std::unique_ptr<LayoutReactor>& reactor);

// A selection filter pattern that matches exactly this text: the wildcard characters of the
// host's pattern matching are escaped.
std::string literalPattern(const std::string& text);

}  // namespace kestra
