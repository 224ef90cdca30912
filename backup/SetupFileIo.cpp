#include "backup/SetupFileIo.h"

#include "core/FileIo.h"

namespace qx {

SetupParse loadSetupFile(const std::filesystem::path& path, const MenuTable& menu)
{
    const FileRead read = readRegularFile(path, kSetupFileLimit);
    if (!read.text) {
        SetupParse out;
        out.error = "cannot read " + path.string() + ": " + read.error;
        return out;
    }
    return setupFromJson(*read.text, menu);
}

bool saveSetupFile(const std::filesystem::path& path, const SetupFile& file, std::string& why)
{
    if (path.empty()) {
        why = "no file name";
        return false;
    }
    if (!writeFileAtomically(path, setupToJson(file), why)) {
        why = "cannot write " + path.string() + ": " + why;
        return false;
    }
    return true;
}

} // namespace qx
