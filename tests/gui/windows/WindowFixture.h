// Fake collaborators for one auxiliary window: requests and window notices
// land in a FakeOutbox, raw sends in a list, message boxes in a recorder
// that answers as told.
#pragma once
#include "core/MessageIds.h"
#include "core/RequestTable.h"
#include "menu/MenuTable.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"
#include "tests/gui/WindowWorld.h"
#include "windows/OperatorPrompt.h"
#include "windows/WindowContext.h"

#include <QString>

#include <string>
#include <vector>

namespace qx::test {

class RecordingPrompt : public OperatorPrompt {
public:
    std::vector<QString> shown;
    bool answerOk = true;
    void inform(QWidget*, const QString& text) override { shown.push_back(text); }
    bool confirm(QWidget*, const QString& text) override
    {
        shown.push_back(text);
        return answerOk;
    }
};

class WindowFixture : public WindowWorld {
public:
    // Requests posted to the command builder, as {id, lParam}.
    std::vector<std::pair<std::uint32_t, std::int64_t>> requests() const
    {
        std::vector<std::pair<std::uint32_t, std::int64_t>> out;
        for (const auto& p : outbox.threadPosts)
            if (p.to == ThreadId::AnlSend)
                out.emplace_back(p.m.id, p.m.lParam);
        return out;
    }
    std::vector<std::uint32_t> requestIds() const
    {
        std::vector<std::uint32_t> out;
        for (const auto& r : requests())
            out.push_back(r.first);
        return out;
    }
    std::vector<Message> doneSent() const { return outbox.windowSends; }

    RecordingPrompt prompt;
};

using Requests = std::vector<std::pair<std::uint32_t, std::int64_t>>;

} // namespace qx::test
