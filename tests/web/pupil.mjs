// What the browser tests share: Chromium started or the run skipped, a
// pupil's typing and keys, what a quiz page shows, the checks, and the run
// of a list of tests, each in a browser context of its own (its own
// storage), whose last line tells how many passed and failed.
import { existsSync } from 'node:fs';

const Skipped = 77;

// Chromium and the tools that drive it (browser.mjs), started; without
// Chromium or puppeteer-core the run ends here, skipped, saying why.
export async function startOrSkip() {
  const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
  const skip = (reason) => {
    console.log(`warning: the browser tests are skipped: ${reason}`);
    process.exit(Skipped);
  };
  if (!existsSync(chromium)) skip(`no Chromium at ${chromium} (apt-get install chromium)`);
  let tools;
  try {
    tools = await import('./browser.mjs');
  } catch (error) {
    skip('puppeteer-core is not installed (npm ci in tests/web)');
  }
  try {
    return { tools, started: await tools.startBrowser() };
  } catch (error) {
    skip(`Chromium does not start: ${String(error.message).split('\n')[0]}`);
  }
}

export class Failure extends Error {}

export function equal(actual, expected, what) {
  const a = JSON.stringify(actual);
  const e = JSON.stringify(expected);
  if (a !== e) throw new Failure(`${what}: ${a}, expected ${e}`);
}

export function check(condition, what) {
  if (!condition) throw new Failure(what);
}

// Notes in problems what a page does wrong: a request for an address
// allowed(address) does not accept (data and blob URLs always are), a
// script error, a console error or policy violation, a dialog.
export function watch(page, problems, allowed) {
  page.on('request', (request) => {
    const address = request.url();
    if (!/^(data|blob):/.test(address) && !allowed(address)) problems.push(`request outside the page: ${address}`);
  });
  page.on('pageerror', (error) => problems.push(`script error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error' || /Content.Security.Policy/i.test(message.text())) {
      problems.push(`console: ${message.text()}`);
    }
  });
  page.on('dialog', async (dialog) => {
    problems.push(`a ${dialog.type()} dialog opened: ${dialog.message()}`);
    await dialog.dismiss();
  });
}

// Until the fields take answers and the media are read.
export function ready(page) {
  return page.waitForSelector('html[data-state=ready][data-media=ready]', { timeout: 10000 });
}

// What the page (or a frame holding it) shows: fields, verdicts, reveals,
// pictures, score, code.
export function read(page) {
  return page.evaluate(() => {
    const shown = (node) => (node ? node.textContent : null);
    return {
      score: shown(document.getElementById('score')),
      code: shown(document.getElementById('code')),
      title: shown(document.getElementById('title')),
      focus: document.activeElement ? document.activeElement.id : '',
      values: [...document.querySelectorAll('input.answer')].map((field) => field.value),
      verdicts: [...document.querySelectorAll('.verdict')].map((verdict) => verdict.textContent),
      colours: [...document.querySelectorAll('.verdict')].map((verdict) => getComputedStyle(verdict).backgroundColor),
      reveals: [...document.querySelectorAll('.reveal')].map((reveal) => reveal.textContent),
      alts: [...document.querySelectorAll('.picture img')].map((image) => image.alt),
      shows: [...document.querySelectorAll('.picture img')].map((image) => image.dataset.shows),
    };
  });
}

// The keyboard of a page, or of the page a frame is in.
function keyboardOf(where) {
  return typeof where.page === 'function' ? where.page().keyboard : where.keyboard;
}

// Types into field k as a pupil does: reaches it, replaces its text.
export async function typeInto(where, k, text) {
  const keyboard = keyboardOf(where);
  await where.click(`#field-${k}`, { clickCount: 3 });
  await keyboard.press('End');
  await keyboard.down('Shift');
  await keyboard.press('Home');
  await keyboard.up('Shift');
  await keyboard.press('Backspace');
  await keyboard.type(text);
}

export async function press(where, key, modifier) {
  const keyboard = keyboardOf(where);
  if (modifier) await keyboard.down(modifier);
  await keyboard.press(key);
  if (modifier) await keyboard.up(modifier);
}

// Runs each test (name, run) as run(session(context, problems)), then the
// session's close() if it has one; a test fails on a Failure, any other
// error, or any problem its pages noted.
export async function runTests(browser, tests, session, label) {
  let passed = 0;
  let failed = 0;
  for (const { name, run } of tests) {
    const context = await browser.createBrowserContext();
    const problems = [];
    const made = session(context, problems);
    try {
      await run(made);
      if (problems.length) throw new Failure(problems.join('; '));
      ++passed;
      console.log(`ok: ${name}`);
    } catch (error) {
      ++failed;
      console.log(`FAILED: ${name}: ${error instanceof Failure ? error.message : error.stack}`);
    } finally {
      if (made.close) await made.close();
      await context.close();
    }
  }
  console.log(`${label}: ${passed} passed, ${failed} failed`);
  return failed;
}
