// The flrig methods on real state stores: reads answered from the state in
// flrig's types, writes turned into the program's requests, and calls that
// must be refused.
#include "tests/unit/rigserver/RigFixture.h"
#include "xmlrpc/FlrigSession.h"

#include <gtest/gtest.h>

namespace qx::xmlrpc {
namespace {

using rig::test::RecordingWriter;
using rig::test::Sent;
using R = RadioState::Int;

class FlrigTest : public ::testing::Test {
protected:
    FlrigTest()
    {
        MenuLoader loader(menu, {[this](int n) { radio.set(R::HIGHEST_MENU, n); }, {}});
        loader.load();
        radio.set(R::AI, 1);
        radio.set(R::PS, 1);
    }

    // The answer's XML for a call with these parameters.
    std::string call(const std::string& method, std::vector<Value> params = {})
    {
        return session.answer(Call{method, std::move(params)});
    }
    static std::string value(const std::string& inner)
    {
        return responseXml(Value(inner));
    }
    void setDataType(int type)
    {
        menu.update(menu.slotByKind(MenuKind::DataType), [type](MenuItem& m) {
            m.value = type;
            return true;
        });
    }

    RadioState radio;
    CommandState command;
    MenuTable menu;
    std::chrono::steady_clock::time_point now{};
    rig::RigStateView view{radio, command, menu, [this] { return now; }};
    RecordingWriter writer;
    rig::PttGuard ptt;
    FlrigSession session{3, view, writer, ptt};
};

TEST_F(FlrigTest, ReadsComeFromTheStateInFlrigsTypes)
{
    radio.set(R::FA, 14074000);
    radio.set(R::FB, 7074000);
    radio.set(R::VS, 1);
    radio.set(R::MD0, 7);
    radio.set(R::MD1, 6);
    setDataType(rig::kDataTypeUserUpper);
    radio.set(R::FT, 0);
    radio.set(R::TX, 1);
    radio.set(R::PC, 50);
    radio.set(R::AG0, 255);
    radio.set(R::RM0, 121);

    EXPECT_EQ(call("rig.get_vfoA"), value("14074000"));
    EXPECT_EQ(call("rig.get_vfoB"), value("7074000"));
    EXPECT_EQ(call("rig.get_vfo"), value("7074000"));  // B is in use
    EXPECT_EQ(call("rig.get_AB"), value("B"));
    EXPECT_EQ(call("rig.get_mode"), value("CW-R"));    // the VFO in use
    EXPECT_EQ(call("rig.get_modeA"), value("DATA-U"));  // the other VFO's "MD1"
    EXPECT_EQ(call("rig.get_bw"), value("500"));
    EXPECT_EQ(call("rig.get_sideband"), value("L"));
    EXPECT_EQ(call("rig.get_split"), responseXml(Value(1)));  // transmits on A, receives on B
    EXPECT_EQ(call("rig.get_ptt"), responseXml(Value(1)));
    EXPECT_EQ(call("rig.get_power"), responseXml(Value(50)));
    EXPECT_EQ(call("rig.get_volume"), responseXml(Value(100)));
    EXPECT_EQ(call("rig.get_smeter"), responseXml(Value(50)));  // S9
    EXPECT_EQ(call("rig.get_DBM"), responseXml(Value(-73)));
    EXPECT_TRUE(writer.take().empty());
}

TEST_F(FlrigTest, WritesBecomeRequestsAndAreReadBackAtOnce)
{
    radio.set(R::MD0, 2);
    EXPECT_EQ(call("rig.set_vfoA", {Value(14070000.4)}), responseXml(Value(0)));
    EXPECT_EQ(call("main.set_frequency", {Value("7100000")}), responseXml(Value(0)));
    EXPECT_EQ(call("rig.set_modeB", {Value("LSB")}), responseXml(Value(0)));
    EXPECT_EQ(call("rig.set_AB", {Value("B")}), responseXml(Value(0)));
    EXPECT_EQ(call("rig.set_split", {Value(1)}), responseXml(Value(0)));
    EXPECT_EQ(call("rig.set_power", {Value(25)}), responseXml(Value(0)));
    EXPECT_EQ(call("rig.set_volume", {Value(50)}), responseXml(Value(0)));
    const std::vector<Sent> expected{{UM_REQ_FA_SET, 0, 14070000}, {UM_REQ_FA_SET, 0, 7100000},
                                     {UM_REQ_MD_SET, 1, 1},         {UM_REQ_VS_1, 0, 0},
                                     {UM_REQ_QS_FT, 0, 0},           {UM_REQ_PC_SET, 0, 25},
                                     {UM_REQ_AG_SET_0, 0, 128}};
    EXPECT_EQ(writer.take(), expected);
    // The radio has not answered yet; the client still sees its change.
    EXPECT_EQ(call("rig.get_vfoA"), value("7100000"));
    EXPECT_EQ(call("rig.get_AB"), value("B"));
    EXPECT_EQ(call("rig.get_split"), responseXml(Value(1)));

    // A data flavour sets the radio's data type first.
    setDataType(rig::kDataTypeRtty);
    EXPECT_EQ(call("rig.set_mode", {Value("DATA-L")}), responseXml(Value(0)));
    EXPECT_EQ(writer.takeMenuSets(), (std::vector<Sent>{{MenuKind::DataType, 0, rig::kDataTypeUserLower}}));
}

TEST_F(FlrigTest, BadCallsAreFaultsAndSendNothing)
{
    for (const auto& [method, params] : std::vector<std::pair<std::string, std::vector<Value>>>{
             {"rig.set_vfoA", {}},
             {"rig.set_vfoA", {Value(29999.0)}},
             {"rig.set_vfoA", {Value("fourteen")}},
             {"rig.set_mode", {Value("PKTUSB")}},
             {"rig.set_AB", {Value("C")}},
             {"rig.set_ptt", {Value(2)}},
             {"rig.set_power", {Value(101)}},
             {"rig.cwio_text", {Value("CQ;FA1;")}},
             {"rig.set_notch", {Value(-5)}},
         }) {
        const std::string xml = call(method, params);
        EXPECT_NE(xml.find("<fault>"), std::string::npos) << method;
        EXPECT_NE(xml.find(std::to_string(kFaultParams)), std::string::npos) << method;
    }
    EXPECT_NE(call("rig.no_such").find(std::to_string(kFaultUnknownMethod)), std::string::npos);
    EXPECT_TRUE(writer.take().empty());
    EXPECT_TRUE(writer.takeTexts().empty());

    radio.set(R::AI, 0);
    EXPECT_NE(call("rig.get_vfoA").find("not linked"), std::string::npos);
    EXPECT_NE(call("rig.set_ptt", {Value(1)}).find("not linked"), std::string::npos);
    // Names and versions need no radio: a client's open works either way.
    EXPECT_EQ(call("rig.get_xcvr"), value("QX-720"));
    EXPECT_NE(call("system.listMethods").find("<value>rig.get_update</value>"), std::string::npos);
    EXPECT_TRUE(writer.take().empty());
}

TEST_F(FlrigTest, PttMakesTheClientTheHolderAndMorseGoesThroughAKeyerMemory)
{
    EXPECT_EQ(call("rig.set_ptt", {Value(1)}), responseXml(Value(0)));
    EXPECT_EQ(ptt.holder(), 3);
    EXPECT_EQ(call("rig.get_ptt"), responseXml(Value(1)));
    EXPECT_TRUE(ptt.clientGone(3));
    EXPECT_EQ(call("rig.set_ptt", {Value(0)}), responseXml(Value(0)));
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_TX_ONOFF, 0, 1}, {UM_REQ_TX_ONOFF, 0, 0}}));

    EXPECT_EQ(call("rig.cwio_text", {Value("cq de test")}), responseXml(Value(0)));
    EXPECT_EQ(writer.takeTexts(), std::vector<std::string>{"KM5CQ DE TEST;"});
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_KY_A, 0, 0}}));
}

TEST_F(FlrigTest, UpdateNamesOnlyWhatChangedSinceTheCallersLastCall)
{
    radio.set(R::FA, 14074000);
    radio.set(R::MD0, 2);
    const std::string first = call("rig.get_update");
    EXPECT_NE(first.find("vfoA:14074000"), std::string::npos);
    EXPECT_NE(first.find("modeA:USB"), std::string::npos);
    EXPECT_EQ(call("rig.get_update"), value("NIL"));
    radio.set(R::FA, 14075000);
    EXPECT_EQ(call("rig.get_update"), value("vfoA:14075000"));

    // Another client has its own "last call".
    FlrigSession other{4, view, writer, ptt};
    EXPECT_NE(other.answer(Call{"rig.get_update", {}}).find("vfoA:14075000"), std::string::npos);
}

} // namespace
} // namespace qx::xmlrpc

namespace qx::xmlrpc {
namespace {

TEST(CatAnswerWatch, FindsTheRadiosAnswerAfterTheMarkOnly)
{
    TrafficTap tap;
    CatAnswerWatch watch(tap);
    const std::string before = "FA07000000;";
    tap.record(TrafficDirection::Read, {reinterpret_cast<const std::uint8_t*>(before.data()), before.size()});
    const long long mark = watch.mark();
    EXPECT_FALSE(watch.answerSince(mark, "FA"));
    const std::string after = "RM0120;FA14";
    tap.record(TrafficDirection::Read, {reinterpret_cast<const std::uint8_t*>(after.data()), after.size()});
    tap.record(TrafficDirection::Written, {reinterpret_cast<const std::uint8_t*>("FA;"), 3});
    EXPECT_FALSE(watch.answerSince(mark, "FA"));  // not whole yet
    watch.received("074000;");
    EXPECT_EQ(watch.answerSince(mark, "FA"), "FA14074000;");
    // Far more than it keeps: still bounded, and the newest answer found.
    for (int i = 0; i < 1000; ++i)
        watch.received("RM0120;");
    watch.received("MD02;");
    EXPECT_EQ(watch.answerSince(mark, "MD"), "MD02;");
    EXPECT_FALSE(watch.answerSince(watch.mark(), "RM"));
}

TEST_F(FlrigTest, RawCommandsGoToTheLineButNeverKeyTheTransmitter)
{
    TrafficTap tap;
    CatAnswerWatch watch(tap);
    FlrigSession withLine{5, view, writer, ptt, &watch};
    EXPECT_EQ(withLine.answer(Call{"rig.cat_string", {Value("FA;")}}), "");
    const auto wait = withLine.takeCatWait();
    ASSERT_TRUE(wait);
    EXPECT_EQ(wait->code, "FA");
    EXPECT_EQ(writer.takeTexts(), std::vector<std::string>{"FA;"});
    for (const char* bad : {"TX1;", "KY TEST;", "FA", "fa;", "FA;FB;", "F;", "FA1;\n"}) {
        EXPECT_NE(withLine.answer(Call{"rig.cat_string", {Value(bad)}}).find("<fault>"), std::string::npos) << bad;
        EXPECT_FALSE(withLine.takeCatWait()) << bad;
    }
    EXPECT_TRUE(writer.takeTexts().empty());
    // Without the line's answers the method is refused, not faked.
    EXPECT_NE(call("rig.cat_string", {Value("FA;")}).find("<fault>"), std::string::npos);
}

} // namespace
} // namespace qx::xmlrpc
