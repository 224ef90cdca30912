// A static text whose text and background colours can be set; the
// background starts as the button face.
#pragma once
#include <QColor>
#include <QLabel>

namespace qx {

class ColouredStatic : public QLabel {
    Q_OBJECT
public:
    explicit ColouredStatic(const QString& text = {}, QWidget* parent = nullptr);

    void setTextColour(const QColor& colour);
    void setBackgroundColour(const QColor& colour);
    QColor textColour() const;
    QColor backgroundColour() const;
};

} // namespace qx
