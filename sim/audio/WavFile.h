// A 16-bit mono WAV file written as it grows: the head's lengths are brought
// up to date after every block, so the file is whole at any moment and
// another program may read it while the recording goes on.
#pragma once
#include <cstdint>
#include <fstream>
#include <string>

namespace qx::sim {

class WavFile {
public:
    bool open(const std::string& path, int rate);
    void append(const std::int16_t* samples, int count);
    bool isOpen() const { return out_.is_open(); }

private:
    void writeHead();

    std::ofstream out_;
    int rate_ = 48000;
    std::uint32_t dataBytes_ = 0;
};

} // namespace qx::sim
