#include "xmlrpc/HttpRequestReader.h"

#include <algorithm>
#include <cctype>

namespace qx::xmlrpc {
namespace {

std::string lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

const char* statusText(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 405: return "Method Not Allowed";
    case 411: return "Length Required";
    case 413: return "Content Too Large";
    case 431: return "Request Header Fields Too Large";
    case 501: return "Not Implemented";
    case 505: return "HTTP Version Not Supported";
    default: return "Error";
    }
}

} // namespace

std::nullopt_t HttpRequestReader::fail(int status, std::string reason)
{
    error_ = Error{status, std::move(reason)};
    buffer_.clear();
    return std::nullopt;
}

std::optional<HttpRequest> HttpRequestReader::next()
{
    if (error_)
        return std::nullopt;
    // Blank lines between requests are allowed before a request line.
    while (buffer_.starts_with("\r\n"))
        buffer_.erase(0, 2);
    while (buffer_.starts_with("\n"))
        buffer_.erase(0, 1);
    std::size_t headEnd = buffer_.find("\r\n\r\n");
    std::size_t sepLen = 4;
    if (const std::size_t bare = buffer_.find("\n\n"); bare != std::string::npos && bare < headEnd) {
        headEnd = bare;
        sepLen = 2;
    }
    if (headEnd == std::string::npos) {
        if (buffer_.size() > kMaxHeadBytes)
            return fail(431, "the request head is too long");
        return std::nullopt;
    }
    if (headEnd > kMaxHeadBytes)
        return fail(431, "the request head is too long");

    const std::string_view head(buffer_.data(), headEnd);
    std::size_t lineEnd = head.find('\n');
    const std::string_view requestLine = trim(head.substr(0, lineEnd));
    const auto sp1 = requestLine.find(' ');
    const auto sp2 = requestLine.rfind(' ');
    if (sp1 == std::string_view::npos || sp2 == sp1)
        return fail(400, "not an HTTP request line");
    HttpRequest r;
    r.method = std::string(requestLine.substr(0, sp1));
    r.path = std::string(requestLine.substr(sp1 + 1, sp2 - sp1 - 1));
    const std::string_view version = requestLine.substr(sp2 + 1);
    if (version != "HTTP/1.1" && version != "HTTP/1.0")
        return fail(version.starts_with("HTTP/") ? 505 : 400, "not an HTTP/1.x request");
    r.keepAlive = version == "HTTP/1.1";

    std::optional<std::size_t> length;
    while (lineEnd != std::string_view::npos) {
        const std::size_t from = lineEnd + 1;
        lineEnd = head.find('\n', from);
        const std::string_view line = trim(head.substr(from, lineEnd == std::string_view::npos ? lineEnd : lineEnd - from));
        if (line.empty())
            continue;
        const auto colon = line.find(':');
        if (colon == std::string_view::npos)
            return fail(400, "a header line without a colon");
        const std::string name = lower(trim(line.substr(0, colon)));
        const std::string value = lower(trim(line.substr(colon + 1)));
        if (name == "content-length") {
            if (value.empty() || value.size() > 9 || value.find_first_not_of("0123456789") != std::string::npos)
                return fail(400, "a bad Content-Length");
            const std::size_t n = std::stoul(value);
            if (length && *length != n)
                return fail(400, "two different Content-Lengths");
            length = n;
        } else if (name == "transfer-encoding") {
            return fail(501, "chunked bodies are not accepted; send Content-Length");
        } else if (name == "connection") {
            if (value.find("close") != std::string::npos)
                r.keepAlive = false;
            else if (value.find("keep-alive") != std::string::npos)
                r.keepAlive = true;
        }
    }
    if (r.method != "POST") {
        if (length && *length > 0)
            return fail(405, "only POST carries calls");
        buffer_.erase(0, headEnd + sepLen);
        return r;
    }
    if (!length)
        return fail(411, "a POST needs a Content-Length");
    if (*length > kMaxBodyBytes)
        return fail(413, "the call is too long");
    if (buffer_.size() < headEnd + sepLen + *length)
        return std::nullopt;
    r.body = buffer_.substr(headEnd + sepLen, *length);
    buffer_.erase(0, headEnd + sepLen + *length);
    return r;
}

std::string httpResponse(const std::string& xml, bool keepAlive)
{
    std::string out = "HTTP/1.1 200 OK\r\n"
                      "Server: rcp720 XML-RPC\r\n"
                      "Content-Type: text/xml\r\n"
                      "Content-length: " +
                      std::to_string(xml.size()) + "\r\n";
    if (!keepAlive)
        out += "Connection: close\r\n";
    out += "\r\n";
    out += xml;
    return out;
}

std::string httpError(int status, std::string_view reason)
{
    std::string body(reason);
    body += "\n";
    return "HTTP/1.1 " + std::to_string(status) + " " + statusText(status) +
           "\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

} // namespace qx::xmlrpc
