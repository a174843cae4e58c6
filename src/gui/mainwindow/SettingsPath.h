#pragma once
// Where "VXLO.INI" lives: the user's configuration folder (XDG_CONFIG_HOME
// moves it). The folder is created when it is missing.
#include <string>

namespace vxlo {

inline constexpr const char* kSettingsFileName = "VXLO.INI";

std::string SettingsFilePath();

}  // namespace vxlo
