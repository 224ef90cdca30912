#include "cat/CommandBuilderRows.h"

#include "core/MessageIds.h"
#include "cat/CatTables.h"

#include <array>
#include <climits>

namespace qx {
namespace {

using E = CommandState::Int;

constexpr const CatRecord* S(SetRow r) { return &setRow(r); }
constexpr const CatRecord* R(ReadRow r) { return &readRow(r); }

constexpr RequestRow fixed(std::uint32_t id, const CatRecord* row, std::string_view params = {})
{
    RequestRow r;
    r.id = id;
    r.row = row;
    r.lead = params;
    return r;
}

constexpr RequestRow digits(std::uint32_t id, const CatRecord* row, std::string_view lead, int width,
                            std::string_view tail = {})
{
    RequestRow r = fixed(id, row, lead);
    r.value = RowValue::N;
    r.width = width;
    r.tail = tail;
    return r;
}

// Selector digit, then n in `width` digits.
constexpr RequestRow selDigits(std::uint32_t id, const CatRecord* row, int width)
{
    RequestRow r = digits(id, row, {}, width);
    r.selector = true;
    return r;
}

// Selector digit, then fixed characters.
constexpr RequestRow selFixed(std::uint32_t id, const CatRecord* row, std::string_view tail)
{
    RequestRow r = fixed(id, row);
    r.selector = true;
    r.tail = tail;
    return r;
}

constexpr RequestRow toggle(std::uint32_t id, const CatRecord* row, E entry, std::string_view lead = {})
{
    RequestRow r = fixed(id, row, lead);
    r.value = RowValue::Toggle;
    r.width = 1;
    r.entry = entry;
    r.entryV1 = entry;
    return r;
}

constexpr RequestRow magnitude(RequestRow r)
{
    r.value = RowValue::Magnitude;
    return r;
}

constexpr RequestRow nIn(RequestRow r, long long low, long long high)
{
    r.guard = RowGuard::NInRange;
    r.low = low;
    r.high = high;
    return r;
}

constexpr RequestRow vIs(RequestRow r, int v)
{
    r.guard = RowGuard::VIs;
    r.low = v;
    return r;
}

constexpr RequestRow nZero(RequestRow r)
{
    r.guard = RowGuard::NZero;
    return r;
}

constexpr RequestRow nNonZero(RequestRow r)
{
    r.guard = RowGuard::NNonZero;
    return r;
}

constexpr long long mask(std::initializer_list<int> values)
{
    long long m = 0;
    for (int v : values)
        m |= 1LL << v;
    return m;
}

constexpr RequestRow stateIn(RequestRow r, E entry, long long valueMask)
{
    r.guard = RowGuard::StateIn;
    r.entry = entry;
    r.low = valueMask;
    return r;
}

constexpr RequestRow stateNonZero(RequestRow r, E entry)
{
    r.guard = RowGuard::StateNonZero;
    r.entry = entry;
    return r;
}

constexpr RequestRow agc(std::uint32_t id)
{
    RequestRow r = selDigits(id, S(SetRow::GT), 1);
    r.value = RowValue::AgcCode;
    return nIn(r, 0, 4);
}

constexpr RequestRow naToggle()
{
    RequestRow r = toggle(UM_REQ_NA_TOGGLE, S(SetRow::NA), E::NA0);
    r.selector = true;
    r.entryV1 = E::NA1;
    return r;
}

constexpr long long kMin = LLONG_MIN;
constexpr long long kMax = LLONG_MAX;

// EU for a step up, ED for a step down, never a zero step.
constexpr RequestRow euUp(std::uint32_t id, std::string_view sel)
{
    return nIn(digits(id, S(SetRow::EU), sel, 2), 1, 99);
}
constexpr RequestRow euDown(std::uint32_t id, std::string_view sel)
{
    return nIn(magnitude(digits(id, S(SetRow::ED), sel, 2)), -99, -1);
}

constexpr std::array kRows{
    // Fixed texts.
    fixed(UM_REQ_VS_0, S(SetRow::VS), "0"),
    fixed(UM_REQ_VS_1, S(SetRow::VS), "1"),
    fixed(UM_REQ_MD_MODE_1, S(SetRow::MD), "01"),
    fixed(UM_REQ_MD_MODE_2, S(SetRow::MD), "02"),
    fixed(UM_REQ_MD_MODE_3, S(SetRow::MD), "03"),
    fixed(UM_REQ_MD_MODE_4, S(SetRow::MD), "04"),
    fixed(UM_REQ_MD_MODE_5, S(SetRow::MD), "05"),
    fixed(UM_REQ_MD_MODE_6, S(SetRow::MD), "06"),
    fixed(UM_REQ_MD_MODE_7, S(SetRow::MD), "07"),
    fixed(UM_REQ_MK_0, S(SetRow::MK), "0"),
    fixed(UM_REQ_MK_3, S(SetRow::MK), "3"),
    fixed(UM_REQ_MK_5, S(SetRow::MK), "5"),
    fixed(UM_REQ_MK_6, S(SetRow::MK), "6"),
    fixed(UM_REQ_QI, S(SetRow::QI)),
    fixed(UM_REQ_QR, S(SetRow::QR)),
    fixed(UM_REQ_AB, S(SetRow::AB)),
    fixed(UM_REQ_SV, S(SetRow::SV)),
    fixed(UM_REQ_VM, S(SetRow::VM)),
    fixed(UM_REQ_MA, S(SetRow::MA)),
    fixed(UM_REQ_AM, S(SetRow::AM)),
    fixed(UM_REQ_RC, S(SetRow::RC)),
    fixed(UM_REQ_VV, S(SetRow::VV)),
    fixed(UM_REQ_HM, S(SetRow::HM)),
    fixed(UM_REQ_FT_0, S(SetRow::FT), "0"),
    fixed(UM_REQ_FT_1, S(SetRow::FT), "1"),
    fixed(UM_REQ_VR_1, S(SetRow::VR), "1"),
    fixed(UM_REQ_BS_00, S(SetRow::BS), "00"),
    fixed(UM_REQ_BS_01, S(SetRow::BS), "01"),
    fixed(UM_REQ_BS_03, S(SetRow::BS), "03"),
    fixed(UM_REQ_BS_04, S(SetRow::BS), "04"),
    fixed(UM_REQ_BS_05, S(SetRow::BS), "05"),
    fixed(UM_REQ_BS_06, S(SetRow::BS), "06"),
    fixed(UM_REQ_BS_07, S(SetRow::BS), "07"),
    fixed(UM_REQ_BS_08, S(SetRow::BS), "08"),
    fixed(UM_REQ_BS_09, S(SetRow::BS), "09"),
    fixed(UM_REQ_BS_10, S(SetRow::BS), "10"),
    fixed(UM_REQ_BS_11, S(SetRow::BS), "11"),
    fixed(UM_REQ_SF_0, S(SetRow::SF), "0"),
    fixed(UM_REQ_SF_1, S(SetRow::SF), "1"),
    fixed(UM_REQ_SF_2, S(SetRow::SF), "2"),
    fixed(UM_REQ_SF_3, S(SetRow::SF), "3"),
    fixed(UM_REQ_SF_4, S(SetRow::SF), "4"),
    fixed(UM_REQ_SF_5, S(SetRow::SF), "5"),
    fixed(UM_REQ_SF_6, S(SetRow::SF), "6"),
    fixed(UM_REQ_SF_7, S(SetRow::SF), "7"),
    fixed(UM_REQ_FK_1, S(SetRow::FK), "1"),
    fixed(UM_REQ_FK_2, S(SetRow::FK), "2"),
    fixed(UM_REQ_FK_3, S(SetRow::FK), "3"),
    fixed(UM_REQ_FK_4, S(SetRow::FK), "4"),
    fixed(UM_REQ_FK_5, S(SetRow::FK), "5"),
    fixed(UM_REQ_FK_6, S(SetRow::FK), "6"),
    fixed(UM_REQ_FK_7, S(SetRow::FK), "7"),
    fixed(UM_REQ_LM_00, S(SetRow::LM), "00"),
    fixed(UM_REQ_LM_01, S(SetRow::LM), "01"),
    fixed(UM_REQ_LM_02, S(SetRow::LM), "02"),
    fixed(UM_REQ_LM_03, S(SetRow::LM), "03"),
    fixed(UM_REQ_LM_04, S(SetRow::LM), "04"),
    fixed(UM_REQ_LM_05, S(SetRow::LM), "05"),
    fixed(UM_REQ_LM_10, S(SetRow::LM), "10"),
    fixed(UM_REQ_LM_11, S(SetRow::LM), "11"),
    fixed(UM_REQ_PB_0, S(SetRow::PB), "0"),
    fixed(UM_REQ_PB_0_B, S(SetRow::PB), "0"),
    fixed(UM_REQ_PB_0_C, S(SetRow::PB), "0"),
    fixed(UM_REQ_PB_1, S(SetRow::PB), "1"),
    fixed(UM_REQ_PB_2, S(SetRow::PB), "2"),
    fixed(UM_REQ_PB_3, S(SetRow::PB), "3"),
    fixed(UM_REQ_PB_4, S(SetRow::PB), "4"),
    fixed(UM_REQ_PB_5, S(SetRow::PB), "5"),
    fixed(UM_REQ_PB_6, S(SetRow::PB), "6"),
    fixed(UM_REQ_PB_7, S(SetRow::PB), "7"),
    fixed(UM_REQ_PB_8, S(SetRow::PB), "8"),
    fixed(UM_REQ_KY_0, S(SetRow::KY), "0"),
    fixed(UM_REQ_KY_1, S(SetRow::KY), "1"),
    fixed(UM_REQ_KY_2, S(SetRow::KY), "2"),
    fixed(UM_REQ_KY_3, S(SetRow::KY), "3"),
    fixed(UM_REQ_KY_4, S(SetRow::KY), "4"),
    fixed(UM_REQ_KY_5, S(SetRow::KY), "5"),
    fixed(UM_REQ_KY_6, S(SetRow::KY), "6"),
    fixed(UM_REQ_KY_7, S(SetRow::KY), "7"),
    fixed(UM_REQ_KY_8, S(SetRow::KY), "8"),
    fixed(UM_REQ_KY_9, S(SetRow::KY), "9"),
    fixed(UM_REQ_KY_A, S(SetRow::KY), "A"),
    selFixed(UM_REQ_CT_0, S(SetRow::CT), "0"),
    selFixed(UM_REQ_CT_1, S(SetRow::CT), "1"),
    selFixed(UM_REQ_CT_2, S(SetRow::CT), "2"),
    selFixed(UM_REQ_OS_0, S(SetRow::OS), "0"),
    selFixed(UM_REQ_OS_1, S(SetRow::OS), "1"),
    selFixed(UM_REQ_OS_2, S(SetRow::OS), "2"),

    // Requests whose text is built against a read row: only the query goes out,
    // and the answer brings the display up to date.
    fixed(UM_REQ_IF_READ_B, R(ReadRow::IF)),
    fixed(UM_REQ_FB_READ, R(ReadRow::FB)),
    fixed(UM_REQ_VS_TOGGLE, R(ReadRow::VS)),
    fixed(UM_REQ_RS_SET, R(ReadRow::RS)),
    fixed(UM_REQ_ST_SET, R(ReadRow::ST)),
    fixed(UM_REQ_BS_UPDOWN, R(ReadRow::BS)),
    fixed(UM_REQ_BS_SIGNED, R(ReadRow::BS)),
    fixed(UM_REQ_RT_01, R(ReadRow::RT)),
    fixed(UM_REQ_RT_05, R(ReadRow::RT)),
    fixed(UM_REQ_RT_06, R(ReadRow::RT)),
    fixed(UM_REQ_RT_07, R(ReadRow::RT)),
    fixed(UM_REQ_VC_READ, R(ReadRow::VC)),
    fixed(UM_REQ_ID_READ, R(ReadRow::ID)),
    fixed(UM_REQ_VS_READ, R(ReadRow::VS)),
    fixed(UM_REQ_BS_READ, R(ReadRow::BS)),
    digits(UM_REQ_MR_READ, R(ReadRow::MR), {}, 3),

    // Reads that depend on the value or on the stored state.
    nIn(fixed(UM_REQ_IF_READ_A, R(ReadRow::IF)), 0, 1),
    stateNonZero(fixed(UM_REQ_IF_READ, R(ReadRow::IF)), E::AI),
    // The other VFO is read only while the meter selection is 0 or 1.
    stateIn(fixed(UM_REQ_OI_READ, R(ReadRow::OI)), E::MS, mask({0, 1})),
    stateIn(fixed(UM_REQ_FA_STEP_A, R(ReadRow::FA)), E::MD0, mask({0, 1, 4, 5})),
    stateIn(fixed(UM_REQ_FA_STEP_B, R(ReadRow::FA)), E::MD0, mask({0, 1, 4, 5})),
    vIs(fixed(UM_REQ_IF_OI_READ, R(ReadRow::IF)), 0),
    vIs(fixed(UM_REQ_IF_OI_READ, R(ReadRow::OI)), 1),
    nZero(fixed(UM_REQ_MD_READ_1, R(ReadRow::MD), "0")),
    fixed(UM_REQ_MD_READ_1, R(ReadRow::MD), "1"),
    nZero(fixed(UM_REQ_MD_READ_2, R(ReadRow::MD), "0")),
    fixed(UM_REQ_MD_READ_2, R(ReadRow::MD), "2"),
    nNonZero(fixed(UM_REQ_MD_READ_3, R(ReadRow::MD), "3")),
    nNonZero(fixed(UM_REQ_MD_READ_4, R(ReadRow::MD), "4")),

    // Choices by value.
    nIn(digits(UM_REQ_QS_FT, S(SetRow::FT), {}, 1), 0, 1),
    nIn(fixed(UM_REQ_QS_FT, S(SetRow::QS)), 2, 2),
    nIn(fixed(UM_REQ_MK_7_8, S(SetRow::MK), "7"), 0, 0),
    nIn(fixed(UM_REQ_MK_7_8, S(SetRow::MK), "8"), 1, 1),
    nIn(fixed(UM_REQ_BAND_UPDOWN, S(SetRow::BU), "0"), 0, 0),
    nIn(fixed(UM_REQ_BAND_UPDOWN, S(SetRow::BD), "0"), 1, 1),

    // Toggles of a stored 0/1 setting.
    toggle(UM_REQ_VX_TOGGLE, S(SetRow::VX), E::VX),
    toggle(UM_REQ_KR_TOGGLE, S(SetRow::KR), E::KR),
    toggle(UM_REQ_BI_TOGGLE, S(SetRow::BI), E::BI),
    toggle(UM_REQ_FS_TOGGLE, S(SetRow::FS), E::FS),
    toggle(UM_REQ_LK_TOGGLE, S(SetRow::LK), E::LK),
    toggle(UM_REQ_RT_TOGGLE, S(SetRow::RT), E::RT),
    toggle(UM_REQ_SC_TOGGLE, S(SetRow::SC), E::SC),
    toggle(UM_REQ_TX_TOGGLE, S(SetRow::TX), E::TX),
    toggle(UM_REQ_NR_TOGGLE, S(SetRow::NR), E::NR, "0"),
    toggle(UM_REQ_BP_SET_0, S(SetRow::BP), E::BP_SW, "0000"),
    naToggle(),

    // n in a field of fixed width.
    digits(UM_REQ_DA_SET, S(SetRow::DA), {}, 2, "00"),
    digits(UM_REQ_AC_SET, S(SetRow::AC), "00", 1),
    digits(UM_REQ_ML_SET_0, S(SetRow::ML), "0", 3),
    digits(UM_REQ_ML_SET_1, S(SetRow::ML), "1", 3),
    digits(UM_REQ_PR_SET, S(SetRow::PR), {}, 1),
    digits(UM_REQ_CS_SET, S(SetRow::CS), {}, 1),
    digits(UM_REQ_TS_SET, S(SetRow::TS), {}, 1),
    digits(UM_REQ_MS_SET, S(SetRow::MS), {}, 1),
    digits(UM_REQ_ST_SET_B, S(SetRow::ST), {}, 1),
    digits(UM_REQ_RA_SET, S(SetRow::RA), "0", 1),
    nIn(digits(UM_REQ_PA_SET, S(SetRow::PA), "0", 1), 0, 1),
    nIn(digits(UM_REQ_AX_SET, S(SetRow::AX), "1", 1), 0, 1),
    nIn(digits(UM_REQ_FA_SET, S(SetRow::FA), {}, 8), 3000, 60000000),
    nIn(digits(UM_REQ_FB_SET, S(SetRow::FB), {}, 8), 3000, 60000000),
    digits(UM_REQ_BP_SET_1, S(SetRow::BP), "01", 3),
    digits(UM_REQ_CO_SET_1, S(SetRow::CO), "01", 2),
    digits(UM_REQ_PL_SET, S(SetRow::PL), {}, 3),
    digits(UM_REQ_KS_SET, S(SetRow::KS), {}, 3),
    digits(UM_REQ_MG_SET, S(SetRow::MG), {}, 3),
    digits(UM_REQ_VG_SET, S(SetRow::VG), {}, 3),
    digits(UM_REQ_PC_SET, S(SetRow::PC), {}, 3),
    digits(UM_REQ_KP_SET, S(SetRow::KP), {}, 2),
    digits(UM_REQ_SQ_SET_0, S(SetRow::SQ), "0", 3),
    digits(UM_REQ_SQ_SET_1, S(SetRow::SQ), "1", 3),
    digits(UM_REQ_AG_SET_0, S(SetRow::AG), "0", 3),
    digits(UM_REQ_AG_SET_1, S(SetRow::AG), "1", 3),
    digits(UM_REQ_RG_SET_0, S(SetRow::RG), "0", 3),
    digits(UM_REQ_RG_SET_1, S(SetRow::RG), "1", 3),
    digits(UM_REQ_SH_SET, S(SetRow::SH), "0", 2),
    digits(UM_REQ_SH_SET_B, S(SetRow::SH), "0", 2),
    digits(UM_REQ_RL_SET, S(SetRow::RL), "0", 2),
    digits(UM_REQ_SS_SET, S(SetRow::SS), "0", 5),
    selDigits(UM_REQ_NB_SET, S(SetRow::NB), 1),
    selDigits(UM_REQ_CN_SET, S(SetRow::CN), 2),
    agc(UM_REQ_GT_SET),

    // Explicit on/off and mode sets for network clients; anything else sends nothing.
    nIn(digits(UM_REQ_TX_ONOFF, S(SetRow::TX), {}, 1), 0, 1),
    nIn(digits(UM_REQ_LK_ONOFF, S(SetRow::LK), {}, 1), 0, 1),
    nIn(digits(UM_REQ_RT_ONOFF, S(SetRow::RT), {}, 1), 0, 1),
    nIn(selDigits(UM_REQ_MD_SET, S(SetRow::MD), 1), 1, 7),

    // Signed values: the sign picks the code or a sign character, the field
    // holds the magnitude.
    euUp(UM_REQ_EU_0, "0"),
    euDown(UM_REQ_EU_0, "0"),
    euUp(UM_REQ_EU_1, "1"),
    euDown(UM_REQ_EU_1, "1"),
    euUp(UM_REQ_EU_2, "2"),
    euDown(UM_REQ_EU_2, "2"),
    nIn(digits(UM_REQ_RU_RD, S(SetRow::RU), {}, 4), 0, 9999),
    nIn(magnitude(digits(UM_REQ_RU_RD, S(SetRow::RD), {}, 4)), -9999, -1),
    nIn(digits(UM_REQ_IS_SET, S(SetRow::IS), "0+", 4), 0, kMax),
    nIn(magnitude(digits(UM_REQ_IS_SET, S(SetRow::IS), "0-", 4)), kMin, -1),
    nIn(digits(UM_REQ_CO_SET_0, S(SetRow::CO), "000", 1), 0, kMax),
    nIn(magnitude(digits(UM_REQ_CO_SET_0, S(SetRow::CO), "00-", 1)), kMin, -1),
};

// Rows of one request must sit together for the lookup to find them all.
constexpr bool rowsGrouped()
{
    for (std::size_t i = 0; i < kRows.size(); ++i)
        for (std::size_t j = i + 2; j < kRows.size(); ++j)
            if (kRows[j].id == kRows[i].id && kRows[j - 1].id != kRows[i].id)
                return false;
    return true;
}
static_assert(rowsGrouped());

} // namespace

std::span<const RequestRow> requestRows() { return kRows; }

std::span<const RequestRow> requestRows(std::uint32_t id)
{
    std::size_t first = 0;
    while (first < kRows.size() && kRows[first].id != id)
        ++first;
    std::size_t last = first;
    while (last < kRows.size() && kRows[last].id == id)
        ++last;
    return std::span<const RequestRow>(kRows).subspan(first, last - first);
}

} // namespace qx
