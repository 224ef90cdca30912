// A PanelSession as the program runs it, on its own engine, state stores and
// settings folder, talking to the named device. Started at construction;
// boxes closed and the engine shut down before anything goes.
#pragma once
#include "app/Engine.h"
#include "app/qt/UiBridge.h"
#include "menu/MenuTable.h"
#include "panel/MainPanelDlg.h"
#include "app/gui/PanelSession.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace qx::test {

class SessionHost {
public:
    // `conf`: the content of CommoFiles/rcp720.conf at start; none when empty.
    SessionHost(const std::string& device, bool connect, const std::string& conf = {})
    {
        if (!conf.empty()) {
            QDir(dir_.path()).mkpath(QStringLiteral("CommoFiles"));
            QFile f(dir_.filePath(QStringLiteral("CommoFiles/rcp720.conf")));
            if (f.open(QIODevice::WriteOnly))
                f.write(conf.c_str());
        }
        EngineConfig config;
        config.baseDir = dir_.path().toStdString();
        config.devicePath = device;
        engine_ = std::make_unique<Engine>(config, bridge_, state_, command_, menu_);
        PanelSessionOptions options;
        options.splashMs = 0;
        options.connect = connect;
        options.baseDir = config.baseDir;
        session_ = std::make_unique<PanelSession>(*engine_, bridge_, options);
        session_->start();
    }
    ~SessionHost()
    {
        for (QMessageBox* b : session_->window().messageBoxes())
            b->close();
        bridge_.beginShutdown();
        engine_->shutDown();
    }
    SessionHost(const SessionHost&) = delete;
    SessionHost& operator=(const SessionHost&) = delete;

    CMainPanelDlg& window() { return session_->window(); }
    PanelSession& session() { return *session_; }
    QString confText() const
    {
        QFile f(dir_.filePath(QStringLiteral("CommoFiles/rcp720.conf")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private:
    QTemporaryDir dir_;
    RadioState state_;
    CommandState command_;
    MenuTable menu_;
    UiBridge bridge_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<PanelSession> session_;
};

} // namespace qx::test
