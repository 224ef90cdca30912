// The panel follows six setup-menu settings (SQL/RFG, SELDIAL, CLAR, CW BFO,
// D TYPE, PEAKHLD) found by their kind. Their slots hold unrelated entries,
// so every case sets the same-numbered slot to the value that would give the
// other answer.
#include "ControllerFixture.h"

namespace qx::test {
namespace {

constexpr int kRfSqlX = 688, kRfSqlY = 276;
constexpr int kGroupX = 237, kGroupY = 286;
constexpr int kMainDialX = 517, kMainDialY = 240;
constexpr int kSecondDialX = 172, kSecondDialY = 276;

class MenuByKindTest : public ControllerTest {
protected:
    void setSlot(int slot, int value)
    {
        menu.update(slot, [value](MenuItem& m) {
            m.value = value;
            return true;
        });
    }
    void notify(std::uint32_t id) { window->onMessage({id, 0, 0}); }
};

TEST_F(MenuByKindTest, RfSquelchKnobIsTheOneSqlRfgNames)
{
    struct Case {
        int sqlRfg, slot42;
        std::uint32_t request;
        std::size_t labelBar;
        int pointer; // knob pointer angle drawn from RG 255 / SQ 0
    };
    const Case cases[] = {
        {1, 0, UM_REQ_RG_SET_0, 2, 150},
        {0, 1, UM_REQ_SQ_SET_0, 3, 207},
    };
    radio.set(R::RG0, 255);
    radio.set(R::SQ0, 0);
    for (const Case& c : cases) {
        setMenuKind(MenuKind::SqlRfGain, c.sqlRfg);
        setSlot(42, c.slot42);
        window->menuCommand(-1);
        clear();
        leftClick(kRfSqlX, kRfSqlY);
        EXPECT_TRUE(model().knobLabelLit[c.labelBar]) << c.sqlRfg;
        wheel(kRfSqlX, kRfSqlY, -120);
        ASSERT_EQ(posted().size(), 1u) << c.sqlRfg;
        EXPECT_EQ(posted()[0].id, c.request) << c.sqlRfg;
        notify(UM_ANS_SQ);
        EXPECT_EQ(model().knobAngle[static_cast<int>(panel::Knob::RfSql)], c.pointer) << c.sqlRfg;
    }
}

TEST_F(MenuByKindTest, GroupKeyAndMultiDialFollowSelDial)
{
    struct Case {
        int selDial, slot48;
        bool group;
        Posted want;
    };
    const Case cases[] = {
        {2, 100, true, {UM_REQ_FA_SET, 14'100'000}},
        {3, 2, true, {UM_REQ_FA_SET, 15'000'000}},
        {1, 2, false, {UM_REQ_EU_1, 1}},
    };
    for (const Case& c : cases) {
        setMenuKind(MenuKind::SelDial, c.selDial);
        setSlot(48, c.slot48);
        window->display().model().bandGroup = false;
        radio.set(R::FA, 14'000'000);
        leftClick(kGroupX, kGroupY);
        EXPECT_EQ(model().bandGroup, c.group) << c.selDial;
        clear();
        wheel(kSecondDialX, kSecondDialY, 120);
        EXPECT_EQ(posted(), std::vector<Posted>{c.want}) << c.selDial;
    }

    // A menu change that leaves SELDIAL off the group settings ends the group mode.
    setMenuKind(MenuKind::SelDial, 2);
    leftClick(kGroupX, kGroupY);
    ASSERT_TRUE(model().bandGroup);
    setSlot(48, 4);
    notify(UM_ANS_OTHER);
    EXPECT_TRUE(model().bandGroup);
    setMenuKind(MenuKind::SelDial, 4);
    setSlot(48, 2);
    notify(UM_ANS_OTHER);
    EXPECT_FALSE(model().bandGroup);
}

TEST_F(MenuByKindTest, ClarSettingChoosesTheDialThatMovesTheClarifier)
{
    struct Case {
        int clar, slot49;
        Posted mainDial, secondDial;
    };
    const Case cases[] = {
        {0, 1, {UM_REQ_RU_RD, 10}, {UM_REQ_EU_1, 1}},
        {1, 0, {UM_REQ_EU_0, 1}, {UM_REQ_RU_RD, 10}},
    };
    radio.set(R::RT, 1);
    radio.set(R::SF, 0);
    for (const Case& c : cases) {
        setMenuKind(MenuKind::Clarifier, c.clar);
        setSlot(49, c.slot49);
        clear();
        wheel(kMainDialX, kMainDialY, 120);
        wheel(kSecondDialX, kSecondDialY, 120);
        EXPECT_EQ(posted(), (std::vector<Posted>{c.mainDial, c.secondDial})) << c.clar;
    }
}

TEST_F(MenuByKindTest, CwCheckMarkFollowsCwBfo)
{
    struct Case {
        int cwBfo, slot44, mode;
        unsigned checked;
    };
    constexpr unsigned kCw = 1u << 2, kCwR = 1u << 3;
    const Case cases[] = {
        {0, 1, 3, kCw},
        {0, 1, 7, kCwR},
        {1, 0, 3, kCwR},
        {1, 0, 7, kCw},
    };
    for (const Case& c : cases) {
        setMenuKind(MenuKind::CwBfo, c.cwBfo);
        setSlot(44, c.slot44);
        radio.set(R::MD0, c.mode);
        clear();
        rightClick(297, 243);
        ASSERT_EQ(popups.size(), 1u);
        EXPECT_EQ(popups[0].checked, c.checked) << "CW BFO " << c.cwBfo << ", mode " << c.mode;
    }
}

TEST_F(MenuByKindTest, DataSidebandFollowsDType)
{
    struct Case {
        int dType, slot43;
        bool usb;
    };
    const Case cases[] = {{2, 1, true}, {0, 2, false}, {1, 2, false}};
    radio.set(R::MD0, 8);
    for (const Case& c : cases) {
        setMenuKind(MenuKind::DataType, c.dType);
        setSlot(43, c.slot43);
        notify(UM_ANS_MD);
        EXPECT_TRUE(model().seg(panel::Seg::Data)) << c.dType;
        EXPECT_EQ(model().seg(panel::Seg::Usb), c.usb) << c.dType;
        EXPECT_EQ(model().seg(panel::Seg::Lsb), !c.usb) << c.dType;
    }
}

TEST_F(MenuByKindTest, PeakHoldFollowsPeakhld)
{
    struct Case {
        int peakHold, slot15;
        bool held;
    };
    const Case cases[] = {{1, 0, true}, {0, 1, false}};
    radio.set(R::PS, 1);
    radio.set(R::AI, 1);
    for (const Case& c : cases) {
        setMenuKind(MenuKind::PeakHold, c.peakHold);
        setSlot(15, c.slot15);
        radio.set(R::RM0, 140);
        notify(UM_ANS_RM);
        radio.set(R::RM0, 40);
        notify(UM_ANS_RM);
        EXPECT_EQ(window->display().meterPeak().has_value(), c.held) << c.peakHold;
        window->onTimer(panel::kPeakHoldTimer);
    }
}

} // namespace
} // namespace qx::test
