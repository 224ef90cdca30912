#include "panel/PanelLayout.h"

#include "core/MessageIds.h"

namespace qx::panel {

const std::array<KeySpot, 32> kKeys{{
    {1, 36, 183, 64, 207, "LINK", UM_KEY_78},
    {2, 91, 179, 123, 211, "POWER", UM_KEY_79},
    {225, 151, 179, 193, 211, "DSP", UM_KEY_A1},
    {226, 221, 179, 253, 211, "ATT/IPO", UM_KEY_7D},
    {16, 281, 179, 313, 211, "NB", UM_KEY_7F},
    {15, 341, 179, 373, 211, "AGC", UM_KEY_7E},
    {87, 221, 270, 253, 302, "GROUP", UM_KEY_9A},
    {227, 277, 229, 317, 257, "MODE\xE2\x96\xB2", UM_KEY_A2},
    {228, 337, 229, 377, 257, "MODE\xE2\x96\xBC", UM_KEY_A3},
    {11, 277, 272, 317, 300, "KEYER", UM_KEY_7C},
    {231, 337, 272, 377, 300, "CLAR", UM_KEY_A4},
    {232, 399, 181, 447, 209, "\xE2\x97\x80 BAND", UM_KEY_A5},
    {233, 588, 181, 636, 209, "BAND \xE2\x96\xB6", UM_KEY_A6},
    {81, 399, 229, 431, 257, "A=B", UM_KEY_84},
    {47, 604, 229, 636, 257, "A/B", UM_KEY_82},
    {44, 399, 272, 447, 300, "FAST", UM_KEY_80},
    {45, 588, 272, 636, 300, "LOCK", UM_KEY_81},
    {6, 662, 179, 694, 211, "TUNER", UM_KEY_7B},
    {51, 722, 179, 754, 211, "MENU", UM_KEY_83},
    {88, 782, 179, 814, 211, "METER", UM_KEY_9B},
    {219, 730, 32, 766, 47, "VRF", UM_KEY_9C},
    {41, 730, 47, 766, 62, "MONI", UM_KEY_9C},
    {220, 779, 32, 815, 47, "MW", UM_KEY_9D},
    {48, 779, 47, 815, 62, "V/M", UM_KEY_9D},
    {221, 730, 77, 766, 92, "HOME", UM_KEY_9E},
    {36, 730, 92, 766, 107, "QMR", UM_KEY_9E},
    {5, 779, 77, 815, 92, "VOX", UM_KEY_7A},
    {35, 779, 92, 815, 107, "QMB", UM_KEY_7A},
    {222, 730, 122, 766, 137, "STEP", UM_KEY_9F},
    {38, 730, 137, 766, 152, "SPLIT", UM_KEY_9F},
    {223, 779, 122, 815, 137, "PMS", UM_KEY_A0},
    {224, 779, 137, 815, 152, "SCAN", UM_KEY_A0},
}};

} // namespace qx::panel
