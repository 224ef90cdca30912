#include "panel/PanelPainter.h"

#include "widgets/KeyBody.h"
#include "widgets/KnobBody.h"
#include "widgets/PanelColours.h"
#include "panel/KeyCaption.h"
#include "panel/PanelDisplay.h"
#include "panel/PanelLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace qx::panel {

namespace c = colours;

namespace {

QRectF toQ(const PanelRect& r) { return QRectF(r.x, r.y, r.w, r.h); }
QRect toQi(const PanelRect& r) { return QRect(r.x, r.y, r.w, r.h); }

double rad(int deg) { return deg * std::numbers::pi / 180.0; }

QFont font(int px, bool bold = true)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

// Segments a..g of each digit.
constexpr std::uint8_t kSegMask[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

// One seven-segment cell; mask selects the segments drawn.
void sevenSegments(QPainter& p, const QRectF& r, std::uint8_t mask, const QColor& colour)
{
    const double w = r.width(), h = r.height();
    const double t = std::max(2.0, w * 0.16);
    const double x0 = r.left() + w * 0.12, x1 = r.right() - w * 0.08;
    const double y0 = r.top() + h * 0.06, ym = r.top() + h * 0.5, y1 = r.bottom() - h * 0.06;
    const double slant = w * 0.08; // italic lean
    auto at = [&](double x, double y) { return QPointF(x + slant * (ym - y) / (h * 0.5), y); };
    auto horizontal = [&](double y) {
        return QPolygonF{at(x0 + t * 0.6, y), at(x0 + t, y - t / 2), at(x1 - t, y - t / 2),
                         at(x1 - t * 0.6, y), at(x1 - t, y + t / 2), at(x0 + t, y + t / 2)};
    };
    auto vertical = [&](double x, double ya, double yb) {
        return QPolygonF{at(x, ya + t * 0.6), at(x + t / 2, ya + t), at(x + t / 2, yb - t),
                         at(x, yb - t * 0.6), at(x - t / 2, yb - t), at(x - t / 2, ya + t)};
    };
    const QPolygonF segs[7] = {
        horizontal(y0 + t / 2), vertical(x1 - t / 2, y0 + t / 2, ym), vertical(x1 - t / 2, ym, y1 - t / 2),
        horizontal(y1 - t / 2), vertical(x0 + t / 2, ym, y1 - t / 2), vertical(x0 + t / 2, y0 + t / 2, ym),
        horizontal(ym),
    };
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < 7; ++i)
        if (mask & (1u << i))
            p.drawPolygon(segs[i]);
}

void digitCell(QPainter& p, const PanelRect& r, int state)
{
    const bool highlighted = state >= kHighlight;
    const int digit = state % kHighlight;
    if (highlighted) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 70, 90));
        p.drawRoundedRect(toQ(r).adjusted(1, 1, -1, -1), 3, 3);
    }
    if (digit <= 9)
        sevenSegments(p, toQ(r), kSegMask[digit], highlighted ? c::kSelected : c::kLit);
}

void lcdText(QPainter& p, const QRectF& r, std::string_view text, bool lit, int px = 8)
{
    p.setFont(font(px));
    p.setPen(lit ? c::kLit : c::kGhost);
    p.drawText(r, Qt::AlignCenter, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void bar(QPainter& p, const PanelRect& area, std::uint16_t bits, bool ghosts)
{
    const double w = area.w / double(kBarSegments);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < kBarSegments; ++i) {
        const bool lit = bits & (1u << i);
        if (!lit && !ghosts)
            continue;
        p.setBrush(lit ? c::kLit : c::kGhost);
        p.drawRect(QRectF(area.x + i * w + 1, area.y, w - 2, area.h));
    }
}

void drawKey(QPainter& p, const KeySpot& k, int state)
{
    const bool pressed = state == kKeyPressed || state == kKeyPressed + kKeyOnOffset;
    const QRectF r = drawKeyBody(p, toQ(k.rect()).adjusted(0.5, 0.5, -0.5, -0.5), pressed, 3, QColor(12, 12, 14));
    QRectF text = r;
    const int lampIndex = keyLampIndex(k.lamp);
    if (lampIndex == 0 || lampIndex == 1) {
        const bool on = state >= kKeyOnOffset;
        p.setPen(Qt::NoPen);
        p.setBrush(on ? c::kLampOn : c::kLampOff);
        p.drawRoundedRect(QRectF(r.center().x() - 6, r.top() + 4, 12, 4), 1.5, 1.5);
        text.setTop(r.top() + 8);
    }
    p.setFont(keyCaptionFont(k));
    p.setPen(pressed ? c::kCaption.darker(130) : c::kCaption);
    p.drawText(text, Qt::AlignCenter, QString::fromUtf8(k.caption.data(), static_cast<qsizetype>(k.caption.size())));
}

void pointer(QPainter& p, PanelPoint centre, int angle)
{
    const QPointF d(std::sin(rad(angle)), -std::cos(rad(angle)));
    const QPointF o(centre.x + 0.5, centre.y + 0.5);
    p.setPen(QPen(c::kPointer, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(o + d * 19, o + d * 24);
}

void paintFrequency(QPainter& p, const PanelModel& m)
{
    for (std::size_t i = 0; i < kFrequencyDigits.size(); ++i)
        digitCell(p, kFrequencyDigits[i], m.frequency.digits[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(c::kLit);
    if (m.frequency.mhzPoint)
        p.drawEllipse(QRectF(kMhzPoint.x, kMhzPoint.y, 6, 6));
    p.drawEllipse(QRectF(kKhzPoint.x, kKhzPoint.y, 6, 6));
}

void paintClarifier(QPainter& p, const PanelModel& m)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c::kLit);
    const QRectF s = toQ(kClarSign);
    if (m.clarifier.sign != ClarSign::Blank)
        p.drawRect(QRectF(s.left() + 4, s.center().y() - 1.5, 14, 3));
    if (m.clarifier.sign == ClarSign::Plus)
        p.drawRect(QRectF(s.center().x() - 1.5, s.center().y() - 7, 3, 14));
    for (std::size_t i = 0; i < 3; ++i)
        digitCell(p, kClarDigits[i], m.clarifier.digits[i]);
    p.drawEllipse(QRectF(kClarPoint.x + 8, kClarPoint.y + 4, 5, 5));
}

void paintSegments(QPainter& p, const PanelModel& m, const QRect& area)
{
    for (const auto& s : kSegmentSpots) {
        if (!toQi(s.rect).intersects(area))
            continue;
        if (s.seg == Seg::IfShiftMarks) {
            if (m.seg(s.seg)) {
                p.setPen(Qt::NoPen);
                p.setBrush(c::kLit);
                const QRectF r = toQ(s.rect);
                p.drawRect(QRectF(r.left(), r.top(), 3, r.height()));
                p.drawRect(QRectF(r.right() - 3, r.top(), 3, r.height()));
                p.drawRect(QRectF(r.center().x() - 1, r.top(), 2, r.height()));
            }
            continue;
        }
        if (isOnOffPair(s.seg)) {
            const QRectF r = toQ(s.rect);
            lcdText(p, QRectF(r.left(), r.top(), r.width(), 9), "OFF", !m.seg(s.seg), 7);
            lcdText(p, QRectF(r.left(), r.top() + 18, r.width(), 9), "ON", m.seg(s.seg), 7);
            continue;
        }
        if (m.seg(s.seg))
            lcdText(p, toQ(s.rect), s.text, true);
    }
}

constexpr std::string_view kVfoTexts[8] = {"VFO-A", "VFO-B", "MEM", "M.TUNE", "QMB", "PMS", "HOME", ""};

void paintVfoMemory(QPainter& p, const PanelModel& m)
{
    lcdText(p, toQ(kVfoMemory), kVfoTexts[m.vfoMemory & 7], true, 13);
}

void paintMeter(QPainter& p, const PanelModel& m)
{
    const double w = kMeterBar.w / double(kMeterSegments);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < kMeterSegments; ++i) {
        const bool lit = i < m.meterLit || i + 1 == m.meterPeakSeg;
        if (!lit)
            continue;
        const double h = 6 + kMeterBar.h * 0.5 * i / kMeterSegments;
        p.setBrush(i < 17 ? c::kLit : QColor(255, 80, 50));
        p.drawRect(QRectF(kMeterBar.x + i * w + 1, kMeterBar.y + kMeterBar.h - h, w - 3, h));
    }
    static constexpr std::string_view kLabels[3] = {"PO", "ALC", "SWR"};
    int lit = -1;
    switch (m.meterLabel) {
    case MeterLabel::Power:
    case MeterLabel::PowerAlt: lit = 0; break;
    case MeterLabel::Alc: lit = 1; break;
    case MeterLabel::Swr: lit = 2; break;
    case MeterLabel::Blank: break;
    }
    if (lit >= 0)
        lcdText(p, QRectF(40, 62 + lit * 8, 20, 8), kLabels[lit], true, 7);
}

void paintGraphs(QPainter& p, const PanelModel& m)
{
    const double w = kPassband.w / double(kGraphColumns);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < kGraphColumns; ++i) {
        const auto col = static_cast<std::size_t>(i);
        const int upper = m.notch.upper[col] ? 1 : m.contour.upper[col];
        const bool lower = !(m.notch.lower[col] || m.contour.lower[col]);
        const double x = kPassband.x + i * w + 0.5;
        p.setBrush(c::kLit);
        if (upper != 1) {
            const double top = upper == 2 ? kPassband.y : kPassband.y + 8;
            p.drawRect(QRectF(x, top, w - 1.5, kPassband.y + 19 - top));
        }
        if (lower)
            p.drawRect(QRectF(x, kPassband.y + 21, w - 1.5, 19));
    }
    bar(p, kIfShiftBar, m.ifShiftBars, false);
    bar(p, kDnrBar, m.dnrBars, false);
    bar(p, kBgBar, m.bgBars, false);
}

void paintKnobs(QPainter& p, const PanelModel& m, const QRect& area)
{
    for (std::size_t i = 0; i < kKnobs.size(); ++i) {
        if (!toQi(kKnobs[i].face).intersects(area))
            continue;
        drawKnurledFace(p, toQ(kKnobs[i].face), QColor(70, 72, 76), 36);
        pointer(p, kKnobs[i].centre, m.knobAngle[i]);
    }
}

void paintKnobLabels(QPainter& p, const PanelModel& m)
{
    for (std::size_t k = 0; k < kKnobs.size(); ++k) {
        bool lit = false;
        for (std::size_t l = 0; l < kKnobOfLabel.size(); ++l)
            lit = lit || (kKnobOfLabel[l] == static_cast<int>(k) && m.knobLabelLit[l]);
        const QRectF r = toQ(kKnobs[k].labelBar);
        p.setPen(Qt::NoPen);
        p.setBrush(lit ? c::kLabelLit : QColor(22, 23, 26));
        p.drawRoundedRect(r.adjusted(0, -2, 0, 2), 2, 2);
        p.setFont(font(7));
        p.setPen(lit ? QColor(20, 10, 0) : c::kCaption);
        const auto cap = kKnobs[k].caption;
        p.drawText(r.adjusted(0, -2, 0, 2), Qt::AlignCenter,
                   QString::fromUtf8(cap.data(), static_cast<qsizetype>(cap.size())));
    }
}

void paintMainDial(QPainter& p, const PanelModel& m)
{
    drawKnurledFace(p, toQ(kMainDial), QColor(48, 50, 54), 120);
    const int a = m.mainDialAngle;
    const double dx = std::trunc(25 * std::sin(rad(a))), dy = std::trunc(25 * std::cos(rad(a)));
    const QRectF dimple(499 + dx, 220 - dy, kDimpleSize, kDimpleSize);
    QRadialGradient g(dimple.center() + QPointF(4, 5), kDimpleSize / 2.0);
    g.setColorAt(0, QColor(70, 72, 78));
    g.setColorAt(1, QColor(22, 23, 26));
    p.setPen(QPen(QColor(90, 92, 98), 1));
    p.setBrush(g);
    p.drawEllipse(dimple.adjusted(2, 2, -2, -2));
}

void paintSecondDial(QPainter& p, const PanelModel& m)
{
    drawKnurledFace(p, toQ(kSecondDial), m.bandGroup ? QColor(96, 72, 40) : QColor(70, 72, 76), 36);
    if (m.secondDialAngle < kDialAtRest) {
        const int a = m.secondDialAngle;
        const double dx = std::trunc(10 * std::sin(rad(a))), dy = std::trunc(10 * std::cos(rad(a)));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 230, 235));
        p.drawEllipse(QRectF(166 + dx + 2, 270 - dy + 2, kSecondDotSize - 4, kSecondDotSize - 4));
    }
}

// The whole glass darkened over what was drawn, once per painted area, as
// the radio's own display goes dark: the figures stay readable, plainly not live.
void paintStale(QPainter& p, const QRect& area)
{
    const QRectF shade = toQ(kLcd).intersected(QRectF(area));
    if (shade.isEmpty())
        return;
    p.fillRect(shade, QColor(10, 12, 14, 165));
}

void paintKeys(QPainter& p, const PanelModel& m, const QRect& area)
{
    for (const auto& k : kKeys) {
        if (!toQi(k.rect()).adjusted(0, 0, 1, 2).intersects(area))
            continue;
        const int lamp = keyLampIndex(k.lamp);
        drawKey(p, k, lamp >= 0 ? m.keys[static_cast<std::size_t>(lamp)] : 0);
    }
}

void caption(QPainter& p, const QRectF& r, const char* text, int px = 8, Qt::Alignment a = Qt::AlignCenter)
{
    p.setFont(font(px));
    p.setPen(c::kCaption);
    p.drawText(r, a, QString::fromUtf8(text));
}

} // namespace

void PanelPainter::paintBackground(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, kPanelHeight);
    body.setColorAt(0, c::kBodyTop);
    body.setColorAt(0.5, QColor(40, 42, 46));
    body.setColorAt(1, c::kBodyBottom);
    p.fillRect(QRect(0, 0, kPanelWidth, kPanelHeight), body);
    p.setPen(QPen(QColor(90, 92, 98), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, kPanelWidth - 3, kPanelHeight - 3), 8, 8);
    p.setPen(QPen(QColor(20, 20, 22), 1));
    p.drawLine(QPointF(8, 164), QPointF(kPanelWidth - 8, 164));

    // LCD bezel and glass.
    const QRectF lcd = toQ(kLcd);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(16, 16, 18));
    p.drawRoundedRect(lcd.adjusted(-5, -5, 5, 5), 7, 7);
    QLinearGradient glass(lcd.topLeft(), lcd.bottomLeft());
    glass.setColorAt(0, c::kLcdGlass.lighter(130));
    glass.setColorAt(1, c::kLcdGlassEdge);
    p.setBrush(glass);
    p.drawRoundedRect(lcd, 4, 4);

    // Unlit segments show faintly through the glass.
    for (std::size_t i = 0; i < kFrequencyDigits.size(); ++i)
        sevenSegments(p, toQ(kFrequencyDigits[i]), 0x7F, c::kGhost);
    for (const auto& r : kClarDigits)
        sevenSegments(p, toQ(r), 0x7F, c::kGhost);
    for (const auto& s : kSegmentSpots)
        if (!isOnOffPair(s.seg) && !s.text.empty())
            lcdText(p, toQ(s.rect), s.text, false);
    lcdText(p, QRectF(509, 49, 27, 10), "ATT", false, 7);
    lcdText(p, QRectF(549, 49, 27, 10), "IPO", false, 7);
    lcdText(p, QRectF(625, 49, 27, 10), "NB", false, 7);
    lcdText(p, QRectF(665, 48, 27, 10), "AGC", false, 7);
    lcdText(p, QRectF(500, 28, 50, 8), "BG", false);
    lcdText(p, QRectF(40, 62, 20, 8), "PO", false, 7);
    lcdText(p, QRectF(40, 70, 20, 8), "ALC", false, 7);
    lcdText(p, QRectF(40, 78, 20, 8), "SWR", false, 7);
    lcdText(p, QRectF(104, 88, 110, 9), "CONTOUR / NOTCH", false, 7);
    lcdText(p, QRectF(588, 100, 110, 9), "", false);
    bar(p, kDnrBar, 0, true);
    bar(p, kBgBar, 0, true);
    bar(p, kIfShiftBar, 0, true);

    // Meter scale.
    p.setFont(font(8));
    p.setPen(QColor(170, 180, 190));
    p.drawText(QRectF(40, kMeterBar.y, 50, 12), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("S"));
    const char* marks[] = {"1", "3", "5", "7", "9", "+20", "+40", "+60"};
    const int at[] = {2, 5, 8, 12, 16, 20, 25, 30};
    const double sw = kMeterBar.w / double(kMeterSegments);
    for (int i = 0; i < 8; ++i)
        p.drawText(QRectF(kMeterBar.x + at[i] * sw - 14, kMeterScale.y, 28, 12), Qt::AlignCenter,
                   QString::fromLatin1(marks[i]));
    p.setPen(QPen(QColor(110, 120, 130), 1));
    p.drawLine(QPointF(kMeterBar.x, kMeterBar.y + kMeterBar.h + 2),
               QPointF(kMeterBar.x + kMeterBar.w, kMeterBar.y + kMeterBar.h + 2));
    lcdText(p, QRectF(220, 140, 50, 10), "", false);

    // Maker's plate and captions on the body.
    p.setFont(font(17));
    p.setPen(QColor(225, 228, 232));
    p.drawText(QRectF(712, 2, 126, 26), Qt::AlignCenter, QStringLiteral("QX-720"));
    caption(p, QRectF(712, 19, 126, 12), "HF/50MHz TRANSCEIVER", 7);
    caption(p, QRectF(716, 62, 112, 13), "MEMORY / VFO", 7);
    caption(p, QRectF(716, 108, 112, 13), "STEP  \xC2\xB7  SCAN", 7);
    caption(p, QRectF(130, 307, 84, 12), "MULTI", 7);
    caption(p, QRectF(446, 306, 143, 12), "MAIN DIAL", 7);
    caption(p, QRectF(277, 216, 100, 12), "MODE", 7);

    // Dial skirts.
    const QRectF skirt = toQ(kMainDial).adjusted(-6, -6, 6, 6);
    p.setPen(QPen(QColor(18, 18, 20), 2));
    p.setBrush(QColor(30, 31, 34));
    p.drawEllipse(skirt);
    p.setPen(QPen(QColor(150, 152, 158), 1));
    for (int i = 0; i < 60; ++i) {
        const QPointF d(std::sin(rad(i * 6)), -std::cos(rad(i * 6)));
        const double r = skirt.width() / 2;
        p.drawLine(skirt.center() + d * (r - (i % 5 == 0 ? 5 : 3)), skirt.center() + d * (r - 1));
    }
    for (const auto& k : kKnobs) {
        p.setPen(QPen(QColor(18, 18, 20), 2));
        p.setBrush(QColor(30, 31, 34));
        p.drawEllipse(toQ(k.face).adjusted(-3, -3, 3, 3));
    }
    p.drawEllipse(toQ(kSecondDial).adjusted(-3, -3, 3, 3));
}

void PanelPainter::paintRegions(QPainter& p, const PanelModel& m, unsigned regions, const QRect& area)
{
    p.setRenderHint(QPainter::Antialiasing);
    // Nothing outside the area: what lies there was painted (and shaded) on its own.
    p.save();
    p.setClipRect(QRectF(area), Qt::IntersectClip);
    if (regions & kRegionFrequency)
        paintFrequency(p, m);
    if (regions & kRegionClarifier)
        paintClarifier(p, m);
    if (regions & kRegionSegments)
        paintSegments(p, m, area);
    if (regions & kRegionVfoMemory)
        paintVfoMemory(p, m);
    if (regions & kRegionMeter)
        paintMeter(p, m);
    if (regions & kRegionGraphs)
        paintGraphs(p, m);
    if (regions & kRegionKnobLabels)
        paintKnobLabels(p, m);
    if (regions & kRegionKnobs)
        paintKnobs(p, m, area);
    if (regions & kRegionMainDial)
        paintMainDial(p, m);
    if (regions & kRegionSecondDial)
        paintSecondDial(p, m);
    if (regions & kRegionKeys)
        paintKeys(p, m, area);
    if (m.stale && (regions & kRegionSegments))
        paintStale(p, area);
    p.restore();
}


QRect PanelPainter::regionRect(unsigned region)
{
    switch (region) {
    case kRegionFrequency: return QRect(221, 96, 309, 53);
    case kRegionClarifier: return QRect(588, 118, 110, 30);
    case kRegionSegments: return toQi(kLcd);
    case kRegionVfoMemory: return toQi(kVfoMemory);
    case kRegionMeter: return QRect(40, 24, 436, 64);
    case kRegionGraphs: return QRect(104, 14, 566, 140);
    case kRegionKnobs: return QRect(40, 248, 780, 56);
    case kRegionMainDial: return toQi(kMainDial);
    case kRegionSecondDial: return toQi(kSecondDial);
    case kRegionKeys: return QRect(36, 32, 780, 271);
    case kRegionKnobLabels: return QRect(37, 227, 777, 11);
    default: return {};
    }
}

unsigned PanelPainter::regionsIn(const QRect& r)
{
    unsigned out = kNoRegion;
    for (unsigned bit = 1; bit & kAllRegions; bit <<= 1)
        if (regionRect(bit).intersects(r))
            out |= bit;
    return out;
}

} // namespace qx::panel
