// The state a backup works on, loaded with the radio's menu and linked, and
// fakes for the rest: requests land in the outbox, raw sends in a list, time
// moves only when a test moves it.
#pragma once
#include "backup/RadioAccess.h"
#include "core/MessageIds.h"
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::test {

struct BackupWorld : ::testing::Test {
    RadioState radio;
    MenuTable menu;
    LinkFlags flags;
    FakeOutbox outbox;
    FakeClock clock;
    std::vector<std::string> sent;
    RadioAccess access{outbox, radio, menu, flags,
                       [this](const std::string& t) {
                           sent.push_back(t);
                           return true;
                       },
                       clock};

    BackupWorld()
    {
        MenuLoader(menu, {[this](int n) { radio.set(RadioState::Int::HIGHEST_MENU, n); }, {}}).load();
        radio.set(RadioState::Int::AI, 1);
        radio.set(RadioState::Int::ID, 241);
    }

    // The radio answered: the decoder stored the value, then the notification came.
    void setMenuValue(int slot, double value)
    {
        menu.update(slot, [value](MenuItem& item) {
            item.value = value;
            return true;
        });
    }

    // The requests posted to the command builder, by id.
    std::vector<Message> requests(std::uint32_t id) const
    {
        std::vector<Message> out;
        for (const auto& p : outbox.threadPosts)
            if (p.to == ThreadId::AnlSend && p.m.id == id)
                out.push_back(p.m);
        return out;
    }
};

} // namespace qx::test
