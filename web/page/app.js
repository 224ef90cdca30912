'use strict';
// The remote station's page: state arrives on one WebSocket whenever it
// changes; operations leave on it as small JSON messages.
(() => {
  const $ = (id) => document.getElementById(id);
  const state = {};
  let ws = null;
  let myId = 0;
  let holder = -1;
  let pttOn = false;
  let pttTimer = 0;
  let retry = 0;

  const show = (id, on) => { $(id).hidden = !on; };
  const send = (o) => { if (ws && ws.readyState === WebSocket.OPEN) ws.send(JSON.stringify(o)); };
  const audio = window.rcpAudio;
  audio.attach(send, (b) => { if (ws && ws.readyState === WebSocket.OPEN) ws.send(b); });

  function groupDigits(hz) {
    const s = String(Math.round(hz));
    return s.replace(/\B(?=(\d{3})+(?!\d))/g, '.');
  }

  function render(changed) {
    Object.assign(state, changed);
    if ('freq' in changed) $('freq').textContent = groupDigits(state.freq);
    if ('fb' in changed || 'fa' in changed || 'vfo' in changed)
      $('freq-b').textContent = groupDigits(state.vfo === 1 ? state.fa : state.fb) + (state.vfo === 1 ? ' (A)' : '');
    if ('vfo' in changed) {
      $('vfo-name').textContent = state.vfo === 1 ? 'VFO B' : 'VFO A';
      $('vfo-a').classList.toggle('on', state.vfo !== 1);
      $('vfo-b').classList.toggle('on', state.vfo === 1);
    }
    if ('mode' in changed) $('mode').textContent = state.mode;
    if ('modeCode' in changed)
      document.querySelectorAll('[data-mode]').forEach((b) => b.classList.toggle('on', +b.dataset.mode === state.modeCode));
    if ('split' in changed) { $('split-lamp').classList.toggle('on', !!state.split); $('split').classList.toggle('on', !!state.split); }
    if ('tx' in changed) {
      $('tx-lamp').textContent = state.tx ? 'TX' : 'RX';
      $('tx-lamp').classList.toggle('tx', !!state.tx);
      $('ptt').classList.toggle('tx', !!state.tx);
    }
    for (const k of ['att', 'ipo', 'dnr']) if (k in changed) $(k).classList.toggle('on', !!state[k]);
    if ('nb' in changed) $('nb').classList.toggle('on', state.nb > 0);
    if ('agc' in changed) $('agc').value = String(state.agc === 3 ? 2 : state.agc);
    for (const k of ['af', 'rf', 'sql']) if (k in changed && document.activeElement !== $(k)) $(k).value = state[k];
    if ('smeter' in changed || 'rmeter' in changed || 'tx' in changed) {
      const v = state.tx ? state.rmeter : state.smeter;
      $('meter-bar').style.width = Math.min(100, (v / 255) * 100) + '%';
      $('meter-label').textContent = state.tx ? 'PO' : 'S';
    }
    if ('band' in changed)
      document.querySelectorAll('[data-band]').forEach((b) => b.classList.toggle('on', +b.dataset.band === bandKey(state.band)));
    if ('linked' in changed || 'power' in changed) linkState();
  }

  // The radio's band numbers skip 2 (the panel's list does too).
  const bandKey = (bs) => (bs >= 3 ? bs - 1 : bs);

  function linkState(closed) {
    const el = $('link-state');
    let text = 'linked';
    let cls = 'on';
    if (closed) { text = 'disconnected'; cls = 'bad'; }
    else if (!state.linked) { text = 'no link to the radio'; cls = 'bad'; }
    else if (!state.power) { text = 'radio off'; cls = 'warn'; }
    el.textContent = text;
    el.className = 'lamp ' + cls;
  }

  function renderControl(m) {
    holder = m.holder;
    const mine = holder === myId;
    $('control-state').textContent = mine ? 'You have control' : (m.name ? 'Control: ' + m.name : 'Nobody has control');
    $('control').textContent = mine ? 'Give up control' : 'Take control';
    document.body.classList.toggle('viewer', !mine);
    if (!mine) pttUp();
  }

  function notice(text, isError) {
    const n = $('notice');
    n.textContent = text;
    n.className = isError ? 'error' : '';
  }

  function connect() {
    const scheme = location.protocol === 'https:' ? 'wss://' : 'ws://';
    ws = new WebSocket(scheme + location.host + '/ws');
    ws.binaryType = 'arraybuffer';
    let opened = false;
    ws.onopen = () => { opened = true; retry = 0; show('login', false); show('station', true); audio.opened(); };
    ws.onmessage = (e) => {
      if (typeof e.data !== 'string') { audio.frame(e.data); return; }
      const m = JSON.parse(e.data);
      if (m.t === 'hello') {
        myId = m.id;
        if (m.fingerprint) $('fingerprint').textContent = 'Certificate SHA-256: ' + m.fingerprint;
        send({ t: 'control', take: true });
      } else if (m.t === 'state') { delete m.t; render(m); }
      else if (m.t === 'control') renderControl(m);
      else if (m.t === 'notice') notice(m.text, false);
      else if (m.t === 'error') notice(m.text, true);
      else if (m.t === 'audio') audio.message(m);
    };
    ws.onclose = () => {
      ws = null;
      pttUp();
      linkState(true);
      // Refused at once: look at the session again, without hammering the server.
      if (!opened) { setTimeout(checkSession, 2000); return; }
      retry = Math.min(retry + 1, 5);
      setTimeout(checkSession, 1000 * retry);
    };
  }

  async function checkSession() {
    let info = {};
    let ok = false;
    try {
      const r = await fetch('whoami', { cache: 'no-store' });
      ok = r.ok;
      info = await r.json();
    } catch (e) { setTimeout(checkSession, 3000); return; }
    if (ok) { connect(); return; }
    show('station', false);
    show('login', true);
    if (info.fingerprint) {
      $('login-fingerprint').textContent = 'First visit? Check that the certificate\'s SHA-256 fingerprint ' +
        'shown by your browser is ' + info.fingerprint + ' (the program shows it too).';
      show('login-fingerprint', true);
    }
    $('login-password').focus();
  }

  $('login-form').addEventListener('submit', async (e) => {
    e.preventDefault();
    $('login-error').textContent = '';
    const body = 'password=' + encodeURIComponent($('login-password').value);
    const r = await fetch('login', { method: 'POST', body, headers: { 'Content-Type': 'application/x-www-form-urlencoded' } });
    if (r.ok) { $('login-password').value = ''; connect(); return; }
    let text = 'Login failed.';
    try { text = (await r.json()).error || text; } catch (_) { /* keep the plain text */ }
    $('login-error').textContent = text;
  });

  $('logout').addEventListener('click', async () => { await fetch('logout', { method: 'POST' }); location.reload(); });
  $('control').addEventListener('click', () => send({ t: 'control', take: holder !== myId }));

  // Tuning: typed, wheel, drag and arrow keys.
  const step = () => +$('step').value;
  $('freq-entry').addEventListener('keydown', (e) => {
    if (e.key !== 'Enter') return;
    send({ t: 'freq', text: $('freq-entry').value });
    $('freq-entry').value = '';
  });
  const tune = (n) => { if (n) send({ t: 'step', hz: n * step() }); };
  $('freq').addEventListener('wheel', (e) => { e.preventDefault(); tune(e.deltaY < 0 ? 1 : -1); }, { passive: false });
  $('freq').addEventListener('keydown', (e) => {
    if (e.key === 'ArrowUp' || e.key === 'ArrowRight') { tune(1); e.preventDefault(); }
    if (e.key === 'ArrowDown' || e.key === 'ArrowLeft') { tune(-1); e.preventDefault(); }
  });
  let dragX = null;
  $('freq').addEventListener('pointerdown', (e) => { dragX = e.clientX; $('freq').setPointerCapture(e.pointerId); });
  $('freq').addEventListener('pointermove', (e) => {
    if (dragX === null) return;
    const n = Math.trunc((e.clientX - dragX) / 12);
    if (n) { tune(n); dragX += n * 12; }
  });
  $('freq').addEventListener('pointerup', () => { dragX = null; });
  document.querySelectorAll('[data-step]').forEach((b) => b.addEventListener('click', () => tune(+b.dataset.step)));

  document.querySelectorAll('[data-band]').forEach((b) => b.addEventListener('click', () => send({ t: 'band', b: +b.dataset.band })));
  document.querySelectorAll('[data-mode]').forEach((b) => b.addEventListener('click', () => send({ t: 'mode', m: +b.dataset.mode })));
  document.querySelectorAll('[data-kmem]').forEach((b) => b.addEventListener('click', () => send({ t: 'kmem', n: +b.dataset.kmem })));
  $('kstop').addEventListener('click', () => send({ t: 'kstop' }));
  $('cw-text').addEventListener('keydown', (e) => {
    if (e.key !== 'Enter' || !$('cw-text').value) return;
    send({ t: 'cw', text: $('cw-text').value });
    $('cw-text').value = '';
  });
  $('vfo-a').addEventListener('click', () => send({ t: 'vfo', v: 0 }));
  $('vfo-b').addEventListener('click', () => send({ t: 'vfo', v: 1 }));
  $('aeqb').addEventListener('click', () => send({ t: 'aeqb' }));
  $('split').addEventListener('click', () => send({ t: 'split', on: !state.split }));
  $('att').addEventListener('click', () => send({ t: 'att', on: !state.att }));
  $('ipo').addEventListener('click', () => send({ t: 'ipo', on: !state.ipo }));
  $('nb').addEventListener('click', () => send({ t: 'nb', v: state.nb > 0 ? 0 : 1 }));
  $('dnr').addEventListener('click', () => send({ t: 'dnr' }));
  $('agc').addEventListener('change', () => send({ t: 'agc', v: +$('agc').value }));
  for (const k of ['af', 'rf', 'sql']) $(k).addEventListener('input', () => send({ t: k, v: +$(k).value }));

  // PTT is held only while the key is held down and the page keeps saying so.
  function pttDown(e) {
    if (e) e.preventDefault();
    if (pttOn || holder !== myId) return;
    pttOn = true;
    $('ptt').classList.add('held');
    // With the microphone on, its frames key the radio while they come.
    send(audio.pttDown() ? { t: 'mic', on: true } : { t: 'ptt', on: true });
    pttTimer = setInterval(() => send({ t: 'hb' }), 250);
  }
  function pttUp() {
    if (!pttOn) return;
    pttOn = false;
    clearInterval(pttTimer);
    audio.pttUp();
    $('ptt').classList.remove('held');
    send({ t: 'ptt', on: false });
  }
  $('ptt').addEventListener('pointerdown', pttDown);
  for (const ev of ['pointerup', 'pointercancel', 'pointerleave']) $('ptt').addEventListener(ev, pttUp);
  $('ptt').addEventListener('contextmenu', (e) => e.preventDefault());
  const away = () => { if (pttOn) { pttUp(); send({ t: 'away' }); } };
  document.addEventListener('visibilitychange', () => { if (document.hidden) away(); });
  window.addEventListener('blur', away);
  window.addEventListener('pagehide', away);

  checkSession();
})();
