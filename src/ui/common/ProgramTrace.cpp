#include "ProgramTrace.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcutEvent>
#include <QTextDocument>
#include <QWidget>
#include <QWindow>

#include <optional>

namespace {

// Keys that are no keystroke of their own: modifiers, and dead keys, whose letter comes with
// the next key.
bool IsPartOfAKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return key >= Qt::Key_Dead_Grave && key <= Qt::Key_Dead_Longsolidusoverlay;
    }
}

// The character a key typed, or the key's name when it typed none or was a command.
QString KeyName(const QKeyEvent& event) {
    const QString text = event.text();
    const bool command =
        (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (!command && !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace()) {
        return text;
    }
    return QKeySequence(event.keyCombination()).toString(QKeySequence::PortableText);
}

QString ClassName(const QObject* object) {
    return QString::fromLatin1(object->metaObject()->className());
}

// The top-level window a key went to: that of a widget, an action or a shortcut, or the
// widget of a window the window system handed it to.
const QWidget* WindowOf(const QObject* target) {
    if (target->isWindowType()) {
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (window->windowHandle() == target) {
                return window;
            }
        }
        return nullptr;
    }
    for (const QObject* object = target; object != nullptr; object = object->parent()) {
        if (object->isWidgetType()) {
            return static_cast<const QWidget*>(object)->window();
        }
    }
    return nullptr;
}

// How many characters the text field with the focus holds (a copy's text area, a file name), or
// nothing when no text field has the focus: what a key that no command heard typed there.
std::optional<int> FocusedTextLength() {
    const QWidget* focus = QApplication::focusWidget();
    if (const auto* area = qobject_cast<const QPlainTextEdit*>(focus)) {
        return area->document()->characterCount() - 1; // without the end's paragraph mark
    }
    if (const auto* field = qobject_cast<const QLineEdit*>(focus)) {
        return static_cast<int>(field->text().size());
    }
    return std::nullopt;
}

} // namespace

std::unique_ptr<ProgramTrace> ProgramTrace::FromEnvironment() {
    const QString file = qEnvironmentVariable(kVariable);
    if (file.isEmpty()) {
        return nullptr;
    }
    return std::make_unique<ProgramTrace>(file);
}

ProgramTrace::ProgramTrace(const QString& file) : file_(file) {
    // One write per batch of lines: a script never reads half a batch it could mistake for all.
    (void)file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    QCoreApplication::instance()->installEventFilter(this);
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &ProgramTrace::Write);
}

ProgramTrace::~ProgramTrace() {
    QCoreApplication::instance()->removeEventFilter(this);
    Write();
}

void ProgramTrace::KeyJudged(const QString& verdict) {
    if (key_ != nullptr) {
        key_->did << verdict;
        key_->judged = true;
    }
}

void ProgramTrace::KeyMoved(const QString& next) {
    if (key_ != nullptr && !key_->judged) {
        key_->did << next;
    }
}

void ProgramTrace::Note(const QString& line) {
    Line note;
    note.text = line;
    pending_.push_back(std::move(note));
}

void ProgramTrace::FollowTyping(const QWidget* window, std::function<bool()> stopped) {
    typingWindow_ = stopped ? window : nullptr;
    stopped_ = std::move(stopped);
}

bool ProgramTrace::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        // The window system hands a key to a window, which passes it on to its widgets: the
        // window sees each key once.
        if (watched->isWindowType()) {
            const auto* key = static_cast<const QKeyEvent*>(event);
            if (!IsPartOfAKey(key->key())) {
                BeginKey(KeyName(*key), watched);
            }
        }
        break;
    case QEvent::Shortcut:
        // A key that is a shortcut goes to its action, shortcut or button instead.
        BeginKey(
            static_cast<const QShortcutEvent*>(event)->key().toString(QKeySequence::PortableText),
            watched, true);
        break;
    case QEvent::InputMethod:
        // A dead key's letter comes with the key after it, as the input method's text.
        if (const QString text = static_cast<const QInputMethodEvent*>(event)->commitString();
            !text.isEmpty()) {
            BeginKey(text, watched);
        }
        break;
    case QEvent::Show:
    case QEvent::Hide:
        // Not the window manager's minimizing and restoring.
        if (watched->isWidgetType() && !event->spontaneous()) {
            const auto* widget = static_cast<const QWidget*>(watched);
            if (widget->isWindow()) {
                Note(QStringLiteral("%1 %2 %3 %4")
                         .arg(event->type() == QEvent::Show ? QStringLiteral("shown")
                                                            : QStringLiteral("hidden"),
                              ClassName(widget), QString::number(widget->internalWinId()),
                              widget->windowTitle()));
            }
        }
        break;
    default:
        break;
    }
    return false;
}

void ProgramTrace::BeginKey(const QString& name, const QObject* target, bool shortcut) {
    EndKey();
    const QWidget* window = WindowOf(target);
    Line line;
    line.text = QStringLiteral("key %1 in %2")
                    .arg(name, window != nullptr ? ClassName(window) : QStringLiteral("-"));
    line.shortcut = shortcut;
    line.typingWindow = window != nullptr && window == typingWindow_;
    if (shortcut) {
        line.did << (target->objectName().isEmpty() ? ClassName(target) : target->objectName());
    }
    pending_.push_back(std::move(line));
    key_ = &pending_.back();
}

void ProgramTrace::EndKey() {
    if (key_ == nullptr) {
        return;
    }
    // The typing window's keys tell its mode: a shortcut may have switched it, and a key that
    // nothing heard was swallowed in STOP mode.
    if (key_->typingWindow && stopped_) {
        const bool stopped = stopped_();
        if (key_->shortcut) {
            key_->did << (stopped ? QStringLiteral("STOP") : QStringLiteral("typing"));
        } else if (key_->did.isEmpty() && stopped) {
            key_->did << QStringLiteral("STOP");
        }
    } else if (key_->did.isEmpty()) {
        if (const std::optional<int> length = FocusedTextLength()) {
            key_->did << QStringLiteral("text %1").arg(*length);
        }
    }
    key_->text +=
        QStringLiteral(": ") +
        (key_->did.isEmpty() ? QStringLiteral("-") : key_->did.join(QStringLiteral(", ")));
    key_ = nullptr;
}

void ProgramTrace::Write() {
    EndKey();
    if (pending_.empty()) {
        return;
    }
    QByteArray lines;
    for (const Line& line : pending_) {
        lines += line.text.toUtf8() + '\n';
    }
    pending_.clear();
    (void)file_.write(lines);
}
