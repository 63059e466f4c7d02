// Records the short WebM clip of the video tests (media/clip.webm) in
// Chromium: a second of a square moving over a 160 x 120 canvas, through
// the browser's own MediaRecorder. Run by hand when the clip must change:
//   node make-clip.mjs
import { writeFileSync } from 'node:fs';
import { startBrowser } from './browser.mjs';

const { browser, close } = await startBrowser();
const page = await browser.newPage();
const base64 = await page.evaluate(async () => {
  const canvas = document.createElement('canvas');
  canvas.width = 160;
  canvas.height = 120;
  document.body.append(canvas);
  const context = canvas.getContext('2d');
  const recorder = new MediaRecorder(canvas.captureStream(25), { mimeType: 'video/webm;codecs=vp8' });
  const chunks = [];
  recorder.ondataavailable = (event) => chunks.push(event.data);
  const stopped = new Promise((resolve) => { recorder.onstop = resolve; });
  recorder.start();
  const started = performance.now();
  await new Promise((resolve) => {
    function frame() {
      const t = (performance.now() - started) / 1000;
      context.fillStyle = '#2040a0';
      context.fillRect(0, 0, 160, 120);
      context.fillStyle = '#ffd020';
      context.fillRect(10 + t * 110, 40, 40, 40);
      if (t < 1) requestAnimationFrame(frame);
      else resolve();
    }
    frame();
  });
  recorder.stop();
  await stopped;
  const bytes = new Uint8Array(await new Blob(chunks).arrayBuffer());
  let text = '';
  for (const byte of bytes) text += String.fromCharCode(byte);
  return btoa(text);
});
await close();
writeFileSync(new URL('media/clip.webm', import.meta.url), Buffer.from(base64, 'base64'));
console.log(`media/clip.webm: ${Buffer.from(base64, 'base64').length} bytes`);
