#pragma once
// The project's web page and contact address as the build was given them (CMake cache
// variables KLAPTOS_HOMEPAGE_URL and KLAPTOS_CONTACT_EMAIL), each empty while unknown.

#include <QString>

struct ProgramAddresses {
    // The help section that tells how to get the program's files back; the web links lead
    // there while the project has no web page.
    static constexpr const char* kRestoreTopic = "RESTORE";

    QString homepage;
    QString contactEmail;

    [[nodiscard]] static ProgramAddresses OfBuild();
    // The web page without its scheme and trailing slash, as a link shows it.
    [[nodiscard]] QString HomepageShown() const;
};
