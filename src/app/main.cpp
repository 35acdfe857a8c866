#include "ClassCommand.h"
#include "ClassroomFeature.h"
#include "Clock.h"
#include "CopyTestFeature.h"
#include "CopyTextCatalog.h"
#include "HistoryDatabase.h"
#include "HistoryFeature.h"
#include "HistoryThread.h"
#include "KeyboardFeature.h"
#include "KlaptosBuildInfo.h"
#include "LayoutNoteFeature.h"
#include "Lekce.h"
#include "PluginFile.h"
#include "PracticeFeature.h"
#include "ProgramOptions.h"
#include "ProgramPlaces.h"
#include "ProgramTrace.h"
#include "QtDesktopLayout.h"
#include "QtPicture.h"
#include "QtReporter.h"
#include "QtSoundPlayer.h"
#include "QtText.h"
#include "SpeedMeter.h"
#include "TFormHOknoPM.h"
#include "TSOkno.h"
#include "TraceObserver.h"
#include "TrainingFeature.h"
#include "WordList.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <clocale>
#include <ctime>
#include <exception>
#include <memory>
#include <optional>

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

// Qt's file dialog writes sizes and dates with the system locale, which Qt reads from the
// environment while the application is made. It reads Czech, whatever the desktop's language,
// from a Czech LC_ALL set for that moment only: then the C library takes its locale from the
// real environment again, and programs started later (the browser) get it back.
class CzechSystemLocale {
public:
    CzechSystemLocale() : wasSet_(qEnvironmentVariableIsSet("LC_ALL")), old_(qgetenv("LC_ALL")) {
        qputenv("LC_ALL", "cs_CZ.UTF-8");
    }
    void Restore() const {
        if (wasSet_) {
            qputenv("LC_ALL", old_);
        } else {
            qunsetenv("LC_ALL");
        }
        std::setlocale(LC_ALL, "");
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    }

private:
    bool wasSet_;
    QByteArray old_;
};

// `klaptos --create-class ...`: the teacher's set-up of a class, without a window or a display.
int CreateClass(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const ProgramPlaces places = ProgramPlaces::Decide(
        ProgramPlaces::Observe(QtText::ToPath(QCoreApplication::applicationFilePath())));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ClassCommand::Run(QCoreApplication::arguments().mid(1),
                             QtText::FromPath(places.DataDir() + ClassCommand::kSqlFileName), out,
                             err);
}

} // namespace

int main(int argc, char* argv[]) {
    if (ClassCommand::IsAsked(argc, argv)) {
        return CreateClass(argc, argv);
    }
    // Qt's own event loop wakes up for a keystroke at a third less cost than GLib's, and
    // nothing here needs GLib's: every dialog is Qt's own. A setting made outside stands.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1");
    }
    const CzechSystemLocale czech;
    KlaptosApplication app(argc, argv);
    czech.Restore();
    try {
        // Whole-program tests read what the program did from this file; first, so that it
        // hears the splash too. Nothing of it exists without the variable.
        const std::unique_ptr<ProgramTrace> trace = ProgramTrace::FromEnvironment();

        // The main window decides when the program ends, not the last window that closes:
        // a report window closing during start-up must not end it.
        app.setQuitOnLastWindowClosed(false);

        // The splash goes up first, before anything that takes time: it is on its way to
        // the screen before its fonts and its picture load.
        // It closes and deletes itself once the main window is ready; the pointer then
        // forgets it.
        const QPointer<TSOkno> splash = new TSOkno();
        splash->show();
        QCoreApplication::processEvents();
        splash->ShowPicture();
        splash->repaint();
        QCoreApplication::processEvents();

        // Qt's own dialogs (files, fonts, message boxes) speak Czech like the rest of the
        // program, whatever the desktop's language, where Qt's translations are installed
        // (their dates and file sizes: CzechSystemLocale).
        QTranslator qtTexts;
        if (qtTexts.load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(&qtTexts);
        }

        app.setWindowIcon(QtPicture::Icon(QStringLiteral(":/app/klaptos.svg")));

        QCoreApplication::setApplicationName(QStringLiteral("Klaptos"));
        // The desktop entry's name: a Wayland desktop finds the icon and name by it.
        QGuiApplication::setDesktopFileName(QString::fromUtf8(KlaptosBuildInfo::kAppId));

        const ProgramPlaces places = ProgramPlaces::Decide(
            ProgramPlaces::Observe(QtText::ToPath(QCoreApplication::applicationFilePath())));
        // The settings file is written as a new file in its folder, which must exist by then;
        // when it cannot be made the write fails and is reported as ever.
        (void)places.MakeSettingsDir();
        const QString helpFile = QtText::FromPath(places.HelpFile());

        SteadyClock clock;
        SpeedMeter meter(clock);
        ProgramOptions options;
        QtSoundPlayer sound;
        QtReporter reporter;
        reporter.SetHelpFile(helpFile);
        LEKCE store(places.DataDir(), reporter);
        PracticeFeature practice(store, reporter, places.DataDir() + WordList::kFileName,
                                 places.PupilDataDir() + PracticeFeature::kPracticeFileName);
        // The history opens its database on a thread of its own when first needed, not at
        // start; it keeps the errors per character that the practice feature counted, and which
        // lesson a practice text practised.
        HistoryThread history(
            [dataDir = places.PupilDataDir()](Reporter& historyReporter) {
                return std::make_unique<HistoryDatabase>(dataDir, historyReporter);
            },
            reporter);
        // A joined class queues every text the history records and every copy test, and sends
        // them in the background.
        ClassroomFeature classroom(history, places.PupilDataDir(),
                                   places.PupilDataDir() + PracticeFeature::kPracticeFileName,
                                   PluginFile::DefaultDirs());
        // The keyboard's heat map colours keys by the errors the practice feature counts and
        // those of the last texts in the history.
        KeyboardFeature keyboard(store, &practice.Errors(), &history, trace.get());
        HistoryFeature historyFeature(
            history, meter, store,
            {.keyErrors = &practice.Errors().Counts(),
             .practiceOf = [&practice] { return practice.PractisedLesson(); },
             .now = {}},
            PluginFile::DefaultDirs(), &classroom.History());
        // The lesson dialog says when the layout chosen is not the desktop's.
        const QtDesktopLayout desktopLayout;
        LayoutNoteFeature layoutNote(desktopLayout);
        CopyTestFeature copyTest(store, clock, reporter,
                                 places.DataDir() + CopyTextCatalog::kFolderName + "/",
                                 places.TextDir());
        // Each finished test goes into the history beside the texts, and to the class.
        copyTest.SetResultListener([&history, &classroom](const CopyTestResult& result) {
            history.RecordCopyTest(
                {.id = 0, .endedAt = static_cast<int64_t>(std::time(nullptr)), .result = result});
            classroom.CopyTestFinished(result);
        });
        // The adaptive training: its exercises go to the history's daily summary per key, its
        // colours to the keyboard.
        TrainingFeature training(store, meter, clock, reporter,
                                 places.DataDir() + WordList::kFileName, places.PupilDataDir());
        training.SetTintsChanged([&keyboard] { keyboard.RefreshTints(); });
        keyboard.SetTintSource(&training);
        training.SetExerciseListener([&history](const ExerciseSummary& summary, bool qwertz) {
            history.RecordKeys({QDate::currentDate().toString(Qt::ISODate), qwertz, summary.keys});
        });
        historyFeature.SetKeysNote([&training] { return training.KeysNote(); });
        {
            TFormHOknoPM window({store, meter, options, sound, clock},
                                QtText::FromPath(places.SettingsFile()),
                                QtText::FromPath(places.TextDir()), helpFile,
                                {&keyboard, &practice, &historyFeature, &layoutNote, &copyTest,
                                 &training, &classroom},
                                splash);
            reporter.SetOwner(&window);
            std::optional<TraceObserver> traceTyping;
            if (trace) {
                traceTyping.emplace(*trace, window);
            }
            QObject::connect(&window, &TFormHOknoPM::Closed, &app, &QCoreApplication::quit,
                             Qt::QueuedConnection);
            window.show();
            // Without a window manager the splash would end up behind the main window.
            if (splash) {
                splash->raise();
            }
            QApplication::exec();
        }
        delete splash.data();
    } catch (const std::exception& error) {
        KlaptosApplication::ShowException(error);
    }
    return 0;
}
