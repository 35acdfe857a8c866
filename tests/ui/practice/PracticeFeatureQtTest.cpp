// Errors per key joined to the main window: a lesson typed with wrong keys ranks them in the
// evaluation, whose button starts the practice text with its caption, and the evaluation after
// the practice text leads back to the lesson; the counts survive a restart in the middle of a
// text; without errors the evaluation is the designed one. (Without a word list:
// PracticeCommandTest and practice_e2e.sh.)

#include "LessonKeys.h"
#include "PaintBoxType.h"
#include "MainWindowRig.h"
#include "PracticeFeature.h"
#include "PracticeTextMaker.h"
#include "QtField.h"
#include "TFormHOknoPM.h"
#include "TFormKonec.h"
#include "TypingEngine.h"
#include "WeakKeysPanel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>
#include <map>
#include <memory>

namespace {

// One run of the program with the practice feature on lesson 5 ("ruka hrad", "kluk sud"); the
// evaluation window is handed to `evaluate`, whose result is the window's answer.
struct Run : MainWindowRig {
    explicit Run(TempLessonDir& dir, const std::string& wordList = KLAPTOS_BIN_DIR "/slova.txt")
        : MainWindowRig(dir), practice(Make<PracticeFeature>(store, reporter, wordList,
                                                             dir.Path() + "data/procviceni.txt")) {
        Build({&practice});
        answer = [this](QDialog& dialog) {
            if (auto* evaluation = qobject_cast<TFormKonec*>(&dialog); evaluation && evaluate) {
                evaluation->show();
                const int result = evaluate(*evaluation);
                evaluation->hide();
                return result;
            }
            return static_cast<int>(QDialogButtonBox::Yes); // the close question
        };
        Show();
    }
    ~Run() {
        if (window) {
            CloseAndDestroy();
        }
    }

    // The line the typing line shows.
    const TypingLine& Line() const {
        return window->findChild<PaintBoxType*>(QStringLiteral("paintBoxType"))->View().Line();
    }
    // STOP mode, as the status bar shows it.
    bool Stopped() const {
        return !window->findChild<QLabel*>(QStringLiteral("StatusPanel0"))->text().startsWith(u'*');
    }
    void Key(unsigned char byte) const { Type(byte); }
    // Types the rest of the line; a character of `wrongBefore` gets its wrong key first.
    void TypeLine(const std::map<unsigned char, unsigned char>& wrongBefore = {}) const {
        const TypingLine& line = Line();
        while (line.patternLine[line.typedPos] != TypingLine::kEndOfLine) {
            const unsigned char expected = line.patternLine[line.typedPos];
            if (const auto wrong = wrongBefore.find(expected); wrong != wrongBefore.end()) {
                Type(wrong->second);
            }
            Type(expected);
        }
        QTest::keyClick(Field(), Qt::Key_Return);
    }

    PracticeFeature& practice;
    std::function<int(TFormKonec&)> evaluate;
};

} // namespace

class PracticeFeatureQtTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempLessonDir> dir;

private slots:
    void init() {
        dir = std::make_unique<TempLessonDir>();
        dir->AddLesson(5, "Lekce 5: r u", {"ruka hrad", "kluk sud"});
        std::ofstream(dir->Path() + "klaptos.ini", std::ios::binary)
            << "[Options]\r\nErrIsRep=0\r\n[Lekce]\r\nCislo=5\r\nCisloAkt=5\r\nCisloRadku="
               "1\r\nQWERTZ=1\r\n";
    }
    void cleanup() { dir.reset(); }

    void wrongKeysAreRankedInTheEvaluationWhoseButtonStartsThePracticeText() {
        Run run(*dir);
        QCOMPARE(run.window->windowTitle(), QStringLiteral("Klaptos lekce 5 (QWERTZ)"));
        std::vector<WeakKey> shown;
        int heightAdded = 0;
        bool panelVisible = false;
        run.evaluate = [&](TFormKonec& evaluation) {
            auto* panel = evaluation.findChild<WeakKeysPanel*>();
            if (panel == nullptr) {
                return static_cast<int>(QDialog::Rejected);
            }
            shown = panel->Keys();
            heightAdded = evaluation.height() - 373;
            panelVisible = panel->isVisible();
            panel->findChild<QPushButton*>(QStringLiteral("ButtonProcvicit"))->click();
            return evaluation.result();
        };
        QTest::keyClick(run.window.get(), Qt::Key_F9);
        run.TypeLine({{'r', 't'}, {'u', 'i'}}); // "ruka hrad"
        run.TypeLine({{'u', 'i'}});             // "kluk sud"

        // u: 3 right and 3 wrong; r: 2 right and 2 wrong. The same rate: more errors first.
        const std::vector<WeakKey> expected = {{'u', 6, 3, 500, 'i'}, {'r', 4, 2, 500, 't'}};
        QCOMPARE(shown, expected);
        QVERIFY(panelVisible);
        QVERIFY(heightAdded > 100);

        QVERIFY(run.reporter.reports.empty());
        QCOMPARE(run.window->windowTitle(), QString::fromUtf8("Klaptos procvičení: u r"));
        QCOMPARE(run.store.CurrentLesson, -1);
        QCOMPARE(run.store.UserFileName, dir->Path() + "data/procviceni.txt");
        QVERIFY(run.Stopped());
        QVERIFY(run.practice.Errors().Counts().Empty());
        // Only keys lesson 5 has taught, with the intro line first.
        const std::string taught = LessonKeys::Taught(5, true);
        std::ifstream file(run.store.UserFileName, std::ios::binary);
        std::string line;
        std::getline(file, line);
        int lines = 0;
        while (std::getline(file, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            ++lines;
            QVERIFY2(line.find_first_not_of(taught) == std::string::npos, line.c_str());
        }
        QVERIFY(lines >= 12 && lines <= 15);
    }

    void theEvaluationAfterAPracticeTextLeadsBackToTheLessonItPractised() {
        Run run(*dir);
        QString backCaption;
        run.evaluate = [&](TFormKonec& evaluation) {
            if (auto* panel = evaluation.findChild<WeakKeysPanel*>()) {
                panel->findChild<QPushButton*>(QStringLiteral("ButtonProcvicit"))->click();
                return evaluation.result();
            }
            auto* back = evaluation.findChild<QPushButton*>(QStringLiteral("ButtonZpetKLekci"));
            if (back == nullptr) {
                return static_cast<int>(QDialog::Rejected);
            }
            backCaption = back->text();
            back->click();
            return evaluation.result();
        };
        QTest::keyClick(run.window.get(), Qt::Key_F9);
        run.TypeLine({{'r', 't'}, {'u', 'i'}});
        run.TypeLine({{'u', 'i'}});
        QCOMPARE(run.window->windowTitle(), QString::fromUtf8("Klaptos procvičení: u r"));

        QTest::keyClick(run.window.get(), Qt::Key_F9);
        for (int line = 0; line < PracticeTextMaker::kLines; ++line) {
            run.TypeLine();
        }
        QCOMPARE(backCaption, QString::fromUtf8("&Zpět k lekci 5"));
        QCOMPARE(run.store.CurrentLesson, 5);
        QCOMPARE(run.window->windowTitle(), QStringLiteral("Klaptos lekce 5 (QWERTZ)"));
        const auto& pattern = run.Line().patternLine;
        QCOMPARE(std::string(pattern.begin(), pattern.begin() + 9), std::string("ruka hrad"));
        QVERIFY(run.Stopped());
    }

    void countsOfAnUnfinishedTextComeBackAfterARestartAndAreWrittenAfterTheLesson() {
        KeyErrorCounts before;
        {
            Run run(*dir);
            QTest::keyClick(run.window.get(), Qt::Key_F9);
            run.TypeLine({{'k', 'l'}});
            before = run.practice.Errors().Counts();
            run.CloseAndDestroy();
            // The feature's section follows the window's own ones, in the same write.
            const std::string ini = run.Ini();
            QVERIFY(ini.find("[Lekce]") < ini.find("[Chyby]"));
            QCOMPARE(ini.find('[', ini.find("[Chyby]") + 1), std::string::npos);
        }
        QCOMPARE(before.Errors('k'), 1);
        Run again(*dir);
        QVERIFY(again.practice.Errors().Counts() == before);
        const auto& pattern = again.Line().patternLine;
        QCOMPARE(std::string(pattern.begin(), pattern.begin() + 8), std::string("kluk sud"));
    }

    void aTextWithoutErrorsKeepsTheDesignedEvaluationWindow() {
        Run run(*dir);
        QSize size;
        bool panel = true;
        run.evaluate = [&](TFormKonec& evaluation) {
            size = evaluation.size();
            panel = evaluation.findChild<WeakKeysPanel*>() != nullptr;
            return TFormKonec::kResultRepeat;
        };
        QTest::keyClick(run.window.get(), Qt::Key_F9);
        run.TypeLine();
        run.TypeLine();
        QCOMPARE(size, QSize(424, 373));
        QVERIFY(!panel);
    }
};

QTEST_MAIN(PracticeFeatureQtTest)
#include "PracticeFeatureQtTest.moc"
