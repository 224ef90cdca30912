#include "widgets/ColouredStatic.h"

namespace qx {

ColouredStatic::ColouredStatic(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setAutoFillBackground(true);
    setBackgroundColour(palette().color(QPalette::Button));
}

void ColouredStatic::setTextColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void ColouredStatic::setBackgroundColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

QColor ColouredStatic::textColour() const
{
    return palette().color(QPalette::WindowText);
}

QColor ColouredStatic::backgroundColour() const
{
    return palette().color(QPalette::Window);
}

} // namespace qx
