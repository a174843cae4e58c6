#pragma once
// A catalogue from a table, for tests that show messages in another language.
#include <map>
#include <string>
#include <utility>

#include "core/Message.h"

namespace vxlo::testing {

class TTableTranslator final : public ITranslator {
public:
    explicit TTableTranslator(std::map<std::string, std::string> table) : table_(std::move(table)) {}
    std::string Translate(const std::string& source) const override {
        auto it = table_.find(source);
        return it == table_.end() ? source : it->second;
    }
private:
    std::map<std::string, std::string> table_;
};

}  // namespace vxlo::testing
