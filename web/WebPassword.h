// The remote station's password: only its salted slow hash (Argon2id) is
// kept, in a file of its own that only the owner may read. There is no
// default; without a stored hash the server does not start.
#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace qx::web {

inline constexpr std::size_t kMinPasswordLength = 8;
inline constexpr std::size_t kMaxPasswordLength = 256;
inline constexpr const char* kPasswordFileName = "web-password";

// The hash text to store; nothing when the hashing library failed (out of memory).
std::optional<std::string> hashPassword(const std::string& password);
bool passwordMatches(const std::string& hash, const std::string& password);

// Why a new password is refused; empty when it is acceptable.
std::string passwordRefusal(const std::string& password);

// The stored hash; nothing when no password was set (or the file is unreadable).
std::optional<std::string> loadPasswordHash(const std::filesystem::path& file);
// Written whole (a new file renamed over the old one), readable by the owner only.
bool savePasswordHash(const std::filesystem::path& file, const std::string& hash, std::string* why);

} // namespace qx::web
