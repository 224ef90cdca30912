#include "serial/NetworkDeviceSetting.h"

#include "core/KeyValueFile.h"
#include "serial/NetworkAddress.h"

#include <system_error>

namespace qx {

NetworkDeviceSetting::NetworkDeviceSetting(std::filesystem::path file, bool persistent)
    : file_(std::move(file)), persistent_(persistent)
{
}

void NetworkDeviceSetting::load()
{
    std::optional<std::string> found;
    if (persistent_) {
        KeyValueFile f(file_);
        if (f.load())
            if (const auto text = f.get(kKey))
                if (const auto a = parseNetworkAddress(*text))
                    found = a->text();
    }
    std::lock_guard lock(mutex_);
    value_ = found;
}

std::optional<std::string> NetworkDeviceSetting::get() const
{
    std::lock_guard lock(mutex_);
    return value_;
}

bool NetworkDeviceSetting::set(const std::optional<std::string>& address, std::string* why)
{
    std::optional<std::string> normal;
    if (address) {
        std::string reason;
        const auto a = parseNetworkAddress(*address, true, &reason);
        if (!a) {
            if (why)
                *why = reason;
            return false;
        }
        normal = a->text();
    }
    {
        std::lock_guard lock(mutex_);
        value_ = normal;
    }
    if (!persistent_)
        return true;

    KeyValueFile f(file_);
    std::error_code ec;
    // A file that is there but cannot be read is left alone rather than
    // replaced by one holding only this key.
    if (!f.load() && std::filesystem::exists(std::filesystem::symlink_status(file_, ec))) {
        if (why)
            *why = f.lastError();
        return false;
    }
    if (normal)
        f.set(kKey, *normal);
    else
        f.erase(kKey);
    if (f.save())
        return true;
    if (why)
        *why = f.lastError();
    return false;
}

} // namespace qx
