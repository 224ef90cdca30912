// The real ser2net, run for one test in front of a serial device: a
// generated YAML configuration with one connection on a loopback port, raw
// TCP or telnet with RFC 2217. Started with start(), stopped by stop() or
// the destructor; it can be started again on the same port.
#pragma once
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qx::test {

class Ser2netProcess {
public:
    // A loopback port nobody listens on right now; 0 when none could be had.
    static int freeLoopbackPort()
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return 0;
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        int port = 0;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
            && ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            port = ntohs(a.sin_port);
        ::close(fd);
        return port;
    }

    // Empty when ser2net can run here; otherwise why it cannot.
    static std::string whyUnavailable()
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>("ser2net"), const_cast<char*>("-v"), nullptr};
        pid_t pid = -1;
        const int rc = ::posix_spawnp(&pid, "ser2net", &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        if (rc == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0)
            return {};
        return "ser2net cannot run on this machine (`ser2net -v` failed; scripts/bootstrap installs it)";
    }

    // line: ser2net's own setting of the serial port ("4800n82"), which a
    // telnet client may change.
    Ser2netProcess(std::filesystem::path dir, std::string device, int port, bool telnet,
                   std::string line = "4800n82")
        : dir_(std::move(dir)), device_(std::move(device)), port_(port), telnet_(telnet), line_(std::move(line))
    {
    }
    ~Ser2netProcess() { stop(); }
    Ser2netProcess(const Ser2netProcess&) = delete;
    Ser2netProcess& operator=(const Ser2netProcess&) = delete;

    int port() const { return port_; }
    // "tcp://127.0.0.1:PORT" or "rfc2217://127.0.0.1:PORT".
    std::string address() const
    {
        return std::string(telnet_ ? "rfc2217" : "tcp") + "://127.0.0.1:" + std::to_string(port_);
    }

    // False, with the reason, when it did not come up listening within 10 s.
    bool start(std::string& why)
    {
        if (pid_ > 0)
            return true;
        const auto config = dir_ / "ser2net.yaml";
        {
            std::ofstream out(config);
            out << "%YAML 1.1\n---\n"
                << "connection: &radio\n"
                << "  accepter: " << (telnet_ ? "telnet(rfc2217),tcp," : "tcp,") << "127.0.0.1," << port_ << "\n"
                << "  connector: serialdev," << device_ << "," << line_ << ",local\n";
        }
        const std::string log = (dir_ / "ser2net.log").string();
        const std::string configText = config.string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        char* argv[] = {const_cast<char*>("ser2net"), const_cast<char*>("-n"), const_cast<char*>("-c"),
                        const_cast<char*>(configText.c_str()), nullptr};
        const int rc = ::posix_spawnp(&pid_, "ser2net", &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) {
            pid_ = -1;
            why = "ser2net could not be started";
            return false;
        }
        // It has no way to tell it is listening but the socket table.
        for (int i = 0; i < 1000; ++i) {
            if (listening())
                return true;
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                why = "ser2net ended at once; its log: " + readLog();
                return false;
            }
            ::poll(nullptr, 0, 10);
        }
        stop();
        why = "ser2net did not listen on port " + std::to_string(port_) + "; its log: " + readLog();
        return false;
    }

    void stop()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    // Whether a socket listens on 127.0.0.1:port (state 0A in the kernel's table).
    bool listening() const
    {
        char want[32];
        std::snprintf(want, sizeof want, "0100007F:%04X", port_);
        std::ifstream table("/proc/net/tcp");
        std::string sl, local, remote, state;
        std::string line;
        std::getline(table, line); // header
        while (table >> sl >> local >> remote >> state) {
            std::getline(table, line);
            if (local == want && state == "0A")
                return true;
        }
        return false;
    }

    std::string readLog() const
    {
        std::ifstream in(dir_ / "ser2net.log");
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path dir_;
    std::string device_;
    int port_;
    bool telnet_;
    std::string line_;
    pid_t pid_ = -1;
};

} // namespace qx::test
