// Who keyed the transmitter, and when it must be released. A client's
// "T 1" makes it the holder; any "T 0" (from that client, another one or
// the panel) releases it, because unkeying is always safe. The holder
// leaving, and the link going down while the radio transmits, both call for
// an unkey. Used on the server's thread only.
#pragma once

namespace qx::rig {

class PttGuard {
public:
    static constexpr int kNobody = -1;

    void keyed(int client);
    void released();
    // True when `client` held the transmitter: it must be released.
    bool clientGone(int client);
    // Called now and then with what the radio reports. True when the
    // transmitter must be released: the link went down while it was keyed.
    // A holder whose transmitter went back to receive (a panel release)
    // holds it no longer.
    bool watch(bool linked, bool transmitting);

    int holder() const { return holder_; }

private:
    int holder_ = kNobody;
    bool seenKeyed_ = false;
    bool wasLinked_ = false;
};

} // namespace qx::rig
