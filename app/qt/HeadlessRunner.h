// The program without windows: hosts the engine on Qt's event loop, prints
// every message that reaches the "window" as a line, prints operator
// messages on standard error, and runs the command language of
// ConsoleCommand from standard input, one command at a time (wait and sleep
// hold the next command back without blocking the event loop). End of input
// acts as quit. A script's lines run in order, end of input and quit after
// them; a person at a terminal is obeyed at once: there, quit or end of
// input during a wait or sleep ends it and quits. Every change of the link's state is printed as a line
// "LINK <state> on <port> at <speed> bit/s".
#pragma once
#include "app/ConsoleCommand.h"
#include "core/Message.h"

#include <QObject>

#include <cstdio>
#include <deque>
#include <memory>
#include <set>
#include <string>

class QTimer;

namespace qx {

class Engine;
class LinkStatusRelay;
class HeadlessBackup;
class HeadlessChannels;
class UiBridge;

class HeadlessRunner : public QObject {
    Q_OBJECT
public:
    HeadlessRunner(Engine& engine, UiBridge& bridge, std::FILE* out = stdout, std::FILE* err = stderr);
    ~HeadlessRunner() override;

    // Starts the engine and the standard-input reader.
    void start(bool readStdin = true);
    // One line of input, on the UI thread.
    void feedLine(const std::string& line);
    void endOfInput();
    // An input line over the length limit was dropped.
    void refuseLongLine();
    // While the rig server runs the program serves its clients until told
    // to quit, whatever standard input does.
    void setEndOfInputQuits(bool quits) { endOfInputQuits_ = quits; }
    // Input typed at a terminal rather than a script (start() sets it from
    // standard input).
    void setInteractive(bool interactive) { interactive_ = interactive; }

private:
    void onMessage(const Message& m);
    void runNext();
    void execute(const ConsoleCommand& c);
    void finishWait(bool ok);
    void quit();
    void say(const std::string& line);
    void complain(const std::string& text);

    Engine& engine_;
    UiBridge& bridge_;
    std::FILE* out_;
    std::FILE* err_;
    std::deque<std::string> pending_;
    bool busy_ = false;
    bool quitting_ = false;
    bool endOfInputQuits_ = true;
    bool interactive_ = false;
    std::string waitingFor_;
    std::set<std::string> seenSinceWait_;
    QTimer* holdTimer_;
    std::unique_ptr<LinkStatusRelay> linkRelay_;
    HeadlessBackup* backup_;
    HeadlessChannels* channels_;
};

} // namespace qx
