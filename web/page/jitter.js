// The receive audio's jitter buffer: frames go in as they arrive, the audio
// output takes samples at its own steady pace. It holds back a target depth:
// 60 ms to start with; a frame lost or an underrun raises it, and 1.5 s
// without trouble start lowering it again, down to what the frames' arrival needs
// (the spread of their lateness over the last few seconds, one frame and a
// 5 ms margin), so a steady link is not charged a bad link's delay. A backlog well
// above the target (a burst after a stall) is dropped so the delay comes back
// instead of staying.
// Its only clock is the count of samples taken out, so it runs the same in
// a test as in the audio thread.
export class JitterBuffer {
  constructor({ rate = 48000, targetMs = 60, maxMs = 400, stepMs = 20, calmMs = 1500, excessMs = 30,
                marginMs = 5, windowMs = 4000, restartMs = 2000 } = {}) {
    this.rate = rate;
    this.startTarget = this.ms(targetMs);
    this.maxTarget = this.ms(maxMs);
    this.step = this.ms(stepMs);
    this.calm = this.ms(calmMs);
    this.excess = this.ms(excessMs);
    this.margin = this.ms(marginMs);
    this.window = this.ms(windowMs);
    this.restart = this.ms(restartMs);
    this.target = this.startTarget;
    this.arrivals = [];    // [clock, lateness] of the frames of the last window, oldest first
    this.queue = [];       // Float32Arrays, oldest first
    this.head = 0;         // samples of queue[0] already played
    this.depth = 0;        // samples waiting
    this.clock = 0;        // samples taken out
    this.lastTrouble = 0;  // clock at the last loss or underrun
    this.lastShrink = 0;
    this.lastSeq = null;
    this.buffering = true;
    this.lowest = Infinity;  // the least depth left after a pull since the last look
    this.lost = 0;
    this.late = 0;
    this.underruns = 0;
    this.dropped = 0;
  }

  ms(v) { return Math.round((v * this.rate) / 1000); }
  get depthMs() { return (this.depth * 1000) / this.rate; }
  get targetMs() { return (this.target * 1000) / this.rate; }

  // The least target the recent arrivals allow: how much later than the
  // earliest the late ones came (all but the latest twentieth, so that one
  // stall does not hold the delay up for the whole window), one frame to play
  // from, and a margin.
  get floor() {
    if (!this.arrivals.length) return this.startTarget;
    const late = this.arrivals.map(([, l]) => l).sort((a, b) => a - b);
    const spread = late[Math.floor((late.length - 1) * 0.95)] - late[0];
    return Math.min(this.maxTarget, spread + this.frameLength + this.margin);
  }

  noteArrival(seq, length) {
    this.frameLength = length;
    this.arrivals.push([this.clock, this.clock - seq * length]);
    while (this.clock - this.arrivals[0][0] > this.window) this.arrivals.shift();
  }

  grow() {
    this.target = Math.min(this.maxTarget, this.target + this.step);
    this.lastTrouble = this.clock;
  }

  // A frame of samples with its sequence number; false when it came too late or twice.
  push(seq, samples) {
    // Far behind the last one: the sender started again (the program restarted), not a late frame.
    if (this.lastSeq !== null && (this.lastSeq - seq) * samples.length > this.restart) this.lastSeq = null;
    if (this.lastSeq !== null && seq <= this.lastSeq) { this.late++; return false; }
    if (this.lastSeq === null) this.arrivals = [];
    if (this.lastSeq !== null && seq > this.lastSeq + 1) { this.lost += seq - this.lastSeq - 1; this.grow(); }
    this.lastSeq = seq;
    this.noteArrival(seq, samples.length);
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
    if (this.clock - this.lastShrink >= this.calm / 4) {
      if (this.clock - this.lastTrouble >= this.calm) {
        const floor = this.floor;
        if (this.target > floor) this.target = Math.max(floor, this.target - this.step);
      }
      this.trim(n);
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
      this.lowest = Infinity;
      this.grow();
    } else {
      this.lowest = Math.min(this.lowest, this.depth);
    }
  }

  // Played from the target, the depth dips to a frame below it just before
  // each frame comes. Where it stayed higher for a whole look (it started
  // high, or the target came down), the surplus is delay nobody needs: cut it.
  trim(quantum) {
    const surplus = this.lowest - (this.target - (this.frameLength || 0));
    this.lowest = Infinity;
    if (!this.buffering && Number.isFinite(surplus) && surplus > quantum) this.skip(surplus);
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
