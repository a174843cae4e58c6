#pragma once
// A failure of the analysis engine. The message names the engine's command
// and the position it was asked about; the window then goes on without it.
#include <string>

#include "core/VxloError.h"

namespace vxlo {

class EEngineError : public EVxloError {
public:
    EEngineError(TMessage message, std::string command, std::string position)
        : EVxloError(std::move(message)), command_(std::move(command)), position_(std::move(position)) {}
    const std::string& Command() const { return command_; }
    const std::string& Position() const { return position_; }  // in the program's move text
private:
    std::string command_;
    std::string position_;
};

}  // namespace vxlo
