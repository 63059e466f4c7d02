// The module's verdicts against the native ones: webpairs writes generated
// pairs with the verdicts of the player's native code; the module, run here
// as the page runs it, loads each quiz from its stored bytes and judges every
// typed text through the page's interface. The last line tells how many
// pairs agree and differ; the exit code is 1 when any differs.
//   node verdicts.mjs WEBPAIRS WEB.WASM [PAIRS] [SEED]
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const [webpairs, modulePath, pairs = '200000', seed = '1'] = process.argv.slice(2);
const folder = mkdtempSync(join(tmpdir(), 'webpairs-'));
const file = join(folder, 'pairs.jsonl');
process.stdout.write(execFileSync(webpairs, [pairs, seed, file]));

const { instance } = await WebAssembly.instantiate(readFileSync(modulePath), {});
const m = instance.exports;
m._initialize();
const encoder = new TextEncoder();

function put(bytes) {
  const at = m.web_input(bytes.length);
  new Uint8Array(m.memory.buffer, at, bytes.length).set(bytes);
}

let agree = 0;
let differ = 0;
let judgingNs = 0n;
for (const text of readFileSync(file, 'utf8').split('\n')) {
  if (!text) continue;
  const line = JSON.parse(text);
  const content = Buffer.from(line.content, 'base64');
  const codes = Buffer.from(line.codes, 'base64');
  put(Buffer.concat([content, codes]));
  if (m.web_load(content.length, codes.length) !== 6) throw new Error('the module could not load a quiz');
  const typed = line.typed.map((t) => encoder.encode(t));
  for (let k = 1; k <= typed.length; ++k) {
    put(typed[k - 1]);
    const started = process.hrtime.bigint();
    const verdict = m.web_judge(k, typed[k - 1].length);
    judgingNs += process.hrtime.bigint() - started;
    if (verdict === line.verdicts[k - 1]) {
      ++agree;
    } else {
      if (differ < 10) console.log(`differs: ${JSON.stringify(line.typed[k - 1])}: module ${verdict}, native ${line.verdicts[k - 1]}`);
      ++differ;
    }
  }
}
rmSync(folder, { recursive: true, force: true });
const total = agree + differ;
console.log(`module: ${(Number(judgingNs) / total).toFixed(0)} ns a field judged (web_judge, ${total} pairs)`);
console.log(`module verdicts: ${agree} agree with the native ones, ${differ} differ`);
process.exit(differ === 0 && total > 0 ? 0 : 1);
