// What every window is given, as fakes: requests and window notices land in
// a FakeOutbox, raw sends in a list, and the state stores are the test's own.
#pragma once
#include "core/LinkFlags.h"
#include "menu/MenuTable.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"
#include "windows/WindowContext.h"

#include <string>
#include <vector>

namespace qx::test {

struct WindowWorld {
    FakeOutbox outbox;
    RadioState radio;
    CommandState command;
    MenuTable menu;
    LinkFlags flags;
    std::vector<std::string> sent;
    WindowContext ctx{outbox, radio, command, menu, flags, [this](const std::string& s) {
                          sent.push_back(s);
                          return true;
                      }};
};

} // namespace qx::test
