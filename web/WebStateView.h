// The radio's state as the page shows it: a flat set of named values read
// from the state stores. The server sends only what changed since the last
// snapshot it sent.
#pragma once
#include <QJsonObject>

namespace qx::rig {
class RigStateView;
}

namespace qx::web {

QJsonObject radioSnapshot(const rig::RigStateView& radio);
// The entries of `now` that differ from `before` (or are new).
QJsonObject changedEntries(const QJsonObject& before, const QJsonObject& now);

} // namespace qx::web
