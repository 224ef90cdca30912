// The radio's plain settings, each held as the value characters of its answer
// under its key (code plus selector: "NA0", "BP01", "FA"). The keys that exist
// are the settings the radio has; a set of any other key is refused.
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qx::sim {

class SettingStore {
public:
    // Every setting at its power-up value.
    SettingStore();

    bool has(std::string_view key) const;
    // Empty for a key the radio does not have.
    std::string value(std::string_view key) const;
    // Refused (false) for an unknown key or a value of the wrong width.
    bool set(std::string_view key, std::string_view value);

    // The value read as a signed decimal ("+0100", "-5", "0042"); 0 when it is not one.
    long long number(std::string_view key) const;
    // Formats into the key's width: "IS" keeps a "+"/"-" sign, "CO" selector 0
    // a "-" for negatives; false when the number does not fit.
    bool setNumber(std::string_view key, long long value);

    // Keys in the order their changes are reported.
    const std::vector<std::string>& keys() const { return order_; }

private:
    std::map<std::string, std::string, std::less<>> values_;
    std::vector<std::string> order_;
};

// The value characters of a number in the width the key's code gives; empty
// when it does not fit.
std::string formatSetting(std::string_view key, long long value);

} // namespace qx::sim
