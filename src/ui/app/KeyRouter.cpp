#include "KeyRouter.h"

#include "Cp1250.h"
#include "TypingEngine.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

KeyRouter::KeyRouter(QWidget& window, QWidget& imeTarget, TypingEngine& engine)
    : QObject(&window), window_(window), imeTarget_(imeTarget), engine_(engine) {
    window_.installEventFilter(this);
}

void KeyRouter::Watch(QWidget* control) {
    control->installEventFilter(this);
    controls_.insert(control);
}

VirtualKey KeyRouter::KeyDownCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VirtualKey::Return;
    case Qt::Key_Up:
        return VirtualKey::Up;
    case Qt::Key_Down:
        return VirtualKey::Down;
    case Qt::Key_Backspace:
        return VirtualKey::Backspace;
    case Qt::Key_Tab:
        return VirtualKey::Tab;
    case Qt::Key_Shift:
        return VirtualKey::Shift;
    case Qt::Key_Control:
        return VirtualKey::Control;
    case Qt::Key_Alt:
        return VirtualKey::Alt;
    case Qt::Key_Escape:
        return VirtualKey::Escape;
    case Qt::Key_Space:
        return VirtualKey::Space;
    case Qt::Key_Left:
        return VirtualKey::Left;
    case Qt::Key_Right:
        return VirtualKey::Right;
    case Qt::Key_Delete:
        return VirtualKey::Delete;
    default:
        break;
    }
    // The function keys, digits and letters each follow their first one.
    const auto after = [](VirtualKey first, int steps) {
        return static_cast<VirtualKey>(static_cast<int>(first) + steps);
    };
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return after(VirtualKey::F1, qtKey - Qt::Key_F1);
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return after(VirtualKey::Digit0, qtKey - Qt::Key_0);
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return after(VirtualKey::A, qtKey - Qt::Key_A);
    }
    return VirtualKey::Other;
}

bool KeyRouter::FormKeyDown(const QKeyEvent& event) {
    VirtualKey key = KeyDownCode(event.key());
    engine_.FormKeyDown(key);
    return key == VirtualKey::None;
}

bool KeyRouter::FormKeyPress(const QKeyEvent& event) {
    // Ctrl and Alt combinations are commands, never typed characters.
    if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
        return false;
    }
    if (event.key() == Qt::Key_Backspace) {
        unsigned char key = TypingEngine::kBackspace;
        engine_.FormKeyPress(key);
        return key == 0;
    }
    // Delete has a character in Qt, but it is an editing key, not a typed character.
    if (event.key() == Qt::Key_Delete) {
        return false;
    }
    return TypeText(event.text());
}

bool KeyRouter::FormInputMethod(const QInputMethodEvent& event) {
    return TypeText(event.commitString());
}

bool KeyRouter::TypeText(const QString& text) {
    bool consumed = false;
    for (const char32_t codePoint : text.toUcs4()) {
        unsigned char key = Cp1250::FromUnicode(codePoint);
        engine_.FormKeyPress(key);
        consumed = consumed || key == 0;
    }
    return consumed;
}

bool KeyRouter::IsKeyTarget(const QObject* watched) const {
    if (controls_.contains(watched)) {
        return true;
    }
    // The window itself only when no control has the focus; otherwise it is a key that a
    // control passed on to its parents after the engine has seen it.
    const QWidget* focus = QApplication::focusWidget();
    return watched == &window_ && (focus == nullptr || focus == &window_);
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (IsKeyTarget(watched)) {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool down = FormKeyDown(*key);
            const bool press = FormKeyPress(*key);
            if (down || press) {
                key->accept();
                return true;
            }
        }
        break;
    case QEvent::InputMethod:
        if (IsKeyTarget(watched) && FormInputMethod(*static_cast<QInputMethodEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::InputMethodQuery:
        // A read-only field refuses input methods; this one takes the dead keys' letters.
        if (watched == &imeTarget_ || watched == &window_) {
            auto* query = static_cast<QInputMethodQueryEvent*>(event);
            const auto* widget = static_cast<QWidget*>(watched);
            for (int bit = 0; bit < 32; ++bit) {
                const auto q =
                    static_cast<Qt::InputMethodQuery>(query->queries().toInt() & (1 << bit));
                if (q != 0) {
                    query->setValue(q, q == Qt::ImEnabled ? QVariant(true)
                                                          : widget->inputMethodQuery(q));
                }
            }
            query->accept();
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
