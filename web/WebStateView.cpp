#include "web/WebStateView.h"

#include "rigserver/RigModes.h"
#include "rigserver/RigStateView.h"

namespace qx::web {

WebStateValues readWebState(const rig::RigStateView& radio)
{
    using R = RadioState::Int;
    WebStateValues v;
    v.linked = radio.linked();
    v.power = radio.poweredOn();
    v.vfo = radio.activeVfo();
    v.fa = radio.frequency(0);
    v.fb = radio.frequency(1);
    v.mode = radio.radioMode(v.vfo);
    v.dataType = radio.dataType();
    v.split = radio.split();
    v.tx = radio.transmitting();
    v.smeter = radio.value(R::SM0);
    v.rmeter = radio.value(R::RM0);
    v.af = radio.value(R::AG0);
    v.rf = radio.value(R::RG0);
    v.sql = radio.value(R::SQ0);
    v.att = radio.value(R::RA) != 0;
    v.ipo = radio.value(R::PA) == 0;
    v.nb = radio.value(R::NB);
    v.dnr = radio.value(R::NR0) != 0;
    v.agc = radio.value(R::GT0);
    v.band = radio.value(R::BS);
    return v;
}

QJsonObject toJson(const WebStateValues& v)
{
    QJsonObject o;
    o["linked"] = v.linked;
    o["power"] = v.power;
    o["vfo"] = v.vfo;
    o["fa"] = v.fa;
    o["fb"] = v.fb;
    o["freq"] = v.vfo == 1 ? v.fb : v.fa;
    const auto mode = v.mode ? rig::clientMode(*v.mode, v.dataType) : std::nullopt;
    o["mode"] = mode ? QString::fromUtf8(mode->name.data(), static_cast<qsizetype>(mode->name.size())) : QString("--");
    o["modeCode"] = v.mode.value_or(0);
    o["split"] = v.split;
    o["tx"] = v.tx;
    o["smeter"] = v.smeter;
    o["rmeter"] = v.rmeter;
    o["af"] = v.af;
    o["rf"] = v.rf;
    o["sql"] = v.sql;
    o["att"] = v.att;
    o["ipo"] = v.ipo;
    o["nb"] = v.nb;
    o["dnr"] = v.dnr;
    o["agc"] = v.agc;
    o["band"] = v.band;
    return o;
}

QJsonObject radioSnapshot(const rig::RigStateView& radio) { return toJson(readWebState(radio)); }

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
