// What the operator is told when the program starts in a fresh folder with
// no radio at the named device.
#include "panel/PanelSession.h"

#include "app/Engine.h"
#include "app/ErrorMessages.h"
#include "app/qt/UiBridge.h"
#include "menu/MenuTable.h"
#include "panel/MainPanelDlg.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/gui/GuiWait.h"

#include <QMessageBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(StartUp, NoSettingsFileAndNoPortShowsBothBoxes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EngineConfig config;
    config.baseDir = dir.path().toStdString();
    config.devicePath = (dir.path() + "/no-such-device").toStdString();
    RadioState state;
    CommandState command;
    MenuTable menu;
    UiBridge bridge;
    Engine engine(config, bridge, state, command, menu);
    {
        PanelSessionOptions options;
        options.splashMs = 0;
        PanelSession session(engine, bridge, options);
        session.start();
        auto texts = [&session] {
            QStringList t;
            for (QMessageBox* b : session.window().messageBoxes())
                if (b->isVisible())
                    t << b->text();
            return t;
        };
        auto text = [](long row) {
            const std::string_view t = errorMessageText(row).value_or("");
            return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
        };
        const QString settings = text(2);
        const QString port = text(0);
        ASSERT_FALSE(settings.isEmpty() || port.isEmpty());
        QX_WAIT_ASSERT(texts().contains(settings) && texts().contains(port), 10000);
        EXPECT_EQ(texts().size(), 2);
        for (QMessageBox* b : session.window().messageBoxes())
            b->close();
        bridge.beginShutdown();
        engine.shutDown();
    }
}

} // namespace
} // namespace qx
