// One XML-RPC client of the flrig-compatible server: the methods flrig
// publishes that clients call (fldigi, Hamlib's FLRig backend, loggers),
// answered from the radio state (no byte on the serial line for a read) and
// carried out as the program's requests. Types are flrig's: frequencies go
// out as strings of Hz and are taken in as doubles, integers or strings;
// switches and levels as integers; modes by the names rig.get_modes lists.
//
// Used on the server's thread only.
#pragma once
#include "rigserver/PttGuard.h"
#include "rigserver/RigStateView.h"
#include "rigserver/RigWriter.h"
#include "xmlrpc/CatAnswerWatch.h"
#include "xmlrpc/XmlRpcCall.h"

#include <map>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

namespace qx::xmlrpc {

class FlrigSession {
public:
    // What main.get_version answers: Hamlib's FLRig backend takes its
    // direct per-VFO calls from flrig 1.3.54.18 on.
    static constexpr const char* kVersion = "1.4.7";
    static constexpr const char* kTransceiver = "QX-720";

    // `cat`: the line's answers for rig.cat_string; without it the method
    // is a fault.
    FlrigSession(int client, rig::RigStateView& radio, rig::RigWriter& writer, rig::PttGuard& ptt,
                 CatAnswerWatch* cat = nullptr)
        : client_(client), radio_(radio), writer_(writer), ptt_(ptt), cat_(cat)
    {
    }

    // The XML of the answer: a methodResponse, or a fault. Empty when the
    // answer is the radio's, still to come: see catWait().
    std::string answer(const Call& call);

    // A raw command went to the radio; its answer is awaited.
    struct CatWait {
        std::string code;  // the two letters of the answer
        long long mark;    // where the line stood when it left
    };
    std::optional<CatWait> takeCatWait() { return std::exchange(catWait_, std::nullopt); }
    int client() const { return client_; }

    // Every method name served, as system.listMethods lists them.
    static std::vector<std::string_view> methodNames();

    struct Result {
        Value value;
        int fault = 0;  // non-zero: a fault with `why`
        std::string why;
    };

private:
    struct Method;
    static const std::vector<Method>& methods();

    Result getFrequency(int vfo) const;
    Result setFrequency(int vfo, const Call& c);
    Result getMode(int vfo) const;
    Result setMode(int vfo, const Call& c);
    Result getBandwidth(int vfo) const;
    Result setAB(const Call& c);
    Result setSplit(const Call& c);
    Result setPtt(const Call& c);
    Result setLevel(const Call& c, RadioState::Int entry, std::uint32_t request, int lowest, int highest, bool percent);
    Result getNotch() const;
    Result setNotch(const Call& c);
    Result sendMorse(const Call& c);
    Result sendCat(const Call& c);
    Result update();
    Result listMethods() const;

    // The one way this server keys and releases the transmitter.
    void keyTransmitter(bool on);

    std::map<std::string, std::string> changesSince() const;

    int client_;
    rig::RigStateView& radio_;
    rig::RigWriter& writer_;
    rig::PttGuard& ptt_;
    CatAnswerWatch* cat_;
    std::optional<CatWait> catWait_;
    std::map<std::string, std::string> lastUpdate_;
};

} // namespace qx::xmlrpc
