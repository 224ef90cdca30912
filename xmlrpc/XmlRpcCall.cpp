#include "xmlrpc/XmlRpcCall.h"

#include <cstdint>

namespace qx::xmlrpc {
namespace {

class Reader {
public:
    explicit Reader(std::string_view s) : s_(s) {}

    std::optional<Call> call()
    {
        if (!prolog() || !open("methodCall"))
            return std::nullopt;
        Call c;
        if (!open("methodName"))
            return std::nullopt;
        auto name = text();
        if (!name || !close("methodName"))
            return std::nullopt;
        if (name->empty() || name->size() > kMaxMethodName)
            return fail("the method name is missing or too long");
        c.method = std::move(*name);
        if (peekOpen("params")) {
            bool empty = false;
            open("params", &empty);
            while (!empty && peekOpen("param")) {
                open("param");
                auto v = value(0);
                if (!v || !close("param"))
                    return std::nullopt;
                c.params.push_back(std::move(*v));
            }
            if (!empty && !close("params"))
                return std::nullopt;
        }
        if (!close("methodCall"))
            return std::nullopt;
        skipMisc();
        if (pos_ != s_.size())
            return fail("text after the method call");
        return c;
    }

    std::string why;

private:
    std::nullopt_t fail(std::string reason)
    {
        if (why.empty())
            why = std::move(reason);
        return std::nullopt;
    }

    void skipSpace()
    {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r' || s_[pos_] == '\n'))
            ++pos_;
    }

    // Spaces, comments and processing instructions between elements (Hamlib
    // names itself in one: <?clientid="hamlib(1234)"?>).
    bool skipMisc()
    {
        for (;;) {
            skipSpace();
            const std::string_view rest = s_.substr(pos_);
            const bool comment = rest.starts_with("<!--");
            if (!comment && !rest.starts_with("<?"))
                return true;
            const auto end = s_.find(comment ? "-->" : "?>", pos_ + 2);
            if (end == std::string_view::npos)
                return false;
            pos_ = end + (comment ? 3 : 2);
        }
    }

    bool prolog()
    {
        // A byte-order mark some writers put first.
        if (s_.starts_with("\xEF\xBB\xBF"))
            pos_ = 3;
        if (!skipMisc())
            return fail("a comment or processing instruction does not end"), false;
        if (s_.substr(pos_).starts_with("<!"))
            return fail("document types are not accepted"), false;
        return true;
    }

    bool peekOpen(std::string_view name)
    {
        skipMisc();
        const std::string_view rest = s_.substr(pos_);
        if (!rest.starts_with("<") || !rest.substr(1).starts_with(name))
            return false;
        const std::size_t after = 1 + name.size();
        return after < rest.size() && (rest[after] == '>' || rest[after] == '/' || rest[after] == ' ');
    }

    // `<name>` or, where `empty` is given, `<name/>`.
    bool open(std::string_view name, bool* empty = nullptr)
    {
        if (!peekOpen(name))
            return fail("<" + std::string(name) + "> expected"), false;
        pos_ += 1 + name.size();
        skipSpace();
        if (empty && s_.substr(pos_).starts_with("/>")) {
            pos_ += 2;
            *empty = true;
            return true;
        }
        if (pos_ >= s_.size() || s_[pos_] != '>')
            return fail("<" + std::string(name) + "> has attributes or does not end"), false;
        ++pos_;
        if (empty)
            *empty = false;
        return true;
    }

    bool close(std::string_view name)
    {
        skipMisc();
        const std::string tag = "</" + std::string(name);
        if (!s_.substr(pos_).starts_with(tag))
            return fail(tag + "> expected"), false;
        pos_ += tag.size();
        skipSpace();
        if (pos_ >= s_.size() || s_[pos_] != '>')
            return fail(tag + "> expected"), false;
        ++pos_;
        return true;
    }

    static bool appendUtf8(std::string& out, std::uint32_t cp)
    {
        if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
        return true;
    }

    // Character data up to the next tag, with references resolved.
    std::optional<std::string> text()
    {
        std::string out;
        while (pos_ < s_.size() && s_[pos_] != '<') {
            const char c = s_[pos_];
            if (c != '&') {
                out += c;
                ++pos_;
                continue;
            }
            const auto semi = s_.find(';', pos_);
            if (semi == std::string_view::npos || semi - pos_ > 10)
                return fail("a bad character reference");
            const std::string_view ref = s_.substr(pos_ + 1, semi - pos_ - 1);
            pos_ = semi + 1;
            if (ref == "lt") out += '<';
            else if (ref == "gt") out += '>';
            else if (ref == "amp") out += '&';
            else if (ref == "quot") out += '"';
            else if (ref == "apos") out += '\'';
            else if (ref.starts_with('#')) {
                const bool hex = ref.size() > 1 && (ref[1] == 'x' || ref[1] == 'X');
                const std::string_view digits = ref.substr(hex ? 2 : 1);
                std::uint32_t cp = 0;
                if (digits.empty())
                    return fail("a bad character reference");
                for (char d : digits) {
                    int n = -1;
                    if (d >= '0' && d <= '9') n = d - '0';
                    else if (hex && d >= 'a' && d <= 'f') n = d - 'a' + 10;
                    else if (hex && d >= 'A' && d <= 'F') n = d - 'A' + 10;
                    if (n < 0 || cp > 0x10FFFF)
                        return fail("a bad character reference");
                    cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(n);
                }
                if (!appendUtf8(out, cp))
                    return fail("a bad character reference");
            } else {
                return fail("an unknown entity");
            }
        }
        if (pos_ >= s_.size())
            return fail("the document ends inside an element");
        return out;
    }

    std::optional<Value> typed(std::string_view type, int depth)
    {
        if (type == "array") {
            if (depth >= kMaxArrayDepth)
                return fail("arrays nest too deep");
            Value::Array items;
            bool empty = false;
            if (!open("data", &empty))
                return std::nullopt;
            while (!empty && peekOpen("value")) {
                auto v = value(depth + 1);
                if (!v)
                    return std::nullopt;
                items.push_back(std::move(*v));
            }
            if ((!empty && !close("data")) || !close("array"))
                return std::nullopt;
            return Value(std::move(items));
        }
        auto t = text();
        if (!t || !close(type))
            return std::nullopt;
        if (type == "string")
            return Value(std::move(*t));
        const Value asText(*t);
        const auto n = asText.number();
        if (!n)
            return fail("<" + std::string(type) + "> holds no number");
        if (type == "double")
            return Value(*n);
        if (type == "boolean") {
            if (*n != 0 && *n != 1)
                return fail("<boolean> is 0 or 1");
            return Value(*n == 1);
        }
        if (*n != static_cast<double>(static_cast<long long>(*n)) || *n < INT32_MIN || *n > INT32_MAX)
            return fail("<" + std::string(type) + "> holds no 32-bit integer");
        return Value(static_cast<int>(*n));
    }

    std::optional<Value> value(int depth)
    {
        if (++values_ > kMaxValues)
            return fail("too many values");
        bool empty = false;
        if (!open("value", &empty))
            return std::nullopt;
        if (empty)
            return Value(std::string());
        const std::size_t start = pos_;
        skipMisc();
        for (std::string_view type : {"i4", "int", "double", "string", "boolean", "array"}) {
            if (!peekOpen(type))
                continue;
            bool emptyTyped = false;
            open(type, type == "string" || type == "array" ? &emptyTyped : nullptr);
            std::optional<Value> v;
            if (emptyTyped)
                v = type == "array" ? Value(Value::Array{}) : Value(std::string());
            else
                v = typed(type, depth);
            if (!v || !close("value"))
                return std::nullopt;
            return v;
        }
        // No type: the text itself is the string, spaces and all.
        pos_ = start;
        auto t = text();
        if (!t || !close("value"))
            return fail(why.empty() ? "a value of a type not accepted here" : why);
        return Value(std::move(*t));
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    std::size_t values_ = 0;
};

} // namespace

std::optional<Call> parseCall(std::string_view body, std::string* why)
{
    Reader r(body);
    auto c = r.call();
    if (!c && why)
        *why = r.why.empty() ? "not an XML-RPC method call" : r.why;
    return c;
}

std::string responseXml(const Value& v)
{
    std::string out = "<?xml version=\"1.0\"?>\r\n<methodResponse><params><param>\r\n\t";
    v.appendXml(out);
    out += "\r\n</param></params></methodResponse>\r\n";
    return out;
}

std::string faultXml(int code, std::string_view text)
{
    std::string out = "<?xml version=\"1.0\"?>\r\n<methodResponse><fault>\r\n\t<value><struct>"
                      "<member><name>faultCode</name><value><i4>" +
                      std::to_string(code) + "</i4></value></member><member><name>faultString</name><value>";
    appendEscaped(out, text);
    out += "</value></member></struct></value>\r\n</fault></methodResponse>\r\n";
    return out;
}

} // namespace qx::xmlrpc
