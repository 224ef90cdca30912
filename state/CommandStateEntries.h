// Every entry of the command state in one list: X(id, lower, upper, default).
// The command builder reads these to form toggles and state-dependent
// commands; the decoders copy into them. QX_ANY marks an entry that takes
// any value. Some ranges differ on purpose from the radio state's entry of
// the same name (IS, RL, and the BP level's default).
#pragma once
#include <limits>

#define QX_ANY std::numeric_limits<int>::min(), std::numeric_limits<int>::max()

#define QX_COMMAND_INT_ENTRIES(X)                                              \
    X(FA, 30000, 60000000, 0)                                                  \
    X(FB, 30000, 60000000, 0)                                                  \
    X(AI, QX_ANY, 0)                                                           \
    X(PS, QX_ANY, 0)                                                           \
    X(RT, QX_ANY, 0)                                                           \
    X(IF19, QX_ANY, 0)                                                         \
    X(MD0, QX_ANY, 0)                                                          \
    X(MD1, QX_ANY, 0)                                                          \
    X(MODE_GROUP, 0, 2, 0)                                                     \
    X(NB, 0, 1, 0)                                                             \
    X(SC, 0, 1, 0)                                                             \
    X(TX, 0, 1, 0)                                                             \
    X(VR, 0, 1, 0)                                                             \
    X(CS, QX_ANY, 0)                                                           \
    X(PR, QX_ANY, 0)                                                           \
    X(ML_SW, QX_ANY, 0)                                                        \
    X(KR, QX_ANY, 0)                                                           \
    X(BI, QX_ANY, 0)                                                           \
    X(NR, QX_ANY, 0)                                                           \
    X(LK, QX_ANY, 0)                                                           \
    X(FS, QX_ANY, 0)                                                           \
    X(NA0, QX_ANY, 0)                                                          \
    X(NA1, QX_ANY, 0)                                                          \
    X(VX, QX_ANY, 0)                                                           \
    X(VS, QX_ANY, 0)                                                           \
    X(BP_SW, 0, 1, 0)                                                          \
    X(BP_LEVEL, 1, 400, 1)                                                     \
    X(MS, 0, 5, 0)                                                             \
    X(ML_LEVEL, 1, 255, 1)                                                     \
    X(PL, 0, 255, 0)                                                           \
    X(MG, 0, 255, 0)                                                           \
    X(PC, 0, 255, 0)                                                           \
    X(VG, 0, 255, 0)                                                           \
    X(AG0, 0, 255, 0)                                                          \
    X(AG1, 0, 255, 0)                                                          \
    X(SQ0, 0, 255, 0)                                                          \
    X(SQ1, 0, 255, 0)                                                          \
    X(RG0, 0, 255, 0)                                                          \
    X(RG1, 0, 255, 0)                                                          \
    X(KS, 4, 60, 4)                                                            \
    X(KP, 0, 15, 0)                                                            \
    X(SD, 0, 5000, 0)                                                          \
    X(IS, -1000, 1000, 0)                                                      \
    X(SH, 0, 31, 0)                                                            \
    X(RL, 1, 15, 1)
