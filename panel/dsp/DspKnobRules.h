// How each DSP knob's value moves and where its dot points.
#pragma once

namespace qx::dsp {

inline constexpr int kContourFrequencyMin = 1;
inline constexpr int kContourFrequencyMax = 26;
inline constexpr int kContourLevelMin = -2;
inline constexpr int kContourLevelMax = 2;
inline constexpr int kDnrLevelMin = 1;
inline constexpr int kDnrLevelMax = 11;
inline constexpr int kNotchMin = 73;
inline constexpr int kNotchMax = 327;

// The contour frequency moves over 1, 8, 14, 20, 26 when turned.
int contourFrequencyAfterSteps(int current, int steps);
int contourFrequencyAfterLabelStep(int current, int direction);
int contourFrequencyDotAngle(int value);

int contourLevelAfterSteps(int current, int steps);
int contourLevelDotAngle(int value);

int dnrLevelAfterSteps(int current, int steps);
int dnrLevelDotAngle(int value);

int notchAfterSteps(int current, int steps);
int notchDotAngle(int value);

} // namespace qx::dsp
