#pragma once
// A fresh directory per test, removed with everything in it at the end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace vxlo::testing {

class TTempDir {
public:
    TTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vxlo-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TTempDir() {
        std::error_code ignored;
        // A test may have made the folder read-only.
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Path of a file in the directory (not created).
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string operator/(const std::string& name) const { return File(name); }

private:
    std::filesystem::path path_;
};

}  // namespace vxlo::testing
