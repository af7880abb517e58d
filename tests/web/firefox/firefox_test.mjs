// The page in Firefox ESR, driven over WebDriver BiDi: offline from file://, the worked examples through the
// windows, a refusal, Ctrl+P's sheet printed to PDF (one A4 page, fonts embedded, the desktop's words and numbers),
// a comma locale, "复制", every caption and result inside its box at 100 % and 200 %, every window reachable on
// small screens, and markup typed into a field shown as text on the sheet.
//
// node firefox_test.mjs <kelvaro.html> <examples.json> <desktop sheets> <desktop sheets, comma> <work folder>
import puppeteer from 'puppeteer-core';
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [pagePath, examplesPath, desktopSheets, desktopCommaSheets, work] = process.argv.slice(2);
const url = pathToFileURL(pagePath).href;
const examples = JSON.parse(readFileSync(examplesPath, 'utf8'));
// The desktop's PDF of each calculator's worked example, by the page's window kind.
const sheetFiles = { VerticalLoads: 'main_window', MinWheelPressure: 'min_wheel_window',
  HorizontalLoads: 'horizontal_load_window' };

let failures = 0;
function check(ok, what) {
  if (!ok) failures++;
  console.log(`${ok ? 'PASS' : 'FAIL'}: ${what}`);
}

async function launch(language) {
  return puppeteer.launch({
    browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true,
    extraPrefsFirefox: { 'intl.accept_languages': language, 'intl.locale.requested': language },
  });
}

async function open(browser, viewport = { width: 1280, height: 900 }) {
  const page = await browser.newPage();
  const requests = [];
  page.on('request', (r) => requests.push(r.url()));
  await page.setViewport(viewport);
  await page.goto(url);
  await page.evaluate(() => kelvaroReady);
  await page.evaluate(() => document.fonts.ready);
  page.requests = requests;
  return page;
}

async function show(page, kind) {
  await page.evaluate((k) => kelvaroWindows.show(k), kind);
}

// Types into a field as a user replacing its text: everything selected, then the keys.
async function retype(page, selector, text) {
  await page.focus(selector);
  await page.$eval(selector, (e) => e.select());
  await page.keyboard.type(text);
}

async function typeExample(page, kind, comma = false) {
  await show(page, kind);
  for (const [field, text] of Object.entries(examples[kind].typed)) {
    await retype(page, `#${kind}-${field}`, comma ? text.replace('.', ',') : text);
  }
}

// What pdftotext reads, without spaces, as a sorted list of characters: the same words and numbers, spacing and
// order on the page aside.
const characters = (pdf) => [...execFileSync('pdftotext', [pdf, '-']).toString().replace(/\s/g, '')].sort().join('');

async function sheetPdf(page, kind, name) {
  const last = Object.keys(examples[kind].typed).at(-1);
  await page.focus(`#${kind}-${last}`);
  await page.keyboard.down('Control');
  await page.keyboard.press('p');
  await page.keyboard.up('Control');
  await page.waitForSelector('#sheet-layer .sheet-page');
  const pdf = join(work, `${name}.pdf`);
  writeFileSync(pdf, await page.pdf({ preferCSSPageSize: true, printBackground: true }));
  await page.keyboard.press('Escape');
  return pdf;
}

async function sheets(language, comma, desktop) {
  const browser = await launch(language);
  const page = await open(browser);
  for (const kind of Object.keys(sheetFiles)) {
    await typeExample(page, kind, comma);
    const pdf = await sheetPdf(page, kind, `${kind}-${language}`);
    const info = execFileSync('pdfinfo', [pdf]).toString();
    check(/Pages:\s+1\n/.test(info) && /Page size:.*\(A4\)/.test(info), `${kind} ${language}: one A4 page`);
    const fonts = execFileSync('pdffonts', [pdf]).toString().trim().split('\n').slice(2);
    check(fonts.length > 0 && fonts.every((f) => /\syes\s+\S+\s+\S+\s+\d+/.test(f)), `${kind} ${language}: fonts embedded`);
    check(characters(pdf) === characters(join(desktop, `sheet_${sheetFiles[kind]}.pdf`)),
      `${kind} ${language}: the desktop's words and numbers`);
  }
  check(page.requests.every((r) => /^(file|data):/.test(r)), `${language}: nothing fetched ${page.requests.filter((r) => !/^(file|data):/.test(r))}`);
  await browser.close();
}

async function behaviour() {
  const browser = await launch('zh-CN');
  const page = await open(browser);
  // A refusal opens no sheet.
  await typeExample(page, 'VerticalLoads');
  const bad = examples.VerticalLoads.notANumber;
  const badField = `#VerticalLoads-${bad.field}`;
  await retype(page, badField, bad.text);
  await page.keyboard.down('Control');
  await page.keyboard.press('p');
  await page.keyboard.up('Control');
  const refused = await page.evaluate(() => ({
    sheet: !!document.getElementById('sheet-layer'), message: document.querySelector('.message-text')?.textContent,
  }));
  check(!refused.sheet && refused.message === bad.message, `a refused calculation shows its message, no sheet ${JSON.stringify(refused)}`);
  await page.keyboard.press('Enter');

  // Markup typed into a field is text on the sheet, never an element.
  const markup = '<b>6</b><img src=x>';
  await retype(page, badField, '0.9');
  await retype(page, '#VerticalLoads-Text6', `6${markup}`);
  await page.keyboard.down('Control');
  await page.keyboard.press('p');
  await page.keyboard.up('Control');
  const shownAsText = await page.evaluate(() => {
    const layer = document.getElementById('sheet-layer');
    return layer ? 'sheet' : document.querySelector('.message-text')?.textContent;
  });
  check(typeof shownAsText === 'string' && shownAsText.includes('<b>6</b>'), `markup in a field is quoted as text ${shownAsText}`);
  await page.keyboard.press('Enter');
  await retype(page, '#VerticalLoads-Text6', '6');

  // Copy: the menu of a result puts its text on the clipboard, which a paste shows.
  await page.focus('#VerticalLoads-Text7');
  await page.keyboard.press('Enter');
  const result = await page.$('#VerticalLoads-Label12');
  await result.click({ button: 'right' });
  await page.waitForSelector('#context-menu');
  const items = await page.$$eval('#context-menu .menu-item', (b) => b.map((e) => e.firstChild.textContent));
  check(items.join() === '复制,计算书…', `a result's menu: ${items}`);
  await page.click('#context-menu .menu-item');
  await retype(page, '#VerticalLoads-Text9', '');
  await page.keyboard.press('Backspace');
  await page.keyboard.down('Control');
  await page.keyboard.press('v');
  await page.keyboard.up('Control');
  const pasted = await page.$eval('#VerticalLoads-Text9', (e) => e.value);
  check(pasted === examples.VerticalLoads.results.Label12, `copy puts the result on the clipboard (${pasted})`);
  await browser.close();
}

// Every caption and result inside its box, and every window's caption bar in reach, on each screen.
async function screens() {
  const browser = await launch('zh-CN');
  for (const viewport of [{ width: 1366, height: 768 }, { width: 1024, height: 600 },
    { width: 683, height: 384, deviceScaleFactor: 2 }]) {
    const page = await open(browser, viewport);
    for (const kind of Object.keys(sheetFiles)) await typeExample(page, kind);
    for (const kind of ['CoefficientTable', 'AlphaCoefficient', 'About']) {
      await page.evaluate((k) => kelvaroWindows.show(k), kind);
    }
    const name = `${viewport.width}×${viewport.height}${viewport.deviceScaleFactor ? ' at 200 %' : ''}`;
    const overflowing = await page.evaluate(() => [...document.querySelectorAll(
      '#desktop .caption, #desktop .result-label, #desktop .button, #desktop .frame-caption')]
      .filter((e) => e.scrollWidth > e.clientWidth + 0.5).map((e) => e.id || e.textContent));
    check(overflowing.length === 0, `${name}: every caption and result fits its box ${overflowing}`);
    const unreachable = await page.evaluate(() => [...document.querySelectorAll('#desktop > section.window')]
      .filter((w) => w.offsetLeft < 0 || w.offsetTop < 0 ||
        (w.offsetWidth <= innerWidth && w.offsetLeft + w.offsetWidth > document.getElementById('desktop').clientWidth))
      .map((w) => w.dataset.kind));
    check(unreachable.length === 0, `${name}: every window opens inside the page ${unreachable}`);
    await page.close();
  }
  await browser.close();
}

await sheets('zh-CN', false, desktopSheets);
await sheets('de-DE', true, desktopCommaSheets);
await behaviour();
await screens();
console.log(failures ? `${failures} failed` : 'all passed');
process.exit(failures ? 1 : 0);
