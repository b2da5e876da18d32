// The page's worker: it runs the core (QuilletCore, defined just above this in the same
// script) so that the page stays responsive, and answers the page's requests in order.
// A request is { id, op, args }; the answer { id, result } or { id, error }. A run over loci
// also sends { id, progress: { done, total } } as it goes.
'use strict';

let core = null;
// The data set of the page: its files, read once, as the core takes them.
let dataSet = [];

async function readFiles(files) {
  const read = [];
  for (const file of files) {
    const entry = { name: file.name, size: file.size };
    // A file too large to read is refused by its size alone, without reading it.
    if (file.size <= core.maxImportBytes) entry.bytes = new Uint8Array(await file.arrayBuffer());
    read.push(entry);
  }
  return read;
}

const ops = {
  start: () => ({ form: core.initialForm(), gammaPairs: core.allGammaPairs() }),
  calculate: (form, report) => core.calculate(form, report),
  setFiles: async (files, form) => {
    dataSet = await readFiles(files);
    return core.importFiles(dataSet, form);
  },
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
      for (let i = 0; i < files.length; ++i) {
        const [entry] = await readFiles([files[i]]);
        tsv += run.add(entry);
        const now = performance.now();
        if (now - reported > 50 || i + 1 === files.length) {
          postMessage({ id, progress: { done: i + 1, total: files.length } });
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
