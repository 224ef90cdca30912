// Requests cut from a client's stream however it arrives, and the bounds
// that keep one client from taking the server's memory.
#include "xmlrpc/HttpRequestReader.h"

#include <gtest/gtest.h>

namespace qx::xmlrpc {
namespace {

std::string post(const std::string& body, const std::string& extra = {})
{
    return "POST /RPC2 HTTP/1.1\r\nHost: x\r\n" + extra + "Content-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

TEST(HttpRequestReader, CutsRequestsFromAnyPiecesAndKeepsTheConnection)
{
    const std::string two = post("<a/>") + post("<bb/>", "Connection: close\r\n");
    HttpRequestReader r;
    std::vector<HttpRequest> got;
    // One byte at a time: every split point of both requests.
    for (char c : two) {
        r.feed(std::string_view(&c, 1));
        while (auto q = r.next())
            got.push_back(*q);
    }
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].path, "/RPC2");
    EXPECT_EQ(got[0].body, "<a/>");
    EXPECT_TRUE(got[0].keepAlive);
    EXPECT_EQ(got[1].body, "<bb/>");
    EXPECT_FALSE(got[1].keepAlive);
    EXPECT_FALSE(r.error());
    EXPECT_EQ(r.buffered(), 0u);

    HttpRequestReader old;
    old.feed("POST / HTTP/1.0\r\nContent-Length: 2\r\n\r\nab");
    auto q = old.next();
    ASSERT_TRUE(q);
    EXPECT_FALSE(q->keepAlive);
    EXPECT_EQ(q->path, "/");
}

TEST(HttpRequestReader, RefusesWhatItCannotFrameWithTheRightStatus)
{
    const std::vector<std::pair<std::string, int>> cases{
        {"POST / HTTP/1.1\r\n\r\n", 411},
        {"POST / HTTP/1.1\r\nContent-Length: 70000\r\n\r\n", 413},
        {"POST / HTTP/1.1\r\nContent-Length: -1\r\n\r\n", 400},
        {"POST / HTTP/1.1\r\nContent-Length: 99999999999999999999\r\n\r\n", 400},
        {"POST / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\n", 400},
        {"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", 501},
        {"POST / HTTP/2.0\r\nContent-Length: 0\r\n\r\n", 505},
        {"hello\r\n\r\n", 400},
        {"POST / HTTP/1.1\r\nno colon here\r\n\r\n", 400},
        {"POST / HTTP/1.1\r\nX: " + std::string(kMaxHeadBytes, 'a'), 431},
    };
    for (const auto& [text, status] : cases) {
        HttpRequestReader r;
        r.feed(text);
        EXPECT_FALSE(r.next()) << text.substr(0, 60);
        ASSERT_TRUE(r.error()) << text.substr(0, 60);
        EXPECT_EQ(r.error()->status, status) << text.substr(0, 60);
        // Nothing more is taken from a connection that failed.
        r.feed(post("<a/>"));
        EXPECT_FALSE(r.next());
    }
    const std::string e = httpError(413, "the call is too long");
    EXPECT_TRUE(e.starts_with("HTTP/1.1 413 "));
    EXPECT_NE(e.find("Connection: close"), std::string::npos);
}

} // namespace
} // namespace qx::xmlrpc
