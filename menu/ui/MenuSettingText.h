// Texts of the setting dialogs that do not depend on widgets: the caption
// lines and what a beacon text may hold.
#pragma once
#include "menu/MenuItem.h"

#include <string>
#include <string_view>

namespace qx {

// "NNN  NAME  (units)", or "NNN  NAME" for an entry without units.
std::string settingCaptionWithUnits(const MenuItem& item);
// "NNN  NAME".
std::string settingCaption(const MenuItem& item);
// "NNN  NAME channel" for the beacon text.
std::string beaconCaption(const MenuItem& item);

// The radio's display shows upper case, digits and common signs only; ";"
// would end the set command early and cut the rest into a bogus command.
bool beaconCharAllowed(char c);
// Upper-cases letters and drops what the display cannot show; at most 40
// characters are kept.
std::string cleanBeaconText(std::string_view text);

} // namespace qx
