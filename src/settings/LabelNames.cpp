#include "settings/LabelNames.h"

#include <algorithm>

namespace vxlo {

namespace {

constexpr std::array<const char*, kLabelNameCount> kDefaults = {
    QT_TRANSLATE_NOOP("vxlo", "定石"), QT_TRANSLATE_NOOP("vxlo", "悪手"), QT_TRANSLATE_NOOP("vxlo", "変化"),
    QT_TRANSLATE_NOOP("vxlo", "はめ手"), QT_TRANSLATE_NOOP("vxlo", "研究")};

std::string Key(int color) { return "Name" + std::to_string(color); }

bool InRange(int color) { return color >= 0 && color < kLabelNameCount; }

}  // namespace

const char* DefaultLabelName(int color) { return kDefaults[static_cast<std::size_t>(InRange(color) ? color : 0)]; }

TMessage TLabelNames::Name(int color) const {
    if (!InRange(color)) color = 0;
    const std::string& own = set[static_cast<std::size_t>(color)];
    return own.empty() ? TMessage(DefaultLabelName(color)) : TMessage::Literal(own);
}

std::array<std::string, kLabelNameCount> TLabelNames::Texts(const ITranslator* translator) const {
    std::array<std::string, kLabelNameCount> texts;
    for (int c = 0; c < kLabelNameCount; ++c) texts[static_cast<std::size_t>(c)] = Text(c, translator);
    return texts;
}

TLabelNames ReadLabelNames(const TIniFile& ini) {
    TLabelNames names;
    for (int c = 0; c < kLabelNameCount; ++c) names.set[static_cast<std::size_t>(c)] = ini.ReadString(kLabelSection, Key(c), "");
    return names;
}

void WriteLabelNames(TIniFile& ini, const TLabelNames& names) {
    for (int c = 0; c < kLabelNameCount; ++c) {
        std::string line = names.set[static_cast<std::size_t>(c)];
        std::replace(line.begin(), line.end(), '\n', ' ');
        std::replace(line.begin(), line.end(), '\r', ' ');
        ini.WriteString(kLabelSection, Key(c), line);
    }
}

}  // namespace vxlo
