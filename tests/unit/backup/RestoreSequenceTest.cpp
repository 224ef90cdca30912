// Restoring: each setting written by its own path, counted as restored only
// when the read-back shows the saved value; refusals, silence and the
// settings left to the operator are told apart.
#include "backup/RestoreSequence.h"
#include "cat/MemoryWriteRequest.h"
#include "core/RequestTable.h"
#include "tests/unit/backup/BackupWorld.h"

namespace qx::test {
namespace {

using O = RestoreResult::Outcome;

struct RestoreSequenceTest : BackupWorld {
    static SetupDifference menuItem(int slot, double value, std::string name = "")
    {
        SetupDifference d;
        d.area = SetupDifference::Area::Menu;
        d.index = slot;
        d.key = "EX" + std::to_string(slot);
        d.name = std::move(name);
        d.value = value;
        return d;
    }
    static SetupDifference keyer(int memory, std::string text)
    {
        SetupDifference d;
        d.area = SetupDifference::Area::Keyer;
        d.index = memory;
        d.text = std::move(text);
        return d;
    }
    static SetupDifference channel(int number, std::optional<MemoryChannel> content)
    {
        SetupDifference d;
        d.area = SetupDifference::Area::Channel;
        d.index = number;
        d.channel = content;
        return d;
    }
    std::vector<O> outcomes(const RestoreSequence& r)
    {
        std::vector<O> out;
        for (const auto& x : r.results())
            out.push_back(x.outcome);
        return out;
    }
    int exSetPosts() const
    {
        int n = 0;
        for (const auto& p : outbox.threadPosts)
            n += p.m.id == requestId(requestRowOf(UM_REQ_EX_SET)) ? 1 : 0;
        return n;
    }
};

TEST_F(RestoreSequenceTest, MenuEntryGoesThroughTheMenuWriteAndIsConfirmedByItsReadBack)
{
    setMenuValue(21, 30);
    RestoreSequence r(access, {menuItem(21, 12), menuItem(29, 1)});
    setMenuValue(29, 3);
    r.start();
    // Only the first is under way: its pending value, the write, the read-back.
    const MenuItem pending = menu.getEntry(21);
    EXPECT_TRUE(pending.changed);
    EXPECT_EQ(pending.newValue, 12);
    EXPECT_EQ(pending.value, 30); // nothing counts until the radio says so
    EXPECT_EQ(exSetPosts(), 1);
    ASSERT_EQ(requests(UM_REQ_EX_READ).size(), 1u);
    EXPECT_EQ(requests(UM_REQ_EX_READ)[0].lParam, 21);
    // Another entry's change is not this one's confirmation.
    r.onNotification({UM_ANS_OTHER, 0, 0});
    EXPECT_EQ(r.progress().done, 0);
    setMenuValue(21, 12);
    r.onNotification({UM_ANS_OTHER, 0, 0});
    EXPECT_EQ(r.progress().done, 1);
    EXPECT_EQ(requests(UM_REQ_EX_READ)[1].lParam, 29);
    setMenuValue(29, 1);
    r.onNotification({UM_ANS_OTHER, 0, 0});
    ASSERT_TRUE(r.finished());
    EXPECT_EQ(outcomes(r), (std::vector<O>{O::Restored, O::Restored}));
}

TEST_F(RestoreSequenceTest, RefusedSilentAndLeftToTheOperatorAreReportedAsSuch)
{
    SetupDifference rate = menuItem(10, 1, "CATRATE");
    rate.handOnly = "by hand";
    RestoreSequence r(access, {menuItem(13, 10), rate, menuItem(21, 30)});
    r.start();
    const auto deadline = *r.deadline();
    r.onNotification({UM_ANS_REFUSED, 0, 0}); // "?;" to the write
    EXPECT_EQ(*r.deadline(), clock.now() + RestoreSequence::kRefusalGrace);
    EXPECT_LT(*r.deadline(), deadline);
    clock.advance(RestoreSequence::kRefusalGrace);
    r.onTimeout();
    // The line speed went by without a word to the radio: one write, one read so far.
    EXPECT_EQ(exSetPosts(), 2);
    EXPECT_EQ(requests(UM_REQ_EX_READ).back().lParam, 21);
    clock.advance(RestoreSequence::kConfirmWait - Clock::Ms{1});
    r.onTimeout();
    EXPECT_FALSE(r.finished());
    clock.advance(Clock::Ms{1});
    r.onTimeout();
    ASSERT_TRUE(r.finished());
    EXPECT_EQ(outcomes(r), (std::vector<O>{O::Refused, O::LeftToOperator, O::NotConfirmed}));
}

TEST_F(RestoreSequenceTest, AReadBackThatArrivedUnannouncedStillCounts)
{
    menu.update(5, [](MenuItem& item) {
        item.text = "OLD";
        return true;
    });
    SetupDifference beacon = menuItem(5, 1);
    beacon.text = "CQ TEST";
    RestoreSequence text(access, {beacon});
    text.start();
    // Same channel, new text: the table takes it without a notification.
    menu.update(5, [](MenuItem& item) {
        item.text = "CQ TEST";
        return false;
    });
    clock.advance(RestoreSequence::kConfirmWait);
    text.onTimeout();
    EXPECT_EQ(outcomes(text), (std::vector<O>{O::Restored}));
}

TEST_F(RestoreSequenceTest, KeyerMemoryIsWrittenAsTheCwWindowDoes)
{
    radio.setKeyerText(3, "X");
    RestoreSequence r(access, {keyer(2, "CQ TEST"), keyer(3, "")});
    r.start();
    EXPECT_EQ(sent, (std::vector<std::string>{"KM2CQ TEST;", "KM2;"}));
    radio.setKeyerText(1, "CQ TEST");
    radio.set(RadioState::Int::KM_SELECTED, 1);
    r.onNotification({UM_ANS_KM, 0, 0}); // memory 1's answer says nothing of 2
    EXPECT_EQ(r.progress().done, 0);
    radio.setKeyerText(2, "CQ TEST" + std::string(43, ' '));
    radio.set(RadioState::Int::KM_SELECTED, 2);
    r.onNotification({UM_ANS_KM, 0, 0});
    // An empty memory is written as a blank, which the radio pads like any text.
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[2], "KM3 ;");
    radio.setKeyerText(3, std::string(50, ' '));
    radio.set(RadioState::Int::KM_SELECTED, 3);
    r.onNotification({UM_ANS_KM, 0, 0});
    EXPECT_EQ(outcomes(r), (std::vector<O>{O::Restored, O::Restored}));
}

TEST_F(RestoreSequenceTest, ChannelIsWrittenFromTheSavedRecordAndNeedsAFreshAnswer)
{
    const MemoryChannel saved{21074000, 0, 0, 0, 2, 0, 8, 0};
    radio.memoryChannels().store(17, saved); // an old answer says nothing of this write
    RestoreSequence r(access, {channel(17, saved)});
    r.start();
    const auto writes = requests(UM_REQ_MW_CHANNEL);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(memoryWriteFromRequest(writes[0])->second, saved);
    EXPECT_EQ(memoryWriteFromRequest(writes[0])->first, 17);
    ASSERT_EQ(requests(UM_REQ_MR_READ).size(), 1u);
    EXPECT_EQ(requests(UM_REQ_MR_READ)[0].lParam, 17);
    r.onNotification({UM_ANS_MR, 0, 0});
    EXPECT_FALSE(r.finished());
    radio.memoryChannels().store(17, saved);
    r.onNotification({UM_ANS_MR, 0, 0});
    EXPECT_EQ(outcomes(r), (std::vector<O>{O::Restored}));
}

TEST_F(RestoreSequenceTest, CancelClaimsNothingForWhatWasUnderWay)
{
    RestoreSequence r(access, {menuItem(21, 30), menuItem(29, 3)});
    r.start();
    r.cancel();
    EXPECT_TRUE(r.finished());
    EXPECT_EQ(outcomes(r), (std::vector<O>{O::NotConfirmed, O::NotTried}));
    setMenuValue(21, 30);
    r.onNotification({UM_ANS_OTHER, 0, 0});
    EXPECT_EQ(outcomes(r), (std::vector<O>{O::NotConfirmed, O::NotTried}));
    EXPECT_EQ(requests(UM_REQ_EX_READ).size(), 1u);
}

} // namespace
} // namespace qx::test
