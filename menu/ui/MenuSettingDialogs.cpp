#include "menu/ui/MenuSettingDialogs.h"

#include "menu/MenuKind.h"
#include "menu/ui/MenuChoiceDlg.h"
#include "menu/ui/MenuFlagsDlg.h"
#include "menu/ui/MenuTextDlg.h"
#include "menu/ui/MenuToneDlg.h"

namespace qx {

std::unique_ptr<MenuSettingDlg> makeSettingDialog(MenuItem& item, QWidget* parent)
{
    switch (item.kind) {
    case MenuKind::Vacant: return nullptr;
    case MenuKind::BandFlags:
    case MenuKind::ModeFlags: return std::make_unique<CMenuFlagsDlg>(item, parent);
    case MenuKind::BeaconText: return std::make_unique<CMenuTextDlg>(item, parent);
    case MenuKind::Tone: return std::make_unique<CMenuToneDlg>(item, parent);
    default: return std::make_unique<CMenuChoiceDlg>(item, parent);
    }
}

} // namespace qx
