// The speed panel's share of a keystroke: its four speeds change and are repainted. The
// window's own read-only field against the line edit it stands in for.

#include "BenchApplication.h"
#include "QtDesignFont.h"
#include "QtField.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QString>

#include <benchmark/benchmark.h>

#include <array>

namespace {

template <typename Field> struct SpeedPanel {
    SpeedPanel() {
        window.resize(520, 120);
        group.setGeometry(2, 10, 505, 73);
        for (size_t i = 0; i < fields.size(); ++i) {
            fields[i] = new Field(&group);
            fields[i]->setFont(QtDesignFont(11));
            fields[i]->setGeometry(165 + 70 * static_cast<int>(i), 12, 36, 21);
            fields[i]->setFocusPolicy(Qt::ClickFocus);
        }
        window.show();
        QApplication::processEvents();
    }

    // One keystroke: every speed changes, then the window repaints what changed.
    void Keystroke(int n) {
        for (size_t i = 0; i < fields.size(); ++i) {
            fields[i]->setText(QString::number(100 + (n + 7 * static_cast<int>(i)) % 400));
        }
        QApplication::processEvents();
    }

    QApplication& app = BenchApplication(); // before any widget
    QWidget window;
    QGroupBox group{QStringLiteral("Rychlost [úhozy za minutu]"), &window};
    std::array<Field*, 4> fields{};
};

template <typename Field> void BM_SpeedPanelKeystroke(benchmark::State& state) {
    SpeedPanel<Field> panel;
    int n = 0;
    for (auto _ : state) {
        panel.Keystroke(++n);
    }
}
BENCHMARK(BM_SpeedPanelKeystroke<QtField>);
BENCHMARK(BM_SpeedPanelKeystroke<QLineEdit>);

} // namespace
