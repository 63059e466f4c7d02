// The quiz page in headless Chromium, played as a pupil plays it: typing,
// Enter, Tab, Shift+Tab, F1, the media buttons, reloading, clearing, a
// phone's screen. Every page is written by quizmaker web from quizzes/*.json and
// opened from file:// (one from a local web server too); any request that
// leaves the page, script error or policy violation fails the test it
// happens in. Saves screenshots into SHOTS. The last line tells how many
// tests passed and failed; without Chromium or puppeteer-core it says why
// in one line and exits with 77 (skipped).
//   node e2e.mjs QUIZMAKER OUT SHOTS
import { execFileSync } from 'node:child_process';
import { mkdirSync, readdirSync, readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { basename, dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { check, equal, press, read, ready, runTests, startOrSkip, typeInto, watch } from './pupil.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const [quizmaker, out, shots] = process.argv.slice(2);

// The pages of the test quizzes.
mkdirSync(out, { recursive: true });
mkdirSync(shots, { recursive: true });
const pages = {};
for (const file of readdirSync(join(here, 'quizzes')).filter((name) => name.endsWith('.json'))) {
  const name = basename(file, '.json');
  pages[name] = join(out, name + '.html');
  execFileSync(quizmaker, ['web', join(here, 'quizzes', file), '-o', pages[name]], { stdio: ['ignore', 'ignore', 'pipe'] });
}

const { tools, started } = await startOrSkip();
const { Desktop, Phone } = tools;
const { browser } = started;

const Green = 'rgb(0, 255, 0)';
const Red = 'rgb(255, 0, 0)';
const Orange = 'rgb(255, 100, 0)';
const Golden = 'rgb(255, 203, 38)';

// One test's browser context (its own storage) and what its pages did.
function session(context, problems) {
  async function open(name, viewport = Desktop, url = pathToFileURL(pages[name]).href) {
    const page = await context.newPage();
    await page.setViewport(viewport);
    watch(page, problems, (address) => address === url);
    await page.goto(url);
    await ready(page);
    return page;
  }
  return { open };
}

const tests = [];
function test(name, run) { tests.push({ name, run }); }

test('a picture quiz is played with the keys: Enter judges, Tab and Shift+Tab move round the fields and judge them', async ({ open }) => {
  const page = await open('pictures');
  let seen = await read(page);
  equal([seen.score, seen.code, seen.verdicts], [' 0 / 4', '      ', ['?', '?', '?', '?']], 'at the start');
  await typeInto(page, 1, 'photo');
  await press(page, 'Enter');
  seen = await read(page);
  equal([seen.verdicts[0], seen.colours[0], seen.focus], ['BRAVO', Green, 'field-1'], 'Enter judges and stays');
  equal([seen.score, seen.code], [' 1 / 4', 'P'], 'the score and the code after one right answer');
  await press(page, 'Tab');
  await page.keyboard.type('carre');
  await press(page, 'Tab');
  seen = await read(page);
  equal([seen.verdicts[1], seen.colours[1], seen.focus], ['Quasiment', Golden, 'field-3'], 'Tab judges and moves on');
  await press(page, 'Tab');
  await press(page, 'Tab');
  equal((await read(page)).focus, 'field-1', 'Tab in the last field wraps to the first');
  await press(page, 'Tab', 'Shift');
  equal((await read(page)).focus, 'field-4', 'Shift+Tab in the first field wraps to the last');
  await page.keyboard.type('bleu');
  await press(page, 'Tab', 'Shift');
  seen = await read(page);
  equal([seen.focus, seen.verdicts[3], seen.colours[3]], ['field-3', 'FAUX', Red], 'Shift+Tab judges and goes back');
  // Leaving a field any other way judges it too.
  await page.keyboard.type('raiurxs');
  await page.click('#title');
  equal((await read(page)).verdicts[2], 'Presque', 'a field left with the mouse');
  await typeInto(page, 2, 'a text longer than twenty-five characters');
  await page.click('#field-1');
  await press(page, 'Tab');
  const range = await page.evaluate(() => {
    const field = document.activeElement;
    return [field.id, field.selectionStart, field.selectionEnd];
  });
  equal(range, ['field-2', 0, 25], 'a field reached with Tab has its first 25 characters selected');
});

test('verdicts carry the player\'s texts and colours, typed text reaches the model as Windows-1252', async ({ open }) => {
  const page = await open('text');
  const typed = ['sirap', 'londres sur la tamise', 'berlinn', 'Bruxelles en Belgi', 'Bogota', 'Łódź'];
  for (let k = 1; k <= typed.length; ++k) {
    await typeInto(page, k, typed[k - 1]);
    await press(page, 'Enter');
  }
  const seen = await read(page);
  equal(seen.verdicts, ['Anagramme', 'Trop long', 'Quasiment', 'Trop court', 'Quasiment', 'BRAVO'], 'verdicts');
  equal(seen.colours.slice(0, 3), [Orange, Golden, Golden], 'colours');
  equal([seen.score, seen.code], [' 1 / 6', 'C'], 'score and code');
  // Text rows show no reveal box: the player reveals texts in picture grids only.
  equal(seen.reveals, [], 'reveal boxes');
  // A character Windows-1252 lacks reaches the model as Windows fits it.
  await typeInto(page, 5, 'Bogotá');
  await press(page, 'Enter');
  await typeInto(page, 1, 'Ｐａｒｉｓ');
  await press(page, 'Enter');
  const after = await read(page);
  equal([after.verdicts[0], after.values[0], after.verdicts[4]], ['BRAVO', 'Paris', 'BRAVO'], 'converted texts');
  equal(after.score, ' 3 / 6', 'score');
});

test('F1 tries the field\'s text in every field that is not right', async ({ open }) => {
  const page = await open('text');
  await typeInto(page, 1, 'paris');
  await press(page, 'Enter');
  await typeInto(page, 4, 'berlin');
  await press(page, 'F1');
  let seen = await read(page);
  equal(seen.values, ['paris', 'berlin', 'berlin', 'berlin', 'berlin', 'berlin'], 'fields filled');
  equal(seen.verdicts, ['BRAVO', 'FAUX', 'BRAVO', 'FAUX', 'FAUX', 'FAUX'], 'each judged');
  equal([seen.score, seen.focus], [' 2 / 6', 'field-4'], 'score, and the focus back where F1 was pressed');
  await typeInto(page, 2, '');
  await press(page, 'F1');
  seen = await read(page);
  equal(seen.values, ['paris', '', 'berlin', '', '', ''], 'F1 in an empty field empties every field not right');
  equal(seen.verdicts, ['BRAVO', '?', 'BRAVO', '?', '?', '?'], 'verdicts');
});

test('each answer mode reveals what the player reveals', async ({ open }) => {
  // Mode 3: the reveal text and the answer picture; a wrong answer takes
  // the text away and leaves the picture.
  let page = await open('pictures');
  await typeInto(page, 2, 'Carré');
  await press(page, 'Enter');
  let seen = await read(page);
  equal([seen.reveals[1], seen.shows[1], seen.alts[1]], ['Un carré de 300 pixels.', 'answer',
    'Image de la réponse à la question 2'], 'mode 3 once solved');
  await typeInto(page, 2, 'Carr');
  await press(page, 'Enter');
  seen = await read(page);
  equal([seen.reveals[1], seen.shows[1]], ['', 'answer'], 'mode 3 after a wrong answer');
  // No answer picture for question 3: its own picture stays.
  await typeInto(page, 3, 'rayures');
  await press(page, 'Enter');
  equal((await read(page)).shows[2], 'question', 'a question without an answer picture');

  // Mode 1: the answer picture only, and no reveal box.
  page = await open('pictures-two');
  await typeInto(page, 1, 'rectangle');
  await press(page, 'Tab');
  equal((await read(page)).shows[0], 'question', 'mode 1 with one of two answers');
  await page.keyboard.type('photo');
  await press(page, 'Enter');
  seen = await read(page);
  equal([seen.shows[0], seen.reveals.length, seen.score], ['answer', 0, ' 1 / 4'], 'mode 1 once both are right');

  // Mode 2: the text only.
  page = await open('pictures-text');
  await typeInto(page, 1, 'photo');
  await press(page, 'Enter');
  seen = await read(page);
  equal([seen.reveals, seen.shows[0]], [['Révélée une fois trouvée.', ''], 'question'], 'mode 2');

  // Mode 4: every text once the whole quiz is solved; a wrong answer then
  // takes only its own away.
  page = await open('pictures-end');
  for (const [k, answer] of [[1, 'photo'], [2, 'carré']]) {
    await typeInto(page, k, answer);
    await press(page, 'Enter');
  }
  equal((await read(page)).reveals, ['', '', ''], 'mode 4 before the end');
  await typeInto(page, 3, 'gris');
  await press(page, 'Enter');
  equal((await read(page)).reveals, ['Texte 1', 'Texte 2', 'Texte 3'], 'mode 4 at the end');
  await typeInto(page, 2, 'carre');
  await press(page, 'Enter');
  seen = await read(page);
  equal([seen.reveals, seen.score, seen.code], [['Texte 1', '', 'Texte 3'], ' 2 / 3', 'FI'], 'mode 4 after a wrong answer');
});

test('two answers a question: captions in the text rows\' fields, labels naming each answer', async ({ open }) => {
  const page = await open('text-two');
  const fields = await page.evaluate(() => [...document.querySelectorAll('input.answer')].slice(0, 2).map((field) => [
    field.placeholder, field.labels[0].textContent,
    document.getElementById(field.getAttribute('aria-describedby')).getAttribute('aria-live')]));
  equal(fields, [['Prénom', 'Question 1 : Les Misérables, première réponse (Prénom)', 'polite'],
    ['Nom', 'Question 1 : Les Misérables, deuxième réponse (Nom)', 'polite']], 'fields');
  await typeInto(page, 1, 'victor');
  await press(page, 'Enter');
  equal((await read(page)).score, ' 0 / 3', 'one of two answers');
  await typeInto(page, 2, 'hugo');
  await press(page, 'Enter');
  const seen = await read(page);
  equal([seen.verdicts.slice(0, 2), seen.score, seen.code], [['BRAVO', 'BRAVO'], ' 1 / 3', 'P'], 'both answers');
});

test('answers come back when the page is opened again, and clearing them asks first', async ({ open }) => {
  let page = await open('pictures');
  await typeInto(page, 1, 'photo');
  await press(page, 'Enter');
  await typeInto(page, 3, 'rayure');
  await press(page, 'Enter');
  await typeInto(page, 4, 'pas encore jugé');
  await page.reload();
  await ready(page);
  let seen = await read(page);
  equal(seen.values, ['photo', '', 'rayure', 'pas encore jugé'], 'restored fields');
  equal([seen.verdicts, seen.score, seen.code, seen.shows[0]], [['BRAVO', '?', 'Quasiment', 'FAUX'], ' 1 / 4', 'P',
    'answer'], 'restored answers judged again');

  // Another quiz opened from the same place keeps its own answers.
  const other = await open('pictures-text');
  equal((await read(other)).values, ['', ''], 'another quiz');
  await other.close();

  // The keyboard alone: Escape leaves the answers for the clear button.
  await page.click('#field-2');
  await press(page, 'Escape');
  equal((await read(page)).focus, 'clear', 'Escape leaves the answer fields');
  await press(page, 'Enter');
  const asked = await page.evaluate(() => [document.getElementById('confirm').open, document.activeElement.id]);
  equal(asked, [true, 'confirm-keep'], 'the question, Annuler first');
  await press(page, 'Enter');
  seen = await read(page);
  equal([seen.values[0], seen.score], ['photo', ' 1 / 4'], 'after Annuler');

  await page.click('#clear');
  await page.click('#confirm-clear');
  seen = await read(page);
  equal([seen.values, seen.verdicts, seen.score, seen.code, seen.shows[0]],
    [['', '', '', ''], ['?', '?', '?', '?'], ' 0 / 4', '      ', 'question'], 'after Effacer');
  await page.reload();
  await ready(page);
  equal((await read(page)).values, ['', '', '', ''], 'nothing comes back after clearing');
  page = await open('pictures');
  equal((await read(page)).score, ' 0 / 4', 'a second tab');
});

test('on a 390 x 844 screen the grid is one column, nothing scrolls sideways, the fields are large enough to touch', async ({ open }) => {
  for (const name of ['pictures', 'pictures-two', 'text-two', 'sounds', 'videos']) {
    const page = await open(name, Phone);
    const layout = await page.evaluate(() => ({
      overflow: document.documentElement.scrollWidth - document.documentElement.clientWidth,
      lefts: [...new Set([...document.querySelectorAll('.cell, .textrow')].map((cell) => Math.round(cell.getBoundingClientRect().left)))],
      fieldHeights: [...document.querySelectorAll('input.answer')].map((field) => field.getBoundingClientRect().height),
      widest: Math.max(...[...document.querySelectorAll('body *')].map((node) => node.getBoundingClientRect().right)),
    }));
    equal(layout.overflow, 0, `${name}: sideways scrolling`);
    check(layout.widest <= 390, `${name}: something reaches ${layout.widest} px`);
    equal(layout.lefts.length, 1, `${name}: cells in one column`);
    check(Math.min(...layout.fieldHeights) >= 44, `${name}: fields ${Math.min(...layout.fieldHeights)} px high`);
    if (name === 'pictures') {
      await typeInto(page, 1, 'photo');
      await press(page, 'Enter');
      await page.screenshot({ path: join(shots, 'pictures-390x844.png') });
    }
  }
  const page = await open('pictures');
  const lefts = await page.evaluate(() => [...document.querySelectorAll('.cell')].slice(0, 3).map((cell) => cell.getBoundingClientRect().left));
  equal(new Set(lefts).size, 3, 'a desktop screen keeps three cells a row');
  await typeInto(page, 1, 'photo');
  await press(page, 'Enter');
  await typeInto(page, 2, 'carre');
  await press(page, 'Enter');
  await page.screenshot({ path: join(shots, 'pictures-desktop.png') });
});

test('a hostile title and texts show as typed and run nothing', async ({ open }) => {
  const page = await open('hostile');
  const seen = await page.evaluate(() => ({
    title: document.getElementById('title').textContent,
    documentTitle: document.title,
    creator: document.getElementById('creator').textContent,
    explanation: document.getElementById('explanation').textContent,
    caption: document.querySelector('.question').textContent,
    images: document.querySelectorAll('img').length,
    links: document.querySelectorAll('a').length,
    scripts: document.querySelectorAll('script').length,
  }));
  equal(seen, {
    title: '<img src=x onerror=alert(1)>', documentTitle: '<img src=x onerror=alert(1)>', creator: '<b>Gras</b>',
    explanation: '<script>alert(2)</script>', caption: '<a href="http://example.com/">lien</a>', images: 0, links: 1,
    scripts: 3,
  }, 'texts');
  await typeInto(page, 1, '<i>');
  await press(page, 'Enter');
  const after = await read(page);
  equal([after.verdicts[0], after.code], ['BRAVO', '<svg onload=alert(3)>'], 'code line');
});

test('every field is named, its verdict announced, every picture described, the score live', async ({ open }) => {
  for (const name of ['pictures', 'sounds', 'videos', 'text']) {
    const page = await open(name);
    const seen = await page.evaluate(() => ({
      lang: document.documentElement.lang,
      unnamed: [...document.querySelectorAll('input')].filter((field) => !field.labels.length || !/^Question \d+/.test(field.labels[0].textContent)).length,
      described: [...document.querySelectorAll('input.answer')].every((field) => {
        const verdict = document.getElementById(field.getAttribute('aria-describedby'));
        return verdict && verdict.classList.contains('verdict') && verdict.getAttribute('aria-live') === 'polite';
      }),
      undescribed: [...document.querySelectorAll('img')].filter((image) => !image.alt).length,
      unnamedButtons: [...document.querySelectorAll('button')].filter((button) => !(button.getAttribute('aria-label') || button.textContent.trim())).length,
      live: ['score', 'code'].map((id) => document.getElementById(id).getAttribute('aria-live')),
    }));
    equal(seen, { lang: 'fr', unnamed: 0, described: true, undescribed: 0, unnamedButtons: 0, live: ['polite', 'polite'] }, name);
  }
});

test('sounds play one at a time with the browser\'s audio, from the buttons or F2, and stop', async ({ open }) => {
  const page = await open('sounds');
  const state = () => page.evaluate(() => {
    const sound = document.getElementById('sound');
    return { playing: !sound.paused, time: sound.currentTime, source: sound.src.slice(0, 5) };
  });
  await page.click('#cell-2 button.play');
  await new Promise((resolve) => setTimeout(resolve, 150));
  let sound = await state();
  check(sound.playing && sound.source === 'blob:', `sound 2 plays from a blob: ${JSON.stringify(sound)}`);
  await page.click('#cell-1 button.stop');
  sound = await state();
  equal([sound.playing, sound.time], [false, 0], 'any stop button stops it');
  await page.click('#field-1');
  await press(page, 'F2');
  await new Promise((resolve) => setTimeout(resolve, 150));
  check((await state()).playing, 'F2 plays the field\'s sound');
  await press(page, 'F3');
  check(!(await state()).playing, 'F3 stops it');
  await page.click('#cell-3 button.play');
  const problem = await page.evaluate(() => [document.getElementById('problem').hidden, document.getElementById('problem').textContent]);
  equal(problem, [false, 'Impossible de localiser le fichier audio.'], 'a question without its sound');
  await typeInto(page, 1, 'bip');
  await press(page, 'Enter');
  equal((await read(page)).score, ' 1 / 3', 'score');
});

test('videos play side by side in their cells, and a stop stops them all', async ({ open }) => {
  const page = await open('videos');
  const state = () => page.evaluate(() => [...document.querySelectorAll('video')].map((video) => ({ playing: !video.paused, time: video.currentTime })));
  await page.click('#cell-1 button.play');
  await page.click('#field-3');
  await press(page, 'F2');
  await new Promise((resolve) => setTimeout(resolve, 400));
  const videos = await state();
  check(videos.every((video) => video.playing && video.time > 0), `both videos play: ${JSON.stringify(videos)}`);
  await page.click('#cell-2 button.stop');
  check((await state()).every((video) => !video.playing), 'stopped');
  await typeInto(page, 3, 'carre');
  await press(page, 'Tab');
  await page.keyboard.type('bleu');
  await press(page, 'Tab');
  const seen = await read(page);
  equal([seen.verdicts, seen.score, seen.focus], [['?', '?', 'Quasiment', 'BRAVO'], ' 0 / 2', 'field-1'], 'answers');
});

test('the page plays from a web server as from a file', async ({ open }) => {
  const html = readFileSync(pages.text);
  const server = createServer((request, response) => {
    response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8' });
    response.end(html);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  try {
    const page = await open('text', Desktop, `http://127.0.0.1:${server.address().port}/quiz.html`);
    await typeInto(page, 1, 'paris');
    await press(page, 'Enter');
    equal((await read(page)).score, ' 1 / 6', 'score');
  } finally {
    server.close();
  }
});

test('a solved text quiz', async ({ open }) => {
  const page = await open('text');
  for (const [k, answer] of [[1, 'paris'], [2, 'londres'], [3, 'berlin'], [4, 'bruxelles en belgique'], [5, 'Bogotá'], [6, 'Łódź']]) {
    await typeInto(page, k, answer);
    await press(page, 'Enter');
  }
  const seen = await read(page);
  equal([seen.score, seen.code], [' 6 / 6', 'CAPITALES !'], 'score and code');
  await page.screenshot({ path: join(shots, 'text-solved.png') });
});

const failed = await runTests(browser, tests, session, 'browser tests');
await started.close();
process.exit(failed === 0 ? 0 : 1);
