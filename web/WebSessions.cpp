#include "web/WebSessions.h"

#include <sodium.h>

#include <algorithm>

namespace qx::web {

std::string WebSessions::open(const std::string& peer)
{
    expire();
    if (sessions_.size() >= kMaxSessions) {
        auto oldest = std::min_element(sessions_.begin(), sessions_.end(),
                                       [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        sessions_.erase(oldest);
    }
    unsigned char bytes[32];
    if (sodium_init() < 0)
        return {};
    randombytes_buf(bytes, sizeof bytes);
    char hex[sizeof bytes * 2 + 1];
    sodium_bin2hex(hex, sizeof hex, bytes, sizeof bytes);
    std::string token(hex);
    sessions_[token] = Session{peer, now_()};
    return token;
}

bool WebSessions::valid(const std::string& token) const
{
    const auto it = sessions_.find(token);
    return it != sessions_.end() && alive(it->second);
}

bool WebSessions::touch(const std::string& token)
{
    const auto it = sessions_.find(token);
    if (it == sessions_.end())
        return false;
    if (!alive(it->second)) {
        sessions_.erase(it);
        return false;
    }
    it->second.lastUse = now_();
    return true;
}

void WebSessions::close(const std::string& token) { sessions_.erase(token); }

std::size_t WebSessions::expire()
{
    return std::erase_if(sessions_, [this](const auto& entry) { return !alive(entry.second); });
}

std::string sessionTokenFromCookie(const std::string& cookieHeader)
{
    const std::string key = std::string(kSessionCookie) + "=";
    std::size_t pos = 0;
    while (pos < cookieHeader.size()) {
        while (pos < cookieHeader.size() && (cookieHeader[pos] == ' ' || cookieHeader[pos] == ';'))
            ++pos;
        const std::size_t end = std::min(cookieHeader.find(';', pos), cookieHeader.size());
        if (cookieHeader.compare(pos, key.size(), key) == 0)
            return cookieHeader.substr(pos + key.size(), end - pos - key.size());
        pos = end;
    }
    return {};
}

} // namespace qx::web
