// Whether the host's Aerial View window is enabled, from the host's registry profile.
#pragma once
#include <optional>
#include <string>

namespace kestra {

constexpr const char* kHostRootKey = "SOFTWARE\\Autodesk\\AutoCAD";
constexpr const char* kHostProfileRoot = "SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\";

// The value "Enabled" of the current user's "FixedProfile\Aerial View" under the host's
// current product key; nothing when it cannot be read. When the product key itself cannot
// be found, prints the error first. The product key is looked up once and kept.
std::optional<long> aerialViewEnabled();

// The host's current product key: "CurVer" of the host's root key names the release key,
// whose "CurVer" names the product key.
std::optional<std::string> readHostProductKey();

}  // namespace kestra
