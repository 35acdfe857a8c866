#pragma once
// A label that acts as a link: a left click on it (pressed and released over the label)
// emits clicked().

#include <QLabel>

class QtLinkLabel final : public QLabel {
    Q_OBJECT
public:
    explicit QtLinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
