#pragma once
// Finds and loads one of the program's own plugins (a Qt plugin NAME.so): beside the
// program first, then in ../lib/klaptos/ of the program's folder.

#include <QObject>
#include <QString>
#include <QStringList>

class PluginFile {
public:
    // The program's folder, then ../lib/klaptos/ of it.
    [[nodiscard]] static QStringList DefaultDirs();

    // The plugin's root object from the first folder of `dirs` whose NAME.so loads; nullptr
    // when none does, with what the loader said about each file that failed in `problems`
    // (each on a line of its own, "\r\n" first).
    [[nodiscard]] static QObject* Load(const char* name, const QStringList& dirs,
                                       QString& problems);
};
