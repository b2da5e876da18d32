#pragma once

#include <string>

#include "analysis/criteria.h"
#include "report/report_entry.h"

namespace quillet {

// The texts of a ranking by information criteria, the same from every front end.

// The table as the terminal and the report show it: fixed width, one row per model in the order
// given, "*" after the score of the model a criterion selects and "+" after the weight of each
// model in its 95% confidence set; an undefined AICc is shown as "-".
std::string FormatCriteriaTable(const CriteriaTable& table);

// The lines under the table: which models the weights are over, n and T, and the model each
// criterion selects.
std::string FormatCriteriaSummary(const CriteriaTable& table);

// The report item of a ranking, numbered as the analyses are: "Analysis number N", the table
// with n and T, and the three selected models.
ReportItem ModelSelectionItem(const CriteriaTable& table, int number);

// Tab-separated: the header line is exactly
// "model\tlnL\tk\tAIC\tdAIC\twAIC\tAICc\tdAICc\twAICc\tBIC\tdBIC\twBIC"; an undefined value is an
// empty field.
std::string CriteriaTsvHeader();
std::string CriteriaTsvRows(const CriteriaTable& table);

// One line per locus for a run over many loci ("--best"):
// "locus\tsites\ttaxa\tAIC_model\twAIC\tAICc_model\twAICc\tBIC_model\twBIC" without the locus
// column, which the caller puts first.
std::string BestTsvHeader();
std::string BestTsvRow(const CriteriaTable& table);

}  // namespace quillet
