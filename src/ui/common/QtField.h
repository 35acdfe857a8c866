#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

class QStyleOptionFrame;

// A read-only field of the main window. It looks exactly like a read-only line edit and
// shows a number or a short text. The window changes a few of these on every keystroke, so a
// field paints cheaply: its framed panel is drawn once for each size, palette and focus state
// and then kept, and it covers every pixel of its rectangle, so nothing behind it repaints.
class QtField final : public QWidget {
    Q_OBJECT

public:
    explicit QtField(QWidget* parent = nullptr);

    // Repaints only when the text really changes.
    void setText(const QString& text);
    [[nodiscard]] const QString& text() const { return text_; }
    void clear() { setText(QString()); }
    // Without a frame the field is a plain coloured strip with its text.
    void setFrame(bool frame);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    [[nodiscard]] QStyleOptionFrame PanelOption() const;
    [[nodiscard]] QRect ContentsRect() const;
    [[nodiscard]] QRect TextRect(const QRect& contents) const;
    const QPixmap& Panel();
    void DropPanel();

    QString text_;
    QPixmap panel_;
    bool frame_ = true;
};
