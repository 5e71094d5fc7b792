// Module file names as Windows reads them.
#pragma once

#include <string>
#include <string_view>

namespace win32 {

// The file name after the last slash or backslash.
inline std::string_view baseNameOf(std::string_view path)
{
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

// Windows appends ".dll" to a name without an extension; a trailing "." means none.
inline std::string withDefaultExtension(std::string_view name)
{
    const std::string_view base = baseNameOf(name);
    if (!base.empty() && base.back() == '.') return std::string(name.substr(0, name.size() - 1));
    if (base.find('.') == std::string_view::npos) return std::string(name) + ".dll";
    return std::string(name);
}

}  // namespace win32
