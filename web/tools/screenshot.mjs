// Takes the README's picture of the page after a real analysis: IQ-TREE's report and log of
// one alignment (made up by bench/generate_iqtree_reports.py unless files are given), the
// variants chosen, the clock values typed, calculated.
//   node web/tools/screenshot.mjs OUT.png [FILE...]
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const [out, ...given] = process.argv.slice(2);
const scratch = mkdtempSync(path.join(tmpdir(), 'quillet-shot-'));
let files = given;
if (files.length === 0) {
  execFileSync('python3', [path.join(root, 'bench/generate_iqtree_reports.py'), scratch, '1', '--seed', '4']);
  files = readdirSync(scratch).map((name) => path.join(scratch, name));
}
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const page = await browser.newPage({ viewport: { width: 1000, height: 1200 } });
await page.goto(pathToFileURL(path.join(root, 'build/web/index.html')).href);
await page.waitForSelector('body[data-ready="true"]');
const idle = () => page.waitForSelector('body[data-busy="0"]');
await page.setInputFiles('[data-testid=files]', files);
await idle();
for (const select of await page.locator('#import-grid select').all()) {
  const values = await select.locator('option').evaluateAll((o) => o.map((x) => x.textContent));
  const model = await select.getAttribute('data-model');
  if (values.includes(`${model}+I+G`)) await select.selectOption(`${model}+I+G`);
}
await page.selectOption('#gamma-pair', { index: 1 });
await page.click('#apply');
await idle();
await page.fill('[name=lnLClock]', '-17062.31');
await page.fill('[name=lnLNoClock]', '-17045.10');
await page.fill('#comment', 'locus00001, IQ-TREE 2');
await page.click('#calculate');
await idle();
await page.evaluate(() => window.scrollTo(0, 0));
// From the top to the end of the results: the report and the TSV below are text.
const results = await page.locator('#results-section').boundingBox();
await page.screenshot({ path: out, fullPage: true, clip: { x: 0, y: 0, width: 1000, height: Math.ceil(results.y + results.height + 16) } });
await browser.close();
rmSync(scratch, { recursive: true, force: true });
