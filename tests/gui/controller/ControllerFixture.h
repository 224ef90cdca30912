// The real main window on a recording Outbox, with the popup, pause and
// wait-box steps of the panel controller replaced so nothing blocks.
#pragma once
#include "core/LinkFlags.h"
#include "core/MessageIds.h"
#include "menu/MenuKind.h"
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "panel/MainPanelDlg.h"
#include "panel/controller/PanelControllerHost.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"
#include "tests/gui/WindowWorld.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qx::test {

using R = RadioState::Int;

struct Posted {
    std::uint32_t id;
    std::int64_t value;
    friend bool operator==(const Posted&, const Posted&) = default;
};

inline void PrintTo(const Posted& p, std::ostream* os) { *os << "{0x" << std::hex << p.id << std::dec << ", " << p.value << "}"; }

class ControllerTest : public ::testing::Test, public WindowWorld {
protected:
    void SetUp() override
    {
        // The built-in menu, as the program loads it: slots and kinds differ.
        MenuLoader(menu, {}).load();
        // A linked radio: without the link the panel sends nothing but LINK and POWER.
        radio.set(R::AI, 1);
        window = std::make_unique<CMainPanelDlg>(ctx, hooks());
        host().setChooser([this](const panel::PopupRequest& p) {
            popups.push_back(p);
            std::vector<std::string> labels;
            for (const auto& c : p.choices)
                labels.emplace_back(c.label);
            popupLabels.push_back(labels);
            return nextChoice;
        });
        host().setPause([this](int ms) { pauses.push_back(ms); });
        host().setWaitBoxRunner([this] { ++waitBoxes; });
    }
    void TearDown() override { window.reset(); }

    virtual MainPanelHooks hooks()
    {
        MainPanelHooks h;
        h.portReady = [this] { return portReady; };
        return h;
    }

    panel::PanelControllerHost& host() { return window->controller(); }
    panel::CPanelController& controller() { return host().controller(); }
    const panel::PanelModel& model() { return window->display().model(); }
    QWidget* view() { return &window->view(); }

    // The panel follows these settings by their menu kind, not their slot.
    void setMenuKind(int kind, int value) { ASSERT_TRUE(menu.setValueByKind(kind, value)) << kind; }

    void leftPress(int x, int y) { QTest::mousePress(view(), Qt::LeftButton, {}, QPoint(x, y)); }
    void leftRelease(int x, int y) { QTest::mouseRelease(view(), Qt::LeftButton, {}, QPoint(x, y)); }
    void rightPress(int x, int y) { QTest::mousePress(view(), Qt::RightButton, {}, QPoint(x, y)); }
    void rightRelease(int x, int y) { QTest::mouseRelease(view(), Qt::RightButton, {}, QPoint(x, y)); }
    void leftClick(int x, int y)
    {
        leftPress(x, y);
        leftRelease(x, y);
    }
    void rightClick(int x, int y)
    {
        rightPress(x, y);
        rightRelease(x, y);
    }
    void moveTo(int x, int y)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(x, y), view()->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view(), &e);
    }
    void wheel(int x, int y, int delta)
    {
        QWheelEvent e(QPointF(x, y), view()->mapToGlobal(QPointF(x, y)), {}, QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view(), &e);
    }
    void tick(int timerId) { window->onTimer(timerId); }

    // Requests posted to the command builder since the last clear.
    std::vector<Posted> posted() const
    {
        std::vector<Posted> out;
        for (const auto& p : outbox.threadPosts)
            if (p.to == ThreadId::AnlSend)
                out.push_back({p.m.id, p.m.lParam});
        return out;
    }
    bool timerStarted(int id, int periodMs) const
    {
        for (const auto& c : outbox.timerCalls)
            if (c.start && c.id == id && c.periodMs == periodMs)
                return true;
        return false;
    }
    bool timerStopped(int id) const
    {
        for (const auto& c : outbox.timerCalls)
            if (!c.start && c.id == id)
                return true;
        return false;
    }
    void clear()
    {
        outbox.clear();
        sent.clear();
        popups.clear();
        popupLabels.clear();
        pauses.clear();
    }

    std::unique_ptr<CMainPanelDlg> window;
    bool portReady = true;
    std::optional<int> nextChoice;
    std::vector<panel::PopupRequest> popups;
    std::vector<std::vector<std::string>> popupLabels;
    std::vector<int> pauses;
    int waitBoxes = 0;
};

} // namespace qx::test
