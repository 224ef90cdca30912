// The engine's receive and send paths against a line this program drives
// itself (a pseudo-terminal it holds the far end of), so every time is taken
// where the bytes cross:
//  - answer -> notification: answers written a character at a time at the
//    line's pace; from the write of an answer's last byte (and of its first,
//    against the answer's line time) to its notification on the UI thread;
//  - request -> first byte: from posting a read request on the UI thread to
//    its first byte arriving at the far end;
//  - junk: a burst written as fast as the line takes it, then one answer;
//    from the end of the burst to that answer's notification;
//  - flood: answers back to back at the full line rate; how far behind the
//    notifications are when the flood ends, and whether any went missing.
//   engine_line [--baud 4800|9600|19200|38400] [--flood-seconds N]
//               [--phases answers,requests,junk,flood]
#include "app/Engine.h"
#include "app/qt/UiBridge.h"
#include "core/MessageIds.h"
#include "menu/MenuTable.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <poll.h>
#include <string>
#include <thread>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void report(const char* what, std::vector<double> v)
{
    if (v.empty()) {
        std::printf("%-34s no samples\n", what);
        return;
    }
    std::sort(v.begin(), v.end());
    std::printf("%-34s n=%4zu  median %7.3f ms  p99 %7.3f ms  max %7.3f ms\n", what, v.size(), v[v.size() / 2],
                v[std::min(v.size() - 1, v.size() * 99 / 100)], v.back());
}

// The far end of the line.
class FarEnd {
public:
    FarEnd()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            slave_ = ::ptsname(master_);
        reader_ = std::thread([this] { readLoop(); });
    }
    ~FarEnd()
    {
        stop_ = true;
        reader_.join();
        ::close(master_);
    }
    const std::string& slave() const { return slave_; }

    // Writes every byte at the line's pace from now; the time the last byte went.
    Clock::time_point paced(std::string_view bytes, std::chrono::nanoseconds perChar, Clock::time_point* first = nullptr)
    {
        timespec next{};
        ::clock_gettime(CLOCK_MONOTONIC, &next);
        Clock::time_point last{};
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
            writeAll(bytes.substr(i, 1), Clock::now() + 1s);
            last = Clock::now();
            if (i == 0 && first)
                *first = last;
            next.tv_nsec += perChar.count();
            while (next.tv_nsec >= 1'000'000'000) {
                next.tv_nsec -= 1'000'000'000;
                ++next.tv_sec;
            }
        }
        return last;
    }
    // As fast as the line takes it, within the deadline; false when it ran out.
    bool writeAll(std::string_view bytes, Clock::time_point deadline)
    {
        while (!bytes.empty()) {
            const ssize_t n = ::write(master_, bytes.data(), bytes.size());
            if (n > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(n));
                continue;
            }
            if (Clock::now() > deadline)
                return false;
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 5);
        }
        return true;
    }
    // When the next byte from the program arrives after `after`.
    Clock::time_point firstByteAfter(Clock::time_point after, std::chrono::milliseconds timeout)
    {
        const auto until = Clock::now() + timeout;
        while (Clock::now() < until) {
            {
                std::lock_guard lock(mutex_);
                for (auto t : arrivals_)
                    if (t >= after)
                        return t;
            }
            std::this_thread::sleep_for(100us);
        }
        return {};
    }

private:
    void readLoop()
    {
        char buf[4096];
        while (!stop_) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            const auto t = Clock::now();
            if (::read(master_, buf, sizeof buf) > 0) {
                std::lock_guard lock(mutex_);
                arrivals_.push_back(t);
            } else {
                std::this_thread::sleep_for(1ms); // no slave open yet
            }
        }
    }

    int master_ = -1;
    std::string slave_;
    std::atomic<bool> stop_{false};
    std::thread reader_;
    std::mutex mutex_;
    std::vector<Clock::time_point> arrivals_;
};

// Notifications as the UI thread sees them: each "FA" answer carries its own
// frequency, so the radio state tells which one arrived.
class Notes {
public:
    void note(long long fa)
    {
        const auto t = Clock::now();
        {
            std::lock_guard lock(mutex_);
            at_.emplace_back(fa, t);
        }
        changed_.notify_all();
    }
    // When the answer carrying `fa` was notified, waiting at most `timeout` for it.
    std::optional<Clock::time_point> when(long long fa, std::chrono::milliseconds timeout = 0ms)
    {
        std::unique_lock lock(mutex_);
        std::optional<Clock::time_point> seen;
        changed_.wait_for(lock, timeout, [&] {
            for (auto it = at_.rbegin(); it != at_.rend(); ++it)
                if (it->first == fa)
                    return (seen = it->second).has_value();
            return false;
        });
        return seen;
    }
    std::size_t count()
    {
        std::lock_guard lock(mutex_);
        return at_.size();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::pair<long long, Clock::time_point>> at_;
};

std::string faAnswer(long long hz)
{
    char text[32];
    std::snprintf(text, sizeof text, "FA%08lld;", hz % 100'000'000);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int baud = 4800;
    int floodSeconds = 10;
    std::string phases = "answers,requests,junk,flood";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--baud") == 0)
            baud = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--flood-seconds") == 0)
            floodSeconds = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--phases") == 0)
            phases = argv[i + 1];
    }
    if (baud <= 0) {
        std::fprintf(stderr, "bad --baud\n");
        return 2;
    }
    auto phase = [&phases](const char* name) { return phases.find(name) != std::string::npos; };
    const auto perChar = std::chrono::nanoseconds(11'000'000'000LL / baud);

    FarEnd line;
    if (line.slave().empty()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    const auto dir = std::filesystem::temp_directory_path() / ("qx-engine-line-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "CommoFiles");
    std::ofstream(dir / "CommoFiles" / "CommSetting.csv") << "1," << baud << ",0\n";

    qx::EngineConfig config;
    config.baseDir = dir;
    config.devicePath = line.slave();
    qx::RadioState radio;
    qx::CommandState command;
    qx::MenuTable menu;
    qx::UiBridge bridge;
    qx::Engine engine(config, bridge, radio, command, menu);
    Notes notes;
    bridge.setTimerHandler([&](int id) { engine.onTimer(id); });
    bridge.setMessageHandler([&](const qx::Message& m) {
        if (m.id == qx::UM_ANS_FA)
            notes.note(radio.get(qx::RadioState::Int::FA));
    });
    engine.startUp();

    // The measuring runs on a thread of its own; this one is the UI thread,
    // asleep in its event loop as in the program.
    std::vector<double> lastToNote, firstToNoteOverLine, requestToByte;
    std::string junkReport, floodReport;
    std::thread bench([&] {
        while (!radio.menuReady())
            std::this_thread::sleep_for(1ms);
        std::this_thread::sleep_for(300ms);
        const double lineMs = ms(perChar * 11);

        // Answers one at a time, a quiet gap after each.
        long long hz = 7'000'000;
        for (int i = 0; phase("answers") && i < 200; ++i) {
            const std::string a = faAnswer(++hz);
            Clock::time_point first;
            const auto last = line.paced(a, perChar, &first);
            const auto seen = notes.when(hz, 2000ms);
            if (seen) {
                lastToNote.push_back(ms(*seen - last));
                firstToNoteOverLine.push_back(ms(*seen - first) - lineMs);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20 + i % 7));
        }

        // Requests, each with the line quiet.
        for (int i = 0; phase("requests") && i < 200; ++i) {
            const auto posted = Clock::now();
            engine.postToThread(qx::ThreadId::AnlSend, {qx::UM_REQ_FB_READ, 0, 0});
            const auto t = line.firstByteAfter(posted, 1000ms);
            if (t != Clock::time_point{})
                requestToByte.push_back(ms(t - posted));
            std::this_thread::sleep_for(std::chrono::milliseconds(15 + i % 5));
        }

        // Bursts of junk, each followed by one answer.
        const std::pair<const char*, std::string> bursts[] = {
            {"4000 NUL bytes", std::string(4000, '\0')},
            {"1 MB of NUL bytes", std::string(1 << 20, '\0')},
            {"\"FA\" and 200 kB of digits", "FA" + std::string(200'000, '1')},
            {"1 MB of letters", std::string(1 << 20, 'Q')},
        };
        char line1[200];
        for (const auto& [name, junk] : bursts) {
            if (!phase("junk"))
                break;
            const auto start = Clock::now();
            const bool taken = line.writeAll(junk, start + 30s);
            const auto end = Clock::now();
            const std::string probe = ";" + faAnswer(++hz);
            line.writeAll(probe, end + 5s);
            const auto seen = notes.when(hz, taken ? 30000ms : 1000ms);
            if (!taken)
                std::snprintf(line1, sizeof line1, "%-34s not taken by the program within 30 s\n", name);
            else if (!seen)
                std::snprintf(line1, sizeof line1, "%-34s line took it in %.0f ms; the answer after it: lost\n", name,
                              ms(end - start));
            else
                std::snprintf(line1, sizeof line1, "%-34s line took it in %.0f ms; answer %.2f ms after its end\n",
                              name, ms(end - start), ms(*seen - end));
            junkReport += line1;
            std::this_thread::sleep_for(200ms);
        }

        // A flood of answers at the full line rate.
        if (!phase("flood")) {
            QMetaObject::invokeMethod(&app, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
            return;
        }
        std::string flood;
        const long long firstHz = hz + 1;
        const long long count = floodSeconds * (baud / 11) / 11;
        for (long long i = 0; i < count; ++i)
            flood += faAnswer(++hz);
        const std::size_t before = notes.count();
        const auto start = Clock::now();
        const auto last = line.paced(flood, perChar);
        const auto seen = notes.when(hz, 60000ms);
        std::snprintf(line1, sizeof line1,
                      "%-34s %lld answers in %.1f s: %zu notified, the last %s%.1f ms after it was sent\n",
                      "flood at the full line rate", count, ms(last - start) / 1000, notes.count() - before,
                      seen ? "" : "(never) ", seen ? ms(*seen - last) : 0.0);
        floodReport = line1;
        (void)firstHz;
        QMetaObject::invokeMethod(&app, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    });
    QCoreApplication::exec();
    bench.join();
    bridge.beginShutdown();
    engine.shutDown();
    std::filesystem::remove_all(dir);

    std::printf("line at %d bit/s (%.3f ms a character)\n", baud, ms(perChar));
    report("answer last byte -> notification", lastToNote);
    report("FA first byte -> note, less line", firstToNoteOverLine);
    report("request -> first byte", requestToByte);
    std::fputs(junkReport.c_str(), stdout);
    std::fputs(floodReport.c_str(), stdout);
    return 0;
}
