// The page: it shows what the core returns and sends it what the user gives. Every rule
// (reading numbers and files, the tests, the texts, the report and the TSV) is the core's,
// reached through the worker; nothing here decides about the data.
'use strict';

const $ = (id) => document.getElementById(id);

// ---- the worker

const worker = new Worker(URL.createObjectURL(new Blob([quilletWorkerSource], { type: 'text/javascript' })));
const pending = new Map();
let nextId = 1;

worker.onmessage = (event) => {
  const { id, result, error, progress } = event.data;
  const call = pending.get(id);
  if (!call) return;
  if (progress) {
    if (call.onProgress) call.onProgress(progress);
    return;
  }
  pending.delete(id);
  if (error !== undefined) call.reject(new Error(error));
  else call.resolve(result);
};

// How many requests the worker has still to answer, on the body for tests to wait on.
function showBusy() {
  document.body.dataset.busy = String(pending.size);
}

function request(op, args, onProgress) {
  const id = nextId++;
  const answer = new Promise((resolve, reject) => {
    pending.set(id, { resolve, reject, onProgress });
    worker.postMessage({ id, op, args: op === 'each' ? [id, ...args] : args });
  });
  showBusy();
  return answer.finally(showBusy);
}

// ---- state

let form = null;            // the page's form as the core describes it
let files = [];             // the files given last
let importView = null;      // what the core found in them
let reportText = '';
let analyses = 0;           // analyses in the report so far
let tsvText = '';

// ---- the form

const form$ = $('form');
const modelRows = $('models').tBodies[0];

function buildModelRows(models) {
  modelRows.replaceChildren();
  for (const name of Object.keys(models)) {
    const tr = document.createElement('tr');
    tr.dataset.model = name;
    const id = `lnL-${name}`;
    tr.innerHTML =
      `<th scope="row"><label class="check"><input type="checkbox" data-field="ticked"> ${name}</label></th>` +
      `<td><input id="${id}" data-field="lnL" inputmode="decimal" autocomplete="off" aria-label="ln L of ${name}"></td>` +
      `<td><input type="checkbox" data-field="gamma" aria-label="${name} with gamma"></td>` +
      `<td><input type="checkbox" data-field="invariants" aria-label="${name} with invariable sites"></td>`;
    modelRows.appendChild(tr);
  }
}

function fieldInput(path) {
  const parts = path.split('.');
  if (parts[0] === 'models') {
    return modelRows.querySelector(`tr[data-model="${parts[1]}"] [data-field="${parts[2]}"]`);
  }
  return form$.elements[path];
}

function setInput(input, value) {
  if (input.type === 'checkbox') input.checked = value;
  else input.value = value;
}

// What the form holds beside its fields: the models of a gamma test applied from files.
const kHeldOnly = ['gammaPair'];

function showForm() {
  for (const [key, value] of Object.entries(form)) {
    if (key === 'models' || kHeldOnly.includes(key)) continue;
    setInput(form$.elements[key], value);
  }
  for (const [model, fields] of Object.entries(form.models)) {
    for (const [field, value] of Object.entries(fields)) setInput(fieldInput(`models.${model}.${field}`), value);
  }
}

function readForm() {
  const read = { models: {} };
  for (const key of Object.keys(form)) {
    if (key === 'models') continue;
    if (kHeldOnly.includes(key)) {
      read[key] = form[key];
      continue;
    }
    const input = form$.elements[key];
    read[key] = input.type === 'checkbox' ? input.checked : input.value;
  }
  for (const [model, fields] of Object.entries(form.models)) {
    read.models[model] = {};
    for (const field of Object.keys(fields)) {
      const input = fieldInput(`models.${model}.${field}`);
      read.models[model][field] = input.type === 'checkbox' ? input.checked : input.value;
    }
  }
  form = read;
  return read;
}

function mergeForm(changes) {
  for (const [key, value] of Object.entries(changes)) {
    if (key === 'models') {
      for (const [model, fields] of Object.entries(value)) Object.assign(form.models[model], fields);
    } else {
      form[key] = value;
    }
  }
  showForm();
}

// A field that does not parse, or a value the calculation refuses: the message beside the field,
// and the cursor in it, its text selected.
function showProblem(problem, where) {
  clearProblems();
  const input = problem.field ? fieldInput(problem.field) : null;
  const message = document.createElement('p');
  message.className = 'problem';
  message.id = 'problem';
  message.setAttribute('role', 'alert');
  message.textContent = problem.message;
  if (input) {
    input.setAttribute('aria-invalid', 'true');
    input.setAttribute('aria-describedby', 'problem');
    (input.closest('.field') || input.closest('td') || input.parentElement).appendChild(message);
    input.focus();
    if (input.select) input.select();
  } else {
    where.prepend(message);
  }
}

function clearProblems() {
  const old = $('problem');
  if (old) old.remove();
  for (const input of document.querySelectorAll('[aria-invalid]')) {
    input.removeAttribute('aria-invalid');
    input.removeAttribute('aria-describedby');
  }
}

// ---- results

function cell(tag, text, className) {
  const element = document.createElement(tag);
  element.textContent = text;
  if (className) element.className = className;
  return element;
}

// Headings of the TSV columns; a column the core adds shows under its own name until it has one
// here.
const kColumnNames = {
  test: 'Test', model: 'Model', lnL1: 'ln L 1', lnL2: 'ln L 2', df: 'df', statistic: 'Statistic',
  critical_value: 'Critical value', verdict: 'Verdict', p_value: 'p', p_boundary: 'Boundary p',
  reference: 'Reference', note: 'Note',
};
// The model selection table's columns are shown under the names quillet-lrt gives them.
const kTestNames = { clock: 'Clock', gamma: 'Gamma/ invar', models: 'Models' };

// A table of tab-separated lines with a header line: the numbers as quillet-lrt prints them.
function tsvTable(text, caption) {
  const lines = text.split('\n').filter((line) => line !== '');
  const table = document.createElement('table');
  table.className = 'results';
  table.appendChild(cell('caption', caption));
  const header = lines[0].split('\t');
  const head = table.createTHead().insertRow();
  for (const name of header) head.appendChild(Object.assign(cell('th', kColumnNames[name] || name), { scope: 'col' }));
  const body = table.createTBody();
  for (const line of lines.slice(1)) {
    const row = body.insertRow();
    line.split('\t').forEach((value, i) => {
      const column = header[i];
      const text = column === 'test' ? kTestNames[value] || value : value;
      const element = cell(i === 0 ? 'th' : 'td', text);
      if (i === 0) element.scope = 'row';
      if (column === 'verdict') element.className = value === 'Rejected' ? 'verdict rejected' : 'verdict';
      row.appendChild(element);
    });
  }
  const scroll = document.createElement('div');
  scroll.className = 'scroll';
  scroll.appendChild(table);
  return scroll;
}

function showResults(result) {
  const results = $('results');
  results.replaceChildren();
  if (result.notices.length > 0) {
    const list = document.createElement('ul');
    list.className = 'notices';
    list.setAttribute('role', 'alert');
    for (const notice of result.notices) {
      const item = document.createElement('li');
      if (notice.caption) item.appendChild(cell('strong', notice.caption + ' '));
      item.appendChild(cell('span', notice.text));
      list.appendChild(item);
    }
    results.appendChild(list);
  }
  if (result.tests.length === 0) {
    results.appendChild(cell('p', 'No test ran.', 'hint'));
    return;
  }
  if (result.reference) results.appendChild(cell('p', `Reference of the test of models: ${result.reference}`));
  results.appendChild(tsvTable(result.tsv, 'Likelihood ratio tests'));
}

// A long TSV (a run over many loci) is folded away: laying out ten thousand lines takes the
// browser longer than calculating them. It is all there to open, copy or download.
const kUnfoldedLines = 1000;

function setTsv(text) {
  tsvText = text;
  const lines = text.split('\n').length - 1;
  const details = $('tsv-details');
  details.open = lines <= kUnfoldedLines;
  $('tsv-heading').textContent = lines <= kUnfoldedLines ? 'Tab-separated values'
    : `Tab-separated values (${lines} lines; open to show them)`;
  $('tsv').textContent = text;
}

// ---- calculate

function now() {
  const d = new Date();
  return {
    year: d.getFullYear(), month: d.getMonth() + 1, day: d.getDate(), hours: d.getHours(),
    minutes: d.getMinutes(), seconds: d.getSeconds(), weekday: d.getDay(),
  };
}

async function calculate() {
  clearProblems();
  const result = await request('calculate', [readForm(), { number: analyses + 1, comment: $('comment').value, time: now() }]);
  if (result.problem) {
    showProblem(result.problem, $('results'));
    return;
  }
  showResults(result);
  setTsv(result.tsv);
  $('each-summary').hidden = true;
  if (result.reportEntry !== undefined) {
    analyses += 1;
    reportText += result.reportEntry;
    $('report').textContent = reportText;
  }
}

// ---- files

function renderImport(view) {
  importView = view;
  $('import').hidden = false;
  $('import-problem').hidden = true;
  if (view.problem) {
    showProblem(view.problem, $('import'));
    $('import').hidden = true;
    return;
  }
  const nothing = view.nothing !== null;
  $('import-messages').textContent = nothing ? view.nothing : view.messages;
  $('import-grid').tBodies[0].replaceChildren();
  for (const id of ['import-grid', 'gamma-pair', 'take-taxa', 'apply']) {
    const element = $(id);
    (element.closest('.field') || element.closest('.check') || element.closest('.scroll') || element.closest('.buttons') || element).hidden = nothing;
  }
  if (nothing) return;
  // Files that are not one data set: the user chooses the files of one, and Show shows them.
  const sets = $('data-set');
  sets.replaceChildren();
  view.dataSets.items.forEach((item, i) => sets.appendChild(new Option(item, String(i))));
  sets.selectedIndex = Math.max(0, view.dataSets.selected);
  $('data-set-field').hidden = !view.dataSets.enabled;
  const body = $('import-grid').tBodies[0];
  body.replaceChildren();
  for (const row of view.rows) {
    const tr = body.insertRow();
    tr.appendChild(Object.assign(cell('th', row.model), { scope: 'row' }));
    for (const c of row.cells) {
      const td = cell('td', c.text);
      td.title = c.model;
      tr.appendChild(td);
    }
    const select = document.createElement('select');
    select.setAttribute('aria-label', `Value for the ${row.model} row`);
    select.dataset.model = row.model;
    row.items.forEach((item, i) => select.appendChild(new Option(item, String(i))));
    select.selectedIndex = Math.max(0, row.selected);
    const td = document.createElement('td');
    td.appendChild(select);
    tr.appendChild(td);
  }
  const pair = $('gamma-pair');
  pair.replaceChildren();
  view.gammaPairs.items.forEach((item, i) => pair.appendChild(new Option(item, String(i))));
  pair.selectedIndex = Math.max(0, view.gammaPairs.selected);
  const criteria = view.criteria;
  $('criteria').hidden = !criteria;
  if (criteria) {
    $('criteria-table').replaceChildren(...(criteria.tsv ? [tsvTable(criteria.tsv, 'The models ranked by AIC, AICc and BIC, with their weights')] : []));
    $('criteria-summary').textContent = criteria.summary;
    $('criteria-text').textContent = criteria.table;
    $('criteria-notes').replaceChildren(...criteria.notes.map((note) => cell('li', note)));
    $('criteria-notes').hidden = criteria.notes.length === 0;
  }
  $('take-taxa-text').textContent = view.taxa.text;
  $('take-taxa').checked = view.taxa.checked;
  $('take-taxa').disabled = !view.taxa.enabled;
}

async function readFiles(chosen) {
  files = Array.from(chosen);
  $('clear-files').hidden = files.length === 0;
  if ($('each').checked) {
    showEachOptions();
    return;
  }
  $('each-options').hidden = true;
  if (files.length === 0) return;
  $('status').textContent = `Reading ${files.length} file${files.length === 1 ? '' : 's'}…`;
  renderImport(await request('setFiles', [files, readForm()]));
  $('status').textContent = 'Ready.';
}

async function showDataSet() {
  renderImport(await request('showDataSet', [readForm(), $('data-set').selectedIndex]));
}

async function applyImport() {
  const choice = {
    dataSet: importView.dataSets.selected,
    rows: Array.from($('import-grid').querySelectorAll('select'), (select) => select.selectedIndex),
    gammaPair: $('gamma-pair').selectedIndex,
    taxa: $('take-taxa').checked,
  };
  const result = await request('applyImport', [readForm(), choice]);
  if (result.problem) {
    showProblem(result.problem, $('import'));
    return;
  }
  mergeForm(result.form);
  // Results shown for values that changed no longer belong to them.
  $('results').replaceChildren(cell('p', 'Values applied from the files; calculate again.', 'hint'));
}

// ---- many loci

function quoted(arg) {
  return /^[\w@%+=:,./-]+$/.test(arg) ? arg : `'${arg.replace(/'/g, "'\\''")}'`;
}

function eachArgs() {
  readForm();
  if ($('each-criteria').checked) return ['--each', '--criteria'];
  const args = ['--each', '-p', form.pValue];
  if (form.testModels) args.push('--variant', $('each-variant').value);
  if (form.testGamma && $('each-gamma-pair').value) args.push('--gamma-pair', $('each-gamma-pair').value);
  return args;
}

function showEachOptions() {
  $('import').hidden = true;
  $('each-options').hidden = !$('each').checked;
  const shown = files.length > 3 ? [...files.slice(0, 3).map((f) => f.name), '…'] : files.map((f) => f.name);
  const separator = files.some((f) => f.name.startsWith('-')) ? ['--'] : [];
  $('each-command').textContent = ['quillet-lrt', ...eachArgs(), ...separator, ...shown].map(quoted).join(' ');
  $('each-count').textContent = `${files.length} file${files.length === 1 ? '' : 's'}, each a locus.`;
}

async function runEach() {
  const progress = $('each-progress');
  progress.hidden = false;
  progress.value = 0;
  $('run-each').disabled = true;
  const started = performance.now();
  try {
    const result = await request('each', [eachArgs(), files], ({ done, total }) => {
      progress.max = total;
      progress.value = done;
      $('each-count').textContent = `${done} of ${total} loci`;
    });
    const summary = $('each-summary');
    if (result.error) {
      showProblem({ field: '', message: result.error }, $('each-options'));
      return;
    }
    setTsv(result.tsv);
    summary.textContent = result.summary.join('\n');
    summary.hidden = result.summary.length === 0;
    const seconds = ((performance.now() - started) / 1000).toFixed(2);
    $('each-count').textContent = `${files.length} loci in ${seconds} s.`;
  } catch (error) {
    showProblem({ field: '', message: error.message }, $('each-options'));
  } finally {
    $('run-each').disabled = false;
  }
}

// ---- report and TSV

function download(name, text) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], { type: 'text/plain' }));
  link.download = name;
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

async function copy(text, what) {
  try {
    await navigator.clipboard.writeText(text);
    $('status').textContent = `${what} copied.`;
  } catch {
    $('status').textContent = `${what} could not be copied; select it and copy it yourself.`;
  }
}

// ---- wiring

// The worker failed to answer: said where the page says what it is doing.
function failed(error) {
  $('status').textContent = `Something went wrong: ${error.message}`;
}

function wire() {
  form$.addEventListener('submit', (event) => {
    event.preventDefault();
    calculate().catch(failed);
  });
  $('clear-all').addEventListener('click', async () => {
    form = await request('clearedForm', []);
    showForm();
    clearProblems();
    $('results').replaceChildren(cell('p', 'Nothing calculated yet.', 'hint'));
  });
  $('files').addEventListener('change', (event) => readFiles(event.target.files).catch(failed));
  $('each').addEventListener('change', () => readFiles(files).catch(failed));
  $('clear-files').addEventListener('click', () => {
    $('files').value = '';
    request('clearFiles', []);
    readFiles([]);
    $('import').hidden = true;
  });
  $('apply').addEventListener('click', () => applyImport().catch(failed));
  $('show-data-set').addEventListener('click', () => showDataSet().catch(failed));
  $('run-each').addEventListener('click', runEach);
  for (const id of ['each-variant', 'each-gamma-pair', 'each-criteria']) $(id).addEventListener('change', showEachOptions);
  // A gamma value typed over is no longer the files' value of its model.
  for (const name of ['lnLGamma', 'lnLNoGamma']) {
    form$.elements[name].addEventListener('input', () => {
      if (form) delete form.gammaPair;
    });
  }
  for (const type of ['change', 'input']) {
    form$.addEventListener(type, () => {
      if ($('each').checked) showEachOptions();
    });
  }
  $('download-report').addEventListener('click', () => download('quillet-report.txt', reportText));
  $('copy-report').addEventListener('click', () => copy(reportText, 'Report'));
  $('new-report').addEventListener('click', () => {
    reportText = '';
    analyses = 0;
    $('report').textContent = '';
  });
  $('download-tsv').addEventListener('click', () => download($('each').checked ? 'quillet-loci.tsv' : 'quillet-tests.tsv', tsvText));
  $('copy-tsv').addEventListener('click', () => copy(tsvText, 'TSV'));

  // Files dropped anywhere on the page.
  const hint = $('drop-hint');
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    hint.hidden = false;
  });
  document.addEventListener('dragleave', (event) => {
    if (event.relatedTarget === null) hint.hidden = true;
  });
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    hint.hidden = true;
    if (event.dataTransfer && event.dataTransfer.files.length > 0) readFiles(event.dataTransfer.files).catch(failed);
  });
}

async function start() {
  wire();
  const started = await request('start', []);
  form = started.form;
  buildModelRows(form.models);
  showForm();
  for (const pair of started.gammaPairs) $('each-gamma-pair').appendChild(new Option(pair.text, pair.value));
  document.body.dataset.ready = 'true';
  document.body.dataset.readyMs = performance.now().toFixed(1);  // since the page was opened
  $('status').textContent = 'Ready.';
}

start().catch((error) => {
  $('status').textContent = `The page could not start: ${error.message}`;
});
