// Cuts a client's byte stream into HTTP/1.1 requests: a request line,
// headers and a body of Content-Length bytes. Requests may follow each other
// on one connection (clients keep it open) and arrive in any pieces. The
// head and the body are bounded; a request over either bound, without a
// length, with a chunked body or with a line that is not HTTP ends the
// connection after one error answer.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qx::xmlrpc {

inline constexpr std::size_t kMaxHeadBytes = 8 * 1024;
inline constexpr std::size_t kMaxBodyBytes = 64 * 1024;

struct HttpRequest {
    std::string method;  // "POST", "GET", ...
    std::string path;
    std::string body;
    bool keepAlive = true;  // false for HTTP/1.0 without keep-alive, or "Connection: close"
};

class HttpRequestReader {
public:
    struct Error {
        int status;  // the HTTP status to answer with
        std::string reason;
    };

    void feed(std::string_view bytes) { buffer_.append(bytes); }
    // The next whole request, if one is in; after an error nothing more.
    std::optional<HttpRequest> next();
    const std::optional<Error>& error() const { return error_; }
    // Bytes held: a reader refuses more than one request's worth.
    std::size_t buffered() const { return buffer_.size(); }

private:
    std::nullopt_t fail(int status, std::string reason);

    std::string buffer_;
    std::optional<Error> error_;
};

// The whole HTTP answer around an XML body, or an error answer.
std::string httpResponse(const std::string& xml, bool keepAlive);
std::string httpError(int status, std::string_view reason);

} // namespace qx::xmlrpc
