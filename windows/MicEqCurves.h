// The two pictures of the MIC EQ window, drawn in code: five small response
// graphs each, one per preset, beside the preset buttons.
#pragma once
#include <QWidget>

namespace qx {

class MicEqCurves : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 107;
    static constexpr int kHeight = 345;
    static constexpr int kPresetsPerPicture = 5;

    // firstPreset: 0 for the left picture, 5 for the right one.
    explicit MicEqCurves(int firstPreset, QWidget* parent = nullptr);

    // Response in dB of preset k (0..9) at a point 0..1 across 100 Hz..4 kHz.
    static double response(int preset, double x);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int firstPreset_;
};

} // namespace qx
