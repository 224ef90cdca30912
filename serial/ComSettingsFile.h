// The COM settings file: one line "port,baud,reserved" in the folder
// "CommoFiles" of a base folder (the current directory in the program).
// A second running copy uses its own file so the two never share one.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace qx {

class ComLink;

class ComSettingsFile {
public:
    static constexpr std::string_view kFolder = "CommoFiles";
    static constexpr std::string_view kFileName = "CommSetting.csv";
    static constexpr std::string_view kSecondFileName = "CommSettingTmp.csv";
    // Base folder + folder name + file name must stay below this many characters.
    static constexpr std::size_t kPathLimit = 260;

    ComSettingsFile(std::filesystem::path baseDir, bool secondInstance);

    // False when the path is too long (settings untouched) or the file cannot
    // be read or holds nothing (defaults set); otherwise the fields in order
    // (port, speed, reserved; a UTF-8 byte-order mark before them is skipped)
    // go through the link's setters and the result is true. Something that
    // is there but cannot be read as settings (a directory, a FIFO, a file
    // too large or holding no field, a field that is not a number, a port or
    // speed the link does not take) is renamed with kBadSuffix so that the
    // defaults written later do not take its place unseen; what could be
    // read is kept. `why` says what was wrong, for the operator.
    bool read(ComLink& link, std::string* why = nullptr) const;

    // Replaces the file as a whole: a crash mid-write leaves the old file.
    // False with the reason in `why` when the file was not written.
    bool write(const ComLink& link, std::string* why = nullptr) const;

    static constexpr std::string_view kBadSuffix = ".bad";
    static constexpr std::size_t kMaxBytes = 64 * 1024;

    std::filesystem::path path() const;

private:
    bool pathTooLong() const;
    std::string keepAside() const;

    std::filesystem::path baseDir_;
    std::string_view fileName_;
};

} // namespace qx
