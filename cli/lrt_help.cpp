#include "cli/lrt_help.h"

#include <vector>

#include "import/file_formats.h"

namespace quillet::cli {

namespace {

// "IQ-TREE, PhyML and PAUP*".
std::string JoinWithAnd(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
    text += items[i];
  }
  return text;
}

}  // namespace

std::string LrtDescription() {
  return "Likelihood ratio tests of nucleotide substitution models against the chi-square "
         "distribution: the models given are tested against the most complex of them, the "
         "molecular clock and gamma/invariable sites each against the simpler hypothesis. "
         "Numbers are read as the Quillet window reads them. Log-likelihoods can also be read "
         "from the output files of " +
         JoinWithAnd(ProgramsRead()) + ", or from a table (FILE...).";
}

std::string LrtFooter() {
  return "Files: the FILEs are read together as one data set (an IQ-TREE report and its log, "
         "eight PhyML runs); a value the files disagree on is left out. The rows of the test of "
         "models take the --variant of each model (plain unless chosen) or its own --use; they "
         "are filled when --variant, --use or --model is given or no other test is asked for. A "
         "row whose variant the files lack stays unticked. --gamma-pair takes the gamma test "
         "from the files. --model, --gamma and --taxa override what the files give; the number "
         "of taxa for --clock comes from the files when --taxa is not given. A file that cannot "
         "be read stops the calculation.\n\n"
         "--each: every FILE is a locus (a FOLDER: each file in it, by name, without subfolders "
         "and files starting with a dot), named by its file name without the last extension (by "
         "its path as given when two files share a name). The tests chosen by --variant, --use "
         "and --gamma-pair run for each and one TSV is printed, the locus first; files that "
         "cannot be read and tests that could not run are summed up on stderr at the end.\n\n"
         "--criteria: every classic model the files (or --model) give is ranked by AIC = -2 lnL "
         "+ 2k, AICc = AIC + 2k(k+1)/(n-k-1) (none where n-k-1 <= 0) and BIC = -2 lnL + k ln n, "
         "with k the model's own parameters plus the 2T-3 branch lengths of an unrooted tree of "
         "T taxa and n the alignment's sites. For each criterion: the difference to the best "
         "model, the Akaike weight exp(-d/2) over the sum for the models ranked, and the 95% "
         "confidence set (the fewest models, by falling weight, whose weights reach 0.95).\n\n"
         "Log-likelihoods are read in double precision. A test whose more complex model has the "
         "lower ln L is told (the fit did not reach its maximum) and not rejected.\n\n"
         "Exit status: 0 when every test asked for ran, 1 when one could not run (a value of 0 "
         "counts as missing, a model chosen is not in the files or they disagree on it, a more "
         "complex model fits worse) or the report could not be written, 2 when the command line "
         "or a value was refused, 3 when a file was refused or the files are not one data set. "
         "See quillet-lrt(1).";
}

}  // namespace quillet::cli
