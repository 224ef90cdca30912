// The receive audio's jitter buffer: frames go in as they arrive, the audio
// output takes samples at its own steady pace. It holds back a target depth
// (60 ms to start with); a frame lost or an underrun raises the target, 2 s
// without trouble start lowering it again, and a backlog well above it (a burst
// after a stall) is dropped so the delay comes back instead of staying.
// Its only clock is the count of samples taken out, so it runs the same in
// a test as in the audio thread.
export class JitterBuffer {
  constructor({ rate = 48000, targetMs = 60, maxMs = 400, stepMs = 20, calmMs = 2000, excessMs = 30 } = {}) {
    this.rate = rate;
    this.minTarget = this.ms(targetMs);
    this.maxTarget = this.ms(maxMs);
    this.step = this.ms(stepMs);
    this.calm = this.ms(calmMs);
    this.excess = this.ms(excessMs);
    this.target = this.minTarget;
    this.queue = [];       // Float32Arrays, oldest first
    this.head = 0;         // samples of queue[0] already played
    this.depth = 0;        // samples waiting
    this.clock = 0;        // samples taken out
    this.lastTrouble = 0;  // clock at the last loss or underrun
    this.lastShrink = 0;
    this.lastSeq = null;
    this.buffering = true;
    this.lost = 0;
    this.late = 0;
    this.underruns = 0;
    this.dropped = 0;
  }

  ms(v) { return Math.round((v * this.rate) / 1000); }
  get depthMs() { return (this.depth * 1000) / this.rate; }
  get targetMs() { return (this.target * 1000) / this.rate; }

  grow() {
    this.target = Math.min(this.maxTarget, this.target + this.step);
    this.lastTrouble = this.clock;
  }

  // A frame of samples with its sequence number; false when it came too late or twice.
  push(seq, samples) {
    if (this.lastSeq !== null && seq <= this.lastSeq) { this.late++; return false; }
    if (this.lastSeq !== null && seq > this.lastSeq + 1) { this.lost += seq - this.lastSeq - 1; this.grow(); }
    this.lastSeq = seq;
    this.queue.push(samples);
    this.depth += samples.length;
    return true;
  }

  // Fills `out` with the next samples (silence while there are none).
  pull(out) {
    const n = out.length;
    this.clock += n;
    // After a calm spell it comes down quickly (a step every quarter of the
    // calm), so a delay grown during a bad moment does not outlast it by much.
    if (this.clock - this.lastTrouble >= this.calm && this.clock - this.lastShrink >= this.calm / 4 &&
        this.target > this.minTarget) {
      this.target = Math.max(this.minTarget, this.target - this.step);
      this.lastShrink = this.clock;
    }
    if (this.buffering) {
      if (this.depth < this.target) { out.fill(0); return; }
      this.buffering = false;
    }
    if (this.depth > this.target + this.excess) this.skip(this.depth - this.target);
    let i = 0;
    while (i < n && this.queue.length) {
      const f = this.queue[0];
      const take = Math.min(n - i, f.length - this.head);
      out.set(f.subarray(this.head, this.head + take), i);
      i += take;
      this.head += take;
      this.depth -= take;
      if (this.head >= f.length) { this.queue.shift(); this.head = 0; }
    }
    if (i < n) {
      out.fill(0, i);
      this.underruns++;
      this.buffering = true;
      this.grow();
    }
  }

  skip(samples) {
    while (samples > 0 && this.queue.length) {
      const f = this.queue[0];
      const take = Math.min(samples, f.length - this.head);
      this.head += take;
      this.depth -= take;
      samples -= take;
      this.dropped += take;
      if (this.head >= f.length) { this.queue.shift(); this.head = 0; }
    }
  }
}
