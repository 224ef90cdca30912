#include "panel/controller/PopupChoiceTable.h"

#include "core/MessageIds.h"
#include "panel/controller/PanelOps.h"
#include "state/RadioState.h"

#include <array>

namespace qx::panel {

namespace {

using R = RadioState::Int;
using A = ChoiceAction;

constexpr std::array kAgc{
    PopupChoice{"AGC OFF ", UM_REQ_GT_SET, 0}, PopupChoice{"AGC AUTO", UM_REQ_GT_SET, 1},
    PopupChoice{"AGC FAST", UM_REQ_GT_SET, 2}, PopupChoice{"AGC SLOW", UM_REQ_GT_SET, 4}};
constexpr std::array kAttIpo{
    PopupChoice{"ATT OFF  IPO OFF", UM_REQ_RA_SET, 0, UM_REQ_PA_SET, 1},
    PopupChoice{"ATT ON   IPO OFF", UM_REQ_RA_SET, 3, UM_REQ_PA_SET, 1},
    PopupChoice{"ATT OFF  IPO ON ", UM_REQ_RA_SET, 0, UM_REQ_PA_SET, 0},
    PopupChoice{"ATT ON   IPO ON ", UM_REQ_RA_SET, 3, UM_REQ_PA_SET, 0}};
constexpr std::array kTuner{PopupChoice{"TUNER OFF", UM_REQ_AC_SET, 0}, PopupChoice{"TUNER ON ", UM_REQ_AC_SET, 1},
                            PopupChoice{"TUNING   ", UM_REQ_AC_SET, 2}};
constexpr std::array kMeter{PopupChoice{"POWER", UM_REQ_MS_SET, 2}, PopupChoice{"ALC  ", UM_REQ_MS_SET, 1},
                            PopupChoice{"SWR  ", UM_REQ_MS_SET, 3}};
constexpr std::array kMonitor{
    PopupChoice{"MONITOR ON ", UM_REQ_ML_SET_0, 1}, PopupChoice{"MONITOR OFF", UM_REQ_ML_SET_0, 0},
    PopupChoice{"SPOT ON    ", UM_REQ_CS_SET, 1},   PopupChoice{"SPOT OFF   ", UM_REQ_CS_SET, 0},
    PopupChoice{"TXW ON     ", UM_REQ_TS_SET, 1},   PopupChoice{"TXW OFF    ", UM_REQ_TS_SET, 0},
    PopupChoice{"VCC        ", 0, 0, 0, 0, A::OpenVcc},
    PopupChoice{"AUX H      ", UM_REQ_AX_SET, 1},   PopupChoice{"AUX L      ", UM_REQ_AX_SET, 0}};
constexpr std::array kSplit{PopupChoice{"SPLIT OFF  ", UM_REQ_QS_FT, 0}, PopupChoice{"SPLIT ON   ", UM_REQ_QS_FT, 1},
                            PopupChoice{"QUICK SPLIT", UM_REQ_QS_FT, 2}};
constexpr std::array kStepFm{
    PopupChoice{"5.0kHz ", UM_REQ_ST_SET_B, 0}, PopupChoice{"6.25kHz", UM_REQ_ST_SET_B, 1},
    PopupChoice{"10kHz  ", UM_REQ_ST_SET_B, 2}, PopupChoice{"12.5kHz", UM_REQ_ST_SET_B, 3},
    PopupChoice{"15kHz  ", UM_REQ_ST_SET_B, 4}, PopupChoice{"20kHz  ", UM_REQ_ST_SET_B, 5},
    PopupChoice{"25kHz  ", UM_REQ_ST_SET_B, 6}, PopupChoice{"50kHz  ", UM_REQ_ST_SET_B, 7}};
constexpr std::array kStepAm{
    PopupChoice{"2.5kHz ", UM_REQ_ST_SET_B, 0}, PopupChoice{"5.0kHz ", UM_REQ_ST_SET_B, 1},
    PopupChoice{"9.0kHz ", UM_REQ_ST_SET_B, 2}, PopupChoice{"10kHz  ", UM_REQ_ST_SET_B, 3},
    PopupChoice{"12.5kHz", UM_REQ_ST_SET_B, 4}, PopupChoice{"25kHz  ", UM_REQ_ST_SET_B, 5}};
constexpr std::array kStepOther{PopupChoice{"1.0kHz ", UM_REQ_ST_SET_B, 0}, PopupChoice{"2.5kHz ", UM_REQ_ST_SET_B, 1},
                                PopupChoice{"5.0kHz ", UM_REQ_ST_SET_B, 2}};
constexpr std::array kPms{PopupChoice{"PMS OFF", UM_REQ_SS_SET, 0}, PopupChoice{"PMS 1  ", UM_REQ_SS_SET, 10000},
                          PopupChoice{"PMS 2  ", UM_REQ_SS_SET, 1000}, PopupChoice{"PMS 1+2", UM_REQ_SS_SET, 11000}};
constexpr std::array kMode{PopupChoice{"LSB ", UM_REQ_MD_MODE_1}, PopupChoice{"USB ", UM_REQ_MD_MODE_2},
                           PopupChoice{"CW  ", UM_REQ_MD_MODE_3}, PopupChoice{"CW-R", UM_REQ_MD_MODE_7},
                           PopupChoice{"AM  ", UM_REQ_MD_MODE_5}, PopupChoice{"FM  ", UM_REQ_MD_MODE_4},
                           PopupChoice{"DATA", UM_REQ_MD_MODE_6}};
constexpr std::array kBand{PopupChoice{"1.8 ", UM_REQ_BS_00}, PopupChoice{"3.5 ", UM_REQ_BS_01},
                           PopupChoice{"7   ", UM_REQ_BS_03}, PopupChoice{"10  ", UM_REQ_BS_04},
                           PopupChoice{"14  ", UM_REQ_BS_05}, PopupChoice{"18  ", UM_REQ_BS_06},
                           PopupChoice{"21  ", UM_REQ_BS_07}, PopupChoice{"24.5", UM_REQ_BS_08},
                           PopupChoice{"28  ", UM_REQ_BS_09}, PopupChoice{"50  ", UM_REQ_BS_10},
                           PopupChoice{"GEN ", UM_REQ_BS_11}};
constexpr std::array kDsp{PopupChoice{"CONTOUR", 0, 0, 0, 0, A::OpenContour},
                          PopupChoice{"NOTCH  ", 0, 0, 0, 0, A::OpenNotch},
                          PopupChoice{"DNR    ", 0, 0, 0, 0, A::OpenDnr},
                          PopupChoice{"WIDTH  ", 0, 0, 0, 0, A::WidthPopup},
                          PopupChoice{"MIC EQ ", 0, 0, 0, 0, A::OpenMicEq},
                          PopupChoice{"SELECT ", UM_REQ_SF_0, 0}};
constexpr std::array kWidth{PopupChoice{"NARROW", UM_REQ_SH_SET_B, 0}, PopupChoice{"MIDDLE", UM_REQ_SH_SET_B, 16},
                            PopupChoice{"WIDE  ", UM_REQ_SH_SET_B, 31}};

constexpr std::array kPlaces{
    PopupPlace{op::Agc, Popup::Agc, 310, 260},         PopupPlace{op::AttIpo, Popup::AttIpo, 165, 260},
    PopupPlace{op::Tuner, Popup::Tuner, 630, 260},     PopupPlace{op::LcdTuner, Popup::Tuner, 200, 137},
    PopupPlace{op::Meter, Popup::Meter, 762, 260},     PopupPlace{op::Monitor, Popup::Monitor, 692, 112},
    PopupPlace{op::Split, Popup::Split, 700, 202},     PopupPlace{op::LcdSplit, Popup::Split, 600, 158},
    PopupPlace{op::Step, Popup::Step, 712, 202},       PopupPlace{op::Pms, Popup::Pms, 752, 202},
    PopupPlace{op::ModePopupA, Popup::Mode, 263, 307}, PopupPlace{op::ModePopupB, Popup::Mode, 324, 307},
    PopupPlace{op::BandPopupA, Popup::Band, 385, 259}, PopupPlace{op::BandPopupB, Popup::Band, 588, 259},
    PopupPlace{op::Dsp, Popup::Dsp, 128, 260},         PopupPlace{op::LcdWidth, Popup::Width, 28, 186},
};

constexpr std::uint32_t bit(int i) { return i < 0 ? 0u : 1u << i; }

int indexOf(int value, std::initializer_list<int> values)
{
    int i = 0;
    for (int v : values) {
        if (v == value)
            return i;
        ++i;
    }
    return -1;
}

} // namespace

std::optional<PopupPlace> popupOf(int o)
{
    for (const PopupPlace& p : kPlaces)
        if (p.op == o)
            return p;
    return std::nullopt;
}

PopupPlace widthFromDsp() { return {op::Dsp, Popup::Width, 128, 260}; }

std::span<const PopupChoice> popupChoices(Popup p, int mode)
{
    switch (p) {
    case Popup::Agc: return kAgc;
    case Popup::AttIpo: return kAttIpo;
    case Popup::Tuner: return kTuner;
    case Popup::Meter: return kMeter;
    case Popup::Monitor: return kMonitor;
    case Popup::Split: return kSplit;
    case Popup::Step: return mode == 4 ? std::span<const PopupChoice>(kStepFm)
                             : mode == 5 ? std::span<const PopupChoice>(kStepAm)
                                         : std::span<const PopupChoice>(kStepOther);
    case Popup::Pms: return kPms;
    case Popup::Mode: return kMode;
    case Popup::Band: return kBand;
    case Popup::Dsp: return kDsp;
    case Popup::Width: return kWidth;
    }
    return {};
}

int modeCheck(int mode, int menu44, long long vfoHz)
{
    switch (mode) {
    case 1: return 0;
    case 2: return 1;
    case 4:
    case 11: return 5;
    case 5: return 4;
    case 10: return -1;
    case 3:
    case 7: {
        bool reversed;
        if (menu44 == 0)
            reversed = false;
        else if (menu44 == 1)
            reversed = true;
        else if (menu44 == 2)
            reversed = vfoHz < 10000000;
        else
            return -1;
        return (mode == 3) != reversed ? 2 : 3;
    }
    default: return 6;
    }
}

std::uint32_t checkedChoices(Popup p, const RadioState& radio, int menu44, long long vfoHz)
{
    const auto get = [&radio](R id) { return radio.get(id); };
    switch (p) {
    case Popup::Agc: {
        const int gt = get(R::GT0);
        return bit(gt == 4 || gt == 6 ? 1 : indexOf(gt, {0, -1, 1, 3}));
    }
    case Popup::AttIpo: {
        const int ra = get(R::RA), pa = get(R::PA);
        if (ra != 0 && ra != 3)
            return 0;
        const bool att = ra == 3, ipoOff = pa == 1;
        return bit((att ? 1 : 0) + (ipoOff ? 0 : 2));
    }
    case Popup::Tuner: return bit(get(R::AC));
    case Popup::Meter: return bit(indexOf(get(R::MS), {2, 1, 3}));
    case Popup::Monitor:
        return bit(get(R::ML_SW) == 1 ? 0 : 1) | bit(get(R::CS) == 1 ? 2 : 3) | bit(get(R::TS) == 1 ? 4 : 5) |
               bit(get(R::AX) == 1 ? 7 : 8);
    case Popup::Split: return bit(indexOf(get(R::FT), {0, 1}));
    case Popup::Step: {
        const int n = static_cast<int>(popupChoices(p, get(R::MD0)).size());
        return get(R::ST) < n ? bit(get(R::ST)) : 0;
    }
    case Popup::Pms: return bit(indexOf(get(R::SS), {0, 10000, 1000, 11000}));
    case Popup::Mode: return bit(modeCheck(get(R::MD0), menu44, vfoHz));
    case Popup::Band: {
        const int b = get(R::BS);
        return bit(b > 2 ? b - 1 : b);
    }
    case Popup::Dsp: return get(R::SF) == 0 ? bit(5) : 0;
    case Popup::Width: return bit(indexOf(get(R::SH), {0, 16, 31}));
    }
    return 0;
}

} // namespace qx::panel
