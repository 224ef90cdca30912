// The analyser in its worker thread while another thread reads what it
// writes, as the panel does. Run under ThreadSanitizer to catch unsound
// sharing; the assertions only check that every answer was handled.
#include "tests/unit/analyser/AnalyserWorld.h"

#include "core/WorkerThread.h"

#include <string>

namespace qx::test {
namespace {

TEST_F(AnalyserWorld, DecodesOnItsThreadWhileOthersRead)
{
    WorkerThread thread("AnlRecv", analyser);
    thread.start();
    constexpr int kAnswers = 200;
    for (int i = 0; i < kAnswers; ++i) {
        answers.put("FA" + std::to_string(14000000 + i));
        answers.put(i % 2 ? "KM1CQ CQ" : "KM1QRZ");
        answers.put("EX0131" + std::to_string(i % 10));
        for (int k = 0; k < 3; ++k)
            ASSERT_TRUE(thread.post(Message{UM_ANSWER_ARRIVED, 0, 0}));
        // what the panel reads while the answers are decoded
        EXPECT_GE(radio.get(RadioState::Int::FA), 7000000);
        EXPECT_LE(radio.keyerText(1).size(), 8u);
        EXPECT_GE(menu.getEntry(13).value, 0.0);
    }
    ASSERT_TRUE(thread.stop());
    EXPECT_EQ(radio.get(RadioState::Int::FA), 14000000 + kAnswers - 1);
    EXPECT_EQ(radio.keyerText(1), "CQ CQ");
    EXPECT_EQ(answers.pending(), 0);
}

} // namespace
} // namespace qx::test
