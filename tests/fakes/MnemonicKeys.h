#pragma once
// The Alt keys of a window's controls and of a menu's items, to find two that share one: Alt
// then reaches only the first of them.

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QTabBar>
#include <QWidget>

#include <map>

class MnemonicKeys {
public:
    // The visible controls of a window that take an Alt key from their caption: buttons, check
    // boxes and radio buttons, labels with a buddy, group boxes and tabs.
    static MnemonicKeys OfWindow(const QWidget& window) {
        MnemonicKeys keys;
        for (const QWidget* child : window.findChildren<QWidget*>()) {
            if (!child->isVisibleTo(&window)) {
                continue;
            }
            if (const auto* button = qobject_cast<const QAbstractButton*>(child)) {
                keys.Add(button->text());
            } else if (const auto* label = qobject_cast<const QLabel*>(child)) {
                if (label->buddy() != nullptr) {
                    keys.Add(label->text());
                }
            } else if (const auto* group = qobject_cast<const QGroupBox*>(child)) {
                keys.Add(group->title());
            } else if (const auto* tabs = qobject_cast<const QTabBar*>(child)) {
                for (int i = 0; i < tabs->count(); ++i) {
                    keys.Add(tabs->tabText(i));
                }
            }
        }
        return keys;
    }
    // The visible items of a menu, or the menus of a menu bar.
    static MnemonicKeys OfMenu(const QWidget& menu) {
        MnemonicKeys keys;
        for (const QAction* action : menu.actions()) {
            if (action->isVisible() && !action->isSeparator()) {
                keys.Add(action->text());
            }
        }
        return keys;
    }

    // "Alt+Z: &Zobrazit, &Zavřít" for each key that two captions or more share.
    [[nodiscard]] QStringList Shared() const {
        QStringList shared;
        for (const auto& [key, captions] : byKey_) {
            if (captions.size() > 1) {
                shared << key + QStringLiteral(": ") + captions.join(QStringLiteral(", "));
            }
        }
        return shared;
    }
    // The caption that takes the key ("Alt+C"), or an empty string.
    [[nodiscard]] QString CaptionOf(const QString& key) const {
        const auto found = byKey_.find(key);
        return found != byKey_.end() ? found->second.first() : QString();
    }

private:
    void Add(const QString& caption) {
        const QKeySequence key = QKeySequence::mnemonic(caption);
        if (!key.isEmpty()) {
            byKey_[key.toString(QKeySequence::PortableText)] << caption;
        }
    }

    std::map<QString, QStringList> byKey_;
};
