#pragma once
// TIniFile: the settings file "VXLO.INI", an INI-style private profile.
// Every call reads or writes the file straight away, so two owners of
// different sections never overwrite each other's keys; a deferred one
// (Deferred) reads the file once, keeps its writes and replaces the file
// once at Commit, as the window does at close. The file is UTF-8;
// a line that is not valid UTF-8 (a file brought from Windows) is read as
// Shift-JIS. Section and key names match without regard to ASCII case.
#include <memory>
#include <string>
#include <string_view>

namespace vxlo {

class TIniFile {
public:
    explicit TIniFile(std::string path);
    // Reads see the file as it was plus the writes made since; nothing is
    // written before Commit. EInOutError (naming the file) when it cannot
    // be read.
    static TIniFile Deferred(std::string path);
    TIniFile(TIniFile&&) noexcept;
    TIniFile& operator=(TIniFile&&) noexcept;
    ~TIniFile();

    // A missing file, section or key, or a text that is not an integer
    // (decimal, or hexadecimal after "0x"), gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // Sets one key and keeps every other line of the file as it was. The file
    // is replaced in one step, so a failed write leaves the old file intact.
    // EInOutError (naming the file) when it cannot be written.
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Writes a deferred file's keys, in one step; nothing when none changed.
    // EInOutError (naming the file) when it cannot be written; the writes
    // stay pending then. Nothing for a file that is not deferred.
    void Commit();

    const std::string& Path() const { return path_; }

private:
    struct TPending;
    std::string path_;
    std::unique_ptr<TPending> pending_;  // a deferred file's content
};

}  // namespace vxlo
