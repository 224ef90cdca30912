// The page's jitter buffer, run by Node on its own sample clock.
// usage: node jitter_test.mjs PATH/TO/jitter.js   (exits 77 when it cannot import it)
import assert from 'node:assert/strict';
import { pathToFileURL } from 'node:url';

const { JitterBuffer } = await import(pathToFileURL(process.argv[2]).href);
const RATE = 48000;
const FRAME = 960;  // 20 ms
const QUANTUM = 128;

function frame(value) { return new Float32Array(FRAME).fill(value); }
// Plays `ms` of output in render quanta, as the audio thread does; returns the
// samples. The quanta do not divide a frame: the time owed runs across calls.
let owed = 0;
function play(jb, ms) {
  const out = [];
  const q = new Float32Array(QUANTUM);
  for (owed += (ms * RATE) / 1000; owed >= QUANTUM; owed -= QUANTUM) { jb.pull(q); out.push(...q); }
  return out;
}
// Frames arrive on time, one per 20 ms of output.
function steady(jb, from, count) {
  for (let i = 0; i < count; i++) { jb.push(from + i, frame((from + i) % 7 + 1)); play(jb, 20); }
  return from + count;
}

const tests = {
  'holds its target before it plays, then plays frames in order'() {
    const jb = new JitterBuffer();
    jb.push(1, frame(1));
    jb.push(2, frame(2));
    assert.ok(play(jb, 20).every((s) => s === 0), 'silent below the 60 ms target');
    jb.push(3, frame(3));
    const out = play(jb, 60);
    assert.equal(out[0], 1);
    assert.ok(out.includes(2) && out.includes(3));
    assert.ok(out.indexOf(2) < out.indexOf(3));
  },

  'drops a frame that comes late or twice'() {
    const jb = new JitterBuffer();
    assert.ok(jb.push(5, frame(1)));
    assert.ok(!jb.push(5, frame(9)));
    assert.ok(!jb.push(4, frame(9)));
    assert.equal(jb.late, 2);
    assert.equal(jb.depth, FRAME);
  },

  'grows on loss and on underrun, then after a calm spell shrinks back to what steady frames need'() {
    const jb = new JitterBuffer();
    let seq = steady(jb, 1, 10);
    assert.equal(jb.targetMs, 60);
    seq += 2;  // two frames lost
    jb.push(seq, frame(1));
    assert.equal(jb.lost, 2);
    assert.equal(jb.targetMs, 80);
    play(jb, 200);  // the network stalls: the buffer runs dry
    assert.ok(jb.underruns >= 1);
    const grown = jb.targetMs;
    assert.ok(grown > 80);
    seq = steady(jb, seq + 1, 50);  // 1 s of good frames: not yet calm
    assert.equal(jb.targetMs, grown);
    seq = steady(jb, seq, 250);  // 5 s more: back down, below the 60 ms it started with
    // Frames on time need one frame to play from, the margin and the output's quantum of spread.
    assert.ok(jb.targetMs >= 25 && jb.targetMs < 31, 'target ' + jb.targetMs);
    const before = jb.underruns;
    steady(jb, seq, 100);
    assert.equal(jb.underruns, before, 'the lower target still never runs dry');
    assert.ok(jb.depthMs < 35, 'the delay came down with it: ' + jb.depthMs + ' ms');
  },

  'one stall costs an underrun, and within 2 s the delay is back where it was'() {
    const jb = new JitterBuffer();
    let seq = steady(jb, 1, 300);  // 6 s: settled
    const settled = jb.targetMs;
    play(jb, 60);  // the page was busy for 60 ms; then its frames come at once
    for (let i = 0; i < 3; i++) jb.push(seq++, frame(1));
    assert.ok(jb.underruns >= 1 && jb.targetMs > settled);
    seq = steady(jb, seq, 100);  // 2 s
    assert.equal(jb.targetMs, settled);
    assert.ok(jb.depthMs <= settled, 'held ' + jb.depthMs + ' ms against ' + settled);
  },

  'frames that arrive in pairs keep the target up by the spread of their arrival'() {
    const jb = new JitterBuffer();
    let seq = 1;
    for (let i = 0; i < 150; i++) {  // 6 s: two frames at once, then 40 ms of nothing
      jb.push(seq++, frame(1));
      jb.push(seq++, frame(2));
      play(jb, 40);
    }
    assert.equal(jb.underruns, 0);
    // 20 ms of spread on top of the 25 that frames on time need.
    assert.ok(jb.targetMs >= 45 && jb.targetMs < 55, 'target ' + jb.targetMs);
  },

  'a surplus that stands below the burst limit is cut, not carried'() {
    const jb = new JitterBuffer();
    for (let seq = 1; seq <= 4; seq++) jb.push(seq, frame(1));  // 80 ms at once, 20 over the target
    let most = 0;
    for (let seq = 5; seq < 65; seq++) {  // 1.2 s
      jb.push(seq, frame(1));
      if (seq > 35) most = Math.max(most, jb.depthMs);
      play(jb, 20);
    }
    assert.equal(jb.targetMs, 60, 'within the calm: the target itself has not moved');
    assert.ok(most <= 60 + 3, 'the depth after a frame came: ' + most + ' ms');
    assert.equal(jb.underruns, 0);
  },

  'a sender that starts its count again is heard, not taken as late'() {
    const jb = new JitterBuffer();
    steady(jb, 5000, 10);
    assert.ok(jb.push(1, frame(3)), 'the new count');
    assert.ok(jb.push(2, frame(3)));
    assert.equal(jb.late, 0);
    assert.ok(!jb.push(1, frame(3)), 'still a repeat within the new count');
  },

  'a backlog after a stall is dropped, so the delay comes back to the target'() {
    const jb = new JitterBuffer();
    let seq = steady(jb, 1, 20);
    // 400 ms of frames arrive at once (the sender was stuck, e.g. while transmitting).
    for (let i = 0; i < 20; i++) jb.push(seq++, frame(1));
    play(jb, 20);
    assert.ok(jb.depthMs <= jb.targetMs + 20, 'depth ' + jb.depthMs + ' ms against a target of ' + jb.targetMs);
    assert.ok(jb.dropped > 0);
    seq = steady(jb, seq, 100);
    assert.ok(jb.depthMs <= 80);
  },
};

let failed = 0;
for (const [name, test] of Object.entries(tests)) {
  try { test(); console.log('ok   ' + name); } catch (e) { failed++; console.log('FAIL ' + name + '\n' + e.stack); }
}
process.exit(failed ? 1 : 0);
