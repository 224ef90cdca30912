// A value that does not fit its field is refused: nothing goes to the radio
// (zeros would set it to a value nobody asked for) and the refusal is noted.
// Values at the edge of a field still go out.
#include "BuilderFixture.h"

namespace qx::test {
namespace {

class FieldFitTest : public BuilderTest {
protected:
    FieldFitTest()
    {
        builder.setRefusalNote([this](std::string_view why) { notes.emplace_back(why); });
    }
    std::vector<std::string> notes;
};

TEST_F(FieldFitTest, EveryKindOfFieldRefusesWhatItCannotHold)
{
    const struct {
        std::uint32_t id;
        std::int64_t n;
        std::uint64_t selector;
        Log expected;
        const char* note; // "" when nothing is refused
    } cases[] = {
        {UM_REQ_PC_SET, 999, 0, {"PC999;"}, ""},
        {UM_REQ_PC_SET, 1000, 0, {}, "refused PC: 1000 does not fit 3 digits"},
        {UM_REQ_PC_SET, -1, 0, {}, "refused PC: -1 does not fit 3 digits"},
        {UM_REQ_CS_SET, 10, 0, {}, "refused CS: 10 does not fit 1 digit"},
        {UM_REQ_IS_SET, 9999, 0, {"IS0+9999;"}, ""},
        {UM_REQ_IS_SET, -9999, 0, {"IS0-9999;"}, ""},
        {UM_REQ_IS_SET, 10000, 0, {}, "refused IS0+: 10000 does not fit 4 digits"},
        {UM_REQ_IS_SET, -10000, 0, {}, "refused IS0-: -10000 does not fit 4 digits"},
        {UM_REQ_MR_READ, 999, 0, {"MR999;"}, ""},
        {UM_REQ_MR_READ, 1000, 0, {}, "refused MR: 1000 does not fit 3 digits"},
        {UM_REQ_DA_SET, 99, 0, {"DA9900;"}, ""},
        {UM_REQ_DA_SET, 123, 0, {}, "refused DA: 123 does not fit 2 digits"},
        {UM_REQ_SS_SET, 100000, 0, {}, "refused SS0: 100000 does not fit 5 digits"},
        {UM_REQ_CN_SET, 100, 1, {}, "refused CN1: 100 does not fit 2 digits"},
        {UM_REQ_MW, 1000, 0, {}, "refused MW: no channel 1000"},
        {UM_REQ_VD_SD_SET, 9999, 0, {"VD9999;", "~20", "SD9999;"}, ""},
        {UM_REQ_VD_SD_SET, 10000, 0, {}, "refused VD: 10000 does not fit 4 digits"},
    };
    for (const auto& c : cases) {
        notes.clear();
        post(c.id, c.n, c.selector);
        EXPECT_EQ(take(), c.expected) << messageName(c.id) << " n=" << c.n;
        EXPECT_EQ(notes, *c.note ? std::vector<std::string>{c.note} : std::vector<std::string>{})
            << messageName(c.id) << " n=" << c.n;
    }
}

TEST_F(FieldFitTest, MenuWriteRefusesOneEntryAndSendsTheRest)
{
    const struct {
        int slot;
        double value;
    } changes[] = {{21, 100}, {13, 5}, {47, -123}, {65, 4096}, {67, 123}};
    for (const auto& c : changes)
        menu.update(c.slot, [&c](MenuItem& e) { return e.changed = true, e.newValue = c.value, true; });
    post(UM_REQ_EX_SET);
    EXPECT_EQ(take(), (Log{"EX01305;", "~10"}));
    EXPECT_EQ(notes, (std::vector<std::string>{"refused EX021: 100 does not fit 2 digits",
                                               "refused EX047: -123 does not fit 3 digits",
                                               "refused EX065: 4096 does not fit 11 digits",
                                               "refused DA: 123 does not fit 2 digits"}));
    for (const auto& c : changes)
        EXPECT_FALSE(menu.getEntry(c.slot).changed) << "a refused change is not tried again, " << c.slot;
}

} // namespace
} // namespace qx::test
