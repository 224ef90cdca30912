// Where a sound starts after a quiet spell (a click, a Morse element), for
// measuring the audio's delay: the context time of the first loud sample.
export class OnsetFinder {
  constructor(rate, { quietMs = 30, loud = 0.1, quiet = 0.03 } = {}) {
    this.rate = rate;
    this.needQuiet = Math.round((quietMs * rate) / 1000);
    this.loud = loud;
    this.quiet = quiet;
    this.quietRun = 0;
    this.armed = false;
  }

  // The offset in `block` of an onset, or -1. A sound rises through the
  // levels between quiet and loud: those samples neither start nor cancel one.
  find(block) {
    let at = -1;
    for (let i = 0; i < block.length; i++) {
      const v = Math.abs(block[i]);
      if (v >= this.loud) {
        if (this.armed && at < 0) at = i;
        this.armed = false;
        this.quietRun = 0;
      } else if (v < this.quiet) {
        if (++this.quietRun >= this.needQuiet) this.armed = true;
      } else if (!this.armed) {
        this.quietRun = 0;
      }
    }
    return at;
  }
}
