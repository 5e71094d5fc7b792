#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "afxwin.h"

namespace {

std::string formatText(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), static_cast<size_t>(length));
}

char lowerAscii(char ch) { return static_cast<char>(std::tolower(static_cast<unsigned char>(ch))); }
char upperAscii(char ch) { return static_cast<char>(std::toupper(static_cast<unsigned char>(ch))); }

int sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

int clampIndex(int value, int length) { return std::clamp(value, 0, length); }

}  // namespace

CString::CString(const char* text, int length)
{
    if (text != nullptr && length > 0) text_.assign(text, static_cast<size_t>(length));
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0) text_.assign(static_cast<size_t>(repeat), ch);
}

char CString::GetAt(int index) const
{
    return index >= 0 && index < GetLength() ? text_[static_cast<size_t>(index)] : '\0';
}

void CString::SetAt(int index, char ch)
{
    if (index >= 0 && index < GetLength()) text_[static_cast<size_t>(index)] = ch;
}

CString& CString::operator=(const char* text)
{
    text_ = text ? text : "";
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    text_ += other.text_;
    return *this;
}

CString& CString::operator+=(const char* text)
{
    if (text) text_ += text;
    return *this;
}

CString& CString::operator+=(char ch)
{
    text_ += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b) { return CString(a.text_ + b.text_); }
CString operator+(const CString& a, const char* b) { return CString(a.text_ + (b ? b : "")); }
CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.text_); }

int CString::Compare(const char* other) const { return sign(text_.compare(other ? other : "")); }

int CString::CompareNoCase(const char* other) const
{
    const char* a = text_.c_str();
    const char* b = other ? other : "";
    for (;; ++a, ++b) {
        int diff = lowerAscii(*a) - lowerAscii(*b);
        if (diff != 0 || *a == '\0') return sign(diff);
    }
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    text_ = formatText(format, args);
    va_end(args);
}

void CString::AppendFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    text_ += formatText(format, args);
    va_end(args);
}

BOOL CString::LoadString(UINT id)
{
    const AfxStringResource* resource = AfxFindStringResource(id);
    if (resource == nullptr) return FALSE;
    text_ = resource->text ? resource->text : "";
    return TRUE;
}

CString& CString::MakeUpper()
{
    std::transform(text_.begin(), text_.end(), text_.begin(), upperAscii);
    return *this;
}

CString& CString::MakeLower()
{
    std::transform(text_.begin(), text_.end(), text_.begin(), lowerAscii);
    return *this;
}

CString CString::Left(int count) const
{
    return CString(text_.substr(0, static_cast<size_t>(clampIndex(count, GetLength()))));
}

CString CString::Right(int count) const
{
    int n = clampIndex(count, GetLength());
    return CString(text_.substr(static_cast<size_t>(GetLength() - n)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    int start = clampIndex(first, GetLength());
    int n = clampIndex(count, GetLength() - start);
    return CString(text_.substr(static_cast<size_t>(start), static_cast<size_t>(n)));
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start > GetLength()) return -1;
    size_t at = text_.find(ch, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* sub, int start) const
{
    if (sub == nullptr || start < 0 || start > GetLength()) return -1;
    size_t at = text_.find(sub, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char ch) const
{
    size_t at = text_.rfind(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (oldText == nullptr || *oldText == '\0') return 0;
    std::string replacement = newText ? newText : "";
    std::string needle = oldText;
    int count = 0;
    for (size_t at = text_.find(needle); at != std::string::npos; at = text_.find(needle, at + replacement.size())) {
        text_.replace(at, needle.size(), replacement);
        ++count;
    }
    return count;
}

CString& CString::Trim()
{
    auto blank = [](char ch) { return std::isspace(static_cast<unsigned char>(ch)) != 0; };
    size_t first = 0;
    while (first < text_.size() && blank(text_[first])) ++first;
    size_t last = text_.size();
    while (last > first && blank(text_[last - 1])) --last;
    text_ = text_.substr(first, last - first);
    return *this;
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength()) text_.resize(static_cast<size_t>(minLength));
    return text_.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0) {
        size_t nul = text_.find('\0');
        if (nul != std::string::npos) text_.resize(nul);
    } else if (newLength <= GetLength()) {
        text_.resize(static_cast<size_t>(newLength));
    }
}
