#include "core/Message.h"

namespace vxlo {

TMessage TMessage::Literal(std::string text) {
    TMessage m;
    m.text_ = std::move(text);
    m.translatable_ = false;
    return m;
}

TMessage& TMessage::Arg(TMessage message) {
    args_.push_back(std::move(message));
    return *this;
}

TMessage& TMessage::Then(TMessage next) {
    then_.push_back(std::move(next));
    return *this;
}

std::string TMessage::Text(const ITranslator* translator) const {
    // A literal's text is never a pattern: a file name holding "%1" stays as it is.
    std::string out = translatable_ ? Fill(translator ? translator->Translate(text_) : text_, translator) : text_;
    for (const TMessage& next : then_) out += next.Text(translator);
    return out;
}

std::string TMessage::Fill(const std::string& pattern, const ITranslator* translator) const {
    std::string out;
    out.reserve(pattern.size());
    // Arguments are filled in one pass, so an argument holding "%2" stays as it is.
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < args_.size()) {
                out += args_[n].Text(translator);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

}  // namespace vxlo
