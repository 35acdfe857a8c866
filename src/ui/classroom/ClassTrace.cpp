#include "ClassTrace.h"

#include <QFile>
#include <QThread>

ClassTrace::ClassTrace()
    : file_(qEnvironmentVariable(kTraceVariable)), hold_(qEnvironmentVariable(kHoldVariable)) {}

void ClassTrace::Step(const QString& step, const QString& argument) const {
    if (file_.isEmpty()) {
        return;
    }
    QFile trace(file_);
    if (trace.open(QIODevice::Append | QIODevice::Text)) {
        const QString line = argument.isEmpty() ? step : step + QLatin1Char(' ') + argument;
        trace.write((line + QLatin1Char('\n')).toUtf8());
        trace.close();
    }
}

void ClassTrace::SenderStep(const QString& step, const QString& argument) const {
    Step(step, argument);
    if (!hold_.isEmpty() && step == hold_) {
        // Until the test kills the program; only the sender's thread waits.
        for (;;) {
            QThread::sleep(60);
        }
    }
}
