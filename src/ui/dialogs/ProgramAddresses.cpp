#include "ProgramAddresses.h"

#include "KlaptosBuildInfo.h"

#include <QRegularExpression>

ProgramAddresses ProgramAddresses::OfBuild() {
    return {QString::fromUtf8(KlaptosBuildInfo::kHomepageUrl),
            QString::fromUtf8(KlaptosBuildInfo::kContactEmail)};
}

QString ProgramAddresses::HomepageShown() const {
    QString shown = homepage;
    shown.remove(QRegularExpression(QStringLiteral("^[a-z]+://")));
    if (shown.endsWith(QLatin1Char('/'))) {
        shown.chop(1);
    }
    return shown;
}
