// A colour static: a framed, centred caption on a background colour that
// the owner switches (a lamp of the window).
#pragma once
#include <QColor>
#include <QLabel>

namespace qx {

class IndicatorLabel : public QLabel {
    Q_OBJECT
public:
    explicit IndicatorLabel(const QString& text, QWidget* parent = nullptr);

    void setColours(const QColor& text, const QColor& background);
    QColor background() const { return background_; }
    QColor textColour() const { return text_; }

private:
    QColor text_{Qt::black};
    QColor background_{Qt::white};
};

} // namespace qx
