// The microphone in blocks of one frame (20 ms), handed to the page to code.
import { OnsetFinder } from './onset.js';

class MicCapture extends AudioWorkletProcessor {
  constructor(options) {
    super();
    this.frame = (options.processorOptions && options.processorOptions.frame) || 960;
    this.block = new Float32Array(this.frame);
    this.fill = 0;
    this.onsets = new OnsetFinder(sampleRate);
  }

  process(inputs) {
    const input = inputs[0] && inputs[0][0];
    if (!input) return true;
    const onset = this.onsets.find(input);
    if (onset >= 0) this.port.postMessage({ onset: currentTime + onset / sampleRate });
    let i = 0;
    while (i < input.length) {
      const take = Math.min(input.length - i, this.frame - this.fill);
      this.block.set(input.subarray(i, i + take), this.fill);
      this.fill += take;
      i += take;
      if (this.fill === this.frame) {
        this.port.postMessage(this.block, [this.block.buffer]);
        this.block = new Float32Array(this.frame);
        this.fill = 0;
      }
    }
    return true;
  }
}
registerProcessor('mic-capture', MicCapture);
