// Starting Debian's headless Chromium for the page's tools (screenshots,
// timings): a fresh profile, nothing fetched in the background.
import puppeteer from 'puppeteer-core';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const Desktop = { width: 1280, height: 900 };
export const Phone = { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 1 };

// The browser, and a close() that removes its profile too.
export async function startBrowser() {
  const profile = mkdtempSync(join(tmpdir(), 'quiz-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--disable-default-apps', '--mute-audio'],
  });
  return {
    browser,
    async close() {
      await browser.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Opens a page and waits until its first field takes input, and its media
// are read too unless fieldsOnly.
export async function openQuiz(context, url, viewport, fieldsOnly = false) {
  const page = await context.newPage();
  await page.setViewport(viewport);
  await page.goto(url);
  await page.waitForSelector(fieldsOnly ? 'html[data-state=ready]' : 'html[data-state=ready][data-media=ready]',
    { timeout: 30000 });
  return page;
}
