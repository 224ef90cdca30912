'use strict';
// The remote station's audio: the radio's receive audio (Opus decoded by
// WebCodecs, or 16 kHz PCM where the browser cannot) played through the
// jitter buffer, and the controller's microphone coded to Opus and sent only
// while PTT is held. The page's own script (app.js) hands it the socket.
window.rcpAudio = (() => {
  const $ = (id) => document.getElementById(id);
  const OPUS = 1;
  const PCM16K = 2;
  const HEAD = 14;
  let sendText = () => {};
  let sendBinary = () => {};
  let ctx = null;
  let player = null;
  let gain = null;
  let analyser = null;
  let decoder = null;
  const decoding = [];  // the sequence numbers of the frames in the decoder, in order
  let listening = false;
  let pcm = false;
  let status = { available: false, text: '' };
  let stats = { depthMs: 0, targetMs: 0, lost: 0, underruns: 0 };
  let frameMs = 20;
  // The microphone.
  let micStream = null;
  let micNode = null;
  let encoder = null;
  let micSeq = 0;
  let sending = false;

  const note = (text) => { $('audio-note').textContent = text; };
  // When sounds started, on this machine's wall clock (ms): as heard from
  // the speaker, and as the microphone took them. For measuring the delay.
  const onsets = { rx: [], mic: [] };
  // Each received frame's capture time (the program's monotonic clock, µs)
  // and its arrival (this machine's wall clock, ms): the way's first part.
  const arrivals = [];
  // The output timestamp says when a context time is heard; a microphone
  // block is handled that much (the output's latency) earlier.
  function noteOnset(list, contextTime, input) {
    const ts = ctx.getOutputTimestamp();
    const early = input ? outputMs() : 0;
    list.push(performance.timeOrigin + ts.performanceTime + (contextTime - ts.contextTime) * 1000 - early);
    if (list.length > 200) list.shift();
  }

  async function context() {
    if (ctx) return ctx;
    // The smallest output buffer the browser has: 'interactive' holds about
    // 20 ms more, and a CW operator hears every millisecond of it.
    ctx = new AudioContext({ sampleRate: 48000, latencyHint: 0 });
    await ctx.audioWorklet.addModule('rx-worklet.js');
    await ctx.audioWorklet.addModule('mic-worklet.js');
    player = new AudioWorkletNode(ctx, 'rx-player', { outputChannelCount: [1] });
    player.port.onmessage = (e) => {
      if ('onset' in e.data) { noteOnset(onsets.rx, e.data.onset); return; }
      stats = e.data;
      showDelay();
    };
    gain = ctx.createGain();
    analyser = ctx.createAnalyser();
    analyser.fftSize = 32768;
    analyser.smoothingTimeConstant = 0;
    player.connect(gain).connect(analyser).connect(ctx.destination);
    setVolume();
    return ctx;
  }

  // What the browser's output adds after the worklet (ms).
  const outputMs = () => (ctx ? ((ctx.outputLatency || 0) + (ctx.baseLatency || 0)) * 1000 : 0);

  function showDelay() {
    if (!listening) { $('audio-delay').textContent = ''; return; }
    $('audio-delay').textContent = 'Receive delay ' + Math.round(stats.depthMs + frameMs + outputMs()) + ' ms';
  }

  function setVolume() {
    if (!gain) return;
    const muted = $('audio-mute').classList.contains('on');
    gain.gain.value = muted ? 0 : (+$('audio-volume').value / 100) ** 2;
  }

  async function opusDecodes() {
    if (typeof AudioDecoder === 'undefined') return false;
    try {
      return (await AudioDecoder.isConfigSupported({ codec: 'opus', sampleRate: 48000, numberOfChannels: 1 })).supported;
    } catch (_) { return false; }
  }

  async function listen(on, usePcm) {
    if (!on) {
      listening = false;
      sendText({ t: 'audio', rx: false });
      $('audio-on').textContent = 'Listen';
      $('audio-on').classList.remove('on');
      showDelay();
      return;
    }
    await context();
    await ctx.resume();
    pcm = !!usePcm;
    if (!pcm && !(await opusDecodes())) {
      note('This browser cannot decode Opus (WebCodecs); 16 kHz PCM works instead, at about ten times the data.');
      $('audio-pcm').hidden = false;
      return;
    }
    if (!pcm) {
      decoder = new AudioDecoder({
        output: (ad) => {
          const samples = new Float32Array(ad.numberOfFrames);
          ad.copyTo(samples, { planeIndex: 0, format: 'f32-planar' });
          player.port.postMessage({ seq: decoding.shift() || 0, samples }, [samples.buffer]);
          ad.close();
        },
        error: (e) => note('The receive audio could not be decoded: ' + e.message),
      });
      decoder.configure({ codec: 'opus', sampleRate: 48000, numberOfChannels: 1 });
    }
    player.port.postMessage({ reset: true });
    listening = true;
    $('audio-on').textContent = 'Stop listening';
    $('audio-on').classList.add('on');
    sendText({ t: 'audio', rx: true, pcm });
  }

  // 16 kHz PCM up to the context's 48 kHz, by straight lines between samples.
  function widen(bytes) {
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    const n = bytes.byteLength / 2;
    const out = new Float32Array(n * 3);
    let prev = 0;
    for (let i = 0; i < n; i++) {
      const s = view.getInt16(i * 2, true) / 32768;
      for (let k = 0; k < 3; k++) out[i * 3 + k] = prev + ((s - prev) * (k + 1)) / 3;
      prev = s;
    }
    return out;
  }

  function frame(buffer) {
    if (!listening || buffer.byteLength <= HEAD) return;
    const view = new DataView(buffer);
    const kind = view.getUint8(0);
    frameMs = view.getUint8(1);
    const seq = view.getUint32(2);
    const payload = new Uint8Array(buffer, HEAD);
    arrivals.push([Number(view.getBigUint64(6)), performance.timeOrigin + performance.now()]);
    if (arrivals.length > 500) arrivals.shift();
    if (kind === OPUS && decoder && decoder.state === 'configured') {
      decoding.push(seq);
      decoder.decode(new EncodedAudioChunk({ type: 'key', timestamp: seq * frameMs * 1000, data: payload }));
    } else if (kind === PCM16K && pcm) {
      const samples = widen(payload);
      player.port.postMessage({ seq, samples }, [samples.buffer]);
    }
  }

  // The strongest pitch in what the page plays, for tests and the curious.
  function peakHz() {
    if (!analyser) return 0;
    const bins = new Float32Array(analyser.frequencyBinCount);
    analyser.getFloatFrequencyData(bins);
    let best = 1;
    for (let i = 2; i < bins.length - 1; i++) if (bins[i] > bins[best]) best = i;
    if (bins[best] < -80) return 0;
    const a = bins[best - 1], b = bins[best], c = bins[best + 1];
    const shift = (a - c) / (2 * (a - 2 * b + c)) || 0;
    return ((best + shift) * ctx.sampleRate) / analyser.fftSize;
  }

  // The microphone: asked for once, with the browser's voice processing off,
  // since the radio's own processing and the operator's ear decide.
  async function microphone(on) {
    if (!on) {
      stopSending();
      if (micStream) micStream.getTracks().forEach((t) => t.stop());
      micStream = null;
      if (micNode) micNode.disconnect();
      micNode = null;
      return true;
    }
    if (typeof AudioEncoder === 'undefined') {
      note('This browser cannot code Opus (WebCodecs AudioEncoder): the microphone cannot be sent.');
      return false;
    }
    await context();
    await ctx.resume();
    try {
      micStream = await navigator.mediaDevices.getUserMedia({
        audio: { echoCancellation: false, noiseSuppression: false, autoGainControl: false, channelCount: 1 },
      });
    } catch (e) {
      note('No microphone: ' + e.message);
      return false;
    }
    const source = ctx.createMediaStreamSource(micStream);
    micNode = new AudioWorkletNode(ctx, 'mic-capture', { processorOptions: { frame: 960 }, outputChannelCount: [1] });
    micNode.port.onmessage = (e) => {
      if (e.data instanceof Float32Array) micBlock(e.data);
      else if ('onset' in e.data) noteOnset(onsets.mic, e.data.onset, true);
    };
    const silent = ctx.createGain();
    silent.gain.value = 0;
    source.connect(micNode).connect(silent).connect(ctx.destination);
    return true;
  }

  function newEncoder() {
    encoder = new AudioEncoder({
      output: (chunk) => {
        if (!sending) return;
        const head = new ArrayBuffer(HEAD + chunk.byteLength);
        const view = new DataView(head);
        view.setUint8(0, OPUS);
        view.setUint8(1, 20);
        view.setUint32(2, ++micSeq);
        view.setBigUint64(6, BigInt(Math.max(0, Math.round(chunk.timestamp))));
        chunk.copyTo(new Uint8Array(head, HEAD));
        sendBinary(head);
      },
      error: (e) => note('The microphone could not be coded: ' + e.message),
    });
    encoder.configure({ codec: 'opus', sampleRate: 48000, numberOfChannels: 1, bitrate: 24000,
                        opus: { frameDuration: 20000 } });
  }

  function micBlock(block) {
    if (!sending || !encoder || encoder.state !== 'configured') return;
    const timestamp = Math.round(ctx.currentTime * 1e6);
    const data = new AudioData({ format: 'f32-planar', sampleRate: 48000, numberOfFrames: block.length,
                                 numberOfChannels: 1, timestamp, data: block });
    encoder.encode(data);
    data.close();
  }

  function stopSending() {
    sending = false;
    if (encoder && encoder.state !== 'closed') encoder.close();
    encoder = null;
  }

  $('audio-on').addEventListener('click', () => listen(!listening, false));
  $('audio-pcm').addEventListener('click', () => { $('audio-pcm').hidden = true; listen(true, true); });
  $('audio-volume').addEventListener('input', setVolume);
  $('audio-mute').addEventListener('click', () => { $('audio-mute').classList.toggle('on'); setVolume(); });
  $('mic-on').addEventListener('change', async () => {
    if (!(await microphone($('mic-on').checked))) $('mic-on').checked = false;
  });

  return {
    attach(text, binary) { sendText = text; sendBinary = binary; },
    message(m) {
      status = m;
      if (!m.available) note(m.text || 'No receive audio on this station.');
      else note(m.text || '');
    },
    frame,
    opened() { if (listening) sendText({ t: 'audio', rx: true, pcm }); },
    // PTT with the microphone on: true when the page sends audio (the frames key the radio).
    pttDown() {
      if (!micStream) return false;
      newEncoder();
      sending = true;
      return true;
    },
    pttUp() { stopSending(); },
    micOn: () => !!micStream,
    peakHz,
    onsets: () => onsets,
    arrivals: () => arrivals,
    outputMs,
    stats: () => stats,
    status: () => status,
  };
})();
