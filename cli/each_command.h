#pragma once

#include "cli/lrt_environment.h"
#include "cli/lrt_request.h"

namespace quillet::cli {

// --each: every file a locus. Runs the tests chosen (or, with --list, lists the values) for
// each file on its own and prints one TSV with a locus column first, in the order of the
// files, the header line once. Never stops at a bad file: files that were not read and loci
// with something to note (a test that did not run, a chosen model not in the file, values the
// file disagrees on) are summed up on `err` at the end. A progress bar is drawn on `err` when
// it is a terminal. Returns 3 when a file or folder was refused, else 1 when a test chosen did
// not run for some locus, else 0.
int RunEachCommand(const LrtRequest& request, LrtEnvironment& env);

}  // namespace quillet::cli
