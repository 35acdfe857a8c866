#include "KeyboardView.h"

#include "FingerText.h"
#include "KeyColours.h"
#include "QtBackdrop.h"
#include "QtDesignFont.h"
#include "QtPicture.h"

#include <QAccessible>
#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kMargin = 2;
constexpr double kKeyAspect = 0.82; // key height to key width: a little flatter than square
constexpr int kGap = 4;             // between the keyboard, the legend and the finger text
constexpr int kTextLines = 2;       // a dead-key sequence takes two lines at the design width
constexpr int kDesignWidth = 505;   // the main window's client width at the design font
constexpr double kCapInset = 1.5;
// A paint that touches more keys than a keystroke can light (the old and the new chords of a
// dead-key sequence with their Shifts) draws them instead of keeping a picture of each.
constexpr std::size_t kKeptCapsPerPaint = 10;

// The legend reads like the lessons name the fingers: the left hand, the right, the thumb.
constexpr std::array<Finger, 9> kLegendOrder{
    Finger::LeftLittle, Finger::LeftRing,    Finger::LeftMiddle,
    Finger::LeftIndex,  Finger::RightIndex,  Finger::RightMiddle,
    Finger::RightRing,  Finger::RightLittle, Finger::Thumb,
};

bool IsLetter(char32_t c) {
    return QChar::isLetter(c);
}

QString Text(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

// Where the left index finger's keys meet the right one's on a row: the border between the
// hands, drawn on the edge of the keys on either side of it.
struct HandBorder {
    bool left = false;  // on the key's left edge
    bool right = false; // on its right edge
};

HandBorder HandBorderOf(const std::vector<Key>& keys, std::size_t key) {
    const auto meet = [&](std::size_t a, std::size_t b) {
        return keys[a].row == keys[b].row && keys[a].finger == Finger::LeftIndex &&
               keys[b].finger == Finger::RightIndex;
    };
    return {key > 0 && meet(key - 1, key), key + 1 < keys.size() && meet(key, key + 1)};
}

// The keys whose caps have bumps for the index fingers to find the home row by.
bool HasHomeBump(const Key& key) {
    return key.role == KeyRole::Character && (key.levels[0] == U'f' || key.levels[0] == U'j');
}

} // namespace

KeyboardView::KeyboardView(QWidget* parent)
    : QWidget(parent), layout_(&KeyboardLayout::Qwertz()), looks_(layout_->Keys().size()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setFocusPolicy(Qt::NoFocus);
    geometry_ = Measure(width());
}

void KeyboardView::SetLayout(const KeyboardLayout& layout) {
    if (&layout == layout_) {
        return;
    }
    layout_ = &layout;
    looks_.assign(layout.Keys().size(), Look{});
    flashKey_ = -1;
    tints_.clear();
    fingerText_.clear();
    wordsFor_.fill(QString());
    DropPictures();
}

void KeyboardView::ShowNext(unsigned char byte) {
    std::vector<Look> looks(layout_->Keys().size());
    const KeySequence& sequence = layout_->SequenceFor(byte);
    const bool numbered = sequence.strokes.size() > 1;
    for (std::size_t step = 0; step < sequence.strokes.size(); ++step) {
        const KeyStroke& stroke = sequence.strokes[step];
        std::vector<int> keys = stroke.modifiers;
        keys.push_back(stroke.key);
        for (const int key : keys) {
            Look& look = looks[static_cast<std::size_t>(key)];
            look.kind = LookKind::Lit;
            if (numbered) {
                look.steps += (look.steps.isEmpty() ? "" : " ") + QString::number(step + 1);
            }
        }
    }
    SetLooks(std::move(looks));

    QString& text = wordsFor_[byte];
    if (text.isNull()) {
        text = QString::fromStdString(::FingerText(*layout_, byte));
    }
    if (text != fingerText_) {
        QRect changed = fingerText_.isEmpty() ? QRect() : PictureOfText(fingerText_).extent;
        fingerText_ = text;
        setAccessibleName(fingerText_);
        if (!fingerText_.isEmpty()) {
            changed |= PictureOfText(fingerText_).extent;
        }
        update(changed);
    }
}

void KeyboardView::Flash(int key) {
    if (key == flashKey_) {
        return;
    }
    if (flashKey_ >= 0) {
        update(KeyRect(flashKey_));
    }
    flashKey_ = key;
    if (flashKey_ >= 0) {
        update(KeyRect(flashKey_));
    }
}

void KeyboardView::SetKeyTints(const std::map<int, QColor>& tints) {
    tints_ = tints;
    DropPictures();
}

void KeyboardView::SetLegend(std::vector<std::pair<QColor, QString>> entries) {
    if (entries == legend_) {
        return;
    }
    legend_ = std::move(entries);
    DropPictures();
    updateGeometry(); // another legend may take another number of lines
}

std::vector<std::pair<QColor, QString>> KeyboardView::LegendEntries() const {
    return legend_.empty() ? FingerLegend() : legend_;
}

std::vector<std::pair<QColor, QString>> KeyboardView::FingerLegend() const {
    std::vector<std::pair<QColor, QString>> entries;
    for (const Finger finger : kLegendOrder) {
        const std::string_view name = FingerName(finger);
        entries.emplace_back(KeyColours::FingerTint(finger, palette()),
                             QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    return entries;
}

void KeyboardView::SetLooks(std::vector<Look> looks) {
    for (std::size_t key = 0; key < looks.size(); ++key) {
        if (looks[key] != looks_[key]) {
            update(KeyRect(static_cast<int>(key)));
        }
    }
    looks_ = std::move(looks);
}

void KeyboardView::mousePressEvent(QMouseEvent* event) {
    for (std::size_t key = 0; clicked_ && key < geometry_.keys.size(); ++key) {
        if (geometry_.keys[key].contains(event->position().toPoint())) {
            clicked_(static_cast<int>(key));
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

QRect KeyboardView::KeyRect(int key) const {
    return geometry_.keys[static_cast<std::size_t>(key)];
}

QFont KeyboardView::LegendFont(int keyHeight) const {
    return QtDesignFont(std::max(10, keyHeight * 3 / 10));
}

QFont KeyboardView::TextFont(int keyHeight) const {
    return QtDesignFont(std::max(12, keyHeight * 4 / 10), true);
}

KeyboardView::Geometry KeyboardView::Measure(int width) const {
    Geometry g;
    g.unit = std::max(1.0, (width - 2 * kMargin) / layout_->Width());
    g.keyHeight = std::max(8, static_cast<int>(std::lround(g.unit * kKeyAspect)));
    for (const Key& k : layout_->Keys()) {
        const int left = kMargin + static_cast<int>(std::lround(k.x * g.unit));
        const int right = kMargin + static_cast<int>(std::lround((k.x + k.width) * g.unit));
        const int top = kMargin + static_cast<int>(std::lround(k.row * g.keyHeight));
        const int bottom =
            kMargin + static_cast<int>(std::lround((k.row + k.height) * g.keyHeight));
        g.keys.emplace_back(left, top, right - left, bottom - top);
    }
    const int legendTop = kMargin + static_cast<int>(layout_->Rows()) * g.keyHeight + kGap;

    // The legend flows along the lines like words, left hand first, the thumb last.
    const QFontMetrics legend(LegendFont(g.keyHeight));
    const int swatch = legend.ascent();
    const int lineHeight = legend.height() + 2;
    const auto flow = [&](const std::vector<std::pair<QColor, QString>>& entries,
                          std::vector<QRect>* places) {
        int x = kMargin;
        int lines = 1;
        for (const auto& entry : entries) {
            const int entryWidth = swatch + 4 + legend.horizontalAdvance(entry.second);
            if (x > kMargin && x + entryWidth > width - kMargin) {
                x = kMargin;
                ++lines;
            }
            if (places != nullptr) {
                places->emplace_back(x, legendTop + (lines - 1) * lineHeight, entryWidth,
                                     lineHeight);
            }
            x += entryWidth + legend.horizontalAdvance(QStringLiteral("xxx"));
        }
        return lines;
    };
    int lines = flow(LegendEntries(), &g.legendEntries);
    for (const QRect& entry : g.legendEntries) {
        g.legend |= entry;
    }
    // Room for the fingers' legend whichever is shown, so that the keyboard keeps its height
    // when another legend (the heat map's) takes its place.
    if (!legend_.empty()) {
        lines = std::max(lines, flow(FingerLegend(), nullptr));
    }
    const int y = legendTop + lines * lineHeight + kGap;

    const QFontMetrics text(TextFont(g.keyHeight));
    g.text = QRect(kMargin, y, width - 2 * kMargin, text.lineSpacing() * kTextLines);
    g.height = g.text.bottom() + 1 + kMargin;
    return g;
}

int KeyboardView::heightForWidth(int width) const {
    return Measure(width).height;
}

QSize KeyboardView::sizeHint() const {
    return {kDesignWidth, heightForWidth(kDesignWidth)};
}

QSize KeyboardView::minimumSizeHint() const {
    return {kDesignWidth / 2, heightForWidth(kDesignWidth / 2)};
}

void KeyboardView::resizeEvent(QResizeEvent* event) {
    geometry_ = Measure(width());
    DropPictures();
    QWidget::resizeEvent(event);
}

void KeyboardView::changeEvent(QEvent* event) {
    if (QtChangesKeptPictures(*event) || event->type() == QEvent::FontChange) {
        DropPictures();
    }
    QWidget::changeEvent(event);
}

void KeyboardView::DropPictures() {
    geometry_ = Measure(width());
    caps_.clear();
    texts_.clear();
    update();
}

QColor KeyboardView::NormalFill(int key) const {
    const auto tint = tints_.find(key);
    if (tint != tints_.end()) {
        return tint->second;
    }
    return KeyColours::FingerTint(layout_->Keys()[static_cast<std::size_t>(key)].finger, palette());
}

void KeyboardView::DrawCap(QPainter& painter, int key, const QRect& rect, const Look& look) const {
    const Key& k = layout_->Keys()[static_cast<std::size_t>(key)];
    QColor fill = NormalFill(key);
    QColor ink = palette().color(QPalette::ButtonText);
    if (look.kind == LookKind::Lit) {
        fill = palette().color(QPalette::Highlight);
        ink = palette().color(QPalette::HighlightedText);
    } else if (look.kind == LookKind::Error) {
        fill = KeyColours::ErrorFill();
        ink = KeyColours::ErrorText();
    }
    const QRectF cap = QRectF(rect).adjusted(kCapInset, kCapInset, -kCapInset, -kCapInset);
    const double radius = geometry_.keyHeight / 8.0;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink.lightness() < 128 ? fill.darker(150) : fill.lighter(150), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(cap, radius, radius);

    painter.setPen(ink);
    const int h = geometry_.keyHeight;
    const QRectF inner = cap.adjusted(h * 0.12, h * 0.04, -h * 0.12, -h * 0.04);
    if (k.role != KeyRole::Character) {
        painter.setFont(QtDesignFont(std::max(8, h * 27 / 100)));
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromUtf8(k.label.data(), static_cast<qsizetype>(k.label.size())));
    } else if (IsLetter(k.levels[0]) && Text(k.levels[0]).toUpper() == Text(k.levels[1])) {
        painter.setFont(QtDesignFont(std::max(9, h * 45 / 100)));
        painter.drawText(inner, Qt::AlignCenter, Text(k.levels[0]));
    } else {
        // Like the printed caps: the shifted symbol above, the plain one below.
        painter.setFont(QtDesignFont(std::max(8, h * 36 / 100)));
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, Text(k.levels[1]));
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignBottom, Text(k.levels[0]));
    }
    if (!look.steps.isEmpty()) {
        // The order of the chords of a dead-key sequence, in the key's top right corner.
        painter.setFont(QtDesignFont(std::max(8, h * 3 / 10), true));
        painter.drawText(inner, Qt::AlignRight | Qt::AlignTop, look.steps);
    }
    if (HasHomeBump(k)) {
        // A short bar below the letter, where a real key has its bump; on whole pixels, so that
        // a key drawn from its kept picture looks like one drawn on the window.
        const int thickness = std::max(2, h / 13);
        const int barWidth = std::max(4, static_cast<int>(std::lround(rect.width() * 0.3)));
        const int bottom = static_cast<int>(std::lround(h * 0.16));
        painter.fillRect(QRect(rect.left() + (rect.width() - barWidth) / 2,
                               rect.bottom() - bottom - thickness + 1, barWidth, thickness),
                         ink);
    }
    // The border between the hands lies in the gap between two caps; each draws its half in its
    // own rectangle, so that a key repainted alone keeps it.
    const HandBorder border = HandBorderOf(layout_->Keys(), static_cast<std::size_t>(key));
    if (border.left || border.right) {
        QColor line = palette().color(QPalette::WindowText);
        line.setAlphaF(0.6f);
        const int x = border.left ? rect.left() : rect.right();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(QRect(x, rect.top(), 1, rect.height()), line);
    }
}

void KeyboardView::DrawLegend(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(LegendFont(geometry_.keyHeight));
    const QFontMetrics metrics(painter.font());
    const std::vector<std::pair<QColor, QString>> entries = LegendEntries();
    for (std::size_t i = 0; i < entries.size() && i < geometry_.legendEntries.size(); ++i) {
        const QRect& entry = geometry_.legendEntries[i];
        const int swatch = metrics.ascent();
        const QRect box(entry.left(), entry.top() + (entry.height() - swatch) / 2, swatch, swatch);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setBrush(entries[i].first);
        painter.drawRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
        painter.drawText(entry.adjusted(swatch + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         entries[i].second);
    }
}

const QPixmap& KeyboardView::CapPicture(int key, const Look& look) {
    const CapId id{key, look};
    auto found = caps_.find(id);
    if (found == caps_.end()) {
        const QRect rect = KeyRect(key);
        const qreal ratio = devicePixelRatioF();
        QPixmap picture(rect.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(palette().color(QPalette::Window));
        {
            QPainter painter(&picture);
            DrawCap(painter, key, QRect(QPoint(0, 0), rect.size()), look);
        }
        found = caps_.insert(id, QtPicture::Kept(picture));
    }
    return *found;
}

void KeyboardView::paintEvent(QPaintEvent* event) {
    if (keptRatio_ != devicePixelRatioF()) {
        // Moved to a screen of another density: every kept picture would look blurred.
        keptRatio_ = devicePixelRatioF();
        caps_.clear();
        texts_.clear();
    }
    const QRegion& region = event->region();
    const QColor window = palette().color(QPalette::Window);
    static const Look kErrorLook{LookKind::Error, {}};
    const auto lookOf = [&](std::size_t key) -> const Look& {
        return static_cast<int>(key) == flashKey_ ? kErrorLook : looks_[key];
    };
    std::vector<std::size_t> hit;
    hit.reserve(8);
    const QRect bounds = region.boundingRect();
    for (std::size_t key = 0; key < looks_.size(); ++key) {
        if (bounds.intersects(geometry_.keys[key]) && region.intersects(geometry_.keys[key])) {
            hit.push_back(key);
        }
    }
    capsPainted_ = 0;
    QPainter painter(this);

    if (hit.size() > kKeptCapsPerPaint) {
        // A whole paint (shown, resized, uncovered) draws the resting keys straight on the
        // window: keeping a picture of the whole keyboard would cost more memory than the
        // rare whole paint costs time.
        painter.fillRect(region.boundingRect(), window);
        for (const std::size_t key : hit) {
            const Look& look = lookOf(key);
            if (look.kind == LookKind::Normal) {
                DrawCap(painter, static_cast<int>(key), geometry_.keys[key], look);
            } else {
                painter.drawPixmap(geometry_.keys[key].topLeft(),
                                   CapPicture(static_cast<int>(key), look));
                ++capsPainted_;
            }
        }
        if (region.intersects(geometry_.legend)) {
            DrawLegend(painter);
        }
        if (!fingerText_.isEmpty() && region.intersects(geometry_.text)) {
            painter.drawPixmap(geometry_.text.topLeft(), PictureOfText(fingerText_).picture);
        }
        return;
    }

    // A keystroke's region is the old and the new lit keys and the words: each is one kept
    // picture covering its whole rectangle, laid once. Under a clip of many rectangles Qt
    // copies a picture span by span at ten times the cost, so each rectangle of the region is
    // painted under a clip of its own.
    struct Over {
        QRect rect;
        QPixmap picture; // shared, not copied: a later insertion may move the kept one
    };
    std::vector<Over> overs;
    overs.reserve(hit.size() + 1);
    for (const std::size_t key : hit) {
        const Look& look = lookOf(key);
        overs.push_back({geometry_.keys[key], CapPicture(static_cast<int>(key), look)});
        capsPainted_ += look.kind == LookKind::Normal ? 0 : 1;
    }
    if (!fingerText_.isEmpty() && region.intersects(geometry_.text)) {
        const TextPicture& text = PictureOfText(fingerText_);
        overs.push_back({text.extent, text.picture});
    }
    for (const QRect& rect : region) {
        painter.setClipRect(rect);
        if (std::none_of(overs.begin(), overs.end(),
                         [&](const Over& over) { return over.rect.contains(rect); })) {
            painter.fillRect(rect, window);
            if (rect.intersects(geometry_.legend)) {
                DrawLegend(painter);
            }
        }
        for (const Over& over : overs) {
            if (over.rect.intersects(rect)) {
                painter.drawPixmap(over.rect.topLeft(), over.picture);
            }
        }
    }
}

// Laying out a wrapped line costs more than the keys' pictures; the texts repeat often. The
// picture is cut to the words' bounds, with room for the glyphs' overhang: the strip's
// resting look is the bare window colour, so what is cut off looks the same from the resting
// picture.
const KeyboardView::TextPicture& KeyboardView::PictureOfText(const QString& text) {
    auto found = texts_.find(text);
    if (found == texts_.end()) {
        const QFont font = TextFont(geometry_.keyHeight);
        const QFontMetrics metrics(font);
        const QRect strip(QPoint(0, 0), geometry_.text.size());
        constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const int overhang = metrics.height() / 4;
        const QRect words = metrics.boundingRect(strip, kFlags, text);
        const QRect cut = QRect(0, 0, words.right() + 1 + overhang, words.bottom() + 1 + overhang)
                              .intersected(strip);
        const qreal ratio = devicePixelRatioF();
        QPixmap picture(cut.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(palette().color(QPalette::Window));
        {
            QPainter painter(&picture);
            painter.setFont(font);
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(strip, kFlags, text);
        }
        found = texts_.insert(text,
                              {QtPicture::Kept(picture), cut.translated(geometry_.text.topLeft())});
    }
    return *found;
}
