#include "serial/DeviceCheck.h"

#include "serial/DeviceFacts.h"
#include "serial/NetworkAddress.h"

#include <cctype>
#include <sys/sysmacros.h>

namespace qx {

bool isAddressForm(std::string_view device)
{
    const std::size_t sep = device.find("://");
    if (sep == std::string_view::npos || sep == 0 || !std::isalpha(static_cast<unsigned char>(device[0])))
        return false;
    for (char c : device.substr(0, sep))
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    return true;
}

bool networkAddressClaimed(std::string_view address)
{
    return isNetworkDeviceName(address);
}

std::string deviceRefusal(const std::string& device)
{
    if (isAddressForm(device)) {
        if (networkAddressClaimed(device))
            return {};
        return device + ": no opener takes addresses of the form " +
               std::string(device.substr(0, device.find("://") + 3)) + "...";
    }
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0)
        return {};
    if (const auto refused = refusedDevice(device, st))
        return describeOpenFailure(*refused);
    return {};
}

std::optional<OpenFailure> refusedDevice(const std::string& path, const struct stat& st,
                                         const std::filesystem::path& sysDir)
{
    OpenFailure f;
    f.path = path;
    // Pseudo-terminals have no class entry: their open is checked with isatty.
    const auto kind = characterDeviceClass(st.st_rdev, sysDir);
    if (!S_ISCHR(st.st_mode) || (kind && *kind != "tty")) {
        f.kind = OpenFailure::Kind::NotSerial;
        f.what = fileKindText(st.st_mode);
        return f;
    }
    const unsigned maj = major(st.st_rdev), min = minor(st.st_rdev);
    if (maj == 5 && min == 0) { // /dev/tty: whatever terminal the program runs in
        f.kind = OpenFailure::Kind::OwnTerminal;
        return f;
    }
    if ((maj == 5 && min == 1) || (maj == 4 && min < 64)) { // /dev/console, /dev/tty0..63
        f.kind = OpenFailure::Kind::Console;
        return f;
    }
    if (maj == 5 && min == 2) { // opening it would make a new pseudo-terminal
        f.kind = OpenFailure::Kind::NotSerial;
        f.what = "the pseudo-terminal multiplexer";
        return f;
    }
    return std::nullopt;
}

} // namespace qx
