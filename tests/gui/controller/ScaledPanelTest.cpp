// The panel drawn at other sizes: every press lands on the same operation as
// at 1:1 once mapped back, the element states come out the same, and what
// is painted for an element lands where its hit zone is.
#include "panel/LinkStatusLine.h"
#include "panel/MainPanelDlg.h"
#include "panel/PanelLayout.h"
#include "panel/PanelScale.h"
#include "panel/controller/HitZones.h"
#include "panel/controller/PanelControllerHost.h"
#include "panel/controller/PanelOps.h"
#include "state/RadioState.h"
#include "tests/gui/WindowWorld.h"
#include "windows/AuxWindowKind.h"

#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace qx {
namespace {

using panel::PanelView;

// A main window on recording fakes, its panel drawn at `scale`.
struct ScaledWindow : test::WindowWorld {
    std::unique_ptr<CMainPanelDlg> window;
    std::vector<int> popups;

    explicit ScaledWindow(double scale)
    {
        MainPanelHooks hooks;
        hooks.portReady = [] { return true; };
        // Linked to a radio that is on: the keys act rather than wait.
        radio.set(RadioState::Int::AI, 1);
        radio.set(RadioState::Int::PS, 1);
        window = std::make_unique<CMainPanelDlg>(ctx, std::move(hooks));
        auto& host = window->controller();
        host.setChooser([this](const panel::PopupRequest& p) {
            popups.push_back(static_cast<int>(p.popup));
            return std::optional<int>();
        });
        host.setPause([](int) {});
        host.setWaitBoxRunner([] {});
        // The window sized for the panel at `scale`, larger than the test
        // screen if need be (setPanelScale would fit it to the screen).
        window->view().setScale(scale);
        const QSize chrome(0, window->menuBar()->sizeHint().height() + window->statusLine().sizeHint().height());
        window->resize(panel::panelSizeAt(scale) + chrome);
        window->layout()->activate();
    }
    ~ScaledWindow()
    {
        for (QMessageBox* b : window->messageBoxes())
            b->close();
    }
    PanelView& view() { return window->view(); }
    bool drawnAt(double scale) { return view().size() == panel::panelSizeAt(scale) && view().scale() == scale; }

    void click(QPoint panelPoint, Qt::MouseButton b)
    {
        const QPoint at = view().fromPanel(panelPoint);
        QTest::mousePress(&view(), b, {}, at);
        QTest::mouseRelease(&view(), b, {}, at);
    }
    void wheel(QPoint panelPoint, int delta)
    {
        const QPoint at = view().fromPanel(panelPoint);
        QWheelEvent e(at, view().mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&view(), &e);
    }
    // Everything the last input made the controller do, then forgotten.
    std::string outcome()
    {
        std::ostringstream o;
        for (const auto& p : outbox.threadPosts)
            o << "post " << std::hex << p.m.id << std::dec << ' ' << p.m.wParam << ' ' << p.m.lParam << "; ";
        for (const auto& m : outbox.windowSends)
            o << "send " << std::hex << m.id << std::dec << ' ' << m.wParam << "; ";
        for (const auto& t : outbox.timerCalls)
            o << (t.start ? "start " : "stop ") << t.id << ' ' << t.periodMs << "; ";
        for (int p : popups)
            o << "popup " << p << "; ";
        for (const std::string& s : sent)
            o << "raw " << s << "; ";
        // And what it drew: key lamps, digits, segments, knob labels.
        const panel::PanelModel& m = window->display().model();
        o << "| ";
        for (auto k : m.keys)
            o << int(k);
        o << ' ';
        for (int d : m.frequency.digits)
            o << d << ',';
        for (auto g : m.segs)
            o << int(g);
        for (bool l : m.knobLabelLit)
            o << l;
        o << m.bandGroup;
        // A window it opened is closed again, as its own end would, so the
        // next input finds the panel as free as this one did.
        for (const auto& row : kAuxWindows)
            if (window->auxOpen(row.kind)) {
                o << " window " << static_cast<int>(row.kind);
                window->onMessage({row.doneMessage, 0, 0});
            }
        outbox.clear();
        popups.clear();
        sent.clear();
        return o.str();
    }
};

struct Sample {
    int op;
    QPoint point;
    bool disc;
};

// One point in every key, hot spot and digit, and on every dial and knob
// (off its centre, where the pointer angle is well defined). The MENU key
// comes last: the panel is locked while the menu list is open.
std::vector<Sample> everyZone()
{
    std::vector<Sample> out;
    for (int op = 1; op < 400; ++op) {
        if (op == panel::op::Menu)
            continue;
        if (const panel::HitRect* r = panel::rectOf(op))
            out.push_back({op, QPoint((r->left + r->right) / 2, (r->top + r->bottom) / 2), false});
        if (const panel::HitDisc* d = panel::discOf(op))
            out.push_back({op, QPoint(d->cx, d->cy - d->radius / 2), true});
    }
    const panel::HitRect* menu = panel::rectOf(panel::op::Menu);
    out.push_back({panel::op::Menu, QPoint((menu->left + menu->right) / 2, (menu->top + menu->bottom) / 2), false});
    return out;
}

// Every sample pressed left and right, and the discs and digits wheeled, in a
// fresh window at `scale`: what each input did.
std::vector<std::string> operate(double scale, panel::PanelModel* finalModel = nullptr)
{
    ScaledWindow w(scale);
    EXPECT_TRUE(w.drawnAt(scale)) << scale;
    std::vector<std::string> out;
    for (const Sample& s : everyZone()) {
        w.click(s.point, Qt::LeftButton);
        out.push_back("op " + std::to_string(s.op) + " left: " + w.outcome());
        w.click(s.point, Qt::RightButton);
        out.push_back("op " + std::to_string(s.op) + " right: " + w.outcome());
        if (s.disc || (s.op >= panel::op::Digit1Hz && s.op <= panel::op::Digit10MHz)) {
            w.wheel(s.point, 120);
            out.push_back("op " + std::to_string(s.op) + " wheel: " + w.outcome());
        }
    }
    if (finalModel)
        *finalModel = w.window->display().model();
    return out;
}

TEST(ScaledPanel, EveryZoneReachesTheSameOperationAtEverySize)
{
    for (const Sample& s : everyZone())
        ASSERT_EQ(panel::hitTest(s.point.x(), s.point.y(), true) != 0 || panel::hitTest(s.point.x(), s.point.y(), false) != 0, true)
            << "sample of op " << s.op << " misses its zone";

    panel::PanelModel atOne, atTwo, atThreeQuarters;
    const auto one = operate(1.0, &atOne);
    std::size_t acting = 0;
    std::string drawn;
    for (const std::string& line : one) {
        const std::size_t bar = line.find("| ");
        const std::string effects = line.substr(line.find(": ") + 2, bar - line.find(": ") - 2);
        acting += !effects.empty() || line.substr(bar) != drawn;
        drawn = line.substr(bar);
    }
    ASSERT_GE(acting, 100u) << "most inputs must do something, or the comparison proves nothing";

    const auto two = operate(2.0, &atTwo);
    const auto threeQuarters = operate(0.75, &atThreeQuarters);
    ASSERT_EQ(two.size(), one.size());
    ASSERT_EQ(threeQuarters.size(), one.size());
    for (std::size_t i = 0; i < one.size(); ++i) {
        EXPECT_EQ(two[i], one[i]) << "at 2x";
        EXPECT_EQ(threeQuarters[i], one[i]) << "at 0.75x";
    }

    // The element states the same inputs leave behind.
    for (const panel::PanelModel* m : {&atTwo, &atThreeQuarters}) {
        EXPECT_EQ(m->keys, atOne.keys);
        EXPECT_EQ(m->segs, atOne.segs);
        EXPECT_EQ(m->knobLabelLit, atOne.knobLabelLit);
        EXPECT_EQ(m->knobAngle, atOne.knobAngle);
        EXPECT_EQ(m->frequency.digits, atOne.frequency.digits);
        EXPECT_EQ(m->frequency.mhzPoint, atOne.frequency.mhzPoint);
        EXPECT_EQ(m->secondDialAngle, atOne.secondDialAngle);
        EXPECT_EQ(m->bandGroup, atOne.bandGroup);
        // A pointer a pixel off at 0.75x turns the main dial a few degrees apart.
        EXPECT_LE(std::abs(m->mainDialAngle - atOne.mainDialAngle) % 354, 6);
    }
}

// The smallest rectangle around the pixels that differ.
QRect changed(const QImage& a, const QImage& b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(ScaledPanel, AnElementIsPaintedWhereItsZoneIsAtEverySize)
{
    for (double scale : {2.0, 0.75}) {
        ScaledWindow w(scale);
        ASSERT_TRUE(w.drawnAt(scale)) << scale;
        panel::PanelModel& m = w.window->display().model();
        auto paintedChange = [&](auto change) {
            const QImage before = w.view().grab().toImage();
            change();
            w.view().refresh(panel::kAllRegions);
            return changed(before, w.view().grab().toImage());
        };
        auto zone = [&](const panel::PanelRect& r) {
            return QRect(w.view().fromPanel(QPoint(r.x, r.y)), w.view().fromPanel(QPoint(r.x + r.w, r.y + r.h)))
                .adjusted(-3, -3, 3, 3);
        };

        const panel::PanelRect& tx = panel::kSegmentSpots[0].rect;
        ASSERT_EQ(panel::kSegmentSpots[0].seg, panel::Seg::Transmit);
        const QRect txChange = paintedChange([&] { m.setSeg(panel::Seg::Transmit, 1); });
        EXPECT_FALSE(txChange.isEmpty()) << scale;
        EXPECT_TRUE(zone(tx).contains(txChange)) << scale;

        const panel::PanelRect& digit = panel::kFrequencyDigits[3];
        const QRect digitChange = paintedChange([&] { m.frequency.digits[3] = 8; });
        EXPECT_FALSE(digitChange.isEmpty()) << scale;
        EXPECT_TRUE(zone(digit).contains(digitChange)) << scale;
        // The zone under that digit is the digit's own.
        const QPoint middle = w.view().toPanel(digitChange.center());
        EXPECT_EQ(panel::hitTest(middle.x(), middle.y(), false), panel::op::Digit10MHz - 3) << scale;
    }
}

// Mean difference per colour channel, 0 to 255, of two pictures of one size.
double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue());
        }
    return sum / (3.0 * a.width() * a.height());
}

TEST(ScaledPanel, TheWholePictureIsTheOneAtOneToOneScaled)
{
    const QImage one = ScaledWindow(1.0).view().grab().toImage();
    for (double scale : {2.0, 0.75, 0.93}) {
        ScaledWindow w(scale);
        ASSERT_TRUE(w.drawnAt(scale)) << scale;
        const QImage drawn = w.view().grab().toImage();
        const QImage expected = one.scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // Text and edges come out a little differently at each size, nothing more.
        EXPECT_LT(meanDifference(drawn.convertToFormat(QImage::Format_RGB32),
                                 expected.convertToFormat(QImage::Format_RGB32)),
                  4.5)
            << scale;
    }
}

TEST(PanelScale, StepsFitsAndReadsBack)
{
    EXPECT_DOUBLE_EQ(panel::stepPanelScale(1.0, +1), 1.1);
    EXPECT_DOUBLE_EQ(panel::stepPanelScale(1.0, -1), 0.9);
    EXPECT_DOUBLE_EQ(panel::stepPanelScale(0.93, +1), 1.0) << "a fitted size steps to the next step";
    EXPECT_DOUBLE_EQ(panel::stepPanelScale(0.5, -1), 0.5);
    EXPECT_DOUBLE_EQ(panel::stepPanelScale(4.0, +1), 4.0);

    // 843 x 320 plus 60 pixels of chrome on a 1024 x 600 screen: 2x is too tall.
    const QSize chrome(16, 60);
    EXPECT_DOUBLE_EQ(panel::fitPanelScale(2.0, QSize(1024, 600), chrome), 1.19);
    EXPECT_DOUBLE_EQ(panel::fitPanelScale(1.0, QSize(1024, 600), chrome), 1.0);
    EXPECT_DOUBLE_EQ(panel::fitPanelScale(1.0, QSize(300, 200), chrome), panel::kMinPanelScale);
    const double fitted = panel::fitPanelScale(3.0, QSize(1600, 1000), chrome);
    EXPECT_LE(panel::panelSizeAt(fitted).width() + chrome.width(), 1600);
    EXPECT_LE(panel::panelSizeAt(fitted).height() + chrome.height(), 1000);

    EXPECT_DOUBLE_EQ(panel::parsePanelScale(panel::formatPanelScale(1.25)), 1.25);
    EXPECT_EQ(panel::formatPanelScale(0.934), "0.93");
    for (const char* bad : {"", "x", "1,5", "9", "0.1", "nan", "1.5x"})
        EXPECT_DOUBLE_EQ(panel::parsePanelScale(bad), 1.0) << bad;
}

TEST(PanelScale, ZoomKeysStepTheWindowAndItsPanel)
{
    ScaledWindow w(1.0);
    w.window->show();
    w.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
    // The test screen is 800 pixels wide, too narrow for 1:1: every size is
    // what fits it at most.
    const double actual = w.window->fittingScale(1.0);
    ASSERT_LT(actual, 1.0);

    QTest::keyClick(w.window.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w.window->panelScale(), 0.9);
    QTest::keyClick(w.window.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w.window->panelScale(), 0.8);
    EXPECT_EQ(w.window->view().size(), panel::panelSizeAt(0.8)) << "the window follows the panel";
    QTest::keyClick(w.window.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w.window->panelScale(), actual);
    QTest::keyClick(w.window.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w.window->panelScale(), actual);
    EXPECT_LE(w.window->frameGeometry().width(), w.window->screen()->availableGeometry().width());

    // Dragged larger, the panel grows with the window and keeps its proportions.
    w.window->resize(w.window->width(), w.window->height() + 200);
    QTest::qWait(20);
    EXPECT_DOUBLE_EQ(w.window->panelScale(), double(w.window->view().width()) / panel::kPanelWidth);
}

} // namespace
} // namespace qx
