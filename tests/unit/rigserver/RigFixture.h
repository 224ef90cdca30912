// A radio as a client session sees it, made of real state stores and a
// loaded menu, with a writer that records what would have gone to the
// command builder. The writer may be called from a server thread: tests
// wait on it with a generous time-out instead of sleeping.
#pragma once
#include "core/MessageIds.h"
#include "menu/MenuKind.h"
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "rigserver/RigLevels.h"
#include "rigserver/RigModes.h"
#include "rigserver/RigStateView.h"
#include "rigserver/RigWriter.h"
#include "rigserver/RigSession.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace qx::rig::test {

struct Sent {
    std::uint32_t id;
    int selector;
    long long value;
    bool operator==(const Sent&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Sent& s)
{
    return os << messageName(s.id) << "(" << s.selector << ", " << s.value << ")";
}

class RecordingWriter : public RigWriter {
public:
    void request(std::uint32_t id, int selector, long long value) override
    {
        std::lock_guard lock(mutex_);
        requests_.push_back({id, selector, value});
        changed_.notify_all();
    }
    bool sendText(const std::string& text) override
    {
        std::lock_guard lock(mutex_);
        texts_.push_back(text);
        return true;
    }
    bool setMenuValue(int kind, int value) override
    {
        std::lock_guard lock(mutex_);
        menuSets_.push_back({static_cast<std::uint32_t>(kind), 0, value});
        return true;
    }

    bool writeChannel(int channel, const MemoryChannel& content) override
    {
        std::lock_guard lock(mutex_);
        channels_.emplace_back(channel, content);
        return MemoryChannel::validChannel(channel) && content.valid();
    }
    std::vector<std::pair<int, MemoryChannel>> takeChannels()
    {
        std::lock_guard lock(mutex_);
        return std::exchange(channels_, {});
    }

    std::vector<Sent> take()
    {
        std::lock_guard lock(mutex_);
        return std::exchange(requests_, {});
    }
    std::vector<std::string> takeTexts()
    {
        std::lock_guard lock(mutex_);
        return std::exchange(texts_, {});
    }
    std::vector<Sent> takeMenuSets()
    {
        std::lock_guard lock(mutex_);
        return std::exchange(menuSets_, {});
    }
    // Waits until a request with this id has been recorded.
    bool waitFor(std::uint32_t id, std::chrono::milliseconds timeout = std::chrono::milliseconds(10000))
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] {
            for (const Sent& s : requests_)
                if (s.id == id)
                    return true;
            return false;
        });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Sent> requests_;
    std::vector<std::string> texts_;
    std::vector<Sent> menuSets_;
    std::vector<std::pair<int, MemoryChannel>> channels_;
};

class RigTest : public ::testing::Test {
protected:
    using R = RadioState::Int;

    RigTest()
    {
        MenuLoader loader(menu, {[this](int n) { radio.set(R::HIGHEST_MENU, n); }, {}});
        loader.load();
        linkUp();
    }

    void linkUp()
    {
        radio.set(R::AI, 1);
        radio.set(R::PS, 1);
    }
    void setDataType(int type)
    {
        menu.update(menu.slotByKind(MenuKind::DataType), [type](MenuItem& m) {
            m.value = type;
            return true;
        });
    }
    std::string ask(const std::string& line) { return session.answer(line); }

    RadioState radio;
    CommandState command;
    MenuTable menu;
    std::chrono::steady_clock::time_point now{};
    RigStateView view{radio, command, menu, [this] { return now; }};
    RecordingWriter writer;
    RigShared shared;
    RigSession session{7, view, writer, shared};
};

} // namespace qx::rig::test
