#include "SessionSettings.h"

#include "IniFile.h"
#include "Lekce.h"
#include "ProgramOptions.h"
#include "SpeedMeter.h"

SessionSettings::SessionSettings(ProgramOptions& options, SpeedMeter& meter, LEKCE& store)
    : options_(options), meter_(meter), store_(store) {}

SessionSettings::Start SessionSettings::ReadStart(const IniFile& ini) const {
    meter_.LoadStatistics(ini);
    options_.ReadOptions(ini);
    Start start;
    start.font = FontSettings::Read(ini);
    start.bounds = WindowBounds::Read(ini);
    return start;
}

bool SessionSettings::RestoreText(const IniFile& ini) const {
    return store_.RestorePosition(ini);
}

void SessionSettings::WriteAll(IniFile& ini, const WindowBounds& bounds, const FontSettings& font,
                               const std::function<void(IniFile&)>& more) const {
    // All sections land on the disk together: a failing write never leaves the position of
    // one text beside the statistics of another.
    IniFile::Batch batch(ini);
    bounds.Write(ini);
    font.Write(ini);
    options_.WriteOptions(ini);
    meter_.SaveStatistics(ini);
    store_.SavePosition(ini);
    if (more) {
        more(ini);
    }
    batch.Commit();
}
