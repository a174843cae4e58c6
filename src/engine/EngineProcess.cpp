#include "engine/EngineProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <thread>

#include "core/VxloError.h"

extern char** environ;

namespace vxlo {

namespace {

constexpr const char* kCannotStartText = QT_TRANSLATE_NOOP("vxlo", "エンジン %1 を起動できません");
constexpr const char* kUnclosedQuoteText =
    QT_TRANSLATE_NOOP("vxlo", "エンジンのコマンド行で引用符が閉じていません: %1");
constexpr std::size_t kErrorTailBytes = 400;

struct TPipe {
    TFileDescriptor read;
    TFileDescriptor write;
};

TPipe MakePipe() {
    std::array<int, 2> fds{};
    if (::pipe2(fds.data(), O_CLOEXEC) != 0) throw EInOutError(errno, "pipe");
    return {TFileDescriptor(fds[0]), TFileDescriptor(fds[1])};
}

void SetNonBlocking(const TFileDescriptor& fd) {
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags | O_NONBLOCK) != 0) throw EInOutError(errno, "pipe");
}

// The attributes and descriptor moves of posix_spawn, released however the
// start ends.
class TSpawnSetup {
public:
    TSpawnSetup() {
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawnattr_init(&attributes);
    }
    ~TSpawnSetup() {
        ::posix_spawn_file_actions_destroy(&actions);
        ::posix_spawnattr_destroy(&attributes);
    }
    TSpawnSetup(const TSpawnSetup&) = delete;
    TSpawnSetup& operator=(const TSpawnSetup&) = delete;
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
};

// A write that meets a closed pipe fails with EPIPE instead of raising
// SIGPIPE: the signal is held for the write and a signal it raised is taken
// back, so no handler of the program is touched.
ssize_t WriteWithoutSigpipe(int fd, const char* data, std::size_t size) {
    sigset_t pipeOnly;
    sigset_t old;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    sigset_t pendingBefore;
    sigpending(&pendingBefore);
    const bool wasPending = sigismember(&pendingBefore, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipeOnly, &old);
    const ssize_t n = ::write(fd, data, size);
    const int writeErrno = errno;
    if (n < 0 && writeErrno == EPIPE && !wasPending) {
        const timespec zero{0, 0};
        while (sigtimedwait(&pipeOnly, nullptr, &zero) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    errno = writeErrno;
    return n;
}

int MillisecondsUntil(TEngineProcess::TClock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - TEngineProcess::TClock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, 1 << 30));
}

}  // namespace

TEngineProcess::TEngineProcess(const std::vector<std::string>& argv, std::size_t maxLineBytes)
    : maxLine_(maxLineBytes) {
    const std::string command = JoinCommandLine(argv);
    if (argv.empty() || argv[0].empty()) throw EVxloError(TMessage(kCannotStartText).Arg(command));
    TPipe in = MakePipe();
    TPipe out = MakePipe();
    TPipe err = MakePipe();
    // Only this program's ends: each end of a pipe has flags of its own.
    SetNonBlocking(in.write);
    SetNonBlocking(out.read);
    SetNonBlocking(err.read);
    TSpawnSetup setup;
    ::posix_spawn_file_actions_adddup2(&setup.actions, in.read.Get(), STDIN_FILENO);
    ::posix_spawn_file_actions_adddup2(&setup.actions, out.write.Get(), STDOUT_FILENO);
    ::posix_spawn_file_actions_adddup2(&setup.actions, err.write.Get(), STDERR_FILENO);
    // Its own group, so that the whole of it goes at the end, a script that
    // starts the engine included; default signals and an empty mask, whatever
    // this program holds or ignores.
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (const int s : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGCHLD}) sigaddset(&defaults, s);
    ::posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                                      POSIX_SPAWN_SETSIGDEF);
    ::posix_spawnattr_setpgroup(&setup.attributes, 0);
    ::posix_spawnattr_setsigmask(&setup.attributes, &none);
    ::posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const int failed = ::posix_spawnp(&pid_, argv[0].c_str(), &setup.actions, &setup.attributes, args.data(), environ);
    if (failed != 0) {
        pid_ = -1;
        throw EVxloError(WithReason(TMessage(kCannotStartText).Arg(command), EInOutError::TextFor(failed).Text()));
    }
    input_ = std::move(in.write);
    output_ = std::move(out.read);
    error_ = std::move(err.read);
}

TEngineProcess::~TEngineProcess() {
    input_ = TFileDescriptor();
    if (pid_ > 0 && !reaped_) {
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
        Reap(true);
    }
}

void TEngineProcess::Write(std::string_view text) {
    if (!input_.IsOpen()) return;
    pending_.append(text);
    Flush();
}

void TEngineProcess::Flush() {
    while (input_.IsOpen() && !pending_.empty()) {
        const ssize_t n = WriteWithoutSigpipe(input_.Get(), pending_.data(), pending_.size());
        if (n > 0) {
            pending_.erase(0, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        } else {
            // The child closed its input; what it says on its output decides.
            input_ = TFileDescriptor();
            pending_.clear();
        }
    }
}

void TEngineProcess::ReadError() {
    std::array<char, 16384> chunk{};
    for (;;) {
        const ssize_t n = ::read(error_.Get(), chunk.data(), chunk.size());
        if (n > 0) {
            errorTail_.append(chunk.data(), static_cast<std::size_t>(n));
            if (errorTail_.size() > 4 * kErrorTailBytes) errorTail_.erase(0, errorTail_.size() - kErrorTailBytes * 2);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) error_ = TFileDescriptor();
        return;
    }
}

bool TEngineProcess::Pump(TClock::time_point deadline) {
    for (;;) {
        std::array<pollfd, 3> fds{};
        nfds_t count = 0;
        const auto add = [&](const TFileDescriptor& fd, short events) {
            if (fd.IsOpen()) fds[count++] = pollfd{fd.Get(), events, 0};
        };
        add(output_, POLLIN);
        add(error_, POLLIN);
        if (!pending_.empty()) add(input_, POLLOUT);
        const int ready = ::poll(fds.data(), count, MillisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        bool outputReady = false;
        for (nfds_t i = 0; i < count; ++i) {
            if (fds[i].revents == 0) continue;
            if (fds[i].fd == output_.Get()) outputReady = true;
            if (fds[i].fd == error_.Get()) ReadError();
            if (fds[i].fd == input_.Get()) {
                if (fds[i].revents & (POLLERR | POLLHUP)) {
                    input_ = TFileDescriptor();
                    pending_.clear();
                } else {
                    Flush();
                }
            }
        }
        if (outputReady) return true;
    }
}

TEngineProcess::ERead TEngineProcess::ReadLine(std::string& line, TClock::time_point deadline) {
    std::array<char, 65536> chunk{};
    for (;;) {
        const std::size_t newline = buffer_.find('\n');
        if (newline != std::string::npos) {
            const bool dropped = dropping_ || newline > maxLine_;
            dropping_ = false;
            line.assign(buffer_, 0, newline);
            buffer_.erase(0, newline + 1);
            if (dropped) return ERead::TooLong;
            return ERead::Line;
        }
        if (buffer_.size() > maxLine_) {
            dropping_ = true;
            buffer_.clear();
        }
        if (!output_.IsOpen()) return ERead::Ended;
        const ssize_t n = ::read(output_.Get(), chunk.data(), chunk.size());
        if (n > 0) {
            buffer_.append(chunk.data(), static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) {
            // Whatever the child still says on its error output belongs to why it ended.
            if (error_.IsOpen()) {
                const auto grace = std::min(deadline, TClock::now() + std::chrono::milliseconds(200));
                while (error_.IsOpen() && TClock::now() < grace) {
                    pollfd fd{error_.Get(), POLLIN, 0};
                    if (::poll(&fd, 1, MillisecondsUntil(grace)) <= 0) break;
                    ReadError();
                }
            }
            output_ = TFileDescriptor();
            buffer_.clear();
            return ERead::Ended;
        }
        if (!Pump(deadline)) return ERead::Timeout;
    }
}

std::string TEngineProcess::ErrorTail() const {
    // The last lines, in one line for a message: the end of a log says why.
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < errorTail_.size()) {
        std::size_t end = errorTail_.find('\n', start);
        if (end == std::string::npos) end = errorTail_.size();
        std::string line = errorTail_.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!line.empty()) lines.push_back(PrintableText(line));
        start = end + 1;
    }
    std::string tail;
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        const std::string joined = tail.empty() ? *it : *it + " | " + tail;
        if (joined.size() > kErrorTailBytes) {
            if (tail.empty()) tail = it->substr(it->size() - kErrorTailBytes);
            break;
        }
        tail = joined;
    }
    return tail;
}

void TEngineProcess::Reap(bool block) {
    if (pid_ <= 0 || reaped_) return;
    for (;;) {
        const pid_t done = ::waitpid(pid_, &status_, block ? 0 : WNOHANG);
        if (done < 0 && errno == EINTR) continue;
        if (done == pid_ || done < 0) reaped_ = true;
        return;
    }
}

std::string TEngineProcess::ExitDescription() {
    for (int i = 0; i < 50 && !reaped_; ++i) {
        Reap(false);
        if (!reaped_) std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
    if (!reaped_) return {};
    if (WIFEXITED(status_)) return "exit status " + std::to_string(WEXITSTATUS(status_));
    if (WIFSIGNALED(status_)) return "signal " + std::to_string(WTERMSIG(status_));
    return {};
}

std::vector<std::string> SplitCommandLine(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            if (i + 1 < text.size()) word += text[++i];
        } else if (c == '\'') {
            const std::size_t end = text.find('\'', i + 1);
            if (end == std::string_view::npos) throw EVxloError(TMessage(kUnclosedQuoteText).Arg(std::string(text)));
            word.append(text.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '"') {
            std::size_t j = i + 1;
            for (; j < text.size() && text[j] != '"'; ++j) {
                if (text[j] == '\\' && j + 1 < text.size() && (text[j + 1] == '"' || text[j + 1] == '\\')) ++j;
                word += text[j];
            }
            if (j >= text.size()) throw EVxloError(TMessage(kUnclosedQuoteText).Arg(std::string(text)));
            i = j;
        } else {
            word += c;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

std::string JoinCommandLine(const std::vector<std::string>& argv) {
    std::string out;
    for (const std::string& a : argv) {
        if (!out.empty()) out += ' ';
        const bool plain = !a.empty() && a.find_first_of(" \t\n'\"\\$`*?[]#~;&|<>()") == std::string::npos;
        if (plain) {
            out += a;
            continue;
        }
        out += '\'';
        for (const char c : a) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
        out += '\'';
    }
    return out;
}

}  // namespace vxlo
