// The receive audio's player on the audio thread: decoded frames in through
// the port, the jitter buffer between them and the output.
import { JitterBuffer } from './jitter.js';
import { OnsetFinder } from './onset.js';

class RxPlayer extends AudioWorkletProcessor {
  constructor() {
    super();
    this.jb = new JitterBuffer({ rate: sampleRate });
    this.sinceReport = 0;
    this.onsets = new OnsetFinder(sampleRate);
    this.port.onmessage = (e) => {
      if (e.data.reset) { this.jb = new JitterBuffer({ rate: sampleRate }); return; }
      this.jb.push(e.data.seq, e.data.samples);
    };
  }

  process(inputs, outputs) {
    const out = outputs[0][0];
    this.jb.pull(out);
    for (let c = 1; c < outputs[0].length; c++) outputs[0][c].set(out);
    const onset = this.onsets.find(out);
    if (onset >= 0) this.port.postMessage({ onset: currentTime + onset / sampleRate });
    this.sinceReport += out.length;
    if (this.sinceReport >= sampleRate / 4) {
      this.sinceReport = 0;
      const j = this.jb;
      this.port.postMessage({ depthMs: j.depthMs, targetMs: j.targetMs, lost: j.lost, underruns: j.underruns });
    }
    return true;
  }
}
registerProcessor('rx-player', RxPlayer);
