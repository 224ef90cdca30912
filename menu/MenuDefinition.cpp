#include "menu/MenuDefinition.h"

#include "menu/MenuKind.h"
#include "menu/ToneTable.h"

#include <array>

namespace qx {
namespace {

using Texts = std::string_view;
using namespace MenuKind;

constexpr std::array<Texts, 2> kOffExtension = {"OFF", "EXTENSION"};
constexpr std::array<Texts, 2> kDisableEnable = {"DISABLE", "ENABLE"};
constexpr std::array<Texts, 1> kOff = {"OFF"};
constexpr std::array<Texts, 1> kFull = {"FULL"};
constexpr std::array<Texts, 1> kBusy = {"BUSY"};
constexpr std::array<Texts, 2> kOffOn = {"OFF", "ON"};
constexpr std::array<Texts, 2> kNorRev = {"NOR", "REV"};
constexpr std::array<Texts, 2> kFixLnk = {"FIX", "LNK"};
constexpr std::array<Texts, 3> kBeepTone = {"440", "880", "1760"};
constexpr std::array<Texts, 4> kCatTot = {"10", "100", "1000", "3000"};
constexpr std::array<Texts, 4> kCatRate = {"4800", "9600", "19200", "38400"};
constexpr std::array<Texts, 2> kDialSel = {"DIAL", "SEL"};
constexpr std::array<Texts, 3> kCwBfo = {"USB", "LSB", "AUTO"};
constexpr std::array<Texts, 4> kCwQsk = {"15", "20", "25", "30"};
constexpr std::array<Texts, 2> kCwPaddle = {"ELEKEY", "MICKEY U/D"};
constexpr std::array<Texts, 5> kCwPitch = {"400", "500", "600", "700", "800"};
constexpr std::array<Texts, 3> kCwTrain = {"NUMERIC CHARACTERS ONLY", "ALPHABET CHARACTERS ONLY",
                                           "NUMERIC AND ALPHABET CHARACTERS(MIXED)"};
constexpr std::array<Texts, 3> kDataType = {"RTTY", "USER-L", "USER-U"};
constexpr std::array<Texts, 5> kDialStep = {"1", "10", "20", "100", "200"};
constexpr std::array<Texts, 4> kKeyHold = {"0.5", "1.0", "1.5", "2.0"};
constexpr std::array<Texts, 3> kLockMode = {"FREQ", "PANEL", "ALL"};
constexpr std::array<Texts, 2> kFreqTag = {"FREQ", "TAG"};
constexpr std::array<Texts, 3> kMicGain = {"LOW", "NOR", "HIGH"};
constexpr std::array<Texts, 3> kRepeater = {"SIMPLEX", "+SHIFT", "-SHIFT"};
constexpr std::array<Texts, 4> kRttyShift = {"170", "200", "425", "850"};
constexpr std::array<Texts, 2> kRttyTone = {"1275", "2125"};
constexpr std::array<Texts, 6> kSelDial = {"CW SIDETONE", "CW SPEED", "100K GRP", "1M GRP", "MIC GAIN", "RF POWER SET"};
constexpr std::array<Texts, 3> kSqlType = {"OFF", "CTCSS ENC", "CTCSS ENC/DEC"};
constexpr std::array<Texts, 2> kSqlRfGain = {"SQL", "RF-GAIN"};
constexpr std::array<Texts, 5> kTuner = {"MTUN", "EXT ATU", "INT ATU", "INTRATU", "F TRANS"};
constexpr std::array<Texts, 11> kMyBand = {"1.8", "3.5", "7", "10", "14", "18", "21", "24", "28", "50", "GEN"};
constexpr std::array<Texts, 6> kMyMode = {"LSB", "USB", "CW", "AM", "FM", "DATA"};

constexpr std::array<Texts, 52> kCustomKeys = {
    "MONI",    "N/A",     "P/B",     "PLAY1",   "PLAY2",   "PLAY3",   "QSPL",    "SPOT",    "SQLOFF",
    "SWR",     "TXW",     "VCC",     "VOICE2",  "VM1MONI", "VM1REC",  "VM1TX",   "VM2MONI", "VM2REC",
    "VM2TX",   "DOWN",    "FAST",    "UP",      "DSP",     "ATT/IPO", "NB",      "AGC",     "MODE DN",
    "MODE UP", "DSP/SEL", "KEYER",   "CLAR",    "BAND DN", "BAND UP", "A=B",     "A/B",     "LOCK",
    "TUNE",    "VOICE",   "MW",      "V/M",     "HOME",    "RCL",     "VOX",     "STO",     "STEP",
    "SPLIT",   "PMS",     "SCAN",    "MENU",    "DIMMER",  "MTR",     "USER",
};

constexpr std::string_view kVacantName = "-";

// slot, number, name, range text, kind, width, default, units, min, max, step, multiplier, value texts,
// decimals, default text
constexpr std::array<MenuRow, kMenuSlotCount> kRows = {{
    {1, 1, "EXT MNU", "OFF/EXTENSION", List, 1, 0, "", 0, 0, 0, 0, kOffExtension},
    {2, 2, "A&FDIAL", "DISABLE/ENABLE", List, 1, 0, "", 0, 0, 0, 0, kDisableEnable},
    {3, 3, "APO", "OFF/1-12 (h)", NamedNumber, 2, 0, "h", 1, 12, 1, 0, kOff},
    {4, 4, "BCN TIM", "OFF/1-255 (sec)", NamedNumber, 3, 0, "sec", 1, 255, 1, 0, kOff},
    {5, 5, "BCN TXT", "Beacon Text", BeaconText, 41, 1, "", 0, 3, 0, 0, {}, 0, "1"},
    {6, 6, "BEEPTON", "440/880/1760 (Hz)", List, 1, 1, "Hz", 0, 0, 0, 0, kBeepTone},
    {7, 7, "BEEPVOL", "FIX 0-100/VR LNK -50 - +50", VolumeLink, 3, 10, "", 0, 201, 1, 0, kFixLnk},
    {8, 8, "CAT RTS", "DISABLE/ENABLE", List, 1, 1, "", 0, 0, 0, 0, kDisableEnable},
    {9, 9, "CAT TOT", "10/100/1000/3000 (mSec)", List, 1, 0, "mSec", 0, 0, 0, 0, kCatTot},
    {10, 10, "CATRATE", "4800/9600/19200/38400 (bps)", List, 1, 1, "bps", 1, 0, 0, 0, kCatRate},
    {11, 11, "CLAR", "DIAL/SEL", Clarifier, 1, 0, "", 0, 0, 0, 0, kDialSel},
    {12, 12, "CLK SFT", "OFF/ON", List, 1, 0, "", 0, 0, 0, 0, kOffOn},
    {13, 13, "CONT", "1-24", Number, 2, 24, "", 1, 24, 1, 0},
    {14, 14, "CW AUTO", "OFF/ON", List, 1, 0, "", 0, 0, 0, 0, kOffOn},
    {15, 15, "CW BFO", "USB/LSB/AUTO", CwBfo, 1, 0, "", 0, 0, 0, 0, kCwBfo},
    {16, 16, "CW DLY", "FULL/30-3000 (mSec)", NamedNumber, 3, 25, "mSec", 30, 3000, 10, 10, kFull},
    {17, 17, "CW KEY", "NOR/REV", List, 1, 0, "", 0, 0, 0, 0, kNorRev},
    {18, 18, "CW QSK", "15/20/25/30 (mSec)", List, 1, 0, "mSec", 0, 0, 0, 0, kCwQsk},
    {19, 19, "CWPADDL", "ELEKEY/MICKEY U/D", List, 1, 0, "", 0, 0, 0, 0, kCwPaddle},
    {20, 20, "CWPITCH", "400/500/600/700/800 (Hz)", Pitch, 2, 8, "Hz", 0, 0, 0, 0, kCwPitch},
    {21, 21, "CWSPEED", "4-60 (wpm)", Number, 2, 12, "wpm", 4, 60, 1, 0},
    {22, 22, "CWSTONE", "FIX 0-100/VR LNK -50 - +50", VolumeLink, 3, 10, "", 0, 201, 1, 0, kFixLnk},
    {23, 23, "CWTRAIN",
     "NUMERIC CHARACTERS ONLY/ALPHABET CHARACTERS ONLY/NUMERIC AND ALPHABET CHARACTERS(MIXED)", List, 1, 0, "", 0,
     0, 0, 0, kCwTrain},
    {24, 24, "CWWEIGT", "2.5-4.5", Tenths, 2, 30, "", 25, 45, 0.1, 0},
    {25, 25, "D DISP", "-3000 - +3000 (Hz)", Signed, 4, 0, "Hz", -3000, 3000, 10, 10},
    {26, 26, "D TYPE", "RTTY/USER-L/USER-U", DataType, 1, 0, "", 0, 0, 0, 0, kDataType},
    {27, 0, kVacantName, "", Vacant, 0, 0},
    {28, 0, kVacantName, "", Vacant, 0, 0},
    {29, 27, "DIALSTP", "SSB CW DATA 1/10/20 (Hz) AM FM 100/200 (Hz)", List, 1, 1, "Hz", 0, 0, 0, 0, kDialStep},
    {30, 28, "DIG VOX", "OFF/1-100", Level, 3, 0, "", 0, 100, 1, 0, kOff},
    {31, 29, "EMERGEN", "OFF/ON", List, 1, 0, "", 0, 0, 0, 0, kOffOn},
    {32, 30, "KEYHOLD", "0.5/1.0/1.5/2.0 (sec)", List, 1, 1, "sec", 0, 0, 0, 0, kKeyHold},
    {33, 31, "LOCKMOD", "FREQ/PANEL/ALL", List, 1, 0, "", 0, 0, 0, 0, kLockMode},
    {34, 32, "M-TUNE", "OFF/ON", List, 1, 1, "", 0, 0, 0, 0, kOffOn},
    {35, 33, "MEM GRP", "OFF/ON", List, 1, 0, "", 0, 0, 0, 0, kOffOn},
    {36, 34, "MEM TAG", "FREQ/TAG", List, 1, 0, "", 0, 0, 0, 0, kFreqTag},
    {37, 35, "MIC EQ", "0-9", MicEq, 1, 0, "", 0, 9, 1, 0},
    {38, 36, "MICGAIN", "LOW/NOR/HIGH", List, 1, 1, "", 0, 0, 0, 0, kMicGain},
    {39, 37, "MICSCAN", "OFF/ON", List, 1, 1, "", 0, 0, 0, 0, kOffOn},
    {40, 0, kVacantName, "", Vacant, 0, 0},
    {41, 0, kVacantName, "", Vacant, 0, 0},
    {42, 38, "P M-DWN", "Microphone Custom Key", List, 2, 19, "", 0, 0, 0, 0, kCustomKeys},
    {43, 39, "P M-FST", "Microphone Custom Key", List, 2, 1, "", 0, 0, 0, 0, kCustomKeys},
    {44, 40, "P M-UP", "Microphone Custom Key", List, 2, 21, "", 0, 0, 0, 0, kCustomKeys},
    {45, 41, "PEAKHLD", "OFF/ON", PeakHold, 1, 1, "", 0, 0, 0, 0, kOffOn},
    {46, 42, "PNL-C.S", "C.S Custom Key", List, 2, 11, "", 0, 0, 0, 0, kCustomKeys},
    {47, 43, "QSPL F", "-20 - +20 (kHz)", Signed, 3, 5, "kHz", -20, 20, 1, 0},
    {48, 44, "RFPOWER", "5-100(W)", Number, 3, 100, "W", 5, 100, 1, 0},
    {49, 45, "RPT", "SIMPLEX/+SHIFT/-SHIFT", List, 1, 0, "", 0, 0, 0, 0, kRepeater},
    {50, 46, "RPT SFT", "0-9.99 (MHz)", Hundredths, 3, 10, "MHz", 0, 999, 0.01, 0, {}, 2},
    {51, 47, "RTY SFT", "170/200/425/850 (Hz)", List, 1, 1, "Hz", 1, 0, 0, 0, kRttyShift},
    {52, 48, "RTY TON", "1275/2125 (Hz)", List, 1, 2, "Hz", 1, 0, 0, 0, kRttyTone},
    {53, 49, "RTYRPOL", "NOR/REV", List, 1, 0, "", 0, 0, 0, 0, kNorRev},
    {54, 50, "RTYTPOL", "NOR/REV", List, 1, 0, "", 0, 0, 0, 0, kNorRev},
    {55, 51, "SCN RES", "BUSY/1-10 (sec)", NamedNumber, 2, 5, "sec", 1, 10, 1, 0, kBusy},
    {56, 52, "SELDIAL", "CW SIDETONE/CW SPEED/100K GRP/1M GRP/MIC GAIN/RF POWER SET", SelDial, 1, 2, "", 0, 0, 0,
     0, kSelDial},
    {57, 53, "SQL TYP", "OFF/CTCSS ENC/CTCSS ENC/DEC", List, 1, 0, "", 0, 0, 0, 0, kSqlType},
    {58, 54, "SQL/RFG", "SQL/RF-GAIN", SqlRfGain, 1, 1, "", 0, 0, 0, 0, kSqlRfGain},
    {59, 55, "STBY BP", "OFF/ON", List, 1, 0, "", 0, 0, 0, 0, kOffOn},
    {60, 56, "TONE F", "67.0-254.1 (Hz)", Tone, 2, 8, "Hz", 0, 0, 0, 0, kToneTexts},
    {61, 57, "TOT", "OFF/1-20 (Min)", NamedNumber, 2, 0, "Min", 1, 20, 1, 0, kOff},
    {62, 58, "TUNER", "MTUN/EXT ATU/INT ATU/INTRATU/F TRANS", List, 1, 2, "", 0, 0, 0, 0, kTuner},
    {63, 59, "VOX DLY", "100-3000 (mSec)", Number, 2, 5, "mSec", 100, 3000, 100, 100},
    {64, 60, "VOXGAIN", "1-100", Level, 3, 50, "", 1, 100, 1, 0},
    {65, 61, "MY BAND", "1.8-50", BandFlags, 11, 2047, "", 0, 0, 0, 0, kMyBand},
    {66, 62, "MY MODE", "LSB/USB/CW/AM/FM/DATA", ModeFlags, 6, 63, "", 0, 0, 0, 0, kMyMode},
    {67, 63, "DIM", "0-4", Dimmer, 0, 4, "", 0, 4, 1, 0},
}};

constexpr bool rowsInSlotOrder()
{
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (kRows[i].slot != static_cast<int>(i) + 1)
            return false;
    return true;
}
static_assert(rowsInSlotOrder());

constexpr bool textsFit()
{
    for (const MenuRow& r : kRows) {
        if (r.name.size() > 7 || r.rangeText.size() > 87 || r.units.size() > 10 || r.defaultText.size() > 40
            || r.valueTexts.size() > static_cast<std::size_t>(MenuItem::kMaxValueTexts))
            return false;
        for (std::string_view t : r.valueTexts)
            if (t.size() > 40)
                return false;
    }
    return true;
}
static_assert(textsFit());

} // namespace

std::span<const MenuRow> menuDefinition() { return kRows; }

std::span<const std::string_view> customKeyTexts() { return kCustomKeys; }

MenuItem makeMenuItem(const MenuRow& row)
{
    MenuItem item;
    item.number = row.number;
    item.name = row.name;
    item.rangeText = row.rangeText;
    item.value = row.defaultValue;
    item.text = row.defaultText;
    item.width = row.width;
    item.hasUnits = !row.units.empty();
    item.units = row.units;
    item.kind = row.kind;
    item.max = row.max;
    item.min = row.min;
    item.step = row.step;
    item.decimals = row.decimals;
    item.multiplier = row.multiplier;
    item.valueCount = static_cast<int>(row.valueTexts.size());
    for (std::size_t i = 0; i < row.valueTexts.size(); ++i)
        item.valueTexts[i] = row.valueTexts[i];
    return item;
}

} // namespace qx
