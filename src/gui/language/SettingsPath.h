#pragma once
// Where "VXLO.INI" lives: the user's configuration folder (XDG_CONFIG_HOME
// moves it).
#include <string>

namespace vxlo {

inline constexpr const char* kSettingsFileName = "VXLO.INI";

// The path, with its folder created when it is missing (for the window,
// which writes the file).
std::string SettingsFilePath();
// The same path, nothing created (for readers such as the tool).
std::string SettingsFileLocation();

}  // namespace vxlo
