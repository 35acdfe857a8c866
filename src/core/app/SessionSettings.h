#pragma once
// The settings file as one run of the program uses it: what the start reads, in its order,
// and the five sections the end writes, in theirs (Window, Font, Options, Statistika, Lekce),
// followed by the keys of the features, all landing on the disk together.

#include "FontSettings.h"
#include "WindowBounds.h"

#include <functional>

class IniFile;
class LEKCE;
class SpeedMeter;
struct ProgramOptions;

class SessionSettings {
public:
    SessionSettings(ProgramOptions& options, SpeedMeter& meter, LEKCE& store);

    struct Start {
        WindowBounds bounds; // as written, not yet fitted to the screen
        FontSettings font;
    };
    // Statistika and Options into the model; the window's font and bounds returned.
    [[nodiscard]] Start ReadStart(const IniFile& ini) const;
    // Lekce: loads the saved text; true when it goes on at its saved line, where the statistics
    // read by ReadStart belong; false when that line is gone and the text starts anew.
    [[nodiscard]] bool RestoreText(const IniFile& ini) const;
    // Writes everything in one batch; `more` writes the features' keys after the five sections.
    // Throws IniWriteError, leaving the file as it was, when it cannot be written.
    void WriteAll(IniFile& ini, const WindowBounds& bounds, const FontSettings& font,
                  const std::function<void(IniFile&)>& more = {}) const;

private:
    ProgramOptions& options_;
    SpeedMeter& meter_;
    LEKCE& store_;
};
