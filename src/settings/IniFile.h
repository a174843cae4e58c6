#pragma once
// TIniFile: the settings file "VXLO.INI", an INI-style private profile.
// Every call reads or writes the file straight away, so two owners of
// different sections never overwrite each other's keys. The file is UTF-8;
// a line that is not valid UTF-8 (a file brought from Windows) is read as
// Shift-JIS. Section and key names match without regard to ASCII case.
#include <string>
#include <string_view>

namespace vxlo {

class TIniFile {
public:
    explicit TIniFile(std::string path);

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

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace vxlo
