#pragma once
// TEngineProcess: one child program with its standard input, output and
// error on pipes. Reads never block past a deadline, a write to a child that
// has gone never raises SIGPIPE, and the child (with everything it started)
// is killed and reaped when the object goes, so nothing outlives it.
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileIo.h"

namespace vxlo {

class TEngineProcess {
public:
    using TClock = std::chrono::steady_clock;

    enum class ERead { Line, Timeout, Ended, TooLong };

    // Starts argv[0], looked up in PATH as a shell would, in a process group
    // of its own. EVxloError naming the command when it cannot be started.
    explicit TEngineProcess(const std::vector<std::string>& argv, std::size_t maxLineBytes = 64u << 20);
    ~TEngineProcess();
    TEngineProcess(const TEngineProcess&) = delete;
    TEngineProcess& operator=(const TEngineProcess&) = delete;

    // Queues text for the child's input and sends what the pipe takes now;
    // the rest goes while ReadLine waits. Dropped once the child has closed
    // its input.
    void Write(std::string_view text);
    // The next line of the child's output without its newline. Timeout when
    // none is complete by the deadline, Ended when the output has closed,
    // TooLong when a line outgrows the limit (it is then dropped).
    ERead ReadLine(std::string& line, TClock::time_point deadline);

    // The end of what the child wrote on its error output (it is read all
    // the time, so the child never blocks on it): the last lines, at most a
    // few hundred bytes.
    std::string ErrorTail() const;
    // "exit status N" or "signal N" once the child has ended, waiting a
    // moment for it; empty while it runs.
    std::string ExitDescription();
    pid_t Pid() const { return pid_; }

private:
    // Moves data on every pipe until the deadline or until something arrived
    // on the output; false at the deadline.
    bool Pump(TClock::time_point deadline);
    void Flush();
    void ReadError();
    void Reap(bool block);

    pid_t pid_ = -1;
    bool reaped_ = false;
    int status_ = 0;
    std::size_t maxLine_;
    TFileDescriptor input_;   // the child's standard input
    TFileDescriptor output_;  // its standard output
    TFileDescriptor error_;   // its standard error
    std::string pending_;     // not yet written to input_
    std::string buffer_;      // read from output_, not yet a line
    std::string errorTail_;
    bool dropping_ = false;   // inside a line that was too long
};

// Splits a command line into program and arguments as a shell does for
// plain words: blanks separate, single quotes keep everything, double quotes
// keep all but \" and \\, a backslash outside quotes keeps the next
// character. No variables, globs or redirections. EVxloError for an
// unclosed quote.
std::vector<std::string> SplitCommandLine(std::string_view text);
// The command line again, words quoted where needed, for messages.
std::string JoinCommandLine(const std::vector<std::string>& argv);

}  // namespace vxlo
