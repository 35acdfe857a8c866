#pragma once
// The one QApplication of the benchmarks, on the offscreen platform, made on first use.

#include <QApplication>

inline QApplication& BenchApplication() {
    static int argc = 1;
    static char name[] = "klaptos_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}
