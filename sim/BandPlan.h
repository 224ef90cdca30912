// The bands the radio's band keys step through, with the frequency and mode
// each band starts on. Band numbers are those of the "BS" command.
#pragma once

namespace qx::sim {

struct Band {
    int number;
    long long low;
    long long high;
    long long start;
    int mode;
};

class BandPlan {
public:
    static constexpr int kGeneral = 11;
    static constexpr long long kLowest = 30000;
    static constexpr long long kHighest = 60000000;

    // Null for a number the radio has no band for (02, or beyond 11).
    static const Band* find(int number);
    // The amateur band holding the frequency, else the general-coverage band.
    static int bandOf(long long hz);
    // The next band up or down, wrapping round.
    static int step(int number, bool up);
    static constexpr bool tunable(long long hz) { return hz >= kLowest && hz <= kHighest; }
};

} // namespace qx::sim
