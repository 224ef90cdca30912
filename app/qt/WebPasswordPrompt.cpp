#include "app/qt/WebPasswordPrompt.h"

#include "web/WebPassword.h"

#include <sodium.h>

#include <string>
#include <termios.h>
#include <unistd.h>

namespace qx {
namespace {

// One line without its end; nothing at end of input or for an over-long line.
bool readLine(std::FILE* in, std::string& line)
{
    line.clear();
    for (int c = std::fgetc(in); c != EOF; c = std::fgetc(in)) {
        if (c == '\n')
            return true;
        if (line.size() > web::kMaxPasswordLength + 1)
            continue;
        line.push_back(static_cast<char>(c));
    }
    return !line.empty();
}

bool prompt(std::FILE* in, std::FILE* out, bool terminal, const char* text, std::string& line)
{
    if (!terminal)
        return readLine(in, line);
    std::fprintf(out, "%s", text);
    std::fflush(out);
    termios old{};
    const int fd = fileno(in);
    tcgetattr(fd, &old);
    termios quiet = old;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(fd, TCSAFLUSH, &quiet);
    const bool ok = readLine(in, line);
    tcsetattr(fd, TCSAFLUSH, &old);
    std::fprintf(out, "\n");
    return ok;
}

void wipe(std::string& s)
{
    if (!s.empty())
        sodium_memzero(s.data(), s.size());
    s.clear();
}

} // namespace

int setWebPassword(const std::filesystem::path& settingsDir, std::FILE* in, std::FILE* out, std::FILE* err)
{
    const bool terminal = isatty(fileno(in)) != 0;
    std::string first;
    std::string second;
    if (!prompt(in, out, terminal, "New web password: ", first) ||
        !prompt(in, out, terminal, "The same again: ", second)) {
        std::fprintf(err, "No password was given; nothing changed.\n");
        return 1;
    }
    if (!first.empty() && first.back() == '\r')
        first.pop_back();
    if (!second.empty() && second.back() == '\r')
        second.pop_back();
    const bool same = first == second;
    const std::string refusal = web::passwordRefusal(first);
    wipe(second);
    if (!same || !refusal.empty()) {
        wipe(first);
        std::fprintf(err, "%s Nothing changed.\n", same ? refusal.c_str() : "The two passwords differ.");
        return 1;
    }
    const auto hash = web::hashPassword(first);
    wipe(first);
    std::string why;
    if (!hash || !web::savePasswordHash(settingsDir / web::kPasswordFileName, *hash, &why)) {
        std::fprintf(err, "The password could not be stored: %s\n", hash ? why.c_str() : "hashing failed");
        return 1;
    }
    std::fprintf(out, "The web password is set (%s).\n", (settingsDir / web::kPasswordFileName).c_str());
    return 0;
}

} // namespace qx
