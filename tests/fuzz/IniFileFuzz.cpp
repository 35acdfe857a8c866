// Reads any bytes as a settings file, then writes a key and checks that the file still
// reads back that key, and every other key read before, unchanged.

#include "FuzzFiles.h"
#include "IniFile.h"

#include <cstdlib>
#include <string>

namespace {
const char* const kSections[] = {"Window", "Font", "Options", "Statistika", "Lekce", "window"};
const char* const kKeys[] = {"Left", "Name", "CharSpace", "MsMem", "UzivSoubor", "left"};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzFile("klaptos.ini", data, size);
    IniFile ini(path);
    std::string before[6][6];
    for (int s = 0; s < 6; ++s) {
        for (int k = 0; k < 6; ++k) {
            (void)ini.ReadInteger(kSections[s], kKeys[k], -1);
            (void)ini.ReadBool(kSections[s], kKeys[k], true);
            before[s][k] = ini.ReadString(kSections[s], kKeys[k], "\x01");
        }
    }
    ini.WriteInteger("Lekce", "CisloRadku", 7);
    IniFile reread(path);
    if (reread.ReadInteger("Lekce", "CisloRadku", -1) != 7) {
        std::abort();
    }
    for (int s = 0; s < 6; ++s) {
        for (int k = 0; k < 6; ++k) {
            if (reread.ReadString(kSections[s], kKeys[k], "\x01") != before[s][k]) {
                std::abort(); // a key that the write did not touch has changed
            }
        }
    }
    return 0;
}
