// One row per panel operation: the request it posts with its fixed value,
// and the lamp message that draws its key. Operations whose request comes
// from a popup, a knob, a dial or a digit carry their request here and get
// the value from the controller; popups carry none.
#pragma once
#include "core/MessageIds.h"

#include <array>
#include <cstdint>

namespace qx::panel {

struct PanelOperation {
    int op;
    std::uint32_t request; // 0 = none
    std::int64_t value;
    std::uint32_t lamp; // 0 = none
};

inline constexpr std::array kOperationTable{
    PanelOperation{1, UM_REQ_AI_TOGGLE, 0, UM_KEY_78},
    PanelOperation{2, UM_REQ_POWER_TOGGLE, 0, UM_KEY_79},
    PanelOperation{225, 0, 0, UM_KEY_A1},
    PanelOperation{226, 0, 0, UM_KEY_7D},
    PanelOperation{16, UM_REQ_NB_SET, 0, UM_KEY_7F},
    PanelOperation{15, 0, 0, UM_KEY_7E},
    PanelOperation{87, 0, 0, UM_KEY_9A},
    PanelOperation{227, UM_REQ_MK_7_8, 1, UM_KEY_A2},
    PanelOperation{228, UM_REQ_MK_7_8, 0, UM_KEY_A3},
    PanelOperation{11, UM_REQ_KR_TOGGLE, 0, UM_KEY_7C},
    PanelOperation{231, UM_REQ_RT_TOGGLE, 0, UM_KEY_A4},
    PanelOperation{232, UM_REQ_BAND_UPDOWN, 1, UM_KEY_A5},
    PanelOperation{233, UM_REQ_BAND_UPDOWN, 0, UM_KEY_A6},
    PanelOperation{81, UM_REQ_VV, 0, UM_KEY_84},
    PanelOperation{47, UM_REQ_SV, 0, UM_KEY_82},
    PanelOperation{44, UM_REQ_FS_TOGGLE, 0, UM_KEY_80},
    PanelOperation{45, UM_REQ_LK_TOGGLE, 0, UM_KEY_81},
    PanelOperation{6, 0, 0, UM_KEY_7B},
    PanelOperation{51, 0, 0, UM_KEY_83},
    PanelOperation{88, 0, 0, UM_KEY_9B},
    PanelOperation{219, UM_REQ_VR_1, 0, UM_KEY_9C},
    PanelOperation{41, 0, 0, UM_KEY_9C},
    PanelOperation{220, 0, 0, UM_KEY_9D},
    PanelOperation{48, UM_REQ_VM, 0, UM_KEY_9D},
    PanelOperation{221, UM_REQ_HM, 0, UM_KEY_9E},
    PanelOperation{36, UM_REQ_QR, 0, UM_KEY_9E},
    PanelOperation{5, UM_REQ_VX_TOGGLE, 0, UM_KEY_7A},
    PanelOperation{35, UM_REQ_QI, 0, UM_KEY_7A},
    PanelOperation{222, 0, 0, UM_KEY_9F},
    PanelOperation{38, 0, 0, UM_KEY_9F},
    PanelOperation{223, 0, 0, UM_KEY_A0},
    PanelOperation{224, UM_REQ_SC_TOGGLE, 0, UM_KEY_A0},
    PanelOperation{200, UM_REQ_FA_SET, 0, 0},
    PanelOperation{201, UM_REQ_FA_SET, 0, 0},
    PanelOperation{202, UM_REQ_FA_SET, 0, 0},
    PanelOperation{203, UM_REQ_FA_SET, 0, 0},
    PanelOperation{204, UM_REQ_FA_SET, 0, 0},
    PanelOperation{205, UM_REQ_FA_SET, 0, 0},
    PanelOperation{206, UM_REQ_FA_SET, 0, 0},
    PanelOperation{207, UM_REQ_FA_SET, 0, 0},
    PanelOperation{89, UM_REQ_EU_0, 0, 0},
    PanelOperation{90, UM_REQ_EU_1, 0, 0},
    PanelOperation{98, UM_REQ_SQ_SET_0, 0, 0},
    PanelOperation{106, UM_REQ_AG_SET_0, 0, 0},
    PanelOperation{107, UM_REQ_RG_SET_0, 0, 0},
    PanelOperation{111, UM_REQ_IS_SET, 0, 0},
    PanelOperation{216, UM_REQ_FA_SET, 0, 0},
    PanelOperation{217, UM_REQ_FB_SET, 0, 0},
    PanelOperation{229, 0, 0, UM_KEY_A2},
    PanelOperation{230, 0, 0, UM_KEY_A3},
    PanelOperation{234, 0, 0, UM_KEY_A5},
    PanelOperation{235, 0, 0, UM_KEY_A6},
    PanelOperation{237, UM_REQ_RC, 0, UM_KEY_A4},
    // The LCD hot spots.
    PanelOperation{243, UM_REQ_RA_SET, 3, 0},
    PanelOperation{244, UM_REQ_RA_SET, 0, 0},
    PanelOperation{245, UM_REQ_PA_SET, 0, 0},
    PanelOperation{246, UM_REQ_PA_SET, 1, 0},
    PanelOperation{247, UM_REQ_NB_SET, 1, 0},
    PanelOperation{248, UM_REQ_NB_SET, 0, 0},
    PanelOperation{249, UM_REQ_GT_SET, 0, 0},
    PanelOperation{250, UM_REQ_GT_SET, 1, 0},
    PanelOperation{251, UM_REQ_GT_SET, 2, 0},
    PanelOperation{252, UM_REQ_GT_SET, 4, 0},
    PanelOperation{253, 0, 0, 0},
    PanelOperation{254, UM_REQ_MS_SET, 2, 0},
    PanelOperation{255, UM_REQ_MS_SET, 1, 0},
    PanelOperation{256, UM_REQ_MS_SET, 3, 0},
    PanelOperation{257, UM_REQ_MD_MODE_1, 0, 0},
    PanelOperation{258, UM_REQ_MD_MODE_2, 0, 0},
    PanelOperation{259, UM_REQ_MD_MODE_3, 0, 0},
    PanelOperation{260, UM_REQ_MD_MODE_5, 0, 0},
    PanelOperation{261, UM_REQ_MD_MODE_4, 0, 0},
    PanelOperation{262, UM_REQ_MD_MODE_6, 0, 0},
    PanelOperation{263, UM_REQ_KR_TOGGLE, 0, 0},
    PanelOperation{264, UM_REQ_RT_TOGGLE, 0, 0},
    PanelOperation{265, UM_REQ_FS_TOGGLE, 0, 0},
    PanelOperation{266, UM_REQ_LK_TOGGLE, 0, 0},
    PanelOperation{267, UM_REQ_VX_TOGGLE, 0, 0},
    PanelOperation{268, UM_REQ_BI_TOGGLE, 0, 0},
    PanelOperation{269, 0, 0, 0},
    PanelOperation{271, UM_REQ_OS_1, 0, 0},
    PanelOperation{272, UM_REQ_OS_2, 0, 0},
    PanelOperation{273, UM_REQ_CT_2, 0, 0},
    PanelOperation{274, UM_REQ_CT_1, 0, 0},
    PanelOperation{275, UM_REQ_TX_TOGGLE, 0, 0},
    PanelOperation{238, 0, 0, 0},
    PanelOperation{239, 0, 0, 0},
    PanelOperation{240, 0, 0, 0},
    PanelOperation{241, 0, 0, 0},
};

// The row of `op`; nullptr for an operation without one.
constexpr const PanelOperation* findOperation(int op)
{
    for (const PanelOperation& row : kOperationTable)
        if (row.op == op)
            return &row;
    return nullptr;
}

} // namespace qx::panel
