// The rows of the three CAT tables, written once, in table order. Each list
// generates both the constant rows and the named row indices (CatTables.h),
// so a code that repeats within one table does not compile.
#pragma once

// Set commands: X(code, length).
#define QX_SET_COMMANDS(X) \
    /*  0 */ X(BS, 5) X(RT, 4) X(BP, 8) X(CO, 7) \
    /*  4 */ X(MS, 4) X(NR, 5) X(FT, 4) X(LK, 4) \
    /*  8 */ X(FS, 4) X(VS, 4) X(NA, 5) X(NB, 5) \
    /* 12 */ X(GT, 5) X(RA, 5) X(PA, 5) X(KR, 4) \
    /* 16 */ X(TS, 4) X(AC, 6) X(VX, 4) X(BI, 4) \
    /* 20 */ X(PR, 4) X(ML, 7) X(CS, 4) X(KP, 5) \
    /* 24 */ X(KS, 6) X(SD, 7) X(MG, 6) X(PL, 6) \
    /* 28 */ X(VG, 6) X(VD, 7) X(SQ, 7) X(AG, 7) \
    /* 32 */ X(RG, 7) X(IS, 9) X(SH, 6) X(RL, 6) \
    /* 36 */ X(FA, 11) X(FB, 11) X(SC, 4) X(TX, 4) \
    /* 40 */ X(AI, 4) X(CN, 6) X(CT, 5) X(KM, 54) \
    /* 44 */ X(MC, 6) X(OS, 5) X(PB, 4) X(PC, 6) \
    /* 48 */ X(MD, 5) X(PS, 4) X(AB, 3) X(AM, 3) \
    /* 52 */ X(BD, 4) X(BU, 4) X(CH, 4) X(ED, 6) \
    /* 56 */ X(EU, 6) X(FK, 4) X(KY, 4) X(QI, 3) \
    /* 60 */ X(QR, 3) X(QS, 3) X(RC, 3) X(RD, 7) \
    /* 64 */ X(RU, 7) X(SV, 3) X(VM, 3) X(MA, 3) \
    /* 68 */ X(MK, 4) X(LM, 5) X(IF, 27) X(OI, 27) \
    /* 72 */ X(DS, 4) X(DQ, 5) X(DA, 7) X(VV, 3) \
    /* 76 */ X(AX, 5) X(HM, 3) X(ST, 4) X(SS, 9) \
    /* 80 */ X(VR, 4) X(MW, 27) X(SF, 4)

// Read commands, in read-all order: X(code, ReadKind, length).
#define QX_READ_COMMANDS(X) \
    /*  0 */ X(ID, 3, 3) X(EX, 3, 6) X(VS, 0, 3) X(FA, 0, 3) \
    /*  4 */ X(FB, 0, 3) X(IF, 0, 3) X(OI, 0, 3) X(RS, 0, 3) \
    /*  8 */ X(ST, 0, 3) X(BS, 0, 3) X(MD, 1, 4) X(RT, 0, 3) \
    /* 12 */ X(BP, 3, 5) X(CO, 3, 5) X(MS, 0, 3) X(NR, 1, 4) \
    /* 16 */ X(FT, 0, 3) X(LK, 0, 3) X(FS, 0, 3) X(NA, 1, 4) \
    /* 20 */ X(NB, 1, 4) X(GT, 1, 4) X(RA, 1, 4) X(PA, 1, 4) \
    /* 24 */ X(KR, 0, 3) X(TS, 0, 3) X(AC, 0, 3) X(VX, 0, 3) \
    /* 28 */ X(BI, 0, 3) X(ML, 2, 4) X(CS, 0, 3) X(RM, 3, 4) \
    /* 32 */ X(KP, 0, 3) X(KS, 0, 3) X(SD, 0, 3) X(MG, 0, 3) \
    /* 36 */ X(VG, 0, 3) X(VD, 0, 3) X(SQ, 1, 4) X(AG, 1, 4) \
    /* 40 */ X(RG, 1, 4) X(IS, 1, 4) X(SH, 1, 4) X(RL, 1, 4) \
    /* 44 */ X(BY, 0, 3) X(SC, 0, 3) X(SM, 1, 4) X(TX, 0, 3) \
    /* 48 */ X(UL, 0, 3) X(AI, 0, 3) X(CN, 1, 4) X(CT, 1, 4) \
    /* 52 */ X(KM, 3, 4) X(MC, 0, 3) X(OS, 1, 4) X(PB, 0, 3) \
    /* 56 */ X(PC, 0, 3) X(PS, 0, 3) X(RI, 3, 4) X(BG, 3, 4) \
    /* 60 */ X(LM, 1, 4) X(DS, 0, 3) X(VC, 0, 3) X(MR, 3, 6) \
    /* 64 */ X(VR, 0, 3) X(AX, 0, 3) X(DA, 0, 3) X(SS, 1, 4) \
    /* 68 */ X(SF, 0, 3)

// Answers: X(code, length, notification). The row number chooses the decoder.
#define QX_ANSWERS(X) \
    /*  0 */ X(ID, 7, UM_ANS_ID) X(RT, 4, UM_ANS_RT) X(BP, 8, UM_ANS_BP) \
    /*  3 */ X(CO, 7, UM_ANS_CO) X(MS, 4, UM_ANS_MS) X(NR, 5, UM_ANS_NR) \
    /*  6 */ X(FT, 4, UM_ANS_FT) X(LK, 4, UM_ANS_LK) X(FS, 4, UM_ANS_FS) \
    /*  9 */ X(VS, 4, UM_ANS_VS) X(NA, 5, UM_ANS_NA) X(NB, 5, UM_ANS_NB) \
    /* 12 */ X(GT, 5, UM_ANS_GT) X(RA, 5, UM_ANS_RA) X(PA, 5, UM_ANS_PA) \
    /* 15 */ X(KR, 4, UM_ANS_KR) X(TS, 4, UM_ANS_TS) X(AC, 6, UM_ANS_AC) \
    /* 18 */ X(VX, 4, UM_ANS_VX) X(BI, 4, UM_ANS_BI) X(PR, 4, UM_ANS_PR) \
    /* 21 */ X(ML, 7, UM_ANS_ML) X(CS, 4, UM_ANS_CS) X(RM, 7, UM_ANS_RM) \
    /* 24 */ X(KP, 5, UM_ANS_KP) X(KS, 6, UM_ANS_KS) X(SD, 7, UM_ANS_SD) \
    /* 27 */ X(MG, 6, UM_ANS_MG) X(PL, 6, UM_ANS_PL) X(VG, 6, UM_ANS_VG) \
    /* 30 */ X(VD, 7, UM_ANS_VD) X(SQ, 7, UM_ANS_SQ) X(AG, 7, UM_ANS_AG) \
    /* 33 */ X(RG, 7, UM_ANS_RG) X(IF, 27, UM_ANS_IF) X(IS, 9, UM_ANS_IS) \
    /* 36 */ X(SH, 6, UM_ANS_SH) X(RL, 6, UM_ANS_RL) X(BY, 5, UM_ANS_BY) \
    /* 39 */ X(FA, 11, UM_ANS_FA) X(FB, 11, UM_ANS_FB) X(SC, 4, UM_ANS_SC) \
    /* 42 */ X(SM, 7, UM_ANS_SM) X(TX, 4, UM_ANS_TX) X(UL, 4, UM_ANS_UL) \
    /* 45 */ X(AI, 4, UM_ANS_AI) X(CN, 6, UM_ANS_CN) X(CT, 5, UM_ANS_CT) \
    /* 48 */ X(KM, 54, UM_ANS_KM) X(MC, 6, UM_ANS_MC) X(OI, 27, UM_ANS_OI) \
    /* 51 */ X(OS, 5, UM_ANS_OS) X(PB, 4, UM_ANS_PB) X(PC, 6, UM_ANS_PC) \
    /* 54 */ X(RS, 4, UM_ANS_RS) X(MD, 5, UM_ANS_MD) X(PS, 4, UM_ANS_PS) \
    /* 57 */ X(RI, 5, UM_ANS_RI) X(BG, 5, UM_ANS_BG) X(LM, 5, UM_ANS_LM) \
    /* 60 */ X(DS, 4, UM_ANS_DS) X(DQ, 5, UM_ANS_DQ) X(VC, 6, UM_ANS_VC) \
    /* 63 */ X(MR, 27, UM_ANS_MR) X(VR, 4, UM_ANS_VR) X(AX, 5, UM_ANS_AX) \
    /* 66 */ X(DA, 7, UM_ANS_DA) X(SS, 9, UM_ANS_SS) X(ST, 4, UM_ANS_ST) \
    /* 69 */ X(SF, 4, UM_ANS_SF) X(BS, 5, UM_ANS_BS)
