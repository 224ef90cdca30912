// Keeps every window the program shows whole on its screen (see
// WindowPlacement.h): watches the application for top-level windows being
// shown and places each one, once before it appears and once more after it
// has settled its size (a message box sizes itself as it shows).
#pragma once
#include <QObject>
#include <QRect>

#include <optional>

class QWidget;

namespace qx {

class ScreenKeeper : public QObject {
    Q_OBJECT
public:
    explicit ScreenKeeper(QObject* parent = nullptr);
    ~ScreenKeeper() override;

    // Places windows within this area rather than their screen's (a small
    // screen for tests); nothing: the real screen again.
    void setAvailableArea(std::optional<QRect> area) { area_ = area; }
    QRect availableFor(const QWidget* window) const;
    // `fresh`: the window has not been positioned yet, so it is centred.
    void place(QWidget* window, bool fresh) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<QRect> area_;
};

} // namespace qx
