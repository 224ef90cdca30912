// What a link-up puts on the wire, in order: the 75 reads of the read-all
// sequence after "ID;", then the menu read of every slot in use; and helpers
// to find them in what the radio received.
#pragma once
#include "menu/MenuKind.h"
#include "menu/MenuTable.h"

#include <cstdio>
#include <string>
#include <vector>

namespace qx::test {

// True when `want` appears in `got` in this order, other texts in between allowed.
inline bool inOrder(const std::vector<std::string>& got, const std::vector<std::string>& want, std::size_t from = 0)
{
    std::size_t w = 0;
    for (std::size_t i = from; i < got.size() && w < want.size(); ++i)
        if (got[i] == want[w])
            ++w;
    return w == want.size();
}

inline std::size_t indexOf(const std::vector<std::string>& v, const std::string& text, std::size_t from = 0)
{
    for (std::size_t i = from; i < v.size(); ++i)
        if (v[i] == text)
            return i;
    return v.size();
}

inline const std::vector<std::string>& readAllTexts()
{
    static const std::vector<std::string> texts{
        "EX015;", "VS;",  "FA;",  "FB;",  "IF;",  "OI;",  "RS;",  "ST;",  "BS;",  "MD0;", "RT;",  "BP00;", "BP01;",
        "CO00;",  "CO01;", "MS;", "NR0;", "FT;",  "LK;",  "FS;",  "NA0;", "NB0;", "GT0;", "RA0;", "PA0;",  "KR;",
        "TS;",    "AC;",  "VX;",  "BI;",  "ML0;", "ML1;", "CS;",  "RM0;", "KP;",  "KS;",  "SD;",  "MG;",   "VG;",
        "VD;",    "SQ0;", "AG0;", "RG0;", "IS0;", "SH0;", "RL0;", "BY;",  "SC;",  "SM0;", "TX;",  "UL;",   "CN0;",
        "CT0;",   "KM1;", "KM2;", "KM3;", "MC;",  "OS0;", "PB;",  "PC;",  "PS;",  "RI0;", "RI1;", "RI3;",  "RI4;",
        "RI9;",   "BG0;", "LM0;", "DS;",  "VC;",  "VR;",  "AX;",  "DA;",  "SS0;", "SF;"};
    return texts;
}

// Every slot in use, in slot order: "EX" and the slot, the dimmer query for the dimmer slot.
inline std::vector<std::string> menuReadTexts(const MenuTable& menu)
{
    std::vector<std::string> texts;
    for (int slot = 1; slot <= menu.count(); ++slot) {
        const int kind = menu.kindOf(slot);
        if (kind == MenuKind::Vacant)
            continue;
        char text[16];
        std::snprintf(text, sizeof text, kind == 47 ? "DA;" : "EX%03d;", slot);
        texts.push_back(text);
    }
    return texts;
}

} // namespace qx::test
