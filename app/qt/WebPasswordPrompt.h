// "rcp720 --set-web-password": asks for the remote station's password twice
// (without echo on a terminal; two lines from standard input otherwise, so
// scripts can set it) and stores its hash in the settings folder.
#pragma once
#include <cstdio>
#include <filesystem>

namespace qx {

// The program's exit code: 0 when the password was stored.
int setWebPassword(const std::filesystem::path& settingsDir, std::FILE* in, std::FILE* out, std::FILE* err);

} // namespace qx
