#include "ui/qt/qt_dialog_window.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "ui/qt/caption_frame.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/eliding_label.h"
#include "ui/qt/eliding_line_edit.h"
#include "ui/qt/message_box.h"
#include "ui/qt/program_icon.h"
#include "ui/qt/sortable_table.h"

#ifdef Q_OS_WIN
#include <windows.h>
// The window seam has a MessageBox of its own, which windows.h would rename.
#undef MessageBox
#endif

namespace quillet::qt {

namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::WindowFlags FlagsFor(const DialogTemplate& tmpl, bool hasParent) {
  Qt::WindowFlags flags =
      (hasParent ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (tmpl.styles & window_style::kSysMenu) {
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  }
  if (tmpl.styles & window_style::kMinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  // A window of fixed size has nothing for a maximize box to do.
  if ((tmpl.styles & window_style::kMaximizeBox) && (tmpl.styles & window_style::kResizable)) {
    flags |= Qt::WindowMaximizeButtonHint;
  }
  return flags;
}

// A label or check box whose caption is wider in this font than the template allows grows to
// the right (centred text on both sides) rather than cutting its caption short.
void FitCaption(QWidget* widget, const QRect& rect, bool centred) {
  int wanted = widget->sizeHint().width();
  if (wanted <= rect.width()) {
    widget->setGeometry(rect);
    return;
  }
  QRect wider = rect;
  wider.setWidth(wanted);
  if (centred) wider.moveLeft(rect.left() - (wanted - rect.width()) / 2);
  widget->setGeometry(wider);
}

// A check box takes clicks anywhere in its rectangle, not only on the box and its caption.
class WholeAreaCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace

void WindowStack::Push(QtDialogWindow* window) { windows_.push_back(window); }

void WindowStack::Remove(QtDialogWindow* window) { std::erase(windows_, window); }

QtDialogWindow* WindowStack::Top() const { return windows_.empty() ? nullptr : windows_.back(); }

// A dialog that leaves the key alone does nothing with it, so the stack is as it was.
bool WindowStack::HelpKey(Window& window, int templateId, const QtDialogWindow* from) const {
  auto it = from ? std::find(windows_.rbegin(), windows_.rend(), from) : windows_.rbegin();
  for (; it != windows_.rend(); ++it) {
    if ((*it)->dialog().OnHelpKey(window, templateId)) return true;
  }
  return false;
}

QtDialogWindow::QtDialogWindow(Dialog& dialog, const DialogTemplate& tmpl, WindowStack& stack,
                               QWidget* parent)
    : QDialog(parent, FlagsFor(tmpl, parent != nullptr)),
      dialog_(dialog),
      stack_(stack),
      templateId_(tmpl.id) {
  setWindowTitle(ToQString(tmpl.caption));
  setWindowIcon(ProgramIcon());
  setSizeGripEnabled(false);
  Build(tmpl);
  stack_.Push(this);
  if (dialog_.TakesDroppedFiles()) {
    setAcceptDrops(true);
    // The number fields take dropped text themselves; files dropped on them go to the window.
    for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->installEventFilter(this);
  }
}

QtDialogWindow::~QtDialogWindow() { stack_.Remove(this); }

// Captions measured in this font may be wider than in the font the template was drawn for;
// the horizontal unit grows (by at most this factor) until they fit.
constexpr double kMaxWidening = 1.25;

void QtDialogWindow::Build(const DialogTemplate& tmpl) {
  struct Placed {
    const ControlTemplate* control;
    QWidget* widget;
    bool fitCaption;  // a single-line caption that should not be cut short
  };
  std::vector<Placed> placed;
  QWidget* previousTabStop = nullptr;
  std::vector<QWidget*> frames;

  for (const ControlTemplate& c : tmpl.controls) {
    QString caption = ToQString(c.caption);
    QWidget* widget = nullptr;
    bool fitCaption = false;
    switch (c.kind) {
      case ControlKind::kPushButton: {
        auto* button = new QPushButton(caption, this);
        button->setAutoDefault(true);
        if ((c.styles & style::kDefault) && !defaultButton_) {
          button->setDefault(true);
          defaultButton_ = button;
        }
        const int id = c.id;
        connect(button, &QPushButton::clicked, this, [this, id] { Command(id); });
        widget = button;
        break;
      }
      case ControlKind::kCheckBox: {
        auto* box = new WholeAreaCheckBox(caption, this);
        const int id = c.id;
        connect(box, &QCheckBox::clicked, this, [this, id] { Command(id); });
        fitCaption = !caption.isEmpty();
        widget = box;
        break;
      }
      case ControlKind::kEdit:
        if (c.styles & style::kMultiLine) {
          auto* edit = new QPlainTextEdit(this);
          edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
          edit->setTabChangesFocus(true);
          edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
          edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
          edit->installEventFilter(this);
          if (c.styles & style::kReadOnly) {
            edit->setReadOnly(true);
            edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
          }
          widget = edit;
        } else {
          widget = new ElidingLineEdit(this);
        }
        break;
      case ControlKind::kStatic: {
        bool centred = c.styles & style::kCenter;
        // Text taller than two lines of the font wraps, as static text does, except where the
        // template breaks the lines itself. One line too long for its control is shortened
        // visibly rather than cut.
        bool multiLine = c.cy >= 16 || caption.contains(u'\n');
        QLabel* label = multiLine ? new QLabel(caption, this) : new ElidingLabel(caption, this);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(multiLine && !caption.contains(u'\n'));
        label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) |
                            (multiLine ? Qt::AlignTop : Qt::AlignVCenter));
        fitCaption = !multiLine && !caption.isEmpty();
        widget = label;
        break;
      }
      case ControlKind::kGroupBox:
        widget = new CaptionFrame(caption, this);
        frames.push_back(widget);
        break;
      case ControlKind::kComboBox: {
        auto* list = new QComboBox(this);
        list->setEditable(false);
        widget = list;
        break;
      }
      case ControlKind::kTable:
        widget = new SortableTable(this);
        break;
      case ControlKind::kIcon: {
        auto* icon = new QLabel(this);
        icon->setPixmap(ProgramIcon().pixmap(32, 32));
        widget = icon;
        break;
      }
    }
    if (c.styles & style::kTabStop) {
      widget->setFocusPolicy(Qt::StrongFocus);
      if (previousTabStop) {
        setTabOrder(previousTabStop, widget);
      } else {
        firstTabStop_ = widget;
      }
      previousTabStop = widget;
    } else {
      widget->setFocusPolicy(Qt::NoFocus);
    }
    if (c.id != kNoId) controls_[c.id] = widget;
    placed.push_back({&c, widget, fitCaption});
  }

  DialogUnits units(font());
  for (const Placed& p : placed) {
    if (p.fitCaption) units.WidenToFit(p.widget->sizeHint().width(), p.control->cx, kMaxWidening);
    // Text broken into lines by the template should keep those lines.
    if (p.control->kind == ControlKind::kStatic &&
        p.control->caption.find('\n') != std::string_view::npos) {
      int widest = 0;
      for (const QString& line : ToQString(p.control->caption).split(u'\n')) {
        widest = std::max(widest, p.widget->fontMetrics().horizontalAdvance(line));
      }
      units.WidenToFit(widest, p.control->cx, kMaxWidening);
    }
  }
  templateSize_ = units.ToPixels(tmpl.cx, tmpl.cy);
  if (tmpl.styles & window_style::kResizable) {
    setMinimumSize(templateSize_);
    resize(templateSize_);
    setSizeGripEnabled(true);
  } else {
    setFixedSize(templateSize_);
  }
  constexpr std::uint32_t kFollows =
      style::kGrowWidth | style::kGrowHeight | style::kFollowRight | style::kFollowBottom;
  for (const Placed& p : placed) {
    const ControlTemplate& c = *p.control;
    QRect rect = units.ToPixels(c.x, c.y, c.cx, c.cy);
    if (c.kind == ControlKind::kIcon) rect.setSize(QSize(32, 32));  // the icon's own size
    if (p.fitCaption) {
      FitCaption(p.widget, rect, c.styles & style::kCenter);
    } else {
      p.widget->setGeometry(rect);
    }
    if (c.styles & kFollows) anchored_.push_back({p.widget, p.widget->geometry(), c.styles});
  }
  // Frames lie beneath the controls they surround.
  for (QWidget* frame : frames) frame->lower();
}

QWidget* QtDialogWindow::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

int QtDialogWindow::ControlId(const QWidget* widget) const {
  for (const auto& [id, w] : controls_) {
    if (w == widget) return id;
  }
  return kNoId;
}

std::string QtDialogWindow::GetControlText(int id) const {
  QWidget* w = Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text().toStdString();
  if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) return edit->toPlainText().toStdString();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text().toStdString();
  return {};
}

void QtDialogWindow::SetControlText(int id, const std::string& text) {
  QWidget* w = Control(id);
  QString value = QString::fromStdString(text);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    edit->setText(value);
    edit->setCursorPosition(0);  // show the start of a long value
  } else if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
    edit->setPlainText(value);
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(value);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(value);
  }
}

int QtDialogWindow::GetCheck(int id) const {
  auto* box = qobject_cast<QCheckBox*>(Control(id));
  return box && box->isChecked() ? 1 : 0;
}

// The boxes have two states; any state but 0 shows as ticked.
void QtDialogWindow::SetCheck(int id, int state) {
  if (auto* box = qobject_cast<QCheckBox*>(Control(id))) box->setChecked(state != 0);
}

void QtDialogWindow::EnableControl(int id, bool enable) {
  if (QWidget* w = Control(id)) w->setEnabled(enable);
}

void QtDialogWindow::SetComboItems(int id, const std::vector<std::string>& items) {
  auto* list = qobject_cast<QComboBox*>(Control(id));
  if (!list) return;
  list->clear();
  for (const std::string& item : items) list->addItem(QString::fromStdString(item));
  list->setCurrentIndex(-1);
  // The drop-down shows the longest item whole, however narrow the list itself is.
  int widest = 0;
  for (int i = 0; i < list->count(); ++i) {
    widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->itemText(i)));
  }
  list->view()->setMinimumWidth(widest + 4 * list->fontMetrics().averageCharWidth());
}

int QtDialogWindow::GetComboSelection(int id) const {
  auto* list = qobject_cast<QComboBox*>(Control(id));
  return list ? list->currentIndex() : -1;
}

void QtDialogWindow::SetComboSelection(int id, int index) {
  auto* list = qobject_cast<QComboBox*>(Control(id));
  if (!list) return;
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void QtDialogWindow::SetTable(int id, const TableContent& content) {
  if (auto* table = dynamic_cast<SortableTable*>(Control(id))) table->SetContent(content);
}

void QtDialogWindow::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void QtDialogWindow::FocusAndSelect(int id) {
  QWidget* w = Control(id);
  if (!w) return;
  focusPlaced_ = true;
  w->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
  if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) edit->selectAll();
}

void QtDialogWindow::FocusAtEnd(int id) {
  QWidget* w = Control(id);
  if (!w) return;
  focusPlaced_ = true;
  w->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    edit->deselect();
    edit->end(false);
  }
  if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
    edit->moveCursor(QTextCursor::End);
    edit->ensureCursorVisible();
  }
}

void QtDialogWindow::MessageBox(const std::string& text, const std::string& caption) {
  ShowMessageBox(this, text, caption);
}

void QtDialogWindow::FocusFirstTabStop() {
  if (!firstTabStop_) return;
  // Entering a field this way selects its text, so typing replaces it.
  firstTabStop_->setFocus(Qt::TabFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(firstTabStop_)) edit->selectAll();
}

int QtDialogWindow::RunModal() {
  if (parentWidget()) {
    setWindowModality(Qt::WindowModal);
    return exec();
  }
  QEventLoop loop;
  connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
  show();
  loop.exec();
  return result();
}

void QtDialogWindow::Command(int id) { End(dialog_.OnCommand(*this, id)); }

void QtDialogWindow::End(std::optional<int> code) {
  if (code) done(*code);
}

void QtDialogWindow::reject() { End(dialog_.OnCancel(*this)); }

void QtDialogWindow::accept() { Command(kIdOk); }

// Escape is the dialog's to answer: Qt would treat it as the close box (reject), which the main
// window must not.
void QtDialogWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    stack_.HelpKey(*this, templateId_, this);
    return;
  }
  if (event->matches(QKeySequence::Cancel)) {
    End(dialog_.OnEscapeKey(*this));
    return;
  }
  if (const MenuEntry* entry = EntryForKeys(event)) {
    dialog_.OnSysCommand(*this, entry->commandId);
    return;
  }
  QDialog::keyPressEvent(event);
}

// Shortcuts are written as "Ctrl+O", which is Command+O on macOS; keypad keys count as the
// ordinary ones.
const MenuEntry* QtDialogWindow::EntryForKeys(const QKeyEvent* event) const {
  const QKeySequence pressed(QKeyCombination(
      event->modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier), Qt::Key(event->key())));
  for (const MenuEntry& entry : dialog_.MenuEntries()) {
    if (entry.shortcut.empty()) continue;
    if (QKeySequence::fromString(ToQString(entry.shortcut), QKeySequence::PortableText) ==
        pressed) {
      return &entry;
    }
  }
  return nullptr;
}

// Where the window manager offers programs no system menu of their own, the dialog's menu
// entries are in a context menu of the window's background (its frames and labels included).
void QtDialogWindow::contextMenuEvent(QContextMenuEvent* event) {
#ifdef Q_OS_WIN
  QDialog::contextMenuEvent(event);
#else
  QWidget* child = childAt(event->pos());
  bool background = !child || qobject_cast<QLabel*>(child) || qobject_cast<QGroupBox*>(child);
  std::span<const MenuEntry> entries = dialog_.MenuEntries();
  if (entries.empty() || !background) {
    QDialog::contextMenuEvent(event);
    return;
  }
  QMenu menu(this);
  for (const MenuEntry& entry : entries) {
    QAction* action = menu.addAction(ToQString(entry.text));
    action->setData(entry.commandId);
    if (!entry.shortcut.empty()) {
      // Shown as a reminder; the window answers the keys itself.
      action->setShortcut(
          QKeySequence::fromString(ToQString(entry.shortcut), QKeySequence::PortableText));
      action->setShortcutVisibleInContextMenu(true);
    }
  }
  if (QAction* chosen = menu.exec(event->globalPos())) {
    dialog_.OnSysCommand(*this, chosen->data().toInt());
  }
#endif
}

// A multi-line edit leaves Enter to the dialog, so Enter presses the default button; Ctrl+Enter
// or Shift+Enter starts a new line.
bool QtDialogWindow::eventFilter(QObject* watched, QEvent* event) {
  if (qobject_cast<QLineEdit*>(watched) && TakeFileDrag(event)) return true;
  if (event->type() == QEvent::KeyPress && qobject_cast<QPlainTextEdit*>(watched)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) {
        static_cast<QPlainTextEdit*>(watched)->insertPlainText(QStringLiteral("\n"));
      } else if (defaultButton_ && defaultButton_->isEnabled()) {
        defaultButton_->click();
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void QtDialogWindow::showEvent(QShowEvent* event) {
  if (!centred_) {
    centred_ = true;
    QRect area;
    if (QWidget* owner = parentWidget()) {
      area = owner->window()->frameGeometry();
    } else if (QScreen* screen = this->screen()) {
      area = screen->availableGeometry();
    }
    if (area.isValid()) move(area.center() - rect().center());
#ifdef Q_OS_WIN
    // Windows offers every program a system menu: the dialog's entries go at its end.
    std::span<const MenuEntry> entries = dialog_.MenuEntries();
    HMENU menu = entries.empty() ? nullptr : GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    if (menu) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      for (const MenuEntry& entry : entries) {
        QString text = ToQString(entry.text);
        if (!entry.shortcut.empty()) {
          text += u'\t';
          text += ToQString(entry.shortcut);
        }
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(entry.commandId),
                    reinterpret_cast<LPCWSTR>(text.utf16()));
      }
    }
#endif
  }
  QDialog::showEvent(event);
}

// What the window is larger than its template goes to the controls that grow, and moves those
// that follow the right or the bottom edge.
void QtDialogWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const int extraWidth = std::max(0, width() - templateSize_.width());
  const int extraHeight = std::max(0, height() - templateSize_.height());
  for (const Anchored& a : anchored_) {
    QRect rect = a.placed;
    if (a.styles & style::kGrowWidth) rect.setWidth(rect.width() + extraWidth);
    if (a.styles & style::kGrowHeight) rect.setHeight(rect.height() + extraHeight);
    if (a.styles & style::kFollowRight) rect.translate(extraWidth, 0);
    if (a.styles & style::kFollowBottom) rect.translate(0, extraHeight);
    a.widget->setGeometry(rect);
  }
}

std::vector<std::string> QtDialogWindow::DroppableFiles(const QMimeData* data) const {
  std::vector<std::string> paths;
  // A window takes files only while no other window is open over it.
  if (!data || !data->hasUrls() || !dialog_.TakesDroppedFiles() || stack_.Top() != this) {
    return paths;
  }
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  return paths;
}

bool QtDialogWindow::TakeFileDrag(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (DroppableFiles(drag->mimeData()).empty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      std::vector<std::string> paths = DroppableFiles(drop->mimeData());
      if (paths.empty()) return false;
      drop->acceptProposedAction();
      // The import opens a modal dialog; the drag source is told the drop was taken first.
      QTimer::singleShot(0, this, [this, paths = std::move(paths)] {
        if (stack_.Top() == this) dialog_.OnDropFiles(*this, paths);
      });
      return true;
    }
    default:
      return false;
  }
}

void QtDialogWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!TakeFileDrag(event)) QDialog::dragEnterEvent(event);
}

void QtDialogWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (!TakeFileDrag(event)) QDialog::dragMoveEvent(event);
}

void QtDialogWindow::dropEvent(QDropEvent* event) {
  if (!TakeFileDrag(event)) QDialog::dropEvent(event);
}

#ifdef Q_OS_WIN
bool QtDialogWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
  auto* msg = static_cast<MSG*>(message);
  if (msg->message == WM_SYSCOMMAND && dialog_.OnSysCommand(*this, static_cast<int>(msg->wParam))) {
    *result = 0;
    return true;
  }
  return QDialog::nativeEvent(eventType, message, result);
}
#endif

}  // namespace quillet::qt
