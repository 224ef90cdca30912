// The start-up splash: a borderless picture shown while the program comes up.
#pragma once
#include <QWidget>

namespace qx::panel {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace qx::panel
