// A client's XML-RPC call read from a request body, and the answers written
// back. The reader is our own and small: the calls clients make are flat
// (a method name and a few scalar or array parameters), the body is already
// bounded by the HTTP reader, arrays may nest only a few deep, and anything
// else (a document type, a struct, a stray tag) is refused with the reason
// rather than guessed at. No entity is expanded beyond XML's five and
// numeric character references.
#pragma once
#include "xmlrpc/XmlRpcValue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::xmlrpc {

struct Call {
    std::string method;
    std::vector<Value> params;
};

inline constexpr int kMaxArrayDepth = 4;
inline constexpr std::size_t kMaxValues = 256;
inline constexpr std::size_t kMaxMethodName = 128;

// Nothing, with the reason in `why`, for a body that is not a method call.
std::optional<Call> parseCall(std::string_view body, std::string* why = nullptr);

// Fault codes, as XML-RPC servers commonly number them.
inline constexpr int kFaultParse = -32700;
inline constexpr int kFaultUnknownMethod = -32601;
inline constexpr int kFaultParams = -32602;
inline constexpr int kFaultServer = -32500;

std::string responseXml(const Value& v);
std::string faultXml(int code, std::string_view text);

} // namespace qx::xmlrpc
