// Picks the setting dialog for an entry by its kind: flags, beacon text,
// tone, or the choice list for every other kind.
#pragma once
#include "menu/ui/MenuSettingDlg.h"

#include <memory>

namespace qx {

std::unique_ptr<MenuSettingDlg> makeSettingDialog(MenuItem& item, QWidget* parent);

} // namespace qx
