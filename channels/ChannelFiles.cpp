#include "channels/ChannelFiles.h"

#include "channels/ChannelJson.h"
#include "channels/ChirpCsv.h"
#include "core/FileIo.h"

#include <algorithm>
#include <cctype>

namespace qx {

ChannelFileKind channelFileKind(const std::filesystem::path& path)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".csv")
        return ChannelFileKind::Csv;
    if (ext == ".json")
        return ChannelFileKind::Json;
    return ChannelFileKind::Unknown;
}

ChannelImport loadChannelFile(const std::filesystem::path& path, std::optional<long long> repeaterShiftHz)
{
    ChannelImport out;
    const ChannelFileKind kind = channelFileKind(path);
    if (kind == ChannelFileKind::Unknown) {
        out.error = path.string() + ": a channel list ends in .csv (CHIRP) or .json";
        return out;
    }
    const FileRead read = readRegularFile(path, kChannelFileLimit);
    if (!read.text) {
        out.error = "cannot read " + path.string() + ": " + read.error;
        return out;
    }
    out = kind == ChannelFileKind::Csv ? readChirpCsv(*read.text, repeaterShiftHz) : readChannelJson(*read.text);
    if (out.refused())
        out.error = path.string() + ": " + out.error;
    return out;
}

bool saveChannelFile(const std::filesystem::path& path, const std::vector<ChannelEntry>& channels,
                     const std::string& radioId, std::optional<long long> repeaterShiftHz, std::string& why)
{
    const ChannelFileKind kind = channelFileKind(path);
    if (kind == ChannelFileKind::Unknown) {
        why = path.string() + ": a channel list ends in .csv (CHIRP) or .json";
        return false;
    }
    const std::string text = kind == ChannelFileKind::Csv ? writeChirpCsv(channels, repeaterShiftHz)
                                                          : writeChannelJson(channels, radioId);
    if (!writeFileAtomically(path, text, why)) {
        why = "cannot write " + path.string() + ": " + why;
        return false;
    }
    return true;
}

} // namespace qx
