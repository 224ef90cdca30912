// A fresh folder for one test, removed with its content afterwards.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace qx::test {

struct TempDir {
    std::filesystem::path path;
    TempDir()
    {
        std::string p = (std::filesystem::temp_directory_path() / "qxserial.XXXXXX").string();
        path = ::mkdtemp(p.data()) ? p : std::string();
    }
    ~TempDir() { std::error_code ec; std::filesystem::remove_all(path, ec); }
    void write(const std::filesystem::path& rel, const std::string& content) const
    {
        std::filesystem::create_directories((path / rel).parent_path());
        std::ofstream(path / rel, std::ios::binary) << content;
    }
    std::string read(const std::filesystem::path& rel) const
    {
        std::ifstream in(path / rel, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

} // namespace qx::test
