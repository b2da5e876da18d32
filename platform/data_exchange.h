#pragma once

#include <string>

#include "platform/window.h"
#include "platform/written_number.h"

namespace quillet {

// Moves one field at a time between a member and the control with the given id, in the
// framework's manner. Each call returns false when reading from the window fails; the caller
// chains the calls with && so that the exchange stops at the first failing field, which has
// already shown its message and taken the focus. Writing to the window never fails.
class DataExchange {
 public:
  DataExchange(Window& window, bool fromWindow) : window_(window), fromWindow_(fromWindow) {}

  bool fromWindow() const { return fromWindow_; }

  // Check box: the check state from the window; to the window the flag, where a value
  // outside 0..2 is first replaced by 0.
  bool Check(int id, int& flag);

  // Edit holding a float: shown with "%.*g" at six significant digits; read by
  // ParseFloatField, failing with "Please enter a number.".
  bool Float(int id, float& value);
  // The same for a value kept in double precision (the significance level, so that a level
  // single precision cannot hold is still seen for what it is).
  bool Float(int id, double& value);

  // Edit holding a number in double precision, such as a log-likelihood: shown with every
  // digit it needs to read back the same and at least the decimals it was written with; read
  // by ParseDoubleField, failing with "Please enter a number.".
  bool Number(int id, WrittenNumber& number);

  // Edit holding an int: shown with "%d"; read by ParseIntField, failing with
  // "Please enter an integer.".
  bool Int(int id, int& value);

  // Edit or static text, the whole text both ways.
  bool Text(int id, std::string& text);

  // Drop-down list: the index of the selected item both ways, -1 for none.
  bool ComboIndex(int id, int& index);

 private:
  bool Fail(int id, const char* message);

  Window& window_;
  bool fromWindow_;
};

// Tells the user what is wrong with a field and puts the cursor in it, its text selected. A
// field of a disabled group is enabled first, so the message never points at a field the
// cursor cannot enter.
void ShowFieldProblem(Window& window, int id, const std::string& message);

inline constexpr char kPleaseEnterNumber[] = "Please enter a number.";
inline constexpr char kPleaseEnterInteger[] = "Please enter an integer.";

}  // namespace quillet
