// qx720-sim: the simulated QX-720 on a pseudo-terminal, for any CAT client.
// Runs until standard input closes or the console says "quit".
#include "sim/Digits.h"
#include "sim/SimConsole.h"
#include "sim/SimulatedRadio.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

// Kept for the signal handler, which may only call async-signal-safe functions.
char g_linkPath[4096];

extern "C" void onSignal(int)
{
    if (g_linkPath[0] != '\0')
        ::unlink(g_linkPath);
    ::_exit(0);
}

int usage(const char* program, std::FILE* to = stderr)
{
    std::fprintf(to,
                 "usage: %s [--link PATH] [--log FILE] [--id NNNN] [--seed N] [--boot MS]\n"
                 "       [--meter-period MS] [--help]\n"
                 "  --link PATH  make PATH a symbolic link to the radio's serial device\n"
                 "  --log FILE   append every command and answer to FILE\n"
                 "  --id NNNN    the four digits of the \"ID\" answer (default 0241)\n"
                 "  --seed N     seed for meters and faults (default 1)\n"
                 "  --boot MS    time from power-on to answering (default 600)\n"
                 "  --meter-period MS  one meter update per period (default 200)\n",
                 program);
    return to == stdout ? 0 : 2;
}

} // namespace

int main(int argc, char** argv)
{
    qx::sim::SimOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h")
            return usage(argv[0], stdout);
        if (i + 1 >= argc)
            return usage(argv[0]);
        const std::string value = argv[++i];
        if (arg == "--link") {
            options.linkPath = value;
        } else if (arg == "--log") {
            options.logPath = value;
        } else if (arg == "--id" && value.size() == 4 && qx::sim::allDigits(value)) {
            options.radio.id = value;
        } else if (arg == "--seed" && qx::sim::allDigits(value) && value.size() < 10) {
            options.radio.seed = static_cast<std::uint32_t>(std::stoul(value));
            options.faultSeed = options.radio.seed + 1;
        } else if (arg == "--boot" && qx::sim::allDigits(value) && value.size() < 7) {
            options.radio.bootDelay = std::chrono::milliseconds(std::stol(value));
        } else if (arg == "--meter-period" && qx::sim::allDigits(value) && value.size() < 9) {
            // A long period keeps the meters still: a quiet radio, for idle measurements.
            options.radio.meterPeriod = std::chrono::milliseconds(std::stol(value));
        } else {
            return usage(argv[0]);
        }
    }
    if (options.linkPath.size() >= sizeof g_linkPath) {
        std::fprintf(stderr, "link path too long\n");
        return 2;
    }
    options.linkPath.copy(g_linkPath, options.linkPath.size());

    qx::sim::SimulatedRadio radio(options);
    if (!radio.start()) {
        std::fprintf(stderr, "cannot open the pseudo-terminal, the link or the log file\n");
        return 1;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);

    std::cout << radio.slaveName() << std::endl;
    qx::sim::SimConsole console(radio);
    std::string line;
    while (!console.quitRequested() && std::getline(std::cin, line)) {
        const std::string reply = console.execute(line);
        if (!reply.empty())
            std::cout << reply << std::endl;
    }
    radio.stop();
    return 0;
}
