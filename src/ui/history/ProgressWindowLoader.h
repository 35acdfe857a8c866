#pragma once
// Opens the "Můj pokrok" window from its plugin, loaded when the window is first asked for:
// beside the program first, then in ../lib/klaptos/ of the program's folder.

#include <QPointer>
#include <QStringList>
#include <QWidget>

class HistoryStore;
class ProgressWindowPlugin;
class Reporter;

class ProgressWindowLoader {
public:
    static constexpr const char* kPluginName = "klaptos_progress";

    ProgressWindowLoader(HistoryStore& history, Reporter& reporter,
                         QStringList searchDirs = DefaultDirs());

    // The program's folder, then ../lib/klaptos/ of it.
    [[nodiscard]] static QStringList DefaultDirs();

    // Shows the window, made on first use and raised when already open; nullptr, after
    // telling the pupil, when the plugin cannot be loaded.
    QWidget* Show(QWidget* parent);

private:
    ProgressWindowPlugin* Plugin();

    HistoryStore& history_;
    Reporter& reporter_;
    QStringList searchDirs_;
    ProgressWindowPlugin* plugin_ = nullptr;
    QPointer<QWidget> window_;
};
