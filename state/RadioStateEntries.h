// Every ranged entry of the radio state in one list: X(id, lower, upper,
// default). The enum of ids, the console names and the defaults table are all
// generated from it, so they cannot drift apart. Most entries are named after
// the answer that sets them; a trailing digit is the answer's selector.
#pragma once

#define QX_RADIO_INT_ENTRIES(X)                                                \
    X(ID, 241, 243, 0)                                                         \
    X(RT, 0, 1, 0)                                                             \
    X(BP_SW, 0, 1, 0)                                                          \
    X(BP_LEVEL, 1, 400, 200)                                                   \
    X(CO0, -2, 2, 0)                                                           \
    X(CO1, 1, 32, 14)                                                          \
    X(CO_SAVED, -2, 2, 0)                                                      \
    X(MS, 0, 5, 2)                                                             \
    X(NR0, 0, 1, 0)                                                            \
    X(NR1, 0, 1, 0)                                                            \
    X(FT, 0, 1, 0)                                                             \
    X(LK, 0, 1, 0)                                                             \
    X(FS, 0, 1, 0)                                                             \
    X(VS, 0, 1, 0)                                                             \
    X(NA0, 0, 1, 0)                                                            \
    X(NA1, 0, 1, 0)                                                            \
    X(NB, 0, 2, 0)                                                             \
    X(GT0, 0, 6, 4)                                                            \
    X(GT1, 0, 4, 4)                                                            \
    X(RA, 0, 3, 0)                                                             \
    X(PA, 0, 1, 1)                                                             \
    X(KR, 0, 1, 0)                                                             \
    X(TS, 0, 1, 0)                                                             \
    X(AC, 0, 2, 0)                                                             \
    X(VX, 0, 1, 0)                                                             \
    X(BI, 0, 1, 0)                                                             \
    X(PR, 0, 1, 0)                                                             \
    X(ML_SW, 0, 1, 0)                                                          \
    X(ML_LEVEL, 1, 255, 1)                                                     \
    X(CS, 0, 1, 0)                                                             \
    X(RM0, 0, 255, 0)                                                          \
    X(RM1, 0, 255, 0)                                                          \
    X(KP, 0, 15, 0)                                                            \
    X(KS, 4, 60, 4)                                                            \
    X(SD, 0, 5000, 0)                                                          \
    X(MG, 0, 255, 0)                                                           \
    X(PL, 0, 255, 0)                                                           \
    X(VG, 0, 255, 0)                                                           \
    X(VD, 0, 5000, 0)                                                          \
    X(SQ0, 0, 255, 0)                                                          \
    X(SQ1, 0, 255, 0)                                                          \
    X(RG0, 0, 255, 0)                                                          \
    X(RG1, 0, 255, 0)                                                          \
    X(AG0, 0, 255, 0)                                                          \
    X(AG1, 0, 255, 0)                                                          \
    X(IF_FREQ, 0, 99999999, 0)                                                 \
    X(IF18, 0, 1, 0)                                                           \
    X(IF19, 0, 1, 0)                                                           \
    X(IF_MODE, 0, 12, 0)                                                       \
    X(IF21, 0, 5, 0)                                                           \
    X(IF22, 0, 2, 0)                                                           \
    X(IF23, 0, 49, 0)                                                          \
    X(IF25, 0, 2, 0)                                                           \
    X(IS, -1270, 1270, 0)                                                      \
    X(SH, 0, 31, 0)                                                            \
    X(RL, 1, 11, 1)                                                            \
    X(BY0, 0, 1, 0)                                                            \
    X(BY1, 0, 1, 0)                                                            \
    X(FA, 30000, 60000000, 7000000)                                            \
    X(FB, 30000, 60000000, 7000000)                                            \
    X(SC, 0, 2, 0)                                                             \
    X(SM0, 0, 255, 0)                                                          \
    X(SM1, 0, 255, 0)                                                          \
    X(TX, 0, 2, 0)                                                             \
    X(UL, 0, 1, 0)                                                             \
    X(AI, 0, 1, 0)                                                             \
    X(CN0, 0, 49, 8)                                                           \
    X(CN1, 0, 49, 8)                                                           \
    X(CT0, 0, 2, 0)                                                            \
    X(CT1, 0, 2, 0)                                                            \
    X(KM_SELECTED, 1, 5, 1)                                                    \
    X(MC, 1, 504, 1)                                                           \
    X(OI_FREQ, 0, 99999999, 0)                                                 \
    X(OI18, 0, 1, 0)                                                           \
    X(OI19, 0, 1, 0)                                                           \
    X(OI_MODE, 0, 12, 0)                                                       \
    X(OI21, 0, 5, 0)                                                           \
    X(OI22, 0, 2, 0)                                                           \
    X(OI23, 0, 49, 0)                                                          \
    X(OI25, 0, 2, 0)                                                           \
    X(OS0, 0, 2, 0)                                                            \
    X(OS1, 0, 2, 0)                                                            \
    X(PB, 0, 8, 0)                                                             \
    X(PC, 0, 255, 0)                                                           \
    X(RS, 0, 1, 0)                                                             \
    X(MD0, 0, 12, 1)                                                           \
    X(MD1, 0, 12, 0)                                                           \
    X(PS, 0, 1, 0)                                                             \
    X(RI0, 0, 1, 0)                                                            \
    X(RI1, 0, 1, 0)                                                            \
    X(RI2, 0, 1, 0)                                                            \
    X(RI3, 0, 1, 0)                                                            \
    X(RI4, 0, 1, 0)                                                            \
    X(RI5, 0, 1, 0)                                                            \
    X(BG, 0, 5, 2)                                                             \
    X(DQ, 0, 3, 0)                                                             \
    X(VC, 0, 999, 0)                                                           \
    X(MR, 1, 504, 1)                                                           \
    X(AX, 0, 1, 0)                                                             \
    X(DA, 0, 4, 4)                                                             \
    X(SS, 0, 11111, 0)                                                         \
    X(ST, 0, 7, 0)                                                             \
    X(SF, 0, 4, 0)                                                             \
    X(BS, 0, 11, 3)                                                            \
    X(HIGHEST_MENU, 1, 500, 66)                                                \
    X(WIDTH_ADJUST, 0, 999, 0)

// The offsets of "IF" and "OI": a sign and four digits.
#define QX_RADIO_REAL_ENTRIES(X)                                               \
    X(IF_OFFSET, -9999.0, 9999.0, 0.0)                                         \
    X(OI_OFFSET, -9999.0, 9999.0, 0.0)
