#include "import/plain_table.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "import/decimal_text.h"
#include "import/import_builder.h"
#include "import/model_names.h"
#include "import/text_lines.h"

namespace quillet {

namespace {

enum class Separator { kTab, kComma, kSemicolon, kBlanks };

Separator SeparatorOf(std::string_view header) {
  if (header.find('\t') != std::string_view::npos) return Separator::kTab;
  if (header.find(',') != std::string_view::npos) return Separator::kComma;
  if (header.find(';') != std::string_view::npos) return Separator::kSemicolon;
  return Separator::kBlanks;
}

std::string Unquoted(std::string_view cell) {
  cell = Trim(cell);
  if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"') {
    std::string out;
    for (std::size_t i = 1; i + 1 < cell.size(); ++i) {
      out += cell[i];
      if (cell[i] == '"' && cell[i + 1] == '"') ++i;
    }
    return out;
  }
  return std::string(cell);
}

// The cells of a line; quotes around a cell are removed, and a separator inside quotes is part
// of the cell.
std::vector<std::string> Cells(std::string_view line, Separator separator) {
  std::vector<std::string> cells;
  if (separator == Separator::kBlanks) {
    for (std::string_view word : Words(line)) cells.push_back(Unquoted(word));
    return cells;
  }
  const char mark = separator == Separator::kTab     ? '\t'
                    : separator == Separator::kComma ? ','
                                                     : ';';
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && line[i] == '"') quoted = !quoted;
    if (i == line.size() || (line[i] == mark && !quoted)) {
      cells.push_back(Unquoted(line.substr(start, i - start)));
      start = i + 1;
    }
  }
  return cells;
}

// A header cell with case, blanks, dots and underscores taken out ("Log Likelihood" ->
// "loglikelihood", "log.lik" -> "loglik"); a leading minus stays.
std::string HeaderKey(std::string_view cell) {
  std::string key;
  for (std::size_t i = 0; i < cell.size(); ++i) {
    char c = cell[i];
    if (c == ' ' || c == '\t' || c == '.' || c == '_' || (c == '-' && i > 0)) continue;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    key += c;
  }
  return key;
}

bool IsModelKey(const std::string& key) {
  return key == "model" || key == "models" || key == "modelname" || key == "substitutionmodel";
}

// 1 for a ln L column, -1 for a -ln L column, 0 for anything else.
int LnLKey(const std::string& key) {
  for (const char* name : {"lnl", "logl", "loglik", "loglikelihood", "lnlikelihood"}) {
    if (key == name) return 1;
    if (key == std::string("-") + name || key == std::string("neg") + name) return -1;
  }
  return 0;
}

struct Header {
  Separator separator = Separator::kBlanks;
  std::size_t cells = 0;
  std::optional<std::size_t> model;
  std::optional<std::size_t> lnL;
  bool negate = false;
  int lnLColumns = 0;
  int modelColumns = 0;
};

Header ReadHeader(std::string_view line) {
  Header header;
  header.separator = SeparatorOf(line);
  const std::vector<std::string> cells = Cells(line, header.separator);
  header.cells = cells.size();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::string key = HeaderKey(cells[i]);
    if (IsModelKey(key)) {
      ++header.modelColumns;
      header.model = i;
    }
    if (const int sign = LnLKey(key); sign != 0) {
      ++header.lnLColumns;
      header.lnL = i;
      header.negate = sign < 0;
    }
  }
  return header;
}

std::string_view FirstLine(LineReader& lines) {
  std::string_view line;
  while (lines.Next(line)) {
    if (!Trim(line).empty()) return line;
  }
  return {};
}

// Whether a name has a frequency part as IQ-TREE writes it (+F, +FO, +FQ, ...).
bool HasFrequencyPart(std::string_view name) {
  std::size_t plus = name.find('+');
  while (plus != std::string_view::npos) {
    name.remove_prefix(plus + 1);
    plus = name.find('+');
    const std::string_view part = Trim(name.substr(0, plus));
    for (std::string_view f : {"F", "FO", "FC", "FQ", "FE"}) {
      if (EqualsIgnoringCase(part, f)) return true;
    }
  }
  return false;
}

struct Row {
  std::string model;
  std::string lnL;
  std::size_t line = 0;
};

// Whether the log-likelihood column writes a comma as its decimal mark throughout, as
// spreadsheets do where the comma is the decimal mark ("-3040,10"): some values have one, none
// has a point, and each reads as a decimal with the comma taken for a point. Where the comma
// separates the cells it cannot be a decimal mark.
bool DecimalCommas(const std::vector<Row>& rows, Separator separator) {
  if (separator == Separator::kComma) return false;
  bool any = false;
  for (const Row& row : rows) {
    std::string value = Unquoted(row.lnL);
    if (value.find('.') != std::string::npos) return false;
    const std::size_t comma = value.find(',');
    if (comma == std::string::npos) continue;
    value[comma] = '.';
    if (!IsDecimal(value)) return false;  // a second comma, a thousands separator, a word
    any = true;
  }
  return any;
}

}  // namespace

bool LooksLikePlainTable(std::string_view firstLine) {
  const Header header = ReadHeader(firstLine);
  return header.model && header.lnL && header.model != header.lnL;
}

FileImport ReadPlainTable(std::string_view text, const std::string& source) {
  LineReader lines(text);
  const Header header = ReadHeader(FirstLine(lines));
  const char* kinds[] = {"tab-separated", "comma-separated", "semicolon-separated",
                         "blank-separated"};
  ImportBuilder builder(source,
                        std::string("table (") + kinds[static_cast<int>(header.separator)] + ")");
  if (header.lnLColumns > 1) return builder.Refuse("more than one log-likelihood column");
  if (header.modelColumns > 1) return builder.Refuse("more than one model column");
  if (!header.model || !header.lnL) {
    return builder.Refuse("no header with a model and a log-likelihood column");
  }
  std::vector<Row> rows;
  int dataLines = 0;
  std::string_view line;
  while (lines.Next(line)) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;
    ++dataLines;
    std::vector<std::string> cells = Cells(line, header.separator);
    // R's write.table gives the row names a column the header does not have.
    if (header.separator == Separator::kBlanks && cells.size() == header.cells + 1 &&
        ReadCount(cells[0]) >= 0) {
      cells.erase(cells.begin());
    }
    if (cells.size() <= *header.model || cells.size() <= *header.lnL) {
      builder.Note("line " + std::to_string(lines.LineNumber()) + " not understood");
      continue;
    }
    rows.push_back({cells[*header.model], cells[*header.lnL], lines.LineNumber()});
  }

  bool frequencyParts = false;
  for (const Row& row : rows) frequencyParts = frequencyParts || HasFrequencyPart(row.model);
  const PlainNames plain = frequencyParts ? PlainNames::kEqualFrequencies : PlainNames::kClassic;
  const bool decimalCommas = DecimalCommas(rows, header.separator);
  if (decimalCommas) {
    builder.SetFormat(std::string("table (") + kinds[static_cast<int>(header.separator)] +
                      ", decimal commas)");
  }
  for (const Row& row : rows) {
    const NameReading reading = ReadModelName(row.model, plain);
    if (reading.protein) {
      return builder.Refuse("protein models (" + row.model.substr(0, 20) +
                            "); Quillet compares nucleotide models");
    }
    if (!reading.model) {
      builder.LeaveOut(row.model, reading.reason);
      continue;
    }
    std::string value = Unquoted(row.lnL);
    if (decimalCommas) std::replace(value.begin(), value.end(), ',', '.');
    if (value.empty() || value == "NA" || value == "NaN" || value == "nan") {
      builder.Note(CanonicalName(*reading.model) + " on line " + std::to_string(row.line) +
                   " has no value");
      continue;
    }
    builder.AddValue(*reading.model, value, header.negate);
  }
  if (dataLines == 0) return builder.Refuse("the table has no rows");
  if (frequencyParts) {
    builder.Note(
        "the names carry frequency parts as IQ-TREE writes them (+F), so F81, HKY, TN "
        "and GTR without one are read as the equal-frequency variants");
  }
  return builder.Finish();
}

}  // namespace quillet
