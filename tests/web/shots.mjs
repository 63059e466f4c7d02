// Screenshots of a quiz page as it opens, at a desktop's size and at a
// phone's 390 x 844: PREFIX-desktop.png and PREFIX-390x844.png.
//   node shots.mjs PAGE.html PREFIX
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { Desktop, Phone, openQuiz, startBrowser } from './browser.mjs';

const [page, prefix] = process.argv.slice(2);
const { browser, close } = await startBrowser();
for (const [name, viewport] of [['desktop', Desktop], ['390x844', Phone]]) {
  const context = await browser.createBrowserContext();
  const tab = await openQuiz(context, pathToFileURL(resolve(page)).href, viewport);
  await tab.screenshot({ path: `${prefix}-${name}.png` });
  console.log(`${prefix}-${name}.png`);
  await context.close();
}
await close();
