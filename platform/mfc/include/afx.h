// The core of the headless MFC subset: CString. Text is the host's ANSI (code page 1252).
#pragma once
#include <string>

#include "windows.h"

class CString {
public:
    CString() = default;
    CString(const char* text) : text_(text ? text : "") {}
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    CString(const std::string& text) : text_(text) {}

    int GetLength() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    const char* GetString() const { return text_.c_str(); }
    operator const char*() const { return text_.c_str(); }
    const std::string& str() const { return text_; }

    // Out-of-range positions read as NUL and are ignored on write (MFC asserts instead: this
    // is the stand-in's own choice for a caller's fault).
    char GetAt(int index) const;
    void SetAt(int index, char ch);

    CString& operator=(const char* text);
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
    friend bool operator==(const CString& a, const char* b) { return a.text_ == (b ? b : ""); }
    friend bool operator<(const CString& a, const CString& b) { return a.text_ < b.text_; }

    int Compare(const char* other) const;
    // Compares without regard to case (ASCII letters).
    int CompareNoCase(const char* other) const;

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Loads the string resource of that id from the current resources (see afxwin.h);
    // false, and the text unchanged, when there is none.
    BOOL LoadString(UINT id);

    CString& MakeUpper();
    CString& MakeLower();
    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    // Position of the first occurrence from start, or -1.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int Replace(const char* oldText, const char* newText);
    CString& Trim();

    // Direct access for C APIs that fill a buffer: GetBuffer gives room for at least
    // minLength characters plus a NUL; ReleaseBuffer takes the length (-1: up to the NUL).
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    std::string text_;
};
