#include "windows/AuxWindowFactory.h"

#include "menu/ui/MenuListDlg.h"
#include "panel/dsp/ContourDlg.h"
#include "panel/dsp/DnrDlg.h"
#include "panel/dsp/NotchDlg.h"
#include "windows/BaudRateDlg.h"
#include "windows/ComSelectDlg.h"
#include "windows/CommandSendDlg.h"
#include "windows/CwKeyerDlg.h"
#include "windows/MemoryChannelsDlg.h"
#include "windows/MemoryWriteDlg.h"
#include "windows/MicEqDlg.h"
#include "windows/PlaybackDlg.h"
#include "windows/RepeaterDlg.h"
#include "windows/SetupCompareDlg.h"
#include "windows/SetupSaveDlg.h"
#include "windows/VccDlg.h"
#include "windows/VfoSetDlg.h"

namespace qx {

AuxWindow* createAuxWindow(AuxKind kind, WindowContext& ctx, QWidget* parent)
{
    // One case per built window.
    switch (kind) {
    case AuxKind::MenuList: return new CMenuListDlg(ctx, parent);
    case AuxKind::VfoSet: return new CVfoSetDlg(ctx, parent);
    case AuxKind::MemoryWrite: return new CMemoryWriteDlg(ctx, parent);
    case AuxKind::CommandSend: return new CCommandSendDlg(ctx, parent);
    case AuxKind::ComSelect: return ctx.ports ? new CComSelectDlg(ctx, *ctx.ports, parent) : nullptr;
    case AuxKind::BaudRate: return ctx.ports ? new CBaudRateDlg(ctx, *ctx.ports, parent) : nullptr;
    case AuxKind::Vcc: return new CVccDlg(ctx, parent);
    case AuxKind::Playback: return new CPlaybackDlg(ctx, parent);
    case AuxKind::Cw: return new CCwKeyerDlg(ctx, parent);
    case AuxKind::Repeater: return new CRepeaterDlg(ctx, parent);
    case AuxKind::MicEq: return new CMicEqDlg(ctx, parent);
    case AuxKind::Contour: return new CContourDlg(ctx, parent);
    case AuxKind::Dnr: return new CDnrDlg(ctx, parent);
    case AuxKind::Notch: return new CNotchDlg(ctx, parent);
    case AuxKind::SetupSave: return new CSetupSaveDlg(ctx, parent);
    case AuxKind::SetupCompare: return new CSetupCompareDlg(ctx, parent);
    case AuxKind::MemoryChannels: return new CMemoryChannelsDlg(ctx, parent);
    default:
        break;
    }
    (void)ctx;
    (void)parent;
    return nullptr;
}

} // namespace qx
