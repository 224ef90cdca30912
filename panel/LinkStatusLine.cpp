#include "panel/LinkStatusLine.h"

namespace qx::panel {

namespace {

QColor phaseColour(LinkPhase p)
{
    switch (p) {
    case LinkPhase::Linked: return QColor(40, 170, 60);
    case LinkPhase::Connecting: return QColor(220, 150, 20);
    case LinkPhase::LinkLost:
    case LinkPhase::NoPort: return QColor(210, 50, 40);
    default: return QColor(120, 120, 120);
    }
}

} // namespace

LinkStatusLine::LinkStatusLine(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::RichText);
    setContentsMargins(6, 2, 6, 2);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    redraw();
}

void LinkStatusLine::setStatus(const LinkStatus& s)
{
    if (!known_ || s.phase != status_.phase || s.port != status_.port)
        message_.clear();
    status_ = s;
    known_ = true;
    redraw();
}

void LinkStatusLine::setMessage(const QString& text)
{
    message_ = text.simplified();
    redraw();
}

void LinkStatusLine::setActivity(const QString& text)
{
    if (text == activity_)
        return;
    activity_ = text;
    redraw();
}

void LinkStatusLine::setNotice(const QString& text)
{
    notice_ = text.simplified();
    redraw();
}

QString LinkStatusLine::plainText() const
{
    const QString notice = notice_.isEmpty() ? QString() : QStringLiteral(" \u2014 ") + notice_;
    if (!known_)
        return message_.isEmpty() ? notice_ : message_ + notice;
    QString t = QString::fromStdString(status_.port) + QStringLiteral(" \u00b7 ") + QString::number(status_.baud) +
                QStringLiteral(" bit/s \u00b7 ") + QString::fromStdString(linkPhaseText(status_));
    if (!activity_.isEmpty())
        t += QStringLiteral(" \u00b7 ") + activity_;
    if (!message_.isEmpty())
        t += QStringLiteral(" \u2014 ") + message_;
    return t + notice;
}

QString LinkStatusLine::shownText() const
{
    return shown_;
}

void LinkStatusLine::resizeEvent(QResizeEvent* e)
{
    QLabel::resizeEvent(e);
    redraw();
}

void LinkStatusLine::redraw()
{
    // What does not fit the line ends in an ellipsis; the tooltip says all.
    const QString full = plainText();
    const QString bullet = known_ ? QStringLiteral("\u25cf ") : QString();
    const int room = contentsRect().width() - fontMetrics().horizontalAdvance(bullet);
    shown_ = room > 0 ? fontMetrics().elidedText(full, Qt::ElideRight, room) : full;
    const QString said =
        notice_.isEmpty() ? message_ : message_.isEmpty() ? notice_ : message_ + QLatin1Char('\n') + notice_;
    setToolTip(shown_ != full ? full : said);
    if (!known_) {
        setText(shown_.toHtmlEscaped());
        return;
    }
    setText(QStringLiteral("<span style=\"color:%1\">\u25cf</span> %2")
                .arg(phaseColour(status_.phase).name(), shown_.toHtmlEscaped()));
}

} // namespace qx::panel
