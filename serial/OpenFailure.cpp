#include "serial/OpenFailure.h"

namespace qx {

namespace {

constexpr std::size_t kListedDevices = 8;

std::string joined(const std::vector<std::string>& items)
{
    std::string out;
    for (const auto& s : items) {
        if (!out.empty())
            out += ", ";
        out += s;
    }
    return out;
}

std::string permissionText(const OpenFailure& f)
{
    const std::string head = f.path + ": permission denied";
    if (f.group.empty() || f.groupIsRoot)
        return head + ". Only root may open it; see its permissions with \"ls -l " + f.path + "\".";
    if (f.sessionHasGroup)
        return head + ", though this program runs in the device's group " + f.group +
               ": the device does not let its group read and write; see \"ls -l " + f.path + "\".";
    if (f.userListedInGroup)
        return head + ". You are in the device's group " + f.group +
               ", but this login session began before you joined it: log out and in again.";
    return head + ". The device belongs to the group " + f.group + "; join it with\n    sudo usermod -aG " +
           f.group + " $USER\nthen log out and in again.";
}

std::string busyText(const OpenFailure& f)
{
    if (!f.holders.empty())
        return f.path + ": this port is in use by another program: " + joined(f.holders) + ".";
    if (f.heldHere)
        return f.path + ": this port is already open in this program.";
    return f.path + ": this port is in use by another program.";
}

} // namespace

std::string presentDevicesText(const std::vector<PresentDevice>& present)
{
    if (present.empty())
        return "No serial device is present; is the adapter plugged in?";
    std::string out = "Serial devices present:";
    for (std::size_t i = 0; i < present.size() && i < kListedDevices; ++i) {
        out += "\n    " + present[i].path;
        if (!present[i].byId.empty())
            out += "  (" + present[i].byId + ")";
    }
    if (present.size() > kListedDevices)
        out += "\n    and " + std::to_string(present.size() - kListedDevices) + " more";
    return out;
}

std::string describeOpenFailure(const OpenFailure& f)
{
    using K = OpenFailure::Kind;
    switch (f.kind) {
    case K::Missing:
        return f.path + ": no such device.\n" + presentDevicesText(f.present);
    case K::NoPermission:
        return permissionText(f);
    case K::Busy:
        return busyText(f);
    case K::NotSerial:
        return f.path + ": not a serial device (" + (f.what.empty() ? "no terminal" : f.what) + ").";
    case K::OwnTerminal:
        return f.path + ": not a serial port but the terminal this program runs in.";
    case K::SessionTerminal:
        return f.path + ": not a serial port but the terminal of a login session.";
    case K::Console:
        return f.path + ": not a serial port but a system console.";
    case K::Other:
        break;
    }
    return f.path + ": " + (f.systemText.empty() ? std::string("cannot be opened") : f.systemText);
}

} // namespace qx
