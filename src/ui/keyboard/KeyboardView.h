#pragma once
// Draws the Czech keyboard with each key tinted by its finger, lights the keys for the
// character to type next, flashes a key struck by mistake, and says the finger in words.

#include "KeyboardLayout.h"

#include <QHash>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>

#include <array>
#include <map>
#include <utility>
#include <vector>

// The keyboard changes on every keystroke, so it paints cheaply: a keystroke repaints only
// the keys whose look changed and the words, each from a kept picture of that key in that
// look (made when first needed, dropped with a new size, palette or tint set) or of those
// words. A whole paint draws the keys straight on the window and keeps nothing.
class KeyboardView final : public QWidget {
    Q_OBJECT

public:
    explicit KeyboardView(QWidget* parent = nullptr);

    void SetLayout(const KeyboardLayout& layout);
    [[nodiscard]] const KeyboardLayout& Layout() const { return *layout_; }
    // Lights the keys for a code page 1250 byte (10: Enter, 0: nothing) and names the fingers.
    void ShowNext(unsigned char byte);
    // Shows the key in the error colour until Flash(-1).
    void Flash(int key);
    // Colours chosen by the caller in place of the finger tints, e.g. for errors per key.
    void SetKeyTints(const std::map<int, QColor>& tints);
    // Entries shown in place of the fingers' legend (colour and words), e.g. the heat map's
    // steps; none brings the fingers back.
    void SetLegend(std::vector<std::pair<QColor, QString>> entries);

    // Hears which key the pupil clicks (an index into the layout's keys).
    void SetKeyClicked(std::function<void(int)> clicked) { clicked_ = std::move(clicked); }

    [[nodiscard]] const QString& FingerText() const { return fingerText_; }
    [[nodiscard]] QRect KeyRect(int key) const;
    // How many key caps the last paint drew lit or flashing (for tests).
    [[nodiscard]] int CapsPaintedLastTime() const { return capsPainted_; }

    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    enum class LookKind { Normal, Lit, Error };
    struct Look {
        LookKind kind = LookKind::Normal;
        QString steps; // which chords of a sequence use the key, e.g. "1" or "1 2"
        friend bool operator==(const Look&, const Look&) = default;
    };
    struct CapId {
        int key = 0;
        Look look;
        friend bool operator==(const CapId&, const CapId&) = default;
        friend size_t qHash(const CapId& id, size_t seed) {
            return qHashMulti(seed, id.key, static_cast<int>(id.look.kind), id.look.steps);
        }
    };
    struct Geometry {
        double unit = 0;
        int keyHeight = 0;
        std::vector<QRect> keys; // worked out once: a paint asks for every key's rectangle
        std::vector<QRect> legendEntries;
        QRect legend; // all the entries
        QRect text;
        int height = 0;
    };

    [[nodiscard]] Geometry Measure(int width) const;
    [[nodiscard]] QFont LegendFont(int keyHeight) const;
    [[nodiscard]] QFont TextFont(int keyHeight) const;
    [[nodiscard]] QColor NormalFill(int key) const;
    // The legend's entries as shown now: the caller's, or the fingers in the palette's tints.
    [[nodiscard]] std::vector<std::pair<QColor, QString>> LegendEntries() const;
    [[nodiscard]] std::vector<std::pair<QColor, QString>> FingerLegend() const;
    void SetLooks(std::vector<Look> looks);
    void DrawCap(QPainter& painter, int key, const QRect& rect, const Look& look) const;
    void DrawLegend(QPainter& painter) const;
    const QPixmap& CapPicture(int key, const Look& look);
    // The picture of a finger text, only as large as its words need, with the part of the text
    // strip it covers: a keystroke repaints and flushes only the old and the new words.
    struct TextPicture {
        QPixmap picture;
        QRect extent;
    };
    const TextPicture& PictureOfText(const QString& text);
    void DropPictures();

    const KeyboardLayout* layout_;
    Geometry geometry_;
    std::vector<Look> looks_; // the look of each key without the error flash
    int flashKey_ = -1;
    std::map<int, QColor> tints_;
    std::vector<std::pair<QColor, QString>> legend_;
    QString fingerText_;
    std::array<QString, 256> wordsFor_; // the finger text of each byte, once worked out
    qreal keptRatio_ = 0;               // the device pixel ratio of the kept pictures
    QHash<CapId, QPixmap> caps_;
    QHash<QString, TextPicture> texts_; // the finger texts, by their words
    int capsPainted_ = 0;
    std::function<void(int)> clicked_;
};
