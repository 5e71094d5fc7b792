// System variables: a table of named values, each with a type, a scope (session or the
// current document) and optional read-only or computed behaviour. acedGetVar/acedSetVar and
// AutoLISP getvar/setvar go through it; a value written takes effect at once.
#pragma once
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>

struct resbuf;

namespace arx::ed {

struct SysValue {
    short type = 0;  // RTSHORT, RTLONG, RTREAL, RTSTR, RTPOINT, RT3DPOINT
    long integer = 0;
    double real = 0.0;
    std::array<double, 3> point{0.0, 0.0, 0.0};
    std::string text;

    static SysValue ofShort(int v);
    static SysValue ofLong(long v);
    static SysValue ofReal(double v);
    static SysValue ofString(std::string v);
    static SysValue ofPoint(double x, double y, double z, bool is3d = true);
    void toResbuf(resbuf* rb) const;  // strings are copied with malloc (caller frees)
};

enum class SysVarScope { Session, Document };

struct SysVarDef {
    std::string name;
    SysValue initial;
    SysVarScope scope = SysVarScope::Session;
    bool readOnly = false;
    // Computed variables: read and write through these instead of the stored value.
    std::function<std::optional<SysValue>()> get;
    std::function<bool(const SysValue&)> set;
    // A check on new values (range, allowed set); false refuses the write.
    std::function<bool(const SysValue&)> validate;
};

class SysVars {
public:
    static SysVars& instance();

    void define(SysVarDef def);
    bool isDefined(const std::string& name) const;
    bool isReadOnly(const std::string& name) const;

    std::optional<SysValue> get(const std::string& name) const;
    // Converts compatible numeric types, validates, stores, notifies. False when refused.
    bool set(const std::string& name, const SysValue& value);
    // Internal writes that pass by the read-only flag (the host updating CMDNAMES, DBMOD...).
    bool setInternal(const std::string& name, const SysValue& value);

    std::optional<long> getInt(const std::string& name) const;
    std::optional<double> getReal(const std::string& name) const;
    std::optional<std::string> getString(const std::string& name) const;

    // Where document-scoped values live: the current document's store.
    using DocumentStore = std::map<std::string, SysValue>;
    void setDocumentStoreProvider(std::function<DocumentStore*()> provider);
    // Initial values of document-scoped variables, for a new document's store.
    DocumentStore initialDocumentValues() const;

private:
    SysVars();
    const SysVarDef* find(const std::string& name) const;
    SysValue* storage(const SysVarDef& def);
    bool store(const SysVarDef& def, const SysValue& value);

    std::map<std::string, SysVarDef> defs_;
    std::map<std::string, SysValue> session_;
    std::function<DocumentStore*()> documentStore_;
};

}  // namespace arx::ed
