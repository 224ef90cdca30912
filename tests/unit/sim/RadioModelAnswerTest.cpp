#include "cat/CatTables.h"
#include "sim/RadioModel.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::sim {
namespace {

using Texts = RadioModel::Texts;

std::string only(const Texts& texts)
{
    return texts.size() == 1 ? texts.front() : "<" + std::to_string(texts.size()) + " answers>";
}

// The read the program sends for each answer code; MR needs a stored channel first.
std::string readFor(std::string_view code)
{
    static const std::pair<std::string_view, std::string_view> kParams[] = {
        {"BP", "00"}, {"CO", "01"}, {"MD", "0"}, {"NR", "0"}, {"NA", "0"}, {"NB", "0"}, {"GT", "0"},
        {"RA", "0"},  {"PA", "0"},  {"ML", "1"}, {"RM", "0"}, {"SQ", "0"}, {"AG", "0"}, {"RG", "0"},
        {"IS", "0"},  {"SH", "0"},  {"RL", "0"}, {"SM", "0"}, {"CN", "0"}, {"CT", "0"}, {"KM", "1"},
        {"OS", "0"},  {"RI", "9"},  {"BG", "0"}, {"LM", "0"}, {"SS", "0"}, {"MR", "001"}};
    for (const auto& [c, p] : kParams) {
        if (c == code)
            return std::string(code) + std::string(p) + ";";
    }
    return std::string(code) + ";";
}

TEST(RadioModelAnswers, EveryAnswerCodeIsAnsweredWithItsTableLength)
{
    RadioModel radio;
    // channel, frequency, clarifier, rx/tx clarifier, mode, "0", tone mode, tone, shift
    ASSERT_TRUE(radio.handle("MW001" "14250000" "+0000" "00" "2" "0" "0" "08" "0" ";").empty());
    for (const CatRecord& row : answerTable()) {
        const std::string read = readFor(codeOf(row));
        const std::string answer = only(radio.handle(read));
        SCOPED_TRACE(read + " -> " + answer);
        ASSERT_EQ(static_cast<int>(answer.size()), row.length);
        EXPECT_EQ(answer.substr(0, 2), codeOf(row));
        EXPECT_EQ(answer.back(), ';');
        EXPECT_EQ(answer.find(';'), answer.size() - 1);
    }
}

TEST(RadioModelAnswers, KnownAnswersHaveTheirLiteralForms)
{
    RadioModel radio;
    const std::pair<const char*, const char*> cases[] = {
        {"FA;", "FA14250000;"}, {"FB;", "FB07050000;"}, {"ID;", "ID0241;"}, {"MD0;", "MD02;"},
        {"AI;", "AI0;"},        {"PS;", "PS1;"},         {"BS;", "BS05;"},   {"IS0;", "IS0+0000;"},
        {"BP01;", "BP01200;"},  {"DA;", "DA0400;"},      {"SS0;", "SS000000;"}, {"EX010;", "EX0101;"},
        {"EX065;", "EX06511111111111;"}, {"EX066;", "EX066111111;"}, {"EX025;", "EX025+000;"},
    };
    for (const auto& [read, expected] : cases)
        EXPECT_EQ(only(radio.handle(read)), expected) << read;
}

TEST(RadioModelAnswers, EverySetCommandTheProgramBuildsIsAccepted)
{
    RadioModel radio;
    radio.handle("MW001" "14250000" "+0000" "00" "2" "0" "0" "08" "0" ";");
    for (const char* set :
         {"BS05;",     "RT1;",      "BP00001;",  "BP01200;",  "CO00-1;",   "CO0002;",   "CO0114;",    "MS1;",
          "NR01;",     "FT1;",      "LK1;",      "FS1;",      "VS1;",      "NA01;",     "NB11;",      "GT04;",
          "RA01;",     "PA01;",     "KR1;",      "TS1;",      "AC001;",    "VX1;",      "BI1;",       "PR1;",
          "ML0001;",   "ML1128;",   "CS1;",      "KP05;",     "KS020;",    "SD0300;",   "MG050;",     "PL050;",
          "VG050;",    "VD0300;",   "SQ0010;",   "AG1100;",   "RG0200;",   "IS0+0100;", "SH010;",     "RL005;",
          "FA07000000;", "FB07000000;", "SC1;",  "TX1;",      "TX0;",      "AI1;",      "AI0;",       "CN012;",
          "CT01;",     "OS02;",     "PB8;",      "PC050;",    "MD03;",     "PS1;",      "AB;",        "AM;",
          "BD0;",      "BU0;",      "ED001;",    "EU199;",    "FK7;",      "KY0;",      "KYA;",       "QI;",
          "QR;",       "QS;",       "RC;",       "RD0010;",   "RU9999;",   "SV;",       "VM;",        "MA;",
          "MK8;",      "LM05;",     "LM11;",     "DA0300;",   "VV;",       "AX11;",     "HM;",        "ST7;",
          "SS011111;", "VR1;",      "SF7;",      "EX0101;",   "EX02112;",  "EX050010;", "EX047+05;",  "EX025-030;",
          "MW002" "07050000" "-0010" "10" "1" "0" "2" "49" "2" ";"}) {
        EXPECT_TRUE(radio.handle(set).empty()) << set;
    }
}

TEST(RadioModelAnswers, IdIsConfigurable)
{
    RadioModel radio(RadioConfig{.id = "0243"});
    EXPECT_EQ(only(radio.handle("ID;")), "ID0243;");
}

TEST(RadioModelAnswers, StatusAnswerCarriesFrequencyClarifierAndMode)
{
    RadioModel radio;
    radio.handle("RU0120;");
    radio.handle("MD0C;");
    const std::string info = only(radio.handle("IF;"));
    ASSERT_EQ(info.size(), 27u);
    EXPECT_EQ(info.substr(5, 8), "14250000");
    EXPECT_EQ(info.substr(13, 5), "+0120");
    EXPECT_EQ(info[20], 'C');
    const std::string other = only(radio.handle("OI;"));
    EXPECT_EQ(other.substr(5, 8), "07050000");
}

TEST(RadioModelAnswers, MalformedOrUnknownCommandsAreRefused)
{
    RadioModel radio;
    for (const char* bad : {"ZZ;", "fa;", "FA", ";", "F;", "FA123;", "FA1425000X;", "MD0D;", "MD2;",
                            "EX999;", "EX027;", "EX0105;", "KM9;", "BS02;", "IS0*0010;", "FA00029999;",
                            "MR000;", "MR505;", "IF00000000000000000000000;", "F\x01;"}) {
        EXPECT_EQ(only(radio.handle(bad)), "?;") << bad;
    }
    EXPECT_EQ(only(radio.handle("FA;")), "FA14250000;");
}

TEST(RadioModelAnswers, EmptyMemoryChannelIsRefusedAndStoredOneReadBack)
{
    RadioModel radio;
    EXPECT_EQ(only(radio.handle("MR123;")), "?;");
    EXPECT_TRUE(radio.handle("MW123" "07100000" "-0050" "10" "3" "0" "1" "12" "2" ";").empty());
    EXPECT_EQ(only(radio.handle("MR123;")), "MR12307100000-005010301122;");
    EXPECT_EQ(only(radio.handle("MW505" "07100000" "-0050" "10" "3" "0" "1" "12" "2" ";")), "?;");
    EXPECT_EQ(only(radio.handle("MW124" "07100000" "*0050" "10" "3" "0" "1" "12" "2" ";")), "?;");
}

TEST(RadioModelAnswers, KeyerMemoryIsStoredWithItsFiftyCharacters)
{
    RadioModel radio;
    const std::string text = "CQ CQ DE TEST K" + std::string(35, ' ');
    EXPECT_TRUE(radio.handle("KM2" + text + ";").empty());
    EXPECT_EQ(only(radio.handle("KM2;")), "KM2" + text + ";");
    // A write as long as its text: the memory keeps the text, blank-filled.
    EXPECT_TRUE(radio.handle("KM3CQ TEST;").empty());
    EXPECT_EQ(only(radio.handle("KM3;")), "KM3CQ TEST" + std::string(43, ' ') + ";");
    EXPECT_EQ(only(radio.handle("KM3" + std::string(51, 'A') + ";")), "?;");
}

TEST(RadioModelAnswers, BeaconTextAnswerIsAsLongAsItsText)
{
    RadioModel radio;
    EXPECT_TRUE(radio.handle("EX0052HELLO;").empty());
    EXPECT_EQ(only(radio.handle("EX005;")), "EX0052HELLO;");
    EXPECT_EQ(only(radio.handle("EX0059HELLO;")), "?;");  // channel beyond the item's range
    EXPECT_EQ(only(radio.handle("EX0052hello;")), "?;");  // the display has no lower case
    EXPECT_EQ(only(radio.handle("EX005;")), "EX0052HELLO;");
}

} // namespace
} // namespace qx::sim
