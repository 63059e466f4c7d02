// Time from opening each page to its first field taking input (the page's
// "quiz-ready" mark), RUNS times each in turn in one browser, each opening
// in a fresh context (nothing cached, no answers kept); prints the medians
// and each page's ratio to the first.
//   node startup.mjs RUNS PAGE.html...
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { Desktop, openQuiz, startBrowser } from './browser.mjs';

const [runs, ...pages] = process.argv.slice(2);
const { browser, close } = await startBrowser();
const times = pages.map(() => []);
for (let run = 0; run < Number(runs); ++run) {
  for (let p = 0; p < pages.length; ++p) {
    const context = await browser.createBrowserContext();
    const tab = await openQuiz(context, pathToFileURL(resolve(pages[p])).href, Desktop, true);
    times[p].push(await tab.evaluate(() => performance.getEntriesByName('quiz-ready')[0].startTime));
    await context.close();
  }
}
await close();
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
pages.forEach((page, p) => {
  const m = median(times[p]);
  console.log(`${page}: opened to first field ready, median ${m.toFixed(1)} ms (min ${Math.min(...times[p]).toFixed(1)}, ` +
    `max ${Math.max(...times[p]).toFixed(1)})` + (p > 0 ? `, ${(m / median(times[0])).toFixed(2)} x the first` : ''));
});
