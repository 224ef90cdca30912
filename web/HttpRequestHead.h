// The head of an HTTP/1.1 request as the remote station needs it: method,
// path and the header fields (names in lower case). Anything larger than
// the limits or malformed is refused rather than guessed at.
#pragma once
#include <QByteArray>
#include <QMap>

#include <optional>

namespace qx::web {

struct HttpRequestHead {
    QByteArray method;
    QByteArray path;
    QMap<QByteArray, QByteArray> fields;
    qsizetype headLength = 0;  // bytes up to and with the blank line

    QByteArray field(const char* name) const { return fields.value(QByteArray(name)); }
};

inline constexpr qsizetype kMaxHeadBytes = 8 * 1024;

enum class HeadResult { Incomplete, Complete, Bad };

// Reads the head from the start of `bytes`.
HeadResult readRequestHead(const QByteArray& bytes, HttpRequestHead& head);

} // namespace qx::web
