// A document: one open drawing with its database, its AutoLISP namespace, its own system
// variables and its DBMOD stack.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "acdocman.h"
#include "ed/sysvars.h"

namespace arx::ap {

class Document : public AcApDocument {
public:
    Document(std::string fileName, AcDbDatabase* database, std::function<void(AcDbDatabase*)> release);
    ~Document() override;

    const char* fileName() const override { return fileName_.c_str(); }
    const char* docTitle() const override { return title_.c_str(); }
    AcDbDatabase* database() const override { return database_; }
    void pushDbmod() override;
    Acad::ErrorStatus popDbmod() override;
    bool isQuiescent() const override;

    void setFileName(std::string fileName);
    long dbmod() const { return dbmod_; }
    void setDbmod(long value) { dbmod_ = value; }
    // Marks the drawing as changed (DBMOD bit 1, the database).
    void markModified() { dbmod_ |= 1; }

    ed::SysVars::DocumentStore& sysVars() { return sysVars_; }

    // Per-document things other areas attach (the AutoLISP interpreter, for one).
    struct Attachment {
        virtual ~Attachment() = default;
    };
    void setAttachment(const std::string& key, std::unique_ptr<Attachment> attachment);
    Attachment* attachment(const std::string& key) const;

private:
    std::string fileName_;
    std::string title_;
    AcDbDatabase* database_;
    std::function<void(AcDbDatabase*)> release_;
    long dbmod_ = 0;
    std::vector<long> dbmodStack_;
    ed::SysVars::DocumentStore sysVars_;
    std::vector<std::pair<std::string, std::unique_ptr<Attachment>>> attachments_;
};

}  // namespace arx::ap
