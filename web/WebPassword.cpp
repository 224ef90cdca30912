#include "web/WebPassword.h"

#include <sodium.h>

#include <cstdio>
#include <fstream>
#include <sys/stat.h>

namespace qx::web {
namespace {

bool sodiumReady() { return sodium_init() >= 0; }

} // namespace

std::optional<std::string> hashPassword(const std::string& password)
{
    if (!sodiumReady())
        return std::nullopt;
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0)
        return std::nullopt;
    return std::string(out);
}

bool passwordMatches(const std::string& hash, const std::string& password)
{
    if (!sodiumReady() || hash.empty() || hash.size() >= crypto_pwhash_STRBYTES || password.size() > kMaxPasswordLength)
        return false;
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

std::string passwordRefusal(const std::string& password)
{
    if (password.size() < kMinPasswordLength)
        return "The password needs at least " + std::to_string(kMinPasswordLength) + " characters.";
    if (password.size() > kMaxPasswordLength)
        return "The password may have at most " + std::to_string(kMaxPasswordLength) + " characters.";
    return {};
}

std::optional<std::string> loadPasswordHash(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line))
        return std::nullopt;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    if (line.rfind("$argon2id$", 0) != 0 || line.size() >= crypto_pwhash_STRBYTES)
        return std::nullopt;
    return line;
}

bool savePasswordHash(const std::filesystem::path& file, const std::string& hash, std::string* why)
{
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    const std::filesystem::path temp = file.string() + ".new";
    {
        const mode_t old = ::umask(077);
        std::ofstream out(temp, std::ios::trunc);
        ::umask(old);
        out << hash << '\n';
        out.flush();
        if (!out) {
            if (why)
                *why = "cannot write " + temp.string();
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    ::chmod(temp.c_str(), 0600);
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        if (why)
            *why = "cannot replace " + file.string() + ": " + ec.message();
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace qx::web
