// The page's worker: it runs the core (QuilletCore, defined just above this in the same
// script) so that the page stays responsive, and answers the page's requests in order.
// A request is { id, op, args }; the answer { id, result } or { id, error }. A run over loci
// also sends { id, progress: { done, total } } as it goes.
'use strict';

let core = null;
// The data set of the page: its files, read once, as the core takes them.
let dataSet = [];

// The files as the core takes them, read all at once. A file too large to read is refused by
// its size alone, without reading it.
function readFiles(files) {
  return Promise.all(files.map(async (file) => {
    const entry = { name: file.name, size: file.size };
    if (file.size <= core.maxImportBytes) entry.bytes = new Uint8Array(await file.arrayBuffer());
    return entry;
  }));
}

const ops = {
  start: () => ({ form: core.initialForm(), gammaPairs: core.allGammaPairs() }),
  clearedForm: () => core.clearedForm(),
  calculate: (form, report) => core.calculate(form, report),
  setFiles: async (files, form) => {
    dataSet = await readFiles(files);
    return core.importFiles(dataSet, form, 0);
  },
  showDataSet: (form, item) => core.importFiles(dataSet, form, item),
  clearFiles: () => {
    dataSet = [];
    return null;
  },
  applyImport: (form, choice) => core.applyImport(dataSet, form, choice),
  each: async (id, args, files) => {
    const names = files.map((file) => file.name);
    const run = new core.EachRun(args, names);
    try {
      const error = run.error();
      if (error) return { error, tsv: '', summary: [] };
      let tsv = run.header();
      let reported = performance.now();
      // Files are read a batch ahead, many at a time: reading one after the other waits on
      // each, and takes longer than the tests.
      const kBatch = 64;
      let next = readFiles(files.slice(0, kBatch));
      for (let start = 0; start < files.length; start += kBatch) {
        const batch = await next;
        next = readFiles(files.slice(start + kBatch, start + 2 * kBatch));
        for (const entry of batch) tsv += run.add(entry);
        const done = start + batch.length;
        const now = performance.now();
        if (now - reported > 50 || done === files.length) {
          postMessage({ id, progress: { done, total: files.length } });
          reported = now;
        }
      }
      const summary = run.summary();
      return { error: '', tsv, summary };
    } finally {
      run.delete();
    }
  },
};

const started = QuilletCore().then((module) => {
  core = module;
});

onmessage = async (event) => {
  const { id, op, args } = event.data;
  try {
    await started;
    const result = await ops[op](...args);
    postMessage({ id, result });
  } catch (error) {
    postMessage({ id, error: String(error && error.stack ? error.stack : error) });
  }
};
