// The editor's reactor list. Notifications go to a snapshot of the list, so a reactor may
// remove itself (or another) while it is being notified.
#pragma once
#include <functional>
#include <vector>

class AcEditorReactor;

namespace arx::ed {

class Editor {
public:
    static Editor& instance();
    void addReactor(AcEditorReactor* reactor);
    void removeReactor(AcEditorReactor* reactor);
    bool hasReactor(const AcEditorReactor* reactor) const;
    size_t reactorCount() const { return reactors_.size(); }
    void notify(const std::function<void(AcEditorReactor*)>& call);

private:
    std::vector<AcEditorReactor*> reactors_;
};

}  // namespace arx::ed
