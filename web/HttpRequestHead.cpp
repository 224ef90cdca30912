#include "web/HttpRequestHead.h"

#include <QList>

namespace qx::web {

HeadResult readRequestHead(const QByteArray& bytes, HttpRequestHead& head)
{
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0)
        return bytes.size() > kMaxHeadBytes ? HeadResult::Bad : HeadResult::Incomplete;
    if (end + 4 > kMaxHeadBytes)
        return HeadResult::Bad;
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    const QList<QByteArray> request = lines.front().trimmed().split(' ');
    if (request.size() != 3 || !request[2].startsWith("HTTP/1.") || !request[1].startsWith('/'))
        return HeadResult::Bad;
    head.method = request[0];
    head.path = request[1];
    head.fields.clear();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return HeadResult::Bad;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        // Two Cookie or Origin fields would leave the check guessing which one counts.
        if (head.fields.contains(name))
            return HeadResult::Bad;
        head.fields.insert(name, value);
    }
    head.headLength = end + 4;
    return HeadResult::Complete;
}

} // namespace qx::web
