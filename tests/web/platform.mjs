// The package for learning platforms played in headless Chromium inside a
// platform: a local web server gives a host page whose window.API is
// scorm-again's SCORM 1.2 run-time (the platform), loaded with a pupil's
// saved data, and which frames the package's launch file, taken out of the
// zip that quizmaker web --scorm writes. A pupil plays; the tests read back from the
// run-time its data and every call the page made, launch again with the
// data it saved, and play on platforms that refuse calls. Any request
// outside the server, script error or policy violation fails the test it
// happens in. The last line tells how many tests passed and failed;
// without Chromium or puppeteer-core it says why in one line and exits
// with 77 (skipped).
//   node platform.mjs QUIZMAKER OUT SHOTS
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { inflateRawSync } from 'node:zlib';
import { Failure, check, equal, press, read, ready, runTests, startOrSkip, typeInto, watch } from './pupil.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const [quizmaker, out, shots] = process.argv.slice(2);
mkdirSync(out, { recursive: true });
mkdirSync(shots, { recursive: true });

// The files of a zip archive, read from its central directory.
function unzip(bytes) {
  const end = bytes.lastIndexOf(Buffer.from([0x50, 0x4b, 0x05, 0x06]));
  const count = bytes.readUInt16LE(end + 10);
  let at = bytes.readUInt32LE(end + 16);
  const files = {};
  for (let i = 0; i < count; ++i) {
    const method = bytes.readUInt16LE(at + 10);
    const packedSize = bytes.readUInt32LE(at + 20);
    const nameLength = bytes.readUInt16LE(at + 28);
    const skip = nameLength + bytes.readUInt16LE(at + 30) + bytes.readUInt16LE(at + 32);
    const name = bytes.toString('latin1', at + 46, at + 46 + nameLength);
    const local = bytes.readUInt32LE(at + 42);
    const start = local + 30 + bytes.readUInt16LE(local + 26) + bytes.readUInt16LE(local + 28);
    const data = bytes.subarray(start, start + packedSize);
    files[name] = method === 8 ? inflateRawSync(data) : Buffer.from(data);
    at += 46 + skip;
  }
  return files;
}

// The packages: the platform quiz of three questions, and one of 90
// questions of two answers.
const big = {
  title: 'Quatre-vingt-dix questions', style: 0, questionFormat: 2, answerMode: 2,
  questions: Array.from({ length: 90 }, (_, i) => ({ answer: `a${i + 1}`, secondAnswer: `b${i + 1}`, caption: `Question ${i + 1}` })),
  codes: ['C'],
};
writeFileSync(join(out, 'big.json'), JSON.stringify(big));
const packages = {};
for (const [name, quiz] of [['platform', join(here, 'quizzes', 'platform.json')], ['big', join(out, 'big.json')]]) {
  const zip = join(out, name + '.zip');
  execFileSync(quizmaker, ['web', quiz, '-o', zip, '--scorm'], { stdio: ['ignore', 'ignore', 'pipe'] });
  packages[name] = unzip(readFileSync(zip));
  const manifest = packages[name]['imsmanifest.xml'].toString('utf8');
  for (const [, file] of manifest.matchAll(/<file href="([^"]+)"/g)) {
    if (!packages[name][file]) throw new Error(`${name}.zip lacks ${file}, which its manifest names`);
  }
}

// The platform: window.API is the run-time, loaded with launch.cmi, every
// call recorded in window.calls as [name, ...values, result]. launch.refuse
// makes one call answer launch.result and LMSGetLastError launch.error;
// launch.strict refuses suspend data over 4,096 characters. The launch
// file is framed (launch.nested: in a frame of a frame), or opened in a
// window of its own by a button in a frame (launch.window).
const hostScript = `
const launch = JSON.parse(new URLSearchParams(location.search).get('launch'));
const api = new Scorm12API({ logLevel: 5 });
if (launch.cmi) api.loadFromJSON(launch.cmi);
window.calls = [];
let forcedError = null;
const lastError = api.LMSGetLastError.bind(api);
api.LMSGetLastError = () => (forcedError === null ? lastError() : forcedError);
for (const name of ['LMSInitialize', 'LMSFinish', 'LMSGetValue', 'LMSSetValue', 'LMSCommit']) {
  const call = api[name].bind(api);
  api[name] = (...values) => {
    forcedError = null;
    let result;
    if (launch.refuse === name) {
      result = launch.result;
      if (result === 'true') call(...values);
      forcedError = launch.error;
    } else if (launch.strict && name === 'LMSSetValue' && values[0] === 'cmi.suspend_data' && values[1].length > 4096) {
      result = 'false';
      forcedError = '405';
    } else {
      result = call(...values);
    }
    window.calls.push([name, ...values, String(result)]);
    return result;
  };
}
window.API = api;
const frame = document.createElement('iframe');
frame.id = 'sco';
frame.src = launch.nested || launch.window ? '/middle.html?launch=' + encodeURIComponent(JSON.stringify(launch)) : launch.src;
document.body.append(frame);
`;
const middleScript = `
const launch = JSON.parse(new URLSearchParams(location.search).get('launch'));
if (launch.window) {
  const button = document.createElement('button');
  button.id = 'open';
  button.textContent = 'Ouvrir le quiz';
  button.addEventListener('click', () => window.open(launch.src, 'quiz'));
  document.body.append(button);
} else {
  const frame = document.createElement('iframe');
  frame.id = 'sco';
  frame.src = launch.src;
  document.body.append(frame);
}
`;
const framePage = (script) => '<!DOCTYPE html><html lang="fr"><head><meta charset="utf-8"><title>Plateforme</title>' +
  '<link rel="icon" href="data:,">' +
  '<style>iframe { width: 1100px; height: 760px; border: 1px solid #888; }</style></head><body>' +
  (script === 'host' ? '<script src="/scorm12.js"></script>' : '') + `<script src="/${script}.js"></script></body></html>`;
const served = {
  '/host.html': ['text/html', framePage('host')],
  '/middle.html': ['text/html', framePage('middle')],
  '/host.js': ['text/javascript', hostScript],
  '/middle.js': ['text/javascript', middleScript],
  '/scorm12.js': ['text/javascript', readFileSync(join(here, 'node_modules', 'scorm-again', 'dist', 'scorm12.js'))],
};
for (const [name, files] of Object.entries(packages)) {
  served[`/${name}/index.html`] = ['text/html; charset=utf-8', files['index.html']];
}
const server = createServer((request, response) => {
  const file = served[new URL(request.url, 'http://localhost').pathname];
  response.writeHead(file ? 200 : 404, { 'Content-Type': file ? file[0] : 'text/plain' });
  response.end(file ? file[1] : 'not found');
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const origin = `http://127.0.0.1:${server.address().port}`;

const { tools, started } = await startOrSkip();
const { Desktop } = tools;
const { browser } = started;

const Pupil = { student_id: 'eleve-1', student_name: 'Élève, Une' };
const Elements = ['cmi.core.score.min', 'cmi.core.score.max', 'cmi.core.score.raw', 'cmi.core.lesson_status',
  'cmi.core.exit', 'cmi.suspend_data'];

// One test's browsers: its first computer (the test's context) and any
// other it asks for, closed at its end.
function session(context, problems) {
  const others = [];
  const allowed = (address) => address.startsWith(origin + '/') || address === 'about:blank';
  async function newPage(where = context) {
    const page = await where.newPage();
    await page.setViewport(Desktop);
    watch(page, problems, allowed);
    return page;
  }
  // The package of name launched by the platform: the host page, and the
  // quiz's frame (or window) once it takes answers.
  async function launch(options = {}, where = context) {
    const settings = { cmi: { core: { ...Pupil } }, src: `/${options.quiz || 'platform'}/index.html`, ...options };
    const host = await newPage(where);
    await host.goto(`${origin}/host.html?launch=${encodeURIComponent(JSON.stringify(settings))}`);
    let quiz;
    if (settings.window) {
      const middle = await frameOf(host, '/middle.html');
      const popup = new Promise((resolve) => host.once('popup', resolve));
      await middle.click('#open');
      quiz = await popup;
      watch(quiz, problems, allowed);
    } else {
      quiz = await frameOf(host, settings.src);
    }
    await ready(quiz);
    return { host, quiz };
  }
  async function anotherComputer() {
    others.push(await browser.createBrowserContext());
    return others[others.length - 1];
  }
  return { launch, newPage, anotherComputer, close: () => Promise.all(others.map((other) => other.close())) };
}

async function frameOf(page, path) {
  for (let tries = 0; tries < 100; ++tries) {
    const frame = page.frames().find((one) => one.url().startsWith(origin + path));
    if (frame) return frame;
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  throw new Failure(`no frame of ${path}`);
}

// What the platform holds and was asked.
function platformOf(host) {
  return host.evaluate(() => ({
    calls: window.calls,
    raw: window.API.cmi.core.score.raw,
    min: window.API.cmi.core.score.min,
    max: window.API.cmi.core.score.max,
    status: window.API.cmi.core.lesson_status,
    suspendData: window.API.cmi.suspend_data,
  }));
}

// The pupil leaves: the frame goes elsewhere, the platform is told once.
async function leave(host) {
  await host.evaluate(() => { document.getElementById('sco').src = 'about:blank'; });
  await host.waitForFunction(() => window.calls.some((call) => call[0] === 'LMSFinish'), { timeout: 5000 });
  return platformOf(host);
}

// The data a platform keeps for the pupil's next launch.
function saved(platform) {
  return {
    core: { ...Pupil, lesson_status: platform.status, score: { raw: platform.raw, min: platform.min, max: platform.max } },
    suspend_data: platform.suspendData,
  };
}

// The packed answers' fields, "|" between, escapes undone.
function packedFields(text) {
  const body = text.replace(/^[0-9,]+[:+]/, '');
  return body === '' ? [] : body.split(/(?<!\\)\|/).map((field) => field.replace(/\\(.)/g, '$1'));
}

// The answers the page keeps in the browser's storage, by key.
function stored(quiz) {
  return quiz.evaluate(() => Object.fromEntries(Object.keys(localStorage).map((key) => [key, localStorage.getItem(key)])));
}

async function answer(quiz, k, text) {
  await typeInto(quiz, k, text);
  await press(quiz, 'Enter');
}

const tests = [];
function test(name, run) { tests.push({ name, run }); }

test('a pupil plays in the platform: after every judged answer the score, the status and the answers, and a commit; LMSFinish once as the page goes', async ({ launch }) => {
  const { host, quiz } = await launch();
  let platform = await platformOf(host);
  equal(platform.calls.slice(0, 3).map((call) => call.slice(0, 2)), [['LMSInitialize', ''],
    ['LMSGetValue', 'cmi.core.student_id'], ['LMSGetValue', 'cmi.suspend_data']], 'the first calls');
  equal([platform.raw, platform.min, platform.max, platform.status], ['0', '0', '3', 'incomplete'], 'as the page opens');
  await answer(quiz, 1, 'paris');
  platform = await platformOf(host);
  equal([platform.raw, platform.status], ['1', 'incomplete'], 'after one right answer');
  check(/^\d+:paris$/.test(platform.suspendData), `the answers as suspend data: ${platform.suspendData}`);
  await answer(quiz, 2, 'Rome');
  await answer(quiz, 3, 'madrid');
  equal((await read(quiz)).score, ' 3 / 3', 'the page\'s score');
  await host.screenshot({ path: join(shots, 'platform.png') });
  platform = await leave(host);
  equal([platform.raw, platform.max, platform.status], ['3', '3', 'completed'], 'once every question is solved');
  check(/^\d+:paris\|Rome\|madrid$/.test(platform.suspendData), `the answers: ${platform.suspendData}`);

  // Every save is the six values, then a commit; every call accepted.
  const calls = platform.calls;
  const commits = calls.map((call, i) => (call[0] === 'LMSCommit' ? i : -1)).filter((i) => i >= 0);
  check(commits.length >= 4, `${commits.length} commits for three answers`);
  for (const at of commits) {
    equal(calls.slice(at - 6, at).map((call) => [call[0], call[1]]), Elements.map((name) => ['LMSSetValue', name]),
      `the values before the commit at call ${at}`);
    equal(calls[at - 2][2], 'suspend', 'the exit, so the platform gives the answers back');
  }
  check(calls.every((call) => call[call.length - 1] === 'true' || call[0] === 'LMSGetValue'), 'every call accepted');
  equal(calls.filter((call) => call[0] === 'LMSFinish').length, 1, 'LMSFinish calls');
  equal(calls[calls.length - 1][0], 'LMSFinish', 'the last call');
});

test('a second launch with the data the platform saved restores the answers, judged again, on another computer too; clearing them clears the platform\'s', async ({ launch, anotherComputer }) => {
  const first = await launch();
  await answer(first.quiz, 1, 'paris');
  await answer(first.quiz, 2, 'rom');
  await typeInto(first.quiz, 3, 'pas encore jugé');
  const kept = await leave(first.host);
  equal(packedFields(kept.suspendData), ['paris', 'rom', 'pas encore jugé'], 'the suspend data');

  for (const where of ['the same computer', 'another computer']) {
    const { host, quiz } = await launch({ cmi: saved(kept) }, where === 'the same computer' ? undefined : await anotherComputer());
    const seen = await read(quiz);
    equal([seen.values, seen.verdicts, seen.score, seen.code], [['paris', 'rom', 'pas encore jugé'],
      ['BRAVO', 'Quasiment', 'FAUX'], ' 1 / 3', 'E'], `restored on ${where}`);
    const platform = await platformOf(host);
    equal([platform.raw, platform.status], ['1', 'incomplete'], `the platform on ${where}`);
    if (where === 'another computer') {
      await quiz.click('#clear');
      await quiz.click('#confirm-clear');
      const cleared = await platformOf(host);
      check(/^\d+:$/.test(cleared.suspendData) && cleared.raw === '0', `cleared: ${cleared.suspendData}, ${cleared.raw}`);
    }
  }
});

test('a platform that refuses calls: the answers stay in the page and in the browser, and come back at the next launch', async ({ launch, anotherComputer }) => {
  // LMSSetValue answering "false"; LMSCommit answering "true" but with an error.
  const refusals = [{ refuse: 'LMSSetValue', result: 'false', error: '0' }, { refuse: 'LMSCommit', result: 'true', error: '101' }];
  for (const refusal of refusals) {
    const computer = await anotherComputer();
    const first = await launch(refusal, computer);
    await answer(first.quiz, 1, 'paris');
    await answer(first.quiz, 3, 'madrid');
    let seen = await read(first.quiz);
    equal([seen.values, seen.score], [['paris', '', 'madrid'], ' 2 / 3'], `${refusal.refuse}: the page`);
    const copies = await stored(first.quiz);
    const keys = Object.keys(copies);
    equal(keys.length, 1, `${refusal.refuse}: the browser's copies`);
    check(/^quiz-[0-9a-f]{16}@eleve-1$/.test(keys[0]), `${refusal.refuse}: the copy's key ${keys[0]}`);
    check(/^\d+,0:paris\|\|madrid$/.test(copies[keys[0]]), `${refusal.refuse}: the copy, none accepted: ${copies[keys[0]]}`);
    const refused = await leave(first.host);

    // The platform kept nothing it was sent; the next launch brings the
    // answers back from the browser and hands them to the platform.
    const { host, quiz } = await launch({ cmi: { core: { ...Pupil } } }, computer);
    seen = await read(quiz);
    equal([seen.values, seen.verdicts, seen.score], [['paris', '', 'madrid'], ['BRAVO', '?', 'BRAVO'], ' 2 / 3'],
      `${refusal.refuse}: the next launch (the platform had ${JSON.stringify(refused.suspendData)})`);
    const platform = await platformOf(host);
    check(/^\d+:paris\|\|madrid$/.test(platform.suspendData), `${refusal.refuse}: now on the platform: ${platform.suspendData}`);
    equal(platform.raw, '2', `${refusal.refuse}: the score now on the platform`);
  }
});

test('answers the platform accepted do not come back when it starts the pupil afresh, and another pupil on the same computer never sees them', async ({ launch }) => {
  let { host, quiz } = await launch();
  await answer(quiz, 1, 'paris');
  await leave(host);
  ({ host, quiz } = await launch({ cmi: { core: { ...Pupil } } }));
  equal((await read(quiz)).values, ['', '', ''], 'a fresh attempt');
  await leave(host);

  ({ host, quiz } = await launch({ refuse: 'LMSSetValue', result: 'false', error: '0' }));
  await answer(quiz, 2, 'rome');
  await leave(host);
  ({ host, quiz } = await launch({ cmi: { core: { student_id: 'eleve-2', student_name: 'Autre' } } }));
  equal((await read(quiz)).values, ['', '', ''], 'another pupil');
  ({ host, quiz } = await launch({ cmi: { core: { ...Pupil } } }));
  equal((await read(quiz)).values, ['', 'rome', ''], 'the first pupil again, whose answer the platform refused');
});

test('answers beyond the platform\'s 4,096 characters stay in the browser\'s copy and come back from it', async ({ launch, anotherComputer }) => {
  const first = await launch({ quiz: 'big', strict: true });
  const long = 'réponse très longue numéro un';  // 29 characters
  await typeInto(first.quiz, 1, long);
  await press(first.quiz, 'F1');
  const platform = await leave(first.host);
  const sent = platform.calls.filter((call) => call[0] === 'LMSSetValue' && call[1] === 'cmi.suspend_data');
  check(sent.every((call) => call[2].length <= 4096 && call[3] === 'true'), 'suspend data over 4,096 characters sent');
  check(/^\d+\+/.test(platform.suspendData), `the suspend data says it was cut: ${platform.suspendData.slice(0, 12)}`);
  const onPlatform = packedFields(platform.suspendData);
  check(onPlatform.length > 100 && onPlatform.length < 180 && onPlatform.every((field) => field === long),
    `${onPlatform.length} fields on the platform`);
  console.log(`note: 180 answers of ${long.length} characters: ${onPlatform.length} in the platform's ` +
    `${platform.suspendData.length} characters, the other ${180 - onPlatform.length} in the browser's copy`);

  let { quiz } = await launch({ quiz: 'big', strict: true, cmi: saved(platform) });
  let values = (await read(quiz)).values;
  equal(values.filter((value) => value === long).length, 180, 'every answer on the same computer');
  ({ quiz } = await launch({ quiz: 'big', strict: true, cmi: saved(platform) }, await anotherComputer()));
  values = (await read(quiz)).values;
  equal([values.filter((value) => value === long).length, values.slice(0, onPlatform.length).every((value) => value === long)],
    [onPlatform.length, true], 'the platform\'s answers on another computer');
});

test('the package\'s page finds the platform two frames up and through the window that opened it', async ({ launch }) => {
  for (const where of [{ nested: true }, { window: true }]) {
    const { host, quiz } = await launch(where);
    await answer(quiz, 1, 'paris');
    const platform = await platformOf(host);
    check(/^\d+:paris$/.test(platform.suspendData), `${JSON.stringify(where)}: ${platform.suspendData}`);
    equal(platform.raw, '1', `${JSON.stringify(where)}: the score`);
    if (where.window) {
      await quiz.close({ runBeforeUnload: false });
      await host.waitForFunction(() => window.calls.some((call) => call[0] === 'LMSFinish'), { timeout: 5000 });
    }
  }
});

test('without a platform the package\'s page keeps the answers in the browser as the plain page does', async ({ newPage }) => {
  const page = await newPage();
  await page.goto(`${origin}/platform/index.html`);
  await ready(page);
  await answer(page, 1, 'paris');
  await page.reload();
  await ready(page);
  const seen = await read(page);
  equal([seen.values, seen.score], [['paris', '', ''], ' 1 / 3'], 'restored');
  const copies = await stored(page);
  equal(Object.values(copies), ['paris\r\n*\r\n*\r\n'], 'the plain page\'s copy');
  check(/^quiz-[0-9a-f]{16}$/.test(Object.keys(copies)[0]), `the key ${Object.keys(copies)[0]}`);
});

const failed = await runTests(browser, tests, session, 'platform tests');
await started.close();
server.close();
process.exit(failed === 0 ? 0 : 1);
