#pragma once
// The evaluation's part "Nejčastější chyby": the characters the pupil got wrong most often, with
// their error count, rate, the key struck instead most often and the finger of the step that
// went wrong there, and the button that makes a practice text of them. Hidden after a text
// without errors.

#include "WeakKeys.h"

#include <QGroupBox>

#include <vector>

class FingerNames;
class QGridLayout;
class QLabel;
class QPushButton;

class WeakKeysPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit WeakKeysPanel(QWidget* parent = nullptr);

    // Shows the ranked characters (WeakKeys::Rank); hides the panel when there are none.
    void SetWeakKeys(const std::vector<WeakKey>& keys, const FingerNames& fingers);
    [[nodiscard]] const std::vector<WeakKey>& Keys() const { return keys_; }

    // How a character is shown: "Enter", "mezera", or the character itself.
    [[nodiscard]] static QString CharacterName(unsigned char c);

signals:
    // "Procvičit chyby" was pressed; the owner starts the practice text (PracticeCommand).
    void practiseRequested();

private:
    QGridLayout* grid_;
    QPushButton* practise_;
    std::vector<QLabel*> cells_; // WeakKeys::kShown rows of five
    std::vector<WeakKey> keys_;
};
