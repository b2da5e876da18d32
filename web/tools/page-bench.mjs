// Times the page in Debian's Chromium (see scripts/bench-web.sh, which prepares the files):
//   node web/tools/page-bench.mjs PAGE IQTREE_FILE LOCI_FOLDER RUNS
// Prints one line per measure: name, median in milliseconds, and the runs.
import { readFileSync, readdirSync } from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [pageFile, iqtree, lociFolder, runsText] = process.argv.slice(2);
const runs = Number(runsText || 9);
const args = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', args });

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
function report(name, values) {
  console.log(`${name}\t${median(values).toFixed(1)}\t${values.map((v) => v.toFixed(1)).join(' ')}`);
}

async function open() {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(pathToFileURL(pageFile).href);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
  return { context, page };
}

// Opening to ready: the page shown, the worker started and the core compiled and answering.
const ready = [];
for (let i = 0; i < runs; ++i) {
  const { context, page } = await open();
  ready.push(Number(await page.evaluate(() => document.body.dataset.readyMs)));
  await context.close();
}
report('interactive', ready);

// One IQ-TREE report read, its values applied to the form and the test of models calculated,
// timed inside the page around the requests to the worker.
{
  const { context, page } = await open();
  const bytes = Array.from(readFileSync(iqtree));
  const name = path.basename(iqtree);
  const times = await page.evaluate(async ({ bytes, name, runs }) => {
    const file = new File([new Uint8Array(bytes)], name);
    const out = [];
    for (let i = 0; i < runs + 1; ++i) {
      const start = performance.now();
      const view = await request('setFiles', [[file], readForm()]);
      const choice = {
        dataSet: view.dataSets.selected, rows: view.rows.map((row) => row.items.length - 1), gammaPair: 0, taxa: false,
      };
      const applied = await request('applyImport', [readForm(), choice]);
      mergeForm(applied.form);
      await request('calculate', [readForm(), { number: 1, comment: '', time: now() }]);
      if (i > 0) out.push(performance.now() - start);  // the first warms the worker up
    }
    return out;
  }, { bytes, name, runs });
  report('iqtree read, applied and tested', times);
  await context.close();
}

// Every file of the folder a locus: the files chosen, then the run timed from its start to the
// TSV shown.
{
  const files = readdirSync(lociFolder).sort().map((n) => path.join(lociFolder, n));
  const times = [];
  for (let i = 0; i < Math.min(runs, 3); ++i) {
    const { context, page } = await open();
    await page.check('[data-testid=each]');
    await page.setInputFiles('[data-testid=files]', files);
    await page.selectOption('#each-variant', '+I+G');
    await page.selectOption('#each-gamma-pair', 'GTR+I+G,GTR+G');
    const start = await page.evaluate(() => performance.now());
    await page.click('#run-each');
    await page.waitForFunction(() => document.body.dataset.busy === '0' && document.querySelector('[data-testid=tsv]').textContent.length > 0, null, { timeout: 600000 });
    times.push((await page.evaluate(() => performance.now())) - start);
    await context.close();
  }
  report(`${files.length} loci`, times);
}
await browser.close();
