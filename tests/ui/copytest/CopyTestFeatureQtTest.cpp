// The timed copy through the main window's menu: the choices, the test with the main window's
// typing stopped, the result sheet and its PDF, the choices kept; ending early with a question;
// a text area into which nothing can be pasted.

#include "CopyResultSheet.h"
#include "CopySetupDialog.h"
#include "CopyTestFeature.h"
#include "CopyTestWindow.h"
#include "CopyText.h"
#include "CopyTypingArea.h"
#include "Cp1250.h"
#include "FakeClock.h"
#include "KeyboardLayout.h"
#include "KeystrokeNorm.h"
#include "Lekce.h"
#include "ProgramOptions.h"
#include "RecordingReporter.h"
#include "RecordingSound.h"
#include "SpeedMeter.h"
#include "TFormHOknoPM.h"
#include "TempLessonDir.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The first paragraph of the sample text with a wrong word, a missing word and the last word
// begun when the time runs out.
const char* const kTyped = "Na konci června se zahrada mění každím dnem. Rybíz dozrává, jahody "
                           "voní a pod jabloní leží první jablíčka. Děti bě";

// Each character as a key that writes it (Qt Test's own typing knows only ASCII keys), and
// the window painted after it, as it is between a pupil's keystrokes.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCoreApplication::processEvents();
    }
}

void Backspace(QWidget* widget, int times) {
    for (int i = 0; i < times; ++i) {
        QTest::keyClick(widget, Qt::Key_Backspace);
        QCoreApplication::processEvents();
    }
}

QDialog* OpenDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

// A main window on lesson 1 with the copy feature; the copy's windows go to `answer`.
struct Run {
    explicit Run(TempLessonDir& dir)
        : meter(clock), store(dir.Path(), reporter),
          copy(store, clock, reporter, dir.Path() + "opisy/", dir.Path()) {
        window = std::make_unique<TFormHOknoPM>(
            TFormHOknoPM::Model{store, meter, options, sound, clock},
            QString::fromStdString(dir.Path() + "klaptos.ini"), QString::fromStdString(dir.Path()),
            QString(), std::vector<MainWindowFeature*>{&copy});
        window->SetSeam({.runModal = [](QDialog&) {
            return static_cast<int>(QDialogButtonBox::Yes); // the close question
        }});
        copy.SetSeam({.runModal = [this](QDialog& dialog) {
            dialog.show();
            stoppedMeanwhile = stoppedMeanwhile && window->StopMode();
            const int result = answer(dialog);
            dialog.hide();
            return result;
        }});
        copy.SetResultListener([this](const CopyTestResult& result) { results.push_back(result); });
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->findChild<QTimer*>(QStringLiteral("TimerSec"))->stop();
    }

    FakeClock clock;
    SpeedMeter meter;
    ProgramOptions options;
    RecordingSound sound;
    RecordingReporter reporter;
    LEKCE store;
    CopyTestFeature copy;
    std::unique_ptr<TFormHOknoPM> window;
    std::function<int(QDialog&)> answer;
    bool stoppedMeanwhile = true;
    std::vector<CopyTestResult> results;
};

} // namespace

class CopyTestFeatureQtTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempLessonDir> dir;

private slots:
    void init() {
        dir = std::make_unique<TempLessonDir>();
        dir->AddLesson(1, "Lekce 1: f j", {"fff jjj"});
        std::ofstream(dir->Path() + "klaptos.ini", std::ios::binary)
            << "[Lekce]\r\nCislo=1\r\nCisloAkt=1\r\nCisloRadku=1\r\nQWERTZ=1\r\n";
        std::filesystem::create_directory(dir->Path() + "opisy");
        for (const char* name : {"01-zahrada.txt", "02-objednavka.txt"}) {
            std::filesystem::copy_file(KLAPTOS_SOURCE_DIR "/tests/data/opisy/" + std::string(name),
                                       dir->Path() + "opisy/" + name);
        }
    }
    void cleanup() { dir.reset(); }

    void aTestFromTheMenuStopsTheLessonAndEndsWithTheSheetAndItsPdf() {
        Run run(*dir);
        // "Konec" stays the last item of "Soubor lekce".
        const QList<QAction*> items =
            run.window->menuBar()->findChild<QMenu*>(QStringLiteral("Soubor1"))->actions();
        QCOMPARE(items.at(items.size() - 3)->objectName(), QStringLiteral("ActionOpis"));
        QCOMPARE(items.at(items.size() - 3)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));

        QStringList titles;
        QString shownBeforeTyping;
        QString shownWhileTyping;
        QString sheet;
        const QString pdf = QString::fromStdString(dir->Path() + "vysledek.pdf");
        run.answer = [&](QDialog& dialog) {
            titles << dialog.windowTitle();
            if (auto* setup = qobject_cast<CopySetupDialog*>(&dialog)) {
                setup->findChild<QComboBox*>(QStringLiteral("CopyMinutes"))->setCurrentIndex(0);
                setup->findChild<QRadioButton*>(QStringLiteral("CopyCompetition"))->click();
                setup->accept();
            } else if (auto* test = qobject_cast<CopyTestWindow*>(&dialog)) {
                shownBeforeTyping = test->RemainingShown();
                Type(test->findChild<CopyTypingArea*>(), QString::fromUtf8(kTyped));
                run.clock.Advance(1500);
                test->CheckTime();
                shownWhileTyping = test->RemainingShown();
                run.clock.Advance(58500);
                test->CheckTime();
            } else if (auto* result = qobject_cast<CopyResultSheet*>(&dialog)) {
                result->findChild<QLineEdit*>(QStringLiteral("CopyPupilName"))
                    ->setText(QString::fromUtf8("Jana Nováková"));
                sheet = result->Html();
                if (!result->WritePdf(pdf)) {
                    return -1;
                }
            }
            return dialog.result();
        };
        QTest::keyClick(run.window.get(), Qt::Key_F9);
        QVERIFY(!run.window->StopMode());
        QTest::keyClick(run.window.get(), Qt::Key_T, Qt::ControlModifier);

        QCOMPARE(titles, (QStringList{QString::fromUtf8("Opis na čas"),
                                      QString::fromUtf8("Opis na čas – Zahrada v létě"),
                                      QString::fromUtf8("Opis na čas – výsledek")}));
        QVERIFY(run.stoppedMeanwhile);
        QVERIFY(!run.window->StopMode()); // the lesson goes on as before
        QCOMPARE(shownBeforeTyping, QString::fromUtf8("Zbývá 1:00"));
        QCOMPARE(shownWhileTyping, QString::fromUtf8("Zbývá 0:59"));
        QVERIFY(run.reporter.reports.empty());

        // "každím" for "každým" and "spadaná" left out; "bě" begun when the time ran out. The
        // norm's figures themselves are CopyScoreTest's.
        QCOMPARE(run.results.size(), std::size_t{1});
        const CopyTestResult& r = run.results.front();
        const int gross = KeystrokeNorm(KeyboardLayout::Qwertz()).Count(Cp1250::FromUtf8(kTyped));
        QCOMPARE(r.gross, gross);
        QCOMPARE(r.errors, 2);
        QCOMPARE(r.penalty, 50);
        QCOMPARE(r.minutes, 1);
        QCOMPARE(r.net, gross - 100);
        QCOMPARE(r.grade, CopyGrade::Failed);
        QCOMPARE(Cp1250::ToUtf8(r.title), std::string("Zahrada v létě"));
        for (const char* shown :
             {"Jana Nováková", "Zahrada v létě", "1 minuta", "soutěžní (50 úhozů za chybu)",
              "2 × 50 = 100", "neprospěl", "každým", "spadaná"}) {
            QVERIFY2(sheet.contains(QString::fromUtf8(shown)), shown);
        }
        QFile written(pdf);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.read(5) == "%PDF-");

        run.window->close();
        run.window.reset();
        const std::string ini = ReadFile(dir->Path() + "klaptos.ini");
        const std::string opis = "[Opis]\r\nText=" + dir->Path() +
                                 "opisy/01-zahrada.txt\r\nMinuty=1\r\nPravidla=1\r\nJmeno=" +
                                 Cp1250::FromUtf8("Jana Nováková") + "\r\n";
        QVERIFY2(ini.find(opis) != std::string::npos, ini.c_str());
    }

    void aTextThatCannotBeCopiedIsRefusedAndTheChoicesOpenAgain() {
        std::ofstream(dir->Path() + "opisy/03-ceny.txt", std::ios::binary)
            << Cp1250::FromUtf8("Ceny\r\n\r\n  \r\n"); // a title and no text
        Run run(*dir);
        int setups = 0;
        std::vector<std::pair<int, int>> offered; // texts and the one chosen at the start
        run.answer = [&](QDialog& dialog) {
            auto* setup = qobject_cast<CopySetupDialog*>(&dialog);
            if (setup == nullptr || ++setups > 2) {
                return static_cast<int>(QDialog::Rejected);
            }
            auto* text = setup->findChild<QComboBox*>(QStringLiteral("CopyText"));
            offered.emplace_back(text->count(), text->currentIndex());
            text->setCurrentIndex(2);
            setup->accept();
            return dialog.result();
        };
        run.copy.Run();
        QCOMPARE(setups, 3);
        // The refused text is still the one chosen when the choices open again.
        QCOMPARE(offered, (std::vector<std::pair<int, int>>{{3, 0}, {3, 2}}));
        QCOMPARE(run.reporter.reports.size(), std::size_t{2});
        QVERIFY(run.reporter.reports[0].Utf8().starts_with("V souboru není žádný text k opisu"));
        QVERIFY(run.results.empty());
    }

    void withoutTheProgramsTextsAnOwnFileIsCopiedByItsParagraphs() {
        std::filesystem::remove_all(dir->Path() + "opisy");
        const std::string own = dir->Path() + "vlastní.txt";
        std::ofstream(own, std::ios::binary)
            << "Můj text\n\nPrvní odstavec\nna dvou řádcích.\n\nDruhý „odstavec“.\n";
        Run run(*dir);
        bool startBeforeChoice = true;
        QString shown;
        run.answer = [&](QDialog& dialog) {
            if (auto* setup = qobject_cast<CopySetupDialog*>(&dialog)) {
                auto* start = setup->findChild<QPushButton*>(QStringLiteral("CopyStart"));
                startBeforeChoice = start->isEnabled();
                setup->findChild<QPushButton*>(QStringLiteral("CopyOwnFile"))->click();
                start->click();
            } else if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                files->selectFile(QString::fromStdString(own));
                static_cast<QDialog*>(files)->accept();
            } else if (auto* test = qobject_cast<CopyTestWindow*>(&dialog)) {
                shown = test->findChild<QPlainTextEdit*>(QStringLiteral("CopyView"))->toPlainText();
                test->close(); // before the first keystroke: no result
            }
            return dialog.result();
        };
        run.copy.Run();
        QVERIFY(!startBeforeChoice);
        QCOMPARE(shown,
                 QString::fromUtf8("První odstavec na dvou řádcích.\n\nDruhý \"odstavec\"."));
        QVERIFY(run.results.empty());
        QCOMPARE(run.copy.Setup().textFile, own);
    }

    void endingEarlyAsksFirstButNotBeforeTheFirstKeystroke() {
        FakeClock clock;
        const CopyText copy{"T", {"jedna dva tři"}};
        std::vector<QMessageBox::ButtonRole> answers;
        int questions = 0;
        const auto runQuestion = [&](QDialog& dialog) {
            ++questions;
            auto& box = static_cast<QMessageBox&>(dialog);
            const QMessageBox::ButtonRole role = answers.front();
            answers.erase(answers.begin());
            for (QAbstractButton* button : box.buttons()) {
                if (box.buttonRole(button) == role) {
                    button->click();
                }
            }
            return box.result();
        };

        CopyTestWindow untouched(copy, 10, QFont(), clock, nullptr);
        untouched.SetQuestionRunner(runQuestion);
        untouched.show();
        QVERIFY(QTest::qWaitForWindowActive(&untouched));
        QTest::keyClick(&untouched, Qt::Key_F8);
        QCOMPARE(questions, 0);
        QVERIFY(!untouched.isVisible());
        QCOMPARE(untouched.result(), static_cast<int>(QDialog::Rejected));

        CopyTestWindow test(copy, 10, QFont(), clock, nullptr);
        test.SetQuestionRunner(runQuestion);
        test.show();
        QVERIFY(QTest::qWaitForWindowActive(&test));
        Type(test.findChild<CopyTypingArea*>(), QStringLiteral("jedna"));
        answers = {QMessageBox::NoRole, QMessageBox::NoRole, QMessageBox::YesRole};
        QTest::keyClick(&test, Qt::Key_F8);
        QVERIFY(test.isVisible());
        test.close();
        QVERIFY(test.isVisible());
        QTest::keyClick(&test, Qt::Key_Escape);
        QCOMPARE(questions, 3);
        QVERIFY(!test.isVisible());
        QCOMPARE(test.result(), static_cast<int>(QDialog::Accepted));
        QCOMPARE(test.Typed(), std::string("jedna"));
    }

    void theTimeRunningOutClosesTheQuestionAndEndsTheTest() {
        FakeClock clock;
        CopyTestWindow test(CopyText{"T", {"jedna dva"}}, 1, QFont(), clock, nullptr);
        test.SetQuestionRunner([&](QDialog& question) {
            question.show();
            clock.Advance(60000);
            test.CheckTime();
            return question.result();
        });
        test.show();
        QVERIFY(QTest::qWaitForWindowActive(&test));
        Type(test.findChild<CopyTypingArea*>(), QStringLiteral("jedna d"));
        QTest::keyClick(&test, Qt::Key_F8);
        QVERIFY(OpenDialog() == nullptr);
        QCOMPARE(test.result(), static_cast<int>(QDialog::Accepted));
        QVERIFY(test.findChild<CopyTypingArea*>()->isReadOnly());
        QCOMPARE(test.RemainingShown(), QString::fromUtf8("Zbývá 0:00"));
    }

    void theTextAreaGivesBackWhatWasTypedAcrossItsWrappedLines() {
        CopyTypingArea area(nullptr);
        area.resize(220, 300);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QString typed;
        for (int i = 0; i < 12; ++i) {
            typed += QString::fromUtf8("Řidiči jezdí podle plánu ");
        }
        Type(&area, typed);
        QVERIFY2(area.blockCount() > 5, "each wrapped line is a paragraph of its own");
        QCOMPARE(area.Typed(), typed);

        // Backspace takes a wrapped line's break away as the space it stands for; Enter, also
        // with Shift, is the pupil's own line end.
        Backspace(&area, 6);
        QTest::keyClick(&area, Qt::Key_Return);
        Type(&area, QStringLiteral("ab"));
        QTest::keyClick(&area, Qt::Key_Return, Qt::ShiftModifier);
        Type(&area, QStringLiteral("c d"));
        QCOMPARE(area.Typed(), typed.chopped(6) + QStringLiteral("\nab\nc d"));
    }

    void theTextAreaShowsItsLinesAsTheTextEditorWouldDrawThem() {
        // The same lines in a plain text editor, scrolled to the end like the text area.
        QWidget window;
        auto* area = new CopyTypingArea(&window);
        auto* plain = new QPlainTextEdit(&window);
        for (QPlainTextEdit* edit : {static_cast<QPlainTextEdit*>(area), plain}) {
            edit->setFont(QFont(QStringLiteral("Liberation Mono"), 12));
            edit->setFixedSize(420, 200);
            edit->setFocusPolicy(Qt::NoFocus); // no caret in either
        }
        plain->move(0, 210);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QString typed;
        for (int i = 0; i < 30; ++i) {
            typed += QString::fromUtf8("Ďábel číhá u řeky, ");
        }
        // Backspace within the last line, then across the break of a wrapped line.
        Type(area, typed);
        Backspace(area, 3);
        const QImage withinLine = area->viewport()->grab().toImage();
        Type(area, QStringLiteral("xy"));
        Backspace(area, 2);
        QCOMPARE(area->viewport()->grab().toImage(), withinLine);
        Backspace(area, 9);
        QStringList lines;
        for (QTextBlock block = area->document()->begin(); block.isValid(); block = block.next()) {
            lines << block.text();
        }
        plain->setPlainText(lines.join(QLatin1Char('\n')));
        plain->moveCursor(QTextCursor::End);
        plain->ensureCursorVisible();
        QCoreApplication::processEvents();
        QCOMPARE(plain->verticalScrollBar()->value(), area->verticalScrollBar()->value());
        QVERIFY(area->verticalScrollBar()->value() > 2);

        const QImage ours = area->viewport()->grab().toImage();
        const QImage theirs = plain->viewport()->grab().toImage();
        QCOMPARE(ours.size(), theirs.size());
        int differing = 0;
        for (int y = 0; y < ours.height(); ++y) {
            for (int x = 0; x < ours.width(); ++x) {
                differing += ours.pixel(x, y) != theirs.pixel(x, y) ? 1 : 0;
            }
        }
        // The same pictures but for a stray pixel: an accent cut off, a letter left behind by
        // Backspace or a line out of its place differs by a hundred and more.
        QVERIFY2(differing < 20, qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
    }

    void nothingIsPastedOrTabbedIntoTheTextArea() {
        CopyTypingArea area(nullptr);
        area.show();
        QApplication::clipboard()->setText(QStringLiteral("opsaný text"));
        area.paste();
        QTest::keyClick(&area, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(&area, Qt::Key_Tab);
        QTest::keyClicks(&area, QStringLiteral("ab"));
        QCOMPARE(area.toPlainText(), QStringLiteral("ab"));
        QVERIFY(area.hasFocus() || !area.isActiveWindow());
    }
};

QTEST_MAIN(CopyTestFeatureQtTest)
#include "CopyTestFeatureQtTest.moc"
