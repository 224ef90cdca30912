// One XML-RPC value as clients send and expect them: a string, an integer,
// a double, a boolean or an array of values (structs are neither sent nor
// needed by any client of ours). Strings go out untyped, "<value>USB</value>",
// because that is how flrig writes them and how Hamlib's parser reads them.
#pragma once
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace qx::xmlrpc {

class Value {
public:
    using Array = std::vector<Value>;

    Value() = default;
    Value(std::string s) : v_(std::move(s)) {}
    Value(const char* s) : v_(std::string(s)) {}
    Value(int i) : v_(i) {}
    Value(double d) : v_(d) {}
    Value(bool b) : v_(b) {}
    Value(Array a) : v_(std::move(a)) {}

    bool isString() const { return std::holds_alternative<std::string>(v_); }
    bool isArray() const { return std::holds_alternative<Array>(v_); }
    const Array* array() const { return std::get_if<Array>(&v_); }

    // The value as a number, whatever its type: a string of digits counts,
    // as clients send frequencies both ways. Nothing for text or an array.
    std::optional<double> number() const;
    // The value as text: strings as they are, numbers in decimal.
    std::string text() const;

    // The <value>...</value> element.
    void appendXml(std::string& out) const;

private:
    std::variant<std::string, int, double, bool, Array> v_;
};

// Text with the five XML specials written as entities.
void appendEscaped(std::string& out, std::string_view text);

} // namespace qx::xmlrpc
