#include "Clock.h"
#include "Lekce.h"
#include "ProgramOptions.h"
#include "QtPicture.h"
#include "QtReporter.h"
#include "QtSoundPlayer.h"
#include "QtText.h"
#include "SpeedMeter.h"
#include "TFormHOknoPM.h"
#include "TSOkno.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <exception>

namespace {

// Qt does not let exceptions travel through its event loop: an exception escaping an
// event handler is caught here and shown, and the program goes on.
class KlaptosApplication final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            ShowException(error);
        }
        return false;
    }

    static void ShowException(const std::exception& error) {
        QMessageBox::critical(nullptr, QCoreApplication::applicationName(),
                              QString::fromLocal8Bit(error.what()));
    }
};

} // namespace

int main(int argc, char* argv[]) {
    // Qt's own event loop wakes up for a keystroke at a third less cost than GLib's, and
    // nothing here needs GLib's: every dialog is Qt's own. A setting made outside stands.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1");
    }
    KlaptosApplication app(argc, argv);
    try {
        // The main window decides when the program ends, not the last window that closes:
        // a report window closing during start-up must not end it.
        app.setQuitOnLastWindowClosed(false);

        // The splash goes up first, before anything that takes time: it is on its way to
        // the screen before its fonts and its picture load.
        SOkno = new TSOkno();
        SOkno->show();
        QCoreApplication::processEvents();
        SOkno->ShowPicture();
        SOkno->repaint();
        QCoreApplication::processEvents();

        // Qt's own dialogs (files, fonts, message boxes) speak Czech like the rest of the
        // program, whatever the desktop's language, where Qt's translations are installed.
        QTranslator qtTexts;
        if (qtTexts.load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(&qtTexts);
        }

        app.setWindowIcon(QtPicture::Icon(QStringLiteral(":/app/klaptos.svg")));

        QCoreApplication::setApplicationName(QStringLiteral("Klaptos"));
        const QString programDir = QCoreApplication::applicationDirPath();
        const QString helpFile = programDir + QStringLiteral("/napoveda.html");

        SteadyClock clock;
        SpeedMeter meter(clock);
        ProgramOptions options;
        QtSoundPlayer sound;
        QtReporter reporter;
        LEKCE store(QtText::ToPath(programDir), reporter);
        {
            TFormHOknoPM window({store, meter, options, sound, clock},
                                QCoreApplication::applicationFilePath(), helpFile);
            reporter.SetOwner(&window);
            QObject::connect(&window, &TFormHOknoPM::Closed, &app, &QCoreApplication::quit,
                             Qt::QueuedConnection);
            window.show();
            // Without a window manager the splash would end up behind the main window.
            if (SOkno) {
                SOkno->raise();
            }
            QApplication::exec();
        }
        delete SOkno.data();
    } catch (const std::exception& error) {
        KlaptosApplication::ShowException(error);
    }
    return 0;
}
