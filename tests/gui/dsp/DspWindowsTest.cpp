#include "panel/dsp/ContourDlg.h"
#include "panel/dsp/DnrDlg.h"
#include "panel/dsp/NotchDlg.h"
#include "tests/gui/windows/WindowFixture.h"
#include "widgets/KnobPainter.h"
#include "windows/AuxWindowFactory.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

namespace qx::test {
namespace {

using Int = RadioState::Int;

constexpr QPoint kOnOff{50, 50};
constexpr QPoint kFirstKnob{166, 67};
constexpr QPoint kSecondKnob{276, 67};
constexpr QPoint kFirstLabel{166, 17};
constexpr QPoint kSecondLabel{276, 17};

void wheel(QWidget& w, QPoint at, int delta)
{
    QWheelEvent e(at, w.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &e);
}

void moveHolding(QWidget& w, QPoint to)
{
    QMouseEvent e(QEvent::MouseMove, to, w.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

class DspWindowsTest : public ::testing::Test {
protected:
    DspWindowsTest() { fx.radio.set(Int::AI, 1); }
    WindowFixture fx;
};

TEST_F(DspWindowsTest, ContourKeyTurnsOffOrRestoresThePreviousLevel)
{
    const struct { int level; int saved; std::int64_t sent; bool shownOn; } rows[] = {
        {-1, 2, 0, true},  // on: switch off
        {2, 0, 0, true},
        {0, -1, -1, false}, // off: back to where it was
        {0, 2, 2, false},
        {0, 0, -2, false},  // off and never on
    };
    for (const auto& r : rows) {
        fx.outbox.clear();
        fx.radio.set(Int::CO_SAVED, r.saved);
        fx.radio.set(Int::CO0, r.level);
        CContourDlg dlg(fx.ctx);
        EXPECT_EQ(dlg.keyShowsOn(), r.shownOn) << r.level;
        QTest::mouseClick(&dlg, Qt::LeftButton, {}, kOnOff);
        EXPECT_EQ(fx.requests(), (Requests{{UM_REQ_CO_SET_0, r.sent}})) << r.level << " saved " << r.saved;
        EXPECT_FALSE(dlg.knobs().buttonHeld());
    }
}

TEST_F(DspWindowsTest, DnrKeyTogglesAndLevelIsSentOnlyWhileDnrIsOn)
{
    fx.radio.set(Int::NR0, 0);
    fx.radio.set(Int::RL, 5);
    CDnrDlg dlg(fx.ctx);
    EXPECT_FALSE(dlg.keyShowsOn());
    wheel(dlg, kFirstKnob, 120);
    QTest::mouseClick(&dlg, Qt::LeftButton, {}, QPoint(166, 17));
    QTest::mouseClick(&dlg, Qt::RightButton, {}, QPoint(166, 17));
    EXPECT_TRUE(fx.requests().empty());
    EXPECT_FALSE(dlg.knobs().readBackPending());

    QTest::mouseClick(&dlg, Qt::LeftButton, {}, kOnOff);
    fx.radio.set(Int::NR0, 1);
    EXPECT_TRUE(dlg.keyShowsOn());
    wheel(dlg, kFirstKnob, -120);
    EXPECT_EQ(fx.requests(), (Requests{{UM_REQ_NR_TOGGLE, 0}, {UM_REQ_RL_SET, 4}}));
}

TEST_F(DspWindowsTest, NotchAtTopWheelUpSendsNothingButTheDotMoves)
{
    fx.radio.set(Int::BP_LEVEL, 327);
    CNotchDlg dlg(fx.ctx);
    wheel(dlg, kFirstKnob, 120);
    EXPECT_TRUE(fx.requests().empty());
    EXPECT_EQ(dlg.knobs().dotAngle(0), 1);
    wheel(dlg, kFirstKnob, -120);
    wheel(dlg, kFirstKnob, -120);
    EXPECT_EQ(fx.requests(), (Requests{{UM_REQ_BP_SET_1, 326}, {UM_REQ_BP_SET_1, 326}}))
        << "the value is the radio's, not the window's guess";
}

TEST_F(DspWindowsTest, NotchKeyShowsOffInModeElevenWhateverTheNotch)
{
    fx.radio.set(Int::BP_SW, 1);
    CNotchDlg dlg(fx.ctx);
    const struct { int mode; bool on; } rows[] = {{1, true}, {3, true}, {11, false}, {12, true}};
    for (const auto& r : rows) {
        fx.radio.set(Int::MD0, r.mode);
        EXPECT_EQ(dlg.keyShowsOn(), r.on) << r.mode;
    }
    QTest::mouseClick(&dlg, Qt::LeftButton, {}, kOnOff);
    EXPECT_EQ(fx.requests(), (Requests{{UM_REQ_BP_SET_0, 0}}));
}

TEST_F(DspWindowsTest, ContourFrequencyLabelWalksAndStopsAtTheTop)
{
    fx.radio.set(Int::CO1, 26);
    CContourDlg dlg(fx.ctx);
    QTest::mouseClick(&dlg, Qt::LeftButton, {}, kFirstLabel);
    EXPECT_EQ(dlg.knobs().selectedLabel(), 0);
    EXPECT_EQ(dlg.knobs().dotAngle(0), 120);
    QTest::mouseClick(&dlg, Qt::RightButton, {}, kFirstLabel);
    EXPECT_TRUE(fx.requests().empty());

    fx.radio.set(Int::CO1, 14);
    QTest::mouseClick(&dlg, Qt::RightButton, {}, QPoint(100, 95));
    QTest::mouseClick(&dlg, Qt::LeftButton, {}, kFirstLabel);
    EXPECT_EQ(fx.requests(), (Requests{{UM_REQ_CO_SET_1, 20}, {UM_REQ_CO_SET_1, 13}}));
}

TEST_F(DspWindowsTest, SelectingTheOtherLabelDeselectsTheFirst)
{
    fx.radio.set(Int::CO0, -2);
    CContourDlg dlg(fx.ctx);
    QTest::mouseClick(&dlg, Qt::LeftButton, {}, kFirstLabel);
    QTest::mouseClick(&dlg, Qt::LeftButton, {}, kSecondLabel);
    EXPECT_EQ(dlg.knobs().selectedLabel(), 1);
    EXPECT_EQ(dlg.knobs().dotAngle(0), kKnobAtRest);
    EXPECT_EQ(dlg.knobs().dotAngle(1), 200);
    QTest::mouseClick(&dlg, Qt::RightButton, {}, kSecondLabel);
    EXPECT_EQ(fx.requests(), (Requests{{UM_REQ_CO_SET_0, -1}}));
}

TEST_F(DspWindowsTest, DraggingTheContourLevelKnobSendsWholeSteps)
{
    fx.radio.set(Int::CO0, 0);
    CContourDlg dlg(fx.ctx);
    QTest::mousePress(&dlg, Qt::LeftButton, {}, QPoint(276, 48)); // straight up
    moveHolding(dlg, QPoint(294, 58));                          // 63 degrees on: one step
    dlg.fireTimer(KnobTimer::Drag);
    dlg.fireTimer(KnobTimer::Send);
    moveHolding(dlg, QPoint(295, 67));
    dlg.fireTimer(KnobTimer::Drag);
    QTest::mouseRelease(&dlg, Qt::LeftButton, {}, QPoint(295, 67));
    EXPECT_EQ(fx.requests(), (Requests{{UM_REQ_CO_SET_0, 1}}));
    EXPECT_EQ(dlg.knobs().dotAngle(1), kKnobAtRest);
}

TEST_F(DspWindowsTest, ReadBackAsksForTheChangedValueUnlessTheAnswerCameFirst)
{
    const struct { AuxKind kind; QPoint knob; const char* text; std::uint32_t answer; } rows[] = {
        {AuxKind::Contour, kFirstKnob, "CO01;", UM_ANS_CO},
        {AuxKind::Contour, kSecondKnob, "CO00;", UM_ANS_CO},
        {AuxKind::Dnr, kFirstKnob, "RL0;", UM_ANS_RL},
        {AuxKind::Notch, kFirstKnob, "BP01;", UM_ANS_BP},
    };
    fx.radio.set(Int::NR0, 1);
    for (const auto& r : rows) {
        std::unique_ptr<AuxWindow> w(createAuxWindow(r.kind, fx.ctx, nullptr));
        auto& dlg = dynamic_cast<DspKnobDlg&>(*w);
        fx.sent.clear();
        wheel(dlg, r.knob, 120);
        EXPECT_EQ(dlg.timers().interval(KnobTimer::ReadBack), 200);
        dlg.fireTimer(KnobTimer::ReadBack);
        EXPECT_EQ(fx.sent, (std::vector<std::string>{r.text}));

        fx.sent.clear();
        wheel(dlg, r.knob, -120);
        dlg.onNotification({r.answer, 0, 0});
        dlg.fireTimer(KnobTimer::ReadBack);
        EXPECT_TRUE(fx.sent.empty()) << r.text;
    }
}

TEST_F(DspWindowsTest, DnrSwitchAnswerDoesNotCancelTheLevelReadBack)
{
    fx.radio.set(Int::NR0, 1);
    CDnrDlg dlg(fx.ctx);
    wheel(dlg, kFirstKnob, 120);
    dlg.onNotification({UM_ANS_NR, 0, 0});
    EXPECT_TRUE(dlg.knobs().readBackPending());
}

TEST_F(DspWindowsTest, EachWindowReportsItsEndOnce)
{
    const struct { AuxKind kind; const char* caption; std::uint32_t done; } rows[] = {
        {AuxKind::Contour, "CONTOUR", UM_CONTOUR_DONE},
        {AuxKind::Dnr, "DNR", UM_DNR_DONE},
        {AuxKind::Notch, "NOTCH", UM_NOTCH_DONE},
    };
    for (const auto& r : rows) {
        fx.outbox.clear();
        std::unique_ptr<AuxWindow> w(createAuxWindow(r.kind, fx.ctx, nullptr));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), r.caption);
        w->show();
        QTest::keyClick(w.get(), Qt::Key_Escape);
        w->close();
        ASSERT_EQ(fx.outbox.windowSends.size(), 1u) << r.caption;
        EXPECT_EQ(fx.outbox.windowSends[0].id, r.done);
    }
}

} // namespace
} // namespace qx::test

namespace qx::test {
namespace {

TEST(DspWindowLayout, EveryKnobLabelFitsItsPlate)
{
    WindowFixture fx;
    CContourDlg contour(fx.ctx);
    CNotchDlg notch(fx.ctx);
    CDnrDlg dnr(fx.ctx);
    for (const DspKnobDlg* w : {static_cast<DspKnobDlg*>(&contour), static_cast<DspKnobDlg*>(&notch),
                                static_cast<DspKnobDlg*>(&dnr)})
        for (int i = 0; i < w->knobs().knobCount(); ++i)
            EXPECT_TRUE(knobart::labelFits(w->knobs().knob(i).label, w->labelText(i)))
                << w->windowTitle().toStdString() << " " << w->labelText(i).toStdString();
}

} // namespace
} // namespace qx::test
