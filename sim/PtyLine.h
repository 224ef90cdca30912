// The radio's end of the serial line: the master side of a pseudo-terminal
// pair whose slave a CAT client opens like any serial device. The line keeps
// a slave descriptor of its own open so that a client closing and reopening
// the device does not hang the line up; close() is the hang-up.
#pragma once
#include <string>
#include <string_view>

namespace qx::sim {

class PtyLine {
public:
    PtyLine() = default;
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    // A new pair in raw mode, non-blocking; false when the system refuses one.
    bool open();
    void close();
    bool isOpen() const { return master_ >= 0; }
    int masterFd() const { return master_; }
    const std::string& slaveName() const { return slaveName_; }

    // Points a symbolic link at the slave. Only a missing path or an existing
    // symbolic link is replaced, never a real file.
    bool link(const std::string& path);
    // Removes the link made by link(), if it still is one.
    void unlink();

    // What is waiting, at most size bytes; 0 when nothing, -1 on an error.
    long read(char* buffer, std::size_t size);
    // Bytes the line took; the rest is lost as on a full serial buffer.
    long write(std::string_view bytes);

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slaveName_;
    std::string linkPath_;
};

} // namespace qx::sim
