#include "radioinfo/RadioInfoXml.h"

namespace qx::radioinfo {
namespace {

const char* flag(bool b) { return b ? "True" : "False"; }

void element(std::string& out, const char* name, const std::string& value)
{
    out += "  <";
    out += name;
    out += ">";
    out += value;
    out += "</";
    out += name;
    out += ">\r\n";
}

} // namespace

std::string radioInfoXml(const RadioInfo& info)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<RadioInfo>\r\n";
    element(out, "app", "rcp720");
    element(out, "StationName", "");
    element(out, "RadioNr", "1");
    element(out, "Freq", std::to_string(info.rxHz / 10));
    element(out, "TXFreq", std::to_string(info.txHz / 10));
    element(out, "Mode", info.mode);
    element(out, "OpCall", "");
    element(out, "IsRunning", "False");
    element(out, "FocusEntry", "0");
    element(out, "EntryWindowHwnd", "0");
    element(out, "Antenna", "0");
    element(out, "Rotors", "");
    element(out, "FocusRadioNr", "1");
    element(out, "IsStereo", "False");
    element(out, "IsSplit", flag(info.split));
    element(out, "ActiveRadioNr", "1");
    element(out, "IsTransmitting", flag(info.transmitting));
    element(out, "FunctionKeyCaption", "");
    element(out, "RadioName", kRadioName);
    element(out, "AuxAntSelected", "-1");
    element(out, "AuxAntSelectedName", "");
    element(out, "IsConnected", flag(info.connected));
    out += "</RadioInfo>\r\n";
    return out;
}

} // namespace qx::radioinfo
