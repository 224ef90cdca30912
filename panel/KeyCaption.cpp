#include "panel/KeyCaption.h"

#include <QFontMetricsF>
#include <QString>

namespace qx::panel {
namespace {

constexpr int kSmallestPx = 6;

QString captionOf(const KeySpot& key)
{
    return QString::fromUtf8(key.caption.data(), static_cast<qsizetype>(key.caption.size()));
}

QFont captionFont(int px, bool condensed)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(px);
    f.setBold(true);
    f.setStretch(condensed ? QFont::Condensed : QFont::Unstretched);
    return f;
}

// The key body is drawn half a pixel inside the key's rectangle on each side.
double innerWidth(const KeySpot& key) { return key.right - key.left - 1; }

double roomWith(const KeySpot& key, const QFont& f)
{
    return (innerWidth(key) - QFontMetricsF(f).horizontalAdvance(captionOf(key))) / 2;
}

} // namespace

QFont keyCaptionFont(const KeySpot& key)
{
    const bool small = key.bottom - key.top < 20;
    for (int px = small ? 7 : 8; px >= kSmallestPx; --px) {
        for (bool condensed : {false, true}) {
            const QFont f = captionFont(px, condensed);
            if (roomWith(key, f) >= kKeyCaptionMargin)
                return f;
        }
    }
    return captionFont(kSmallestPx, true);
}

double keyCaptionRoom(const KeySpot& key) { return roomWith(key, keyCaptionFont(key)); }

} // namespace qx::panel
