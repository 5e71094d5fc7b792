// The header variables of a drawing: name (upper case, without '$') to value groups, in the
// order a new drawing lists them, then the others in the order they were set (a file's
// unknown variables are carried so).
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "db/dxf_item.h"

class AcDbDatabase;

namespace arx::db {

class HeaderVars {
public:
    const DxfItemList* find(std::string_view name) const;
    // Sets or adds a variable without notifications (file readers; the typed setters of
    // AcDbDatabase go through AcDbDatabase and notify).
    void set(std::string_view name, DxfItemList values);
    bool remove(std::string_view name);
    // Each variable in order; HANDSEED shows the database's current seed.
    void forEach(const std::function<void(const std::string& name, const DxfItemList& values)>& fn) const;
    std::size_t size() const { return mOrder.size(); }

    // The first value's typed forms (defaults when absent or of another kind).
    long long integer(std::string_view name, long long fallback = 0) const;
    double real(std::string_view name, double fallback = 0.0) const;
    AcGePoint3d point(std::string_view name, const AcGePoint3d& fallback = AcGePoint3d()) const;
    std::string text(std::string_view name, const std::string& fallback = std::string()) const;

    void setOwner(AcDbDatabase* db) { mpDb = db; }

private:
    AcDbDatabase* mpDb = nullptr;
    std::vector<std::string> mOrder;
    std::unordered_map<std::string, DxfItemList> mValues;
};

HeaderVars& headerVars(AcDbDatabase* db);
const HeaderVars& headerVars(const AcDbDatabase* db);

// The variables of a new drawing with their values, in the host's order.
void addDefaultHeaderVars(HeaderVars& vars);

}  // namespace arx::db
