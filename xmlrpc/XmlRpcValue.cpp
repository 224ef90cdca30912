#include "xmlrpc/XmlRpcValue.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qx::xmlrpc {

std::optional<double> Value::number() const
{
    if (const int* i = std::get_if<int>(&v_))
        return *i;
    if (const double* d = std::get_if<double>(&v_))
        return *d;
    if (const bool* b = std::get_if<bool>(&v_))
        return *b ? 1.0 : 0.0;
    if (const std::string* s = std::get_if<std::string>(&v_)) {
        const char* begin = s->c_str();
        while (*begin == ' ')
            ++begin;
        char* end = nullptr;
        errno = 0;
        const double d = std::strtod(begin, &end);
        while (end && *end == ' ')
            ++end;
        if (end == begin || *end != '\0' || errno == ERANGE || !std::isfinite(d))
            return std::nullopt;
        return d;
    }
    return std::nullopt;
}

std::string Value::text() const
{
    if (const std::string* s = std::get_if<std::string>(&v_))
        return *s;
    if (const int* i = std::get_if<int>(&v_))
        return std::to_string(*i);
    if (const bool* b = std::get_if<bool>(&v_))
        return *b ? "1" : "0";
    if (const double* d = std::get_if<double>(&v_)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.6g", *d);
        return buf;
    }
    return {};
}

void appendEscaped(std::string& out, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
}

void Value::appendXml(std::string& out) const
{
    out += "<value>";
    if (const std::string* s = std::get_if<std::string>(&v_)) {
        appendEscaped(out, *s);
    } else if (const int* i = std::get_if<int>(&v_)) {
        out += "<i4>" + std::to_string(*i) + "</i4>";
    } else if (const bool* b = std::get_if<bool>(&v_)) {
        out += *b ? "<boolean>1</boolean>" : "<boolean>0</boolean>";
    } else if (const double* d = std::get_if<double>(&v_)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.6f", *d);
        out += "<double>";
        out += buf;
        out += "</double>";
    } else if (const Array* a = std::get_if<Array>(&v_)) {
        out += "<array><data>";
        for (const Value& v : *a)
            v.appendXml(out);
        out += "</data></array>";
    }
    out += "</value>";
}

} // namespace qx::xmlrpc
