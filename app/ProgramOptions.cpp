#include "app/ProgramOptions.h"

#include "rigserver/ListenAddress.h"
#include "serial/NetworkAddress.h"

namespace qx {

std::string ProgramOptions::usage(const std::string& program)
{
    return "usage: " + program +
           " [--headless] [--simulate | --device DEVICE | --port N] [--trace FILE] [--no-splash]\n"
           "       [--connect] [--cat-monitor] [--screenshot FILE] [--sim-log FILE]\n"
           "       [--rig-server [ADDR:]PORT|off] [--rig-server-vfo] [--xmlrpc-server [ADDR:]PORT|off]\n"
           "       [--radio-info-udp [ADDR:]PORT|off]\n"
           "       [--web [ADDR:]PORT|off] [--set-web-password] [--audio-in NAME] [--audio-out NAME]\n"
           "       [--help] [--version]\n"
           "  --headless         run without windows; commands on standard input (see README)\n"
           "  --simulate         talk to a simulated QX-720 on a pseudo-terminal (the window links up at once)\n"
           "  --device DEVICE    use this device for every COM port number: a serial device\n"
           "                     path, or a radio on the network behind ser2net as\n"
           "                     tcp://HOST:PORT (raw) or rfc2217://HOST:PORT (telnet, RFC 2217)\n"
           "  --port N           use COM port N (1 to 20); it is remembered, as COM Select does\n"
           "  --trace FILE       write every byte sent and received, with millisecond times\n"
           "  --sim-log FILE     with --simulate: the simulated radio's own event log\n"
           "  --no-splash        skip the 3-second splash window\n"
           "  --connect          press the LINK key once the radio's power state is known\n"
           "  --cat-monitor      open the CAT monitor with the window\n"
           "  --screenshot FILE  save the panel as PNG once drawn, then quit (with\n"
           "                     --cat-monitor, the monitor too, as FILE-cat-monitor.png)\n"
           "  --rig-server [ADDR:]PORT|off\n"
           "                     serve Hamlib clients (rigctld protocol) there; default 127.0.0.1:4532\n"
           "  --rig-server-vfo   the rig server works in VFO mode, as rigctld --vfo does\n"
           "  --xmlrpc-server [ADDR:]PORT|off\n"
           "                     serve flrig clients (XML-RPC) there; default 127.0.0.1:12345\n"
           "  --radio-info-udp [ADDR:]PORT|off\n"
           "                     send RadioInfo broadcasts there (port 12060 of this computer when\n"
           "                     given as a port alone); off by default\n"

           "  --web [ADDR:]PORT|off\n"
           "                     serve the remote station (a page for a browser) there; off unless\n"
           "                     given here or saved; any address but loopback needs TLS (see README)\n"
           "  --set-web-password ask for the remote station's password twice (or read two lines\n"
           "                     from standard input) and store its hash, then quit\n"
           "  --audio-in NAME    the sound device with the radio's receive audio, for the remote\n"
           "                     station's pages (the sound server's name or its description)\n"
           "  --audio-out NAME   the sound device to the radio's modulation input, for the\n"
           "                     controller's microphone\n";
}

ProgramOptions parseProgramOptions(const std::vector<std::string>& args)
{
    ProgramOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                o.error = a + " needs a value";
                return;
            }
            into = args[++i];
        };
        if (a == "--headless")
            o.headless = true;
        else if (a == "--simulate")
            o.simulate = true;
        else if (a == "--no-splash")
            o.noSplash = true;
        else if (a == "--connect")
            o.connect = true;
        else if (a == "--cat-monitor")
            o.catMonitor = true;
        else if (a == "--help" || a == "-h")
            o.help = true;
        else if (a == "--version")
            o.version = true;
        else if (a == "--device") {
            std::string d;
            value(d);
            std::string why;
            if (o.error.empty() && isNetworkDeviceName(d) && !parseNetworkAddress(d, false, &why))
                o.error = "--device " + d + ": " + why;
            if (o.error.empty())
                o.device = d;
        } else if (a == "--port") {
            std::string n;
            value(n);
            if (o.error.empty()) {
                const bool digits = !n.empty() && n.size() <= 2 && n.find_first_not_of("0123456789") == std::string::npos;
                const int v = digits ? std::stoi(n) : 0;
                if (v < 1 || v > 20)
                    o.error = "--port needs a number from 1 to 20";
                else
                    o.port = v;
            }
        } else if (a == "--rig-server") {
            std::string v;
            value(v);
            std::string why;
            if (o.error.empty() && !rig::parseListenAddress(v, &why))
                o.error = "--rig-server " + v + ": " + why;
            else if (o.error.empty())
                o.rigServer = v;
        } else if (a == "--rig-server-vfo") {
            o.rigServerVfo = true;
        } else if (a == "--xmlrpc-server" || a == "--radio-info-udp" || a == "--web") {
            std::string v;
            value(v);
            std::string why;
            if (o.error.empty() && !rig::parseListenAddress(v, &why))
                o.error = a + " " + v + ": " + why;
            else if (o.error.empty())
                (a == "--xmlrpc-server" ? o.xmlrpcServer : a == "--web" ? o.web : o.radioInfoUdp) = v;
        } else if (a == "--set-web-password") {
            o.setWebPassword = true;
        } else if (a == "--audio-in" || a == "--audio-out") {
            std::string v;
            value(v);
            if (o.error.empty())
                (a == "--audio-in" ? o.audioIn : o.audioOut) = v;
        }
        else if (a == "--trace")
            value(o.trace);
        else if (a == "--screenshot")
            value(o.screenshot);
        else if (a == "--sim-log")
            value(o.simLog);
        else
            o.error = "unknown option: " + a;
        if (!o.error.empty())
            return o;
    }
    if (o.simulate && (o.device || o.port))
        o.error = "--simulate excludes --device and --port";
    return o;
}

} // namespace qx
