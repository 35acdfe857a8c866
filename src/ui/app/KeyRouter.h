#pragma once
// Routes the keystrokes of the main window and its controls to the typing engine: each key
// as a key-down code and as a character in code page 1250, the input method's letters
// (dead keys) as characters; what the engine consumes goes no further.

#include "VirtualKey.h"

#include <QObject>
#include <QSet>

class QInputMethodEvent;
class QKeyEvent;
class QWidget;
class TypingEngine;

class KeyRouter final : public QObject {
    Q_OBJECT

public:
    // `window`'s own keys count only when no control has the focus; `imeTarget` is the field
    // that takes the input method's letters (it holds the focus while typing).
    KeyRouter(QWidget& window, QWidget& imeTarget, TypingEngine& engine);

    // Keystrokes of `control` go to the engine first.
    void Watch(QWidget* control);

    // Qt's key code as the engine's key-down code.
    [[nodiscard]] static VirtualKey KeyDownCode(int qtKey);

    // What the engine consumed, for the event.
    bool FormKeyDown(const QKeyEvent& event);
    bool FormKeyPress(const QKeyEvent& event);
    bool FormInputMethod(const QInputMethodEvent& event);
    // Each character of `text` as one character event; true when any was consumed.
    bool TypeText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] bool IsKeyTarget(const QObject* watched) const;

    QWidget& window_;
    QWidget& imeTarget_;
    TypingEngine& engine_;
    QSet<const QObject*> controls_;
};
