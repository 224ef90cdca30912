// Who may operate the radio from the web: any number of viewers, at most one
// controller. The first to ask gets control while nobody holds it; the
// operator at the radio can grant it to anyone or take it back at any time.
#pragma once
#include <optional>
#include <string>

namespace qx::web {

class ControlOwner {
public:
    static constexpr int kPanel = 0;  // the operator at the radio
    static constexpr int kNobody = -1;

    // True when `client` holds control afterwards.
    bool ask(int client);
    // A web client gives control up (or leaves); true when it held it.
    bool release(int client);
    // The operator at the radio takes control; the web is viewer only until
    // the operator grants it or frees it.
    void panelTakes() { holder_ = kPanel; }
    void panelFrees() { if (holder_ == kPanel) holder_ = kNobody; }
    void grant(int client) { holder_ = client; }

    int holder() const { return holder_; }
    bool holds(int client) const { return client != kNobody && holder_ == client; }

private:
    int holder_ = kNobody;
};

} // namespace qx::web
