// One client's conversation: a line in, the answer text out. Reads come
// from the radio's last known settings, changes leave as requests; nothing
// here waits for the radio, and every command gets an answer.
//
// Sessions of one server share a RigShared and all run on the server's
// thread.
#pragma once
#include "rigserver/PttGuard.h"
#include "rigserver/RigLineParser.h"
#include "rigserver/RigReply.h"
#include "rigserver/RigStateView.h"
#include "rigserver/RigWriter.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace qx::rig {

struct RigShared {
    PttGuard ptt;
    bool modeLocked = false;  // "\set_lock_mode 1": no client changes the mode
    bool vfoMode = false;     // clients start in VFO mode, as with "rigctld --vfo"
};

class RigSession {
public:
    RigSession(int client, RigStateView& radio, RigWriter& writer, RigShared& shared)
        : client_(client), radio_(radio), writer_(writer), shared_(shared), vfoMode_(shared.vfoMode)
    {
    }

    std::string answer(std::string_view line);
    // A memory channel read ("h") is on its way to the radio: its answer,
    // and those of the commands after it, wait for the radio's.
    bool waiting() const { return read_.has_value(); }
    // The answers held back, once the radio has answered or the wait is
    // over; empty while still waiting.
    std::string resume();
    // After "q": the connection is to be closed once the answer is out.
    bool closing() const { return closing_; }
    int client() const { return client_; }

private:
    struct ChannelRead {
        ParsedCommand command;
        int channel = 0;
        std::uint32_t answersBefore = 0;
        RigStateView::Clock::time_point until{};
    };

    std::string runQueued();
    std::string run(const ParsedCommand& c);
    Status startChannelRead(const ParsedCommand& c);
    Status setChannel(const ParsedCommand& c);
    void recallChannel(int channel);
    void enterMemoryMode();
    Status execute(const ParsedCommand& c, Reply& r);
    Status query(Op op, Reply& r);
    Status vfoCommand(const ParsedCommand& c, Reply& r, int vfo);
    Status setFrequency(int vfo, std::string_view text);
    Status setMode(int vfo, std::string_view name, std::string_view passband);
    void reportMode(Reply& r, int vfo, std::string_view modeLabel, std::string_view widthLabel);
    Status setSplit(std::string_view on, std::string_view txVfo);
    Status setPtt(std::string_view value);
    Status setRit(std::string_view value);
    Status sendMorse(std::string_view text);
    Status setPower(std::string_view value);
    Status vfoOperation(std::string_view name);
    std::string rigInfo() const;
    std::optional<int> parseVfo(std::string_view token) const;
    int splitVfo() const;
    // The VFO this client works on: the one it selected, else the radio's
    // operating VFO.
    int selectedVfo() const;

    int client_;
    RigStateView& radio_;
    RigWriter& writer_;
    RigShared& shared_;
    bool vfoMode_ = false;  // what chk_vfo reports; VFO names are understood either way
    // "V" chooses the VFO this client's later commands address; the radio's
    // operating VFO stays where it is (clients select VFOs on every connect).
    // Nothing: the client follows the operating VFO.
    std::optional<int> selected_;
    bool closing_ = false;
    std::deque<ParsedCommand> queued_;
    std::optional<ChannelRead> read_;
};

} // namespace qx::rig
