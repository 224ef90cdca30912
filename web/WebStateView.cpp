#include "web/WebStateView.h"

#include "rigserver/RigModes.h"
#include "rigserver/RigStateView.h"

namespace qx::web {

QJsonObject radioSnapshot(const rig::RigStateView& radio)
{
    using R = RadioState::Int;
    QJsonObject o;
    const int vfo = radio.activeVfo();
    o["linked"] = radio.linked();
    o["power"] = radio.poweredOn();
    o["vfo"] = vfo;
    o["fa"] = radio.frequency(0);
    o["fb"] = radio.frequency(1);
    o["freq"] = radio.frequency(vfo);
    const auto code = radio.radioMode(vfo);
    const auto mode = code ? rig::clientMode(*code, radio.dataType()) : std::nullopt;
    o["mode"] = mode ? QString::fromUtf8(mode->name.data(), static_cast<qsizetype>(mode->name.size())) : QString("--");
    o["modeCode"] = code.value_or(0);
    o["split"] = radio.split();
    o["tx"] = radio.transmitting();
    o["smeter"] = radio.value(R::SM0);
    o["rmeter"] = radio.value(R::RM0);
    o["af"] = radio.value(R::AG0);
    o["rf"] = radio.value(R::RG0);
    o["sql"] = radio.value(R::SQ0);
    o["att"] = radio.value(R::RA) != 0;
    o["ipo"] = radio.value(R::PA) == 0;
    o["nb"] = radio.value(R::NB);
    o["dnr"] = radio.value(R::NR0) != 0;
    o["agc"] = radio.value(R::GT0);
    o["band"] = radio.value(R::BS);
    return o;
}

QJsonObject changedEntries(const QJsonObject& before, const QJsonObject& now)
{
    QJsonObject out;
    for (auto it = now.begin(); it != now.end(); ++it) {
        if (before.value(it.key()) != it.value())
            out[it.key()] = it.value();
    }
    return out;
}

} // namespace qx::web
