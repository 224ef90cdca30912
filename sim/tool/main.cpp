// qx720-sim: the simulated QX-720 on a pseudo-terminal, for any CAT client.
// Runs until standard input closes or the console says "quit".
#include "sim/Digits.h"
#include "sim/SimConsole.h"
#include "sim/SimulatedRadio.h"

#ifdef QX_SIM_AUDIO
#include "sim/audio/SimAudio.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <thread>
#endif

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
                 "       [--meter-period MS] [--audio-out DEVICE] [--audio-in DEVICE] [--record FILE.wav]\n"
                 "       [--audio-station HZ] [--audio-beacon on|off] [--audio-beacon-text TEXT] [--help]\n"
                 "  --link PATH  make PATH a symbolic link to the radio's serial device\n"
                 "  --log FILE   append every command and answer to FILE\n"
                 "  --id NNNN    the four digits of the \"ID\" answer (default 0241)\n"
                 "  --seed N     seed for meters and faults (default 1)\n"
                 "  --boot MS    time from power-on to answering (default 600)\n"
                 "  --meter-period MS  one meter update per period (default 200)\n"
                 "  --audio-out DEVICE play the receive signal to this sound device\n"
                 "  --audio-in DEVICE  the modulation input: recorded while transmitting\n"
                 "  --record FILE.wav  where the modulation input is recorded\n"
                 "  --audio-station HZ the station heard: its pitch is its distance from the dial\n"
                 "                     (default 14201000)\n"
                 "  --audio-beacon on  the station keys its carrier in Morse\n"
                 "  --audio-beacon-text TEXT  what it sends (default \"VVV DE QX720 \")\n",
                 program);
    return to == stdout ? 0 : 2;
}

} // namespace

int main(int argc, char** argv)
{
    qx::sim::SimOptions options;
#ifdef QX_SIM_AUDIO
    qx::sim::SimAudioOptions audio;
#endif
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
#ifdef QX_SIM_AUDIO
        } else if (arg == "--audio-out") {
            audio.playback = value;
        } else if (arg == "--audio-in") {
            audio.capture = value;
        } else if (arg == "--record") {
            audio.recording = value;
        } else if (arg == "--audio-station" && qx::sim::allDigits(value) && value.size() < 12) {
            audio.stationHz = std::stoll(value);
        } else if (arg == "--audio-beacon" && (value == "on" || value == "off")) {
            audio.beacon = value == "on";
        } else if (arg == "--audio-beacon-text" && !value.empty() && value.size() <= 64) {
            audio.beaconText = value;
#endif
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

    qx::sim::SimConsole console(radio);
    const auto readConsole = [&console] {
        std::string line;
        while (!console.quitRequested() && std::getline(std::cin, line)) {
            const std::string reply = console.execute(line);
            if (!reply.empty())
                std::cout << reply << std::endl;
        }
    };
#ifdef QX_SIM_AUDIO
    if (audio.any()) {
        // The sound devices want Qt's event loop; the console reads on a thread of its own.
        int qtArgc = 1;
        QCoreApplication app(qtArgc, argv);
        qx::sim::SimAudio sound(radio, audio);
        if (!sound.start()) {
            std::fprintf(stderr, "audio: %s\n", sound.error().c_str());
            radio.stop();
            return 1;
        }
        std::cout << radio.slaveName() << std::endl;
        std::thread console([&] {
            readConsole();
            QMetaObject::invokeMethod(&app, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
        });
        app.exec();
        console.join();
        radio.stop();
        return 0;
    }
#endif
    std::cout << radio.slaveName() << std::endl;
    readConsole();
    radio.stop();
    return 0;
}
