// The page in a real browser: Debian's Chromium driven by Playwright, the page opened from disk
// (build/web/index.html), checked against the native quillet-lrt on the same inputs.
//
//   node --test web/tests/        (QUILLET_LRT and QUILLET_PAGE name other builds)
//
// Real output files are read from ../shared/import-samples when that folder is there; IQ-TREE
// reports made by bench/generate_iqtree_reports.py stand in for them otherwise.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const lrt = process.env.QUILLET_LRT || path.join(root, 'build/release/cli/quillet-lrt');
const pageFile = process.env.QUILLET_PAGE || path.join(root, 'build/web/index.html');
const samples = path.resolve(root, '../shared/import-samples');
const scratch = mkdtempSync(path.join(tmpdir(), 'quillet-page-'));

// As the machine's own notes say for Chromium run as root with no display and no network.
const kChromiumArgs = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

let browser;
const requests = [];  // every URL any page asked for

before(async () => {
  assert.ok(existsSync(lrt), `quillet-lrt is not built: ${lrt}`);
  assert.ok(existsSync(pageFile), `the page is not built: ${pageFile}`);
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', args: kChromiumArgs });
});

after(async () => {
  if (browser) await browser.close();
  rmSync(scratch, { recursive: true, force: true });
});

// A fresh page, opened from disk and ready; whatever it asks for is recorded, and anything
// but the folder itself and the page's own blobs is refused.
async function openPage({ width = 1280, colorScheme = 'light' } = {}) {
  const context = await browser.newContext({ viewport: { width, height: 900 }, colorScheme, acceptDownloads: true });
  context.on('request', (r) => requests.push(r.url()));
  await context.route(/^(?!file:|data:|blob:)/, (route) => route.abort());
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(pathToFileURL(pageFile).href);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  page.errors = errors;
  return page;
}

async function idle(page) {
  await page.waitForSelector('body[data-busy="0"]', { timeout: 60000 });
}

function runLrt(args, cwd = scratch) {
  const run = spawnSync(lrt, args, { cwd, encoding: 'utf8', maxBuffer: 1 << 28 });
  return { out: run.stdout, err: run.stderr, status: run.status };
}

// quillet-lrt's messages without its name: what the page shows as they are.
function messagesOf(stderr) {
  return stderr.split('\n').filter((line) => line !== '').map((line) => line.replace(/^quillet-lrt: /, ''));
}

function generateReports(folder, count, seed) {
  execFileSync('python3', [path.join(root, 'bench/generate_iqtree_reports.py'), folder, String(count), '--seed', String(seed)]);
  return readdirSync(folder).sort().map((name) => path.join(folder, name));
}

// The data sets to drop: every real output file alone and the PhyML runs together, or made-up
// IQ-TREE reports.
function dataSets() {
  if (!existsSync(samples)) {
    const folder = path.join(scratch, 'own');
    return generateReports(folder, 4, 7).map((file) => [file]);
  }
  const sets = [];
  for (const program of readdirSync(samples).sort()) {
    const folder = path.join(samples, program);
    if (!statSync(folder).isDirectory()) continue;
    const files = readdirSync(folder).sort().map((name) => path.join(folder, name));
    for (const file of files) sets.push([file]);
    if (program === 'phyml') sets.push(files);
  }
  return sets;
}

async function typeForm(page, fields) {
  for (const [selector, value] of Object.entries(fields)) {
    const input = page.locator(selector);
    if (typeof value === 'boolean') await input.setChecked(value);
    else await input.fill(value);
  }
}

const kWorkedExample = {
  '[name=lnLClock]': '-3062.80', '[name=lnLNoClock]': '-3050.25', '[name=taxa]': '12',
  '[name=lnLGamma]': '-3040.10', '[name=lnLNoGamma]': '-3044.35',
  '#lnL-GTR': '-3040.10', 'tr[data-model=GTR] [data-field=ticked]': true,
  '#lnL-HKY85': '-3045.55', 'tr[data-model=HKY85] [data-field=ticked]': true,
  'tr[data-model=HKY85] [data-field=gamma]': true,
  '#lnL-K2P': '-3050.20', 'tr[data-model=K2P] [data-field=ticked]': true,
};

// A report's text apart from its time stamp and the folder quillet-lrt writes into its header.
function comparableReport(text, folder) {
  return text.replace(/^Analyses done: .*$/m, 'Analyses done: (time)').replace(`\n${folder}\n`, '\n\n');
}

describe('the page', () => {
  test('shows the models and values quillet-lrt --list finds in each data set, with its messages', async (t) => {
    const page = await openPage();
    for (const set of dataSets()) {
      const names = set.map((file) => path.basename(file));
      await t.test(`${names.length === 1 ? names[0] : `${names.length} files`}`, async () => {
        await page.setInputFiles('[data-testid=files]', set);
        await idle(page);
        // quillet-lrt names the files as given: here by their names alone, as the browser does.
        const listed = runLrt(['--list', ...names], path.dirname(set[0]));
        const shown = await page.locator('#import-messages').textContent();
        for (const message of messagesOf(listed.err)) assert.ok(shown.includes(message), `missing message: ${message}`);
        // A model listed with several values is one the files disagree on; the grid says so.
        const values = new Map();
        for (const row of listed.out.split('\n').slice(1).filter((line) => line !== '')) {
          const [model, lnL] = row.split('\t');
          values.set(model, [...(values.get(model) || []), lnL]);
        }
        const oneDataSet = await page.locator('#data-set-field').isHidden();
        for (const [model, lnLs] of values) {
          const cell = await page.locator(`#import-grid td[title="${model}"]`).textContent();
          if (lnLs.length > 1 && oneDataSet) assert.match(cell, /^conflict \[/, model);
          else if (oneDataSet) assert.match(cell, new RegExp(`^${lnLs[0].replace(/[.+]/g, '\\$&')} \\[`), model);
        }
        if (oneDataSet) {
          const found = await page.locator('#import-grid td[title]').evaluateAll(
            (cells) => cells.filter((c) => !/^\u2014$/.test(c.textContent)).length);
          assert.equal(found, values.size);
        }
      });
    }
    assert.deepEqual(page.errors, []);
  });

  test('gives the report text and the TSV of quillet-lrt for typed values', async () => {
    const page = await openPage();
    await typeForm(page, kWorkedExample);
    await page.fill('[data-testid=p-value]', '0.01');
    await page.fill('#comment', 'cytb, PAUP*\n');
    await page.click('#calculate');
    await idle(page);
    const args = ['-p', '0.01', '--clock', '-3062.80,-3050.25', '--taxa', '12', '--gamma', '-3040.10,-3044.35',
      '--model', 'GTR=-3040.10', '--model', 'HKY85+G=-3045.55', '--model', 'K2P=-3050.20'];
    assert.equal(await page.locator('[data-testid=tsv]').textContent(), runLrt([...args, '--tsv']).out);

    const report = path.join(scratch, 'typed.txt');
    runLrt([...args, '--report', report, '--comment', 'cytb, PAUP*\n']);
    const page1 = await page.locator('[data-testid=report]').textContent();
    assert.equal(comparableReport(page1, scratch), comparableReport(readFileSync(report, 'utf8'), scratch));

    // What the buttons download is what the page shows.
    for (const [button, shown] of [['#download-tsv', '[data-testid=tsv]'], ['#download-report', '[data-testid=report]']]) {
      const [download] = await Promise.all([page.waitForEvent('download'), page.click(button)]);
      assert.equal(readFileSync(await download.path(), 'utf8'), await page.locator(shown).textContent());
    }

    // The next analysis follows the first as the window appends it.
    await page.click('#calculate');
    await idle(page);
    const page2 = await page.locator('[data-testid=report]').textContent();
    assert.ok(page2.startsWith(page1 + '\n\n\nAnalysis number 2\n'));
    // The results show each test with quillet-lrt's numbers.
    const shown = await page.locator('[data-testid=results] tbody tr').evaluateAll(
      (rows) => rows.map((row) => Array.from(row.cells).slice(1).map((c) => c.textContent)));
    const tsv = runLrt([...args, '--tsv']).out.split('\n').slice(1, -1).map((line) => line.split('\t').slice(1));
    assert.deepEqual(shown, tsv);
    assert.deepEqual(page.errors, []);
  });

  test('gives the report text and the TSV of quillet-lrt for values applied from files', async () => {
    const folder = existsSync(path.join(samples, 'phyml')) ? path.join(samples, 'phyml') : path.join(scratch, 'files');
    const files = existsSync(folder) ? readdirSync(folder).sort().map((n) => path.join(folder, n))
      : generateReports(folder, 1, 3);
    const page = await openPage();
    await page.fill('[name=lnLClock]', '-6400.5');
    await page.fill('[name=lnLNoClock]', '-6380.25');
    await page.setInputFiles('[data-testid=files]', files);
    await idle(page);
    // Every row takes its +I variant where the files hold it; the gamma test its first pair.
    const rows = page.locator('#import-grid select');
    for (let i = 0; i < await rows.count(); ++i) {
      const select = rows.nth(i);
      const variants = await select.locator('option').evaluateAll((o) => o.map((x) => x.textContent));
      const model = await select.getAttribute('data-model');
      if (variants.includes(`${model}+I`)) {
        await select.selectOption(`${model}+I`);
      } else {
        await select.selectOption({ index: 0 });
      }
    }
    const pairs = await page.locator('#gamma-pair option').allTextContents();
    const args = ['--variant', '+I', '--clock', '-6400.5,-6380.25'];
    if (pairs.length > 1) {
      await page.selectOption('#gamma-pair', { index: 1 });
      args.push('--gamma-pair', pairs[1].replace(' against ', ','));
    }
    await page.click('#apply');
    await idle(page);
    await page.click('#calculate');
    await idle(page);
    const names = files.map((f) => path.basename(f));
    const expected = runLrt([...args, '--tsv', ...names], folder);
    assert.equal(await page.locator('[data-testid=tsv]').textContent(), expected.out);
    const report = path.join(scratch, 'files.txt');
    runLrt([...args, '--report', report, ...names], folder);
    assert.equal(comparableReport(await page.locator('[data-testid=report]').textContent(), folder),
      comparableReport(readFileSync(report, 'utf8'), folder));

    // A gamma value typed over is no longer the file's: the test no longer names the models.
    if (pairs.length > 1) {
      const typed = await page.inputValue('[name=lnLGamma]');
      await page.fill('[name=lnLGamma]', typed);
      await page.click('#calculate');
      await idle(page);
      const gammaRow = (await page.locator('[data-testid=tsv]').textContent()).split('\n').find((l) => l.startsWith('gamma\t'));
      assert.equal(gammaRow.split('\t')[1], '');
    }
    assert.deepEqual(page.errors, []);
  });

  test('ranks the models of the data set as quillet-lrt --criteria does', async () => {
    const folder = path.join(scratch, 'rank');
    const [file] = generateReports(folder, 1, 9);
    const page = await openPage();
    await page.setInputFiles('[data-testid=files]', file);
    await idle(page);
    const expected = runLrt(['--criteria', '--tsv', path.basename(file)], folder).out
      .split('\n').slice(1, -1).map((line) => line.split('\t'));
    assert.ok(expected.length > 1);
    const shown = await page.locator('#criteria tbody tr').evaluateAll(
      (rows) => rows.map((row) => Array.from(row.cells, (c) => c.textContent)));
    assert.deepEqual(shown, expected);
  });

  test('shows why a file is refused and changes nothing', async () => {
    const page = await openPage();
    await typeForm(page, kWorkedExample);
    await page.click('#calculate');
    await idle(page);
    const before = await page.evaluate(() => ({
      form: Array.from(document.querySelectorAll('#form input')).map((i) => (i.type === 'checkbox' ? i.checked : i.value)),
      report: document.querySelector('[data-testid=report]').textContent,
      tsv: document.querySelector('[data-testid=tsv]').textContent,
    }));
    const refused = [
      ['empty.txt', ''],
      ['packed.iqtree.gz', Buffer.from([0x1f, 0x8b, 8, 0, 0, 0, 0, 0])],
      ['notes.txt', 'Nothing here is a log-likelihood.\n'],
    ];
    for (const [name, bytes] of refused) {
      writeFileSync(path.join(scratch, name), bytes);
      await page.setInputFiles('[data-testid=files]', path.join(scratch, name));
      await idle(page);
      const reason = messagesOf(runLrt(['--list', name]).err)[0];
      const shown = await page.locator('#import-messages').textContent();
      assert.ok(shown.startsWith('Nothing was imported.'), shown);
      assert.ok(shown.includes(reason), `${name}: ${reason}`);
      assert.equal(await page.locator('#apply').isVisible(), false);
    }
    const afterwards = await page.evaluate(() => ({
      form: Array.from(document.querySelectorAll('#form input')).map((i) => (i.type === 'checkbox' ? i.checked : i.value)),
      report: document.querySelector('[data-testid=report]').textContent,
      tsv: document.querySelector('[data-testid=tsv]').textContent,
    }));
    assert.deepEqual(afterwards, before);
  });

  test('refuses what the window refuses, with its messages', async (t) => {
    const page = await openPage();
    const rows = [
      { name: 'a p value that is no number', fields: { '[data-testid=p-value]': '0,05' }, field: 'pValue', message: 'Please enter a number.' },
      { name: 'a p value out of range', fields: { '[data-testid=p-value]': '1.5' }, field: 'pValue',
        message: 'Desired p value: please enter a number greater than 0 and less than 1.' },
      { name: 'taxa that are no integer', fields: { '[data-testid=p-value]': '0.05', '[name=taxa]': '12.5' }, field: 'taxa',
        message: 'Please enter an integer.' },
      { name: 'a model ln L that is no number', fields: { '[name=taxa]': '12', '#lnL-GTR': '-3040,10' }, field: 'lnL-GTR',
        message: 'Please enter a number.' },
    ];
    for (const row of rows) {
      await t.test(row.name, async () => {
        await typeForm(page, row.fields);
        await page.click('#calculate');
        await idle(page);
        assert.equal(await page.locator('#problem').textContent(), row.message);
        assert.equal(await page.evaluate(() => document.activeElement.id), row.field);
      });
    }
    // Something asked for without its values: the window's notice, and nothing in the report.
    await typeForm(page, { '#lnL-GTR': '0' });
    await page.click('#calculate');
    await idle(page);
    const results = await page.locator('[data-testid=results]').textContent();
    assert.ok(results.includes('You must define all values to do the clock test!'), results);
    assert.equal(await page.locator('[data-testid=report]').textContent(), '');
    // Clear All leaves no analysis chosen, which the window asks about.
    await page.click('#clear-all');
    await idle(page);
    await page.click('#calculate');
    await idle(page);
    assert.ok((await page.locator('[data-testid=results]').textContent()).includes('Please choose some type of analysis!'));
  });

  test('runs each file as a locus as quillet-lrt --each does', async () => {
    const folder = path.join(scratch, 'loci');
    const files = generateReports(folder, 300, 11);
    writeFileSync(path.join(folder, 'zz-broken.iqtree'), 'IQ-TREE 2.2.0 built\nERROR: alignment not found\n');
    files.push(path.join(folder, 'zz-broken.iqtree'));
    const page = await openPage();
    await page.check('[data-testid=each]');
    await page.setInputFiles('[data-testid=files]', files);
    await page.selectOption('#each-variant', '+I+G');
    await page.selectOption('#each-gamma-pair', 'GTR+I+G,GTR+G');
    await page.fill('[data-testid=p-value]', '0.01');
    const command = await page.locator('#each-command').textContent();
    assert.ok(command.startsWith('quillet-lrt --each -p 0.01 --variant +I+G --gamma-pair GTR+I+G,GTR+G '), command);
    await page.click('#run-each');
    await idle(page);
    const names = files.map((f) => path.basename(f));
    const expected = runLrt(['--each', '-p', '0.01', '--variant', '+I+G', '--gamma-pair', 'GTR+I+G,GTR+G', ...names], folder);
    assert.equal(await page.locator('[data-testid=tsv]').textContent(), expected.out);
    assert.equal(await page.locator('#each-summary').textContent(), messagesOf(expected.err).join('\n'));
    const progress = await page.locator('#each-progress').evaluate((p) => [p.value, p.max]);
    assert.deepEqual(progress, [files.length, files.length]);

    // The same loci ranked instead of tested.
    await page.check('#each-criteria');
    await page.click('#run-each');
    await idle(page);
    const ranked = runLrt(['--each', '--criteria', '--', ...names], folder);
    assert.equal(await page.locator('[data-testid=tsv]').textContent(), ranked.out);
    assert.equal(await page.locator('#each-summary').textContent(), messagesOf(ranked.err).join('\n'));
    assert.deepEqual(page.errors, []);
  });

  test('refuses the options of a run over loci as quillet-lrt does, and runs again', async (t) => {
    const folder = path.join(scratch, 'few');
    const files = generateReports(folder, 3, 2);
    // A name the option parser would take for an option: a file all the same.
    writeFileSync(path.join(folder, '-odd.iqtree'), readFileSync(files[0]));
    files.push(path.join(folder, '-odd.iqtree'));
    const names = files.map((f) => path.basename(f));
    const page = await openPage();
    await page.check('[data-testid=each]');
    await page.setInputFiles('[data-testid=files]', files);
    for (const p of ['abc', '1.5']) {
      await t.test(`-p ${p}`, async () => {
        await page.fill('[data-testid=p-value]', p);
        await page.click('#run-each');
        await idle(page);
        const expected = messagesOf(runLrt(['--each', '-p', p, '--variant', 'plain', '--', ...names], folder).err)[0];
        assert.equal(await page.locator('#problem').textContent(), expected);
      });
    }
    await page.fill('[data-testid=p-value]', '0.05');
    await page.click('#run-each');
    await idle(page);
    const expected = runLrt(['--each', '-p', '0.05', '--variant', 'plain', '--', ...names], folder);
    assert.ok(expected.out.includes('\n-odd\t'));
    assert.equal(await page.locator('[data-testid=tsv]').textContent(), expected.out);
    assert.ok((await page.locator('#each-command').textContent()).includes(' -- '));
  });

  test('is labelled for screen readers, fits 360 px and has a dark mode', async () => {
    const page = await openPage({ width: 360, colorScheme: 'dark' });
    const unlabelled = await page.evaluate(() => Array.from(document.querySelectorAll('input, select, textarea, button'))
      .filter((e) => !(e.labels && e.labels.length) && !e.getAttribute('aria-label') && !e.textContent.trim())
      .map((e) => e.id || e.outerHTML));
    assert.deepEqual(unlabelled, []);
    for (const id of ['files', 'each', 'p-value', 'results', 'report', 'tsv']) {
      assert.equal(await page.locator(`[data-testid=${id}]`).count(), 1, id);
    }
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 360));
    const background = await page.evaluate(() => getComputedStyle(document.body).backgroundColor);
    const [r, g, b] = background.match(/\d+/g).map(Number);
    assert.ok(r + g + b < 150, background);
    // The keyboard reaches the p value and Calculate.
    await page.focus('[data-testid=p-value]');
    await page.keyboard.press('Enter');
    await idle(page);
    assert.ok((await page.locator('[data-testid=results]').textContent()).includes('You must define'));
  });

  test('asks for nothing but its own folder', () => {
    assert.ok(requests.length > 0);
    const outside = requests.filter((url) => !/^(file|data|blob):/.test(url));
    assert.deepEqual(outside, []);
  });
});
