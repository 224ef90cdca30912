#include "panel/PanelDisplay.h"

#include "panel/PanelPainter.h"

#include "core/MessageIds.h"
#include "menu/MenuKind.h"
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>

namespace qx::panel {
namespace {

using R = RadioState::Int;

class PanelDisplayTest : public ::testing::Test {
protected:
    // The built-in menu, as the program loads it: slots and kinds differ.
    void SetUp() override { MenuLoader(menu, {}).load(); }
    void setMenuKind(int kind, double value) { ASSERT_TRUE(menu.setValueByKind(kind, value)) << kind; }
    unsigned send(std::uint32_t id, std::uint64_t w = 0, std::int64_t l = 0) { return display.handle({id, w, l}); }
    int timerCalls(bool start, int id) const
    {
        int n = 0;
        for (const auto& c : outbox.timerCalls)
            n += c.start == start && c.id == id;
        return n;
    }

    RadioState radio;
    MenuTable menu;
    test::FakeOutbox outbox;
    PanelDisplay display{radio, menu, outbox};
    const PanelModel& m = display.model();
};

TEST_F(PanelDisplayTest, FrequencyFollowsOperatingVfoAndReceiveClarifier)
{
    radio.set(R::FA, 7'050'000);
    radio.set(R::FB, 21'300'000);
    EXPECT_NE(send(UM_ANS_FA) & kRegionFrequency, 0u);
    EXPECT_EQ(m.frequency.digits, (std::array<int, 8>{10, 7, 0, 5, 0, 0, 0, 0}));

    radio.set(R::VS, 1);
    send(UM_ANS_VS);
    EXPECT_EQ(m.frequency.digits, (std::array<int, 8>{2, 1, 3, 0, 0, 0, 0, 0}));
    EXPECT_EQ(m.vfoMemory, 1);

    radio.set(RadioState::Real::IF_OFFSET, -120.0);
    radio.set(R::RT, 1);
    send(UM_ANS_RT);
    EXPECT_TRUE(m.seg(Seg::Clar));
    EXPECT_EQ(m.frequency.digits, (std::array<int, 8>{2, 1, 2, 9, 9, 8, 8, 0}));

    radio.set(R::TX, 1);
    send(UM_ANS_TX);
    EXPECT_TRUE(m.seg(Seg::Transmit));
    EXPECT_EQ(m.frequency.digits[3], 0) << "no clarifier offset while transmitting";
}

TEST_F(PanelDisplayTest, SelectedDigitHighlightsAndUnchangedRedrawIsSkipped)
{
    radio.set(R::FA, 7'050'000);
    send(UM_ANS_FA);
    send(UM_PANEL_86, 8);
    EXPECT_EQ(display.selectedDigit(), 8);
    EXPECT_EQ(m.frequency.digits[0], 0 + kHighlight);
    EXPECT_EQ(display.frequencyTick(), kNoRegion) << "a tick that would not change a pixel draws nothing";
    radio.set(R::FA, 7'050'010);
    EXPECT_EQ(display.frequencyTick(), static_cast<unsigned>(kRegionFrequency));
    send(UM_PANEL_86, 0);
    EXPECT_EQ(m.frequency.digits[0], kBlankDigit);
}

TEST_F(PanelDisplayTest, ClarifierOffsetFromStatusAnswer)
{
    radio.set(RadioState::Real::IF_OFFSET, -120.0);
    send(UM_ANS_IF);
    EXPECT_EQ(m.clarifier.sign, ClarSign::Minus);
    EXPECT_EQ(m.clarifier.digits, (std::array<int, 3>{0, 1, 2}));
    radio.set(RadioState::Real::IF_OFFSET, 0.0);
    send(UM_ANS_IF);
    EXPECT_EQ(m.clarifier.sign, ClarSign::Blank);
    EXPECT_EQ(m.clarifier.digits, (std::array<int, 3>{0, 0, 0}));
}

TEST_F(PanelDisplayTest, MeterIsZeroWhileRadioOffOrLinkDown)
{
    radio.set(R::RM0, 255);
    send(UM_ANS_RM);
    EXPECT_EQ(m.meterLit, 0);
    radio.set(R::PS, 1);
    radio.set(R::AI, 1);
    send(UM_ANS_RM);
    EXPECT_EQ(m.meterLit, 31);
    radio.set(R::RM0, 7);
    send(UM_ANS_RM);
    EXPECT_EQ(m.meterLit, 0);
    radio.set(R::RM0, 8);
    send(UM_ANS_RM);
    EXPECT_EQ(m.meterLit, 1);
    radio.set(R::TX, 1);
    radio.set(R::RM1, 100);
    send(UM_ANS_TX);
    EXPECT_EQ(m.meterLit, 12) << "transmitting shows the transmit meter";
}

TEST_F(PanelDisplayTest, PeakHoldStartsOnFallAndEndsOnReachOrTimer)
{
    setMenuKind(MenuKind::PeakHold, 1);
    radio.set(R::PS, 1);
    radio.set(R::AI, 1);
    radio.set(R::RM0, 140);
    send(UM_ANS_RM);
    radio.set(R::RM0, 40);
    send(UM_ANS_RM);
    EXPECT_EQ(display.meterPeak(), 140);
    EXPECT_EQ(timerCalls(true, kPeakHoldTimer), 1);
    EXPECT_EQ(m.meterLit, 4);
    EXPECT_EQ(m.meterPeakSeg, 17) << "the last segment whose threshold does not exceed the peak";

    radio.set(R::RM0, 30);
    send(UM_ANS_RM);
    EXPECT_EQ(timerCalls(true, kPeakHoldTimer), 1) << "a held peak is not replaced by a smaller fall";

    display.peakHoldExpired();
    EXPECT_FALSE(display.meterPeak().has_value());
    EXPECT_EQ(m.meterPeakSeg, 0);

    radio.set(R::RM0, 200);
    send(UM_ANS_RM);
    radio.set(R::RM0, 100);
    send(UM_ANS_RM);
    ASSERT_EQ(display.meterPeak(), 200);
    radio.set(R::RM0, 200);
    send(UM_ANS_RM);
    EXPECT_FALSE(display.meterPeak().has_value()) << "reaching the peak drops it";
    EXPECT_GE(timerCalls(false, kPeakHoldTimer), 1);
}

TEST_F(PanelDisplayTest, PeakHoldOffByMenuAndDroppedOnPowerOff)
{
    setMenuKind(MenuKind::PeakHold, 0);
    radio.set(R::PS, 1);
    radio.set(R::AI, 1);
    radio.set(R::RM0, 140);
    send(UM_ANS_RM);
    radio.set(R::RM0, 40);
    send(UM_ANS_RM);
    EXPECT_FALSE(display.meterPeak().has_value()) << "PEAKHLD at OFF turns the hold off";

    setMenuKind(MenuKind::PeakHold, 1);
    radio.set(R::RM0, 140);
    send(UM_ANS_RM);
    radio.set(R::RM0, 40);
    send(UM_ANS_RM);
    ASSERT_TRUE(display.meterPeak().has_value());
    radio.set(R::PS, 0);
    send(UM_ANS_PS);
    EXPECT_FALSE(display.meterPeak().has_value());
    EXPECT_EQ(m.meterLit, 0);
    EXPECT_EQ(m.keys[kPowerKeyLamp], 0);
}

TEST_F(PanelDisplayTest, KnobPointersFromGainsAndShift)
{
    radio.set(R::AG0, 255);
    send(UM_ANS_AG);
    EXPECT_EQ(m.knobAngle[static_cast<int>(Knob::AfGain)], 150);
    radio.set(R::SQ0, 0);
    radio.set(R::RG0, 255);
    setMenuKind(MenuKind::SqlRfGain, 0);
    send(UM_ANS_SQ);
    EXPECT_EQ(m.knobAngle[static_cast<int>(Knob::RfSql)], 207) << "squelch while SQL/RFG is SQL";
    setMenuKind(MenuKind::SqlRfGain, 1);
    send(UM_ANS_RG);
    EXPECT_EQ(m.knobAngle[static_cast<int>(Knob::RfSql)], 150);
    radio.set(R::IS, 0);
    radio.set(R::MD0, 2);
    send(UM_ANS_IS);
    EXPECT_EQ(m.knobAngle[static_cast<int>(Knob::IfShift)], 358);
    EXPECT_TRUE(m.seg(Seg::IfShiftMarks));
}

TEST_F(PanelDisplayTest, ModeAnswerSetsSegmentsAndMode10LeavesThem)
{
    radio.set(R::MD0, 3);
    send(UM_ANS_MD);
    EXPECT_TRUE(m.seg(Seg::Cw));
    EXPECT_TRUE(m.seg(Seg::Usb));
    EXPECT_FALSE(m.seg(Seg::Lsb));
    radio.set(R::MD0, 10);
    send(UM_ANS_MD);
    EXPECT_TRUE(m.seg(Seg::Cw));
    radio.set(R::MD0, 5);
    send(UM_ANS_MD);
    EXPECT_TRUE(m.seg(Seg::Am));
    EXPECT_FALSE(m.seg(Seg::Cw));
    EXPECT_FALSE(m.seg(Seg::IfShiftMarks)) << "no IF shift in AM";
}

TEST_F(PanelDisplayTest, TunerAndPlaybackFollowBlinkPhase)
{
    radio.set(R::AC, 2);
    radio.set(R::PB, 6);
    send(UM_ANS_AC);
    const int first = m.segState(Seg::Tuner);
    display.blinkTick();
    EXPECT_NE(m.segState(Seg::Tuner), first);
    EXPECT_EQ(m.seg(Seg::Ri1), display.blinkPhase());
    display.blinkTick();
    EXPECT_EQ(m.segState(Seg::Tuner), first);

    radio.set(R::AC, 1);
    send(UM_ANS_AC);
    display.blinkTick();
    EXPECT_EQ(m.segState(Seg::Tuner), 1);
    display.blinkTick();
    EXPECT_EQ(m.segState(Seg::Tuner), 1);
}

TEST_F(PanelDisplayTest, LockHeldByMenuListWindow)
{
    send(UM_ANS_LK);
    EXPECT_FALSE(m.seg(Seg::Lock));
    display.setMenuListLock(true);
    EXPECT_TRUE(m.seg(Seg::Lock));
    display.setMenuListLock(false);
    radio.set(R::LK, 1);
    send(UM_ANS_LK);
    EXPECT_TRUE(m.seg(Seg::Lock));
}

TEST_F(PanelDisplayTest, LinkLampFollowsTheLinkAndPowerLampThePower)
{
    radio.set(R::PS, 1);
    send(UM_ANS_PS);
    send(UM_ANS_AI);
    EXPECT_EQ(m.keys[kLinkKeyLamp], kKeyReleased) << "radio on, link down";
    EXPECT_EQ(m.keys[kPowerKeyLamp], kKeyOnOffset);
    send(UM_KEY_78, 1);
    EXPECT_EQ(m.keys[kLinkKeyLamp], kKeyPressed);
    send(UM_KEY_79, 1);
    EXPECT_EQ(m.keys[kPowerKeyLamp], kKeyPressed + kKeyOnOffset);

    radio.set(R::AI, 1);
    send(UM_ANS_AI);
    EXPECT_EQ(m.keys[kLinkKeyLamp], kKeyOnOffset);
    send(UM_KEY_78, 1);
    EXPECT_EQ(m.keys[kLinkKeyLamp], kKeyPressed + kKeyOnOffset);

    radio.set(R::PS, 0);
    send(UM_ANS_PS);
    send(UM_KEY_79, 0);
    EXPECT_EQ(m.keys[kPowerKeyLamp], kKeyReleased);
    EXPECT_EQ(m.keys[kLinkKeyLamp], kKeyPressed + kKeyOnOffset) << "the power answer leaves the link lamp alone";

    send(UM_KEY_A6, 1);
    EXPECT_EQ(m.keys[static_cast<std::size_t>(keyLampIndex(UM_KEY_A6))], kKeyPressed);
    EXPECT_EQ(keyLampIndex(UM_KEY_84 + 1), -1);
}

TEST_F(PanelDisplayTest, RecAndPlaySegmentsEachFollowTheirOwnFlag)
{
    struct Case {
        int ri0, recording, playing;
        bool rec, play;
    };
    // RI0 is not the recording flag: a radio reporting 0 there is not recording.
    // A recording radio reports only the recording flag: PLAY stays dark.
    const Case cases[] = {{0, 0, 0, false, false}, {1, 0, 0, false, false}, {0, 1, 0, true, false},
                          {1, 1, 0, true, false},  {0, 0, 1, false, true},  {0, 1, 1, true, true}};
    for (const Case& c : cases) {
        radio.set(R::RI0, c.ri0);
        radio.set(kRecordingFlag, c.recording);
        radio.set(kPlayingFlag, c.playing);
        send(UM_ANS_RI);
        const std::string at = std::to_string(c.ri0) + "/" + std::to_string(c.recording) + "/" + std::to_string(c.playing);
        EXPECT_EQ(m.seg(Seg::Ri2), c.rec) << at;
        EXPECT_EQ(m.seg(Seg::Ri1), c.play) << at;
        display.blinkTick();
        EXPECT_EQ(m.seg(Seg::Ri2), c.rec) << "steady through the blink, " << at;
        EXPECT_EQ(m.seg(Seg::Ri1), c.play) << "steady through the blink, " << at;
        display.blinkTick();
    }
}

// The LCD is live only while linked to a radio that is on and in reach;
// the POWER lamp no longer claims power once the radio is out of reach.
TEST_F(PanelDisplayTest, StaleDisplayAndPowerLampFollowTheLinkAndThePower)
{
    EXPECT_TRUE(m.stale) << "nothing heard yet";
    display.setLinkPhase(LinkPhase::PortOpen);
    radio.set(R::PS, 1);
    send(UM_ANS_PS);
    EXPECT_EQ(m.keys[kPowerKeyLamp], kKeyOnOffset);
    EXPECT_TRUE(m.stale) << "not linked";
    radio.set(R::AI, 1);
    EXPECT_NE(send(UM_ANS_AI) & kRegionFrequency, 0u);
    display.setLinkPhase(LinkPhase::Linked);
    EXPECT_FALSE(m.stale);

    radio.set(R::PS, 0); // switched off at the radio
    send(UM_ANS_PS);
    EXPECT_TRUE(m.stale);
    EXPECT_EQ(m.keys[kPowerKeyLamp], kKeyReleased);
    radio.set(R::PS, 1);
    send(UM_ANS_PS);
    EXPECT_FALSE(m.stale);

    // The watchdog: the link is lost and the power unknown.
    display.setLinkPhase(LinkPhase::LinkLost);
    EXPECT_TRUE(m.stale);
    EXPECT_EQ(m.keys[kPowerKeyLamp], kKeyReleased);
    radio.set(R::AI, 0);
    send(UM_ANS_AI);
    display.setLinkPhase(LinkPhase::Connecting);
    send(UM_KEY_79, 0);
    EXPECT_EQ(m.keys[kPowerKeyLamp], kKeyReleased) << "still out of reach while trying";
    send(UM_ANS_PS); // the radio answers again
    EXPECT_EQ(m.keys[kPowerKeyLamp], kKeyOnOffset);
    radio.set(R::AI, 1);
    send(UM_ANS_AI);
    display.setLinkPhase(LinkPhase::Linked);
    EXPECT_FALSE(m.stale);

    // The port gone (adapter unplugged, ser2net stopped) is out of reach too.
    display.setLinkPhase(LinkPhase::NoPort);
    EXPECT_TRUE(m.stale);
    EXPECT_EQ(m.keys[kPowerKeyLamp], kKeyReleased);
}

// Stale figures are drawn dimmed, on the glass only.
TEST(PanelPainterStale, DimsTheGlassAndNothingElse)
{
    auto paint = [](bool stale) {
        PanelModel model;
        model.stale = stale;
        model.frequency = frequencyDisplay(14'250'000, 0);
        QImage image(843, 320, QImage::Format_RGB32);
        QPainter p(&image);
        PanelPainter::paintBackground(p);
        PanelPainter::paintRegions(p, model, kAllRegions);
        return image;
    };
    auto brightness = [](const QImage& image, const QRect& r) {
        long long sum = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                sum += qGray(image.pixel(x, y));
        return sum / (static_cast<long long>(r.width()) * r.height());
    };
    const QImage live = paint(false);
    const QImage stale = paint(true);
    const QRect glass(240, 100, 280, 45); // the frequency figures
    const QRect keys(720, 170, 100, 40);  // off the glass
    EXPECT_LT(brightness(stale, glass) * 2, brightness(live, glass));
    EXPECT_EQ(brightness(stale, keys), brightness(live, keys));
}

TEST_F(PanelDisplayTest, DialsKnobLabelsAndIgnoredAnswers)
{
    send(UM_PANEL_85, 45);
    EXPECT_EQ(m.mainDialAngle, 45);
    send(UM_PANEL_88, 90);
    EXPECT_EQ(m.secondDialAngle, 90);
    send(UM_PANEL_88, 360);
    EXPECT_EQ(m.secondDialAngle, kDialAtRest);
    send(UM_PANEL_8F, 1, 3);
    EXPECT_TRUE(m.knobLabelLit[3]);
    EXPECT_EQ(send(UM_PANEL_8F, 1, 4), kNoRegion) << "no such knob";
    for (std::uint32_t id : {UM_ANS_SM, UM_ANS_SH, UM_ANS_PC, UM_ANS_FT, UM_ANS_KS, UM_ANS_SPARE_53})
        EXPECT_EQ(send(id), kNoRegion) << std::hex << id;
}

TEST_F(PanelDisplayTest, FirstFullDrawShowsRadioStateAndLampsOff)
{
    radio.set(R::FA, 14'250'000);
    radio.set(R::MD0, 2);
    radio.set(R::PS, 1);
    radio.set(R::NB, 1);
    radio.set(R::AG0, 255);
    display.model().keys[kPowerKeyLamp] = kKeyPressed;
    const unsigned r = display.firstFullDraw();
    EXPECT_NE(r & kRegionFrequency, 0u);
    EXPECT_EQ(m.frequency.digits, (std::array<int, 8>{1, 4, 2, 5, 0, 0, 0, 0}));
    EXPECT_TRUE(m.seg(Seg::Usb));
    EXPECT_TRUE(m.seg(Seg::Nb));
    EXPECT_EQ(m.knobAngle[static_cast<int>(Knob::AfGain)], 150);
    EXPECT_EQ(m.keys[kPowerKeyLamp], kKeyOnOffset) << "released, on variant";
    EXPECT_EQ(m.keys[kLinkKeyLamp], kKeyReleased) << "the link is down";
    EXPECT_EQ(m.secondDialAngle, kDialAtRest);
    EXPECT_EQ(display.firstFullDraw(), kNoRegion) << "nothing changed, nothing to paint";
}

} // namespace
} // namespace qx::panel
