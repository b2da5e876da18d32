#pragma once

class QEvent;
class QString;
class QWidget;

namespace quillet::qt {

// Answers a tooltip request of a control that shows its text shortened: the whole text when it
// is shortened, no tooltip otherwise. Returns false for every other event, and for a control
// that has a tooltip of its own.
bool HandleWholeTextTip(QEvent* event, QWidget* control, bool elided, const QString& text);

}  // namespace quillet::qt
