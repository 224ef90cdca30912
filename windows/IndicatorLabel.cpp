#include "windows/IndicatorLabel.h"

namespace qx {

IndicatorLabel::IndicatorLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setColours(text_, background_);
}

void IndicatorLabel::setColours(const QColor& text, const QColor& background)
{
    text_ = text;
    background_ = background;
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    setPalette(p);
}

} // namespace qx
