// A page's operation on the radio, as the JSON message the page sends
// ({"t":"band","b":5}), turned into the program's requests the way the
// panel and the rig server make them. Transmit and control are the
// server's business (they depend on who asks) and are not handled here.
#pragma once
#include <QJsonObject>
#include <QString>


namespace qx::rig {
class RigStateView;
class RigWriter;
}

namespace qx::web {

// Empty when the request left; otherwise why it was refused.
QString runRadioCommand(const QJsonObject& command, rig::RigWriter& writer, rig::RigStateView& radio);

} // namespace qx::web
