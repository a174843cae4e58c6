#pragma once
// The analysis engine's settings, kept in the section [Engine] of VXLO.INI:
//   Command=katago analysis -config ... -model ...  (program and arguments)
//   Visits=200       per position, 1..1000000
//   Rules=japanese   as the engine names them (letters, digits, '-', '_')
//   Komi=6.5         -150..150 in half points
//   Good=0.5         points lost below which a candidate is shown green,
//   Doubtful=1.5     below which yellow, else red (0 < Good <= Doubtful)
// A value out of its range, or unreadable, gives its default, one key at a
// time.
#include <string>

#include "settings/IniFile.h"

namespace vxlo {

struct TEngineIniSettings {
    std::string command;  // empty: no engine set up
    int visits = 200;
    std::string rules = "japanese";
    double komi = 6.5;
    double goodLoss = 0.5;
    double doubtfulLoss = 1.5;
    friend bool operator==(const TEngineIniSettings&, const TEngineIniSettings&) = default;
};

inline constexpr int kMaxEngineVisits = 1000000;

// The colour band of a candidate's points lost under the settings' limits.
enum class ELossBand { Good, Doubtful, Bad };
ELossBand LossBand(double pointsLost, const TEngineIniSettings& settings);

TEngineIniSettings ReadEngineSettings(const TIniFile& ini);
// EInOutError (naming the file) when it cannot be written.
void WriteEngineSettings(TIniFile& ini, const TEngineIniSettings& settings);

}  // namespace vxlo
