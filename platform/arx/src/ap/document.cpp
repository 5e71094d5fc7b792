#include "ap/document.h"

#include <filesystem>

#include "ed/command_processor.h"

namespace arx::ap {

Document::Document(std::string fileName, AcDbDatabase* database, std::function<void(AcDbDatabase*)> release)
    : database_(database), release_(std::move(release)), sysVars_(ed::SysVars::instance().initialDocumentValues())
{
    setFileName(std::move(fileName));
}

Document::~Document()
{
    // Attachments go first: they may refer to the database.
    while (!attachments_.empty()) attachments_.pop_back();
    if (release_) release_(database_);
}

void Document::setFileName(std::string fileName)
{
    fileName_ = std::move(fileName);
    title_ = std::filesystem::path(fileName_).filename().string();
}

void Document::pushDbmod() { dbmodStack_.push_back(dbmod_); }

Acad::ErrorStatus Document::popDbmod()
{
    if (dbmodStack_.empty()) return Acad::eInvalidInput;
    dbmod_ = dbmodStack_.back();
    dbmodStack_.pop_back();
    return Acad::eOk;
}

bool Document::isQuiescent() const { return !ed::CommandProcessor::instance().commandActive(); }

void Document::setAttachment(const std::string& key, std::unique_ptr<Attachment> attachment)
{
    for (auto& [name, held] : attachments_)
        if (name == key) {
            held = std::move(attachment);
            return;
        }
    attachments_.emplace_back(key, std::move(attachment));
}

Document::Attachment* Document::attachment(const std::string& key) const
{
    for (const auto& [name, held] : attachments_)
        if (name == key) return held.get();
    return nullptr;
}

}  // namespace arx::ap
