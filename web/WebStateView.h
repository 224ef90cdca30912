// The radio's state as the page shows it: a flat set of named values read
// from the state stores. The server sends only what changed since the last
// snapshot it sent.
#pragma once
#include <QJsonObject>

#include <optional>

namespace qx::rig {
class RigStateView;
}

namespace qx::web {

// What the page shows, as read: cheap to read and compare, so that the
// radio's many reports that change none of it (the once-a-second polls)
// cost no JSON at all.
struct WebStateValues {
    bool linked = false;
    bool power = false;
    int vfo = 0;
    int fa = 0;
    int fb = 0;
    std::optional<int> mode;  // the radio's mode code of the operating VFO
    int dataType = 0;
    bool split = false;
    bool tx = false;
    int smeter = 0;
    int rmeter = 0;
    int af = 0;
    int rf = 0;
    int sql = 0;
    bool att = false;
    bool ipo = false;
    int nb = 0;
    bool dnr = false;
    int agc = 0;
    int band = 0;

    friend bool operator==(const WebStateValues&, const WebStateValues&) = default;
};

WebStateValues readWebState(const rig::RigStateView& radio);
QJsonObject toJson(const WebStateValues& values);
QJsonObject radioSnapshot(const rig::RigStateView& radio);
// The entries of `now` that differ from `before` (or are new).
QJsonObject changedEntries(const QJsonObject& before, const QJsonObject& now);

} // namespace qx::web
