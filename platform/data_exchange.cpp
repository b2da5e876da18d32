#include "platform/data_exchange.h"

#include "platform/format.h"
#include "platform/parse.h"

namespace quillet {

bool DataExchange::Check(int id, int& flag) {
  if (fromWindow_) {
    flag = window_.GetCheck(id);
  } else {
    if (flag < 0 || flag > 2) flag = 0;
    window_.SetCheck(id, flag);
  }
  return true;
}

bool DataExchange::Float(int id, float& value) {
  if (!fromWindow_) {
    // A tiny negative number typed in ("-1e-50") is stored as a negative zero; shown as "-0"
    // it would be refused on the next read, as the parser takes a zero only with a leading 0.
    window_.SetControlText(id, FormatGeneral(value == 0.0f ? 0.0f : value, 6));
    return true;
  }
  std::optional<float> parsed = ParseFloatField(window_.GetControlText(id));
  if (!parsed) return Fail(id, kPleaseEnterNumber);
  value = *parsed;
  return true;
}

bool DataExchange::Float(int id, double& value) {
  if (!fromWindow_) {
    window_.SetControlText(id, FormatGeneral(value == 0.0 ? 0.0 : value, 6));
    return true;
  }
  std::optional<double> parsed = ParseDoubleField(window_.GetControlText(id));
  if (!parsed) return Fail(id, kPleaseEnterNumber);
  value = *parsed;
  return true;
}

bool DataExchange::Number(int id, WrittenNumber& number) {
  if (!fromWindow_) {
    window_.SetControlText(id, FormatRoundTrip(number.value, number.decimals));
    return true;
  }
  const std::string text = window_.GetControlText(id);
  std::optional<double> parsed = ParseDoubleField(text);
  if (!parsed) return Fail(id, kPleaseEnterNumber);
  number = WrittenNumber(*parsed, DecimalsWritten(text));
  return true;
}

bool DataExchange::Int(int id, int& value) {
  if (!fromWindow_) {
    window_.SetControlText(id, FormatInt(value));
    return true;
  }
  std::optional<int> parsed = ParseIntField(window_.GetControlText(id));
  if (!parsed) return Fail(id, kPleaseEnterInteger);
  value = *parsed;
  return true;
}

bool DataExchange::Text(int id, std::string& text) {
  if (fromWindow_) {
    text = window_.GetControlText(id);
  } else {
    window_.SetControlText(id, text);
  }
  return true;
}

bool DataExchange::ComboIndex(int id, int& index) {
  if (fromWindow_) {
    index = window_.GetComboSelection(id);
  } else {
    window_.SetComboSelection(id, index);
  }
  return true;
}

bool DataExchange::Fail(int id, const char* message) {
  ShowFieldProblem(window_, id, message);
  return false;
}

void ShowFieldProblem(Window& window, int id, const std::string& message) {
  window.MessageBox(message);
  window.EnableControl(id, true);
  window.FocusAndSelect(id);
}

}  // namespace quillet
