// Every message id that threads and windows exchange, under its name and
// value. Each list below is the single place an id is written; the constants
// and the name lookup are both generated from it, so they cannot drift apart.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// Link and thread control between the workers.
#define QX_THREAD_MESSAGES(X) \
    X(UM_ANSWER_ARRIVED, 0x8102) \
    X(UM_SEND_QUEUED, 0x8103) \
    X(UM_RECV_START, 0x8104) \
    X(UM_THREAD_QUIT, 0x8105) \
    X(UM_MENU_LOAD, 0x8106) \
    X(UM_AI_OFF_SEEN, 0x810C) \
    X(UM_SEQUENCE_ANSWERED, 0x810D) \
    X(UM_PORT_OPEN, 0x8112)

// Requests posted straight to the command builder, not through RequestTable.
#define QX_DIRECT_REQUESTS(X) \
    X(UM_REQ_READ_ALL_STEP, 0x8107) \
    X(UM_REQ_MENU_READ_STEP, 0x8108) \
    X(UM_REQ_KM_READ_STEP, 0x810F) \
    X(UM_REQ_VC_READ, 0x8110) \
    X(UM_REQ_MR_READ, 0x8111) \
    X(UM_REQ_AI_REFUSED, 0x8113) \
    X(UM_REQ_AI_RETRY, 0x8114) \
    X(UM_REQ_READ_ALL_START, 0x834B) \
    X(UM_REQ_SEQUENCE_STOP, 0x834C) \
    X(UM_REQ_MENU_READ_START, 0x834F) \
    X(UM_REQ_PS_READ, 0x8350) \
    X(UM_REQ_PS_POLL, 0x8351) \
    X(UM_REQ_ID_READ, 0x8352) \
    X(UM_REQ_VS_READ, 0x835C) \
    X(UM_REQ_ST_READ, 0x835D) \
    X(UM_REQ_BS_READ, 0x835E) \
    X(UM_REQ_IF_READ, 0x8802) \
    X(UM_REQ_MW_CHANNEL, 0x8A20) \
    X(UM_REQ_EX_READ, 0x8A21) \
    X(UM_REQ_MC_SELECT, 0x8A22) \
    X(UM_REQ_MC_READ, 0x8A23)

// Explicit sets, posted straight to the command builder, for settings that the
// panel only toggles: a network client asks for a state, not a change.
#define QX_EXPLICIT_SET_REQUESTS(X) \
    X(UM_REQ_TX_ONOFF, 0x8120) \
    X(UM_REQ_LK_ONOFF, 0x8121) \
    X(UM_REQ_RT_ONOFF, 0x8122) \
    X(UM_REQ_MD_SET, 0x8123)

// Requests posted through RequestTable, in its row order (row 1 first).
#define QX_TABLE_REQUESTS(X) \
    X(UM_REQ_AI_TOGGLE, 0x8501) \
    X(UM_REQ_POWER_TOGGLE, 0x8502) \
    X(UM_REQ_DA_SET, 0x8503) \
    X(UM_REQ_OI_READ, 0x8504) \
    X(UM_REQ_VX_TOGGLE, 0x8505) \
    X(UM_REQ_AC_SET, 0x8506) \
    X(UM_REQ_IF_READ_A, 0x8507) \
    X(UM_REQ_IF_READ_B, 0x8508) \
    X(UM_REQ_ML_SET_0, 0x8509) \
    X(UM_REQ_PR_SET, 0x850A) \
    X(UM_REQ_KR_TOGGLE, 0x850B) \
    X(UM_REQ_RA_SET, 0x850C) \
    X(UM_REQ_PA_SET, 0x850D) \
    X(UM_REQ_FB_READ, 0x850E) \
    X(UM_REQ_GT_SET, 0x850F) \
    X(UM_REQ_NB_SET, 0x8510) \
    X(UM_REQ_BI_TOGGLE, 0x8511) \
    X(UM_REQ_CS_SET, 0x8512) \
    X(UM_REQ_VS_0, 0x8513) \
    X(UM_REQ_VS_1, 0x8514) \
    X(UM_REQ_MD_MODE_1, 0x8515) \
    X(UM_REQ_MD_MODE_2, 0x8516) \
    X(UM_REQ_MD_MODE_3, 0x8517) \
    X(UM_REQ_MK_3, 0x8518) \
    X(UM_REQ_MK_5, 0x8519) \
    X(UM_REQ_MK_6, 0x851A) \
    X(UM_REQ_QI, 0x851B) \
    X(UM_REQ_QR, 0x851C) \
    X(UM_REQ_NA_TOGGLE, 0x851D) \
    X(UM_REQ_QS_FT, 0x851E) \
    X(UM_REQ_TS_SET, 0x851F) \
    X(UM_REQ_FA_STEP_A, 0x8520) \
    X(UM_REQ_FT_0, 0x8521) \
    X(UM_REQ_FS_TOGGLE, 0x8522) \
    X(UM_REQ_LK_TOGGLE, 0x8523) \
    X(UM_REQ_AB, 0x8524) \
    X(UM_REQ_SV, 0x8525) \
    X(UM_REQ_VM, 0x8526) \
    X(UM_REQ_MA, 0x8527) \
    X(UM_REQ_AM, 0x8528) \
    X(UM_REQ_EX_SET, 0x8529) \
    X(UM_REQ_BS_10, 0x852A) \
    X(UM_REQ_BS_00, 0x852B) \
    X(UM_REQ_BS_01, 0x852C) \
    X(UM_REQ_BS_03, 0x852D) \
    X(UM_REQ_BS_04, 0x852E) \
    X(UM_REQ_BS_05, 0x852F) \
    X(UM_REQ_BS_06, 0x8530) \
    X(UM_REQ_BS_07, 0x8531) \
    X(UM_REQ_BS_08, 0x8532) \
    X(UM_REQ_BS_09, 0x8533) \
    X(UM_REQ_BS_11, 0x8534) \
    X(UM_REQ_RT_TOGGLE, 0x8535) \
    X(UM_REQ_EX_TOGGLE, 0x8536) \
    X(UM_REQ_RC, 0x8537) \
    X(UM_REQ_BS_UPDOWN, 0x8538) \
    X(UM_REQ_BP_SET_0, 0x8539) \
    X(UM_REQ_VS_TOGGLE, 0x853A) \
    X(UM_REQ_CO_SET_0, 0x853B) \
    X(UM_REQ_NR_TOGGLE, 0x853C) \
    X(UM_REQ_FA_STEP_B, 0x853D) \
    X(UM_REQ_FT_1, 0x853E) \
    X(UM_REQ_SF_0, 0x853F) \
    X(UM_REQ_SF_1, 0x8540) \
    X(UM_REQ_SF_2, 0x8541) \
    X(UM_REQ_SF_3, 0x8542) \
    X(UM_REQ_SF_4, 0x8543) \
    X(UM_REQ_SF_5, 0x8544) \
    X(UM_REQ_SF_6, 0x8545) \
    X(UM_REQ_SF_7, 0x8546) \
    X(UM_REQ_FK_1, 0x8547) \
    X(UM_REQ_FK_2, 0x8548) \
    X(UM_REQ_FK_3, 0x8549) \
    X(UM_REQ_FK_4, 0x854A) \
    X(UM_REQ_FK_5, 0x854B) \
    X(UM_REQ_FK_6, 0x854C) \
    X(UM_REQ_FK_7, 0x854D) \
    X(UM_REQ_RS_SET, 0x854E) \
    X(UM_REQ_EU_0, 0x854F) \
    X(UM_REQ_EU_1, 0x8550) \
    X(UM_REQ_FA_SET, 0x8551) \
    X(UM_REQ_FB_SET, 0x8552) \
    X(UM_REQ_RU_RD, 0x8553) \
    X(UM_REQ_BS_SIGNED, 0x8554) \
    X(UM_REQ_MS_SET, 0x8555) \
    X(UM_REQ_ML_SET_1, 0x8556) \
    X(UM_REQ_PL_SET, 0x8557) \
    X(UM_REQ_KS_SET, 0x8558) \
    X(UM_REQ_KP_SET, 0x8559) \
    X(UM_REQ_ST_SET, 0x855A) \
    X(UM_REQ_SQ_SET_0, 0x855B) \
    X(UM_REQ_MG_SET, 0x855C) \
    X(UM_REQ_VG_SET, 0x855D) \
    X(UM_REQ_VD_SD_SET, 0x855E) \
    X(UM_REQ_SQ_SET_1, 0x855F) \
    X(UM_REQ_AG_SET_1, 0x8560) \
    X(UM_REQ_RG_SET_1, 0x8561) \
    X(UM_REQ_AG_SET_0, 0x8562) \
    X(UM_REQ_RG_SET_0, 0x8563) \
    X(UM_REQ_BP_SET_1, 0x8564) \
    X(UM_REQ_IS_SET, 0x8565) \
    X(UM_REQ_SH_SET, 0x8566) \
    X(UM_REQ_CO_SET_1, 0x8567) \
    X(UM_REQ_RL_SET, 0x8568) \
    X(UM_REQ_PS_AI_READ, 0x8569) \
    X(UM_REQ_FLUSH, 0x856A) \
    X(UM_REQ_PC_SET, 0x856B) \
    X(UM_REQ_LM_01, 0x862C) \
    X(UM_REQ_LM_02, 0x862D) \
    X(UM_REQ_LM_03, 0x862E) \
    X(UM_REQ_LM_04, 0x862F) \
    X(UM_REQ_LM_05, 0x8630) \
    X(UM_REQ_LM_00, 0x8631) \
    X(UM_REQ_PB_1, 0x8632) \
    X(UM_REQ_PB_2, 0x8633) \
    X(UM_REQ_PB_3, 0x8634) \
    X(UM_REQ_PB_4, 0x8635) \
    X(UM_REQ_PB_5, 0x8636) \
    X(UM_REQ_PB_0, 0x8637) \
    X(UM_REQ_LM_11, 0x8638) \
    X(UM_REQ_LM_10, 0x8639) \
    X(UM_REQ_PB_6, 0x863A) \
    X(UM_REQ_PB_0_B, 0x863B) \
    X(UM_REQ_MD_READ_1, 0x863C) \
    X(UM_REQ_MD_READ_2, 0x863D) \
    X(UM_REQ_MD_READ_3, 0x863E) \
    X(UM_REQ_MD_READ_4, 0x863F) \
    X(UM_REQ_KY_1, 0x8640) \
    X(UM_REQ_KY_2, 0x8641) \
    X(UM_REQ_KY_3, 0x8642) \
    X(UM_REQ_KY_4, 0x8643) \
    X(UM_REQ_KY_5, 0x8644) \
    X(UM_REQ_KY_6, 0x8645) \
    X(UM_REQ_KY_7, 0x8646) \
    X(UM_REQ_KY_8, 0x8647) \
    X(UM_REQ_KY_9, 0x8648) \
    X(UM_REQ_KY_A, 0x8649) \
    X(UM_REQ_CT_0, 0x864A) \
    X(UM_REQ_CT_2, 0x864B) \
    X(UM_REQ_CT_1, 0x864C) \
    X(UM_REQ_CN_SET, 0x864D) \
    X(UM_REQ_OS_0, 0x864E) \
    X(UM_REQ_OS_1, 0x864F) \
    X(UM_REQ_OS_2, 0x8650) \
    X(UM_REQ_IF_OI_READ, 0x8651) \
    X(UM_REQ_KM_READ_START, 0x8652) \
    X(UM_REQ_SH_SET_B, 0x8653) \
    X(UM_REQ_RT_01, 0x8654) \
    X(UM_REQ_RT_05, 0x8655) \
    X(UM_REQ_RT_06, 0x8656) \
    X(UM_REQ_RT_07, 0x8657) \
    X(UM_REQ_MK_0, 0x8659) \
    X(UM_REQ_EU_2, 0x865A) \
    X(UM_REQ_SC_TOGGLE, 0x865B) \
    X(UM_REQ_MK_7_8, 0x865C) \
    X(UM_REQ_MD_MODE_5, 0x865D) \
    X(UM_REQ_MD_MODE_4, 0x865E) \
    X(UM_REQ_MD_MODE_6, 0x865F) \
    X(UM_REQ_BAND_UPDOWN, 0x8660) \
    X(UM_REQ_VV, 0x8661) \
    X(UM_REQ_AX_SET, 0x8662) \
    X(UM_REQ_HM, 0x8663) \
    X(UM_REQ_ST_SET_B, 0x8664) \
    X(UM_REQ_SS_SET, 0x8665) \
    X(UM_REQ_VR_1, 0x8666) \
    X(UM_REQ_PB_7, 0x8667) \
    X(UM_REQ_PB_8, 0x8668) \
    X(UM_REQ_PB_0_C, 0x8669) \
    X(UM_REQ_MW, 0x866A) \
    X(UM_REQ_TX_TOGGLE, 0x866B) \
    X(UM_REQ_KY_0, 0x866C) \
    X(UM_REQ_LK_SET, 0x866D) \
    X(UM_REQ_MD_MODE_7, 0x866E)

// Answer notifications carried by AnswerTable rows, by value.
#define QX_ANSWER_NOTIFICATIONS(X) \
    X(UM_ANS_BS, 0x8301) \
    X(UM_ANS_RT, 0x8302) \
    X(UM_ANS_SF, 0x8304) \
    X(UM_ANS_BP, 0x8305) \
    X(UM_ANS_CO, 0x8307) \
    X(UM_ANS_NR, 0x8308) \
    X(UM_ANS_FT, 0x8309) \
    X(UM_ANS_LK, 0x830C) \
    X(UM_ANS_FS, 0x830D) \
    X(UM_ANS_VS, 0x830E) \
    X(UM_ANS_NA, 0x830F) \
    X(UM_ANS_NB, 0x8310) \
    X(UM_ANS_GT, 0x8312) \
    X(UM_ANS_RA, 0x8313) \
    X(UM_ANS_PA, 0x8314) \
    X(UM_ANS_KR, 0x8315) \
    X(UM_ANS_TS, 0x8316) \
    X(UM_ANS_AC, 0x8318) \
    X(UM_ANS_DS, 0x8319) \
    X(UM_ANS_VX, 0x831B) \
    X(UM_ANS_BI, 0x831C) \
    X(UM_ANS_PR, 0x831D) \
    X(UM_ANS_ML, 0x831E) \
    X(UM_ANS_CS, 0x831F) \
    X(UM_ANS_RM, 0x8321) \
    X(UM_ANS_KP, 0x8322) \
    X(UM_ANS_KS, 0x8323) \
    X(UM_ANS_SD, 0x8324) \
    X(UM_ANS_MG, 0x8326) \
    X(UM_ANS_PL, 0x8327) \
    X(UM_ANS_VG, 0x8328) \
    X(UM_ANS_VD, 0x8329) \
    X(UM_ANS_SQ, 0x832A) \
    X(UM_ANS_AG, 0x832B) \
    X(UM_ANS_RG, 0x832C) \
    X(UM_ANS_IF, 0x832D) \
    X(UM_ANS_IS, 0x832F) \
    X(UM_ANS_SH, 0x8330) \
    X(UM_ANS_RL, 0x8331) \
    X(UM_ANS_BY, 0x8332) \
    X(UM_ANS_FA, 0x8333) \
    X(UM_ANS_FB, 0x8334) \
    X(UM_ANS_SC, 0x8336) \
    X(UM_ANS_SM, 0x8337) \
    X(UM_ANS_TX, 0x8338) \
    X(UM_ANS_UL, 0x8339) \
    X(UM_ANS_AI, 0x833A) \
    X(UM_ANS_CN, 0x833B) \
    X(UM_ANS_CT, 0x833C) \
    X(UM_ANS_KM, 0x833D) \
    X(UM_ANS_MC, 0x833E) \
    X(UM_ANS_OI, 0x833F) \
    X(UM_ANS_OS, 0x8340) \
    X(UM_ANS_PB, 0x8341) \
    X(UM_ANS_PC, 0x8342) \
    X(UM_ANS_RS, 0x8343) \
    X(UM_ANS_ID, 0x8344) \
    X(UM_ANS_MD, 0x8345) \
    X(UM_ANS_MS, 0x8346) \
    X(UM_ANS_PS, 0x8347) \
    X(UM_ANS_RI, 0x8348) \
    X(UM_ANS_BG, 0x834D) \
    X(UM_ANS_LM, 0x834E) \
    X(UM_ANS_DQ, 0x8354) \
    X(UM_ANS_VC, 0x8355) \
    X(UM_ANS_MR, 0x8356) \
    X(UM_ANS_VR, 0x8357) \
    X(UM_ANS_AX, 0x8358) \
    X(UM_ANS_DA, 0x8359) \
    X(UM_ANS_SS, 0x835A) \
    X(UM_ANS_ST, 0x835B)

// Notifications to the main window that no AnswerTable row carries.
#define QX_OTHER_NOTIFICATIONS(X) \
    X(UM_ANS_OTHER, 0x830B) \
    X(UM_ANS_SPARE_03, 0x8303) \
    X(UM_ANS_SPARE_06, 0x8306) \
    X(UM_ANS_SPARE_11, 0x8311) \
    X(UM_ANS_SPARE_17, 0x8317) \
    X(UM_ANS_SPARE_25, 0x8325) \
    X(UM_ANS_SPARE_2E, 0x832E) \
    X(UM_ANS_SPARE_35, 0x8335) \
    X(UM_ANS_SPARE_53, 0x8353) \
    X(UM_ANS_REFUSED, 0x8A10)

// Commands and window-ended notices to the main window and its dialogs.
#define QX_WINDOW_MESSAGES(X) \
    X(UM_SHOW_ERROR, 0x8109) \
    X(UM_PANEL_REFRESH, 0x810A) \
    X(UM_VFOSET_DONE, 0x8589) \
    X(UM_COMSELECT_DONE, 0x858A) \
    X(UM_BAUDRATE_DONE, 0x858B) \
    X(UM_CMDSEND_DONE, 0x858C) \
    X(UM_VCC_DONE, 0x85A9) \
    X(UM_MEMWRITE_DONE, 0x85AD) \
    X(UM_CONTOUR_DONE, 0x85A8) \
    X(UM_NOTCH_DONE, 0x85AA) \
    X(UM_DNR_DONE, 0x85AC) \
    X(UM_MICEQ_DONE, 0x85AB) \
    X(UM_MENULIST_DONE, 0x8590) \
    X(UM_MENULIST_REFRESH, 0x85A7) \
    X(UM_PLAYBACK_DONE, 0x8593) \
    X(UM_CW_DONE, 0x8594) \
    X(UM_REPEATER_DONE, 0x8595) \
    X(UM_PANEL_85, 0x8585) \
    X(UM_PANEL_86, 0x8586) \
    X(UM_PANEL_87, 0x8587) \
    X(UM_PANEL_88, 0x8588) \
    X(UM_PANEL_8D, 0x858D) \
    X(UM_PANEL_8E, 0x858E) \
    X(UM_PANEL_8F, 0x858F) \
    X(UM_PANEL_91, 0x8591) \
    X(UM_PANEL_92, 0x8592) \
    X(UM_PANEL_99, 0x8599) \
    X(UM_KEY_78, 0x8578) \
    X(UM_KEY_79, 0x8579) \
    X(UM_KEY_7A, 0x857A) \
    X(UM_KEY_7B, 0x857B) \
    X(UM_KEY_7C, 0x857C) \
    X(UM_KEY_7D, 0x857D) \
    X(UM_KEY_7E, 0x857E) \
    X(UM_KEY_7F, 0x857F) \
    X(UM_KEY_80, 0x8580) \
    X(UM_KEY_81, 0x8581) \
    X(UM_KEY_82, 0x8582) \
    X(UM_KEY_83, 0x8583) \
    X(UM_KEY_84, 0x8584) \
    X(UM_KEY_9A, 0x859A) \
    X(UM_KEY_9B, 0x859B) \
    X(UM_KEY_9C, 0x859C) \
    X(UM_KEY_9D, 0x859D) \
    X(UM_KEY_9E, 0x859E) \
    X(UM_KEY_9F, 0x859F) \
    X(UM_KEY_A0, 0x85A0) \
    X(UM_KEY_A1, 0x85A1) \
    X(UM_KEY_A2, 0x85A2) \
    X(UM_KEY_A3, 0x85A3) \
    X(UM_KEY_A4, 0x85A4) \
    X(UM_KEY_A5, 0x85A5) \
    X(UM_KEY_A6, 0x85A6) \
    X(UM_WAIT_BOX_CLOSE, 0x8803) \
    X(UM_SETUPSAVE_DONE, 0x8A01) \
    X(UM_SETUPCOMPARE_DONE, 0x8A02) \
    X(UM_MEMCHANNELS_DONE, 0x8A03)

#define QX_ALL_MESSAGES(X) \
    QX_THREAD_MESSAGES(X) \
    QX_DIRECT_REQUESTS(X) \
    QX_EXPLICIT_SET_REQUESTS(X) \
    QX_TABLE_REQUESTS(X) \
    QX_ANSWER_NOTIFICATIONS(X) \
    QX_OTHER_NOTIFICATIONS(X) \
    QX_WINDOW_MESSAGES(X)

namespace qx {

#define QX_DEFINE_MESSAGE_ID(name, value) inline constexpr std::uint32_t name = value;
QX_ALL_MESSAGES(QX_DEFINE_MESSAGE_ID)
#undef QX_DEFINE_MESSAGE_ID

// Lowest and highest answer notification id.
inline constexpr std::uint32_t kFirstAnswerNotification = 0x8301;
inline constexpr std::uint32_t kLastAnswerNotification = 0x835B;

// The name of an id, empty when the id is unknown. An id is read by its
// receiver, so one value may stand for different messages at different
// receivers (the direct requests share the answer-notification range, for
// instance); for such a value this gives the first name in catalogue order:
// thread control, direct requests, explicit sets, table requests, answer notifications,
// other notifications, window messages.
std::string_view messageName(std::uint32_t id);

// The id of an exact, case-sensitive name.
std::optional<std::uint32_t> messageIdByName(std::string_view name);

// Whether the name is one of the requests the command builder takes: a
// RequestTable row or a direct request.
bool isRequestName(std::string_view name);

} // namespace qx
