#include "Evaluation.h"

#include "Cp1250.h"
#include "LessonCount.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// Speeds and frequencies come from statistics that the settings file may hold in any size;
// a result beyond int is shown as the largest int rather than wrapping round.
int ClampToInt(double value) {
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value); // truncates toward zero
}

int ErrorFrequencyPerMille(int errors, int keystrokes) {
    if (keystrokes == 0) {
        return 0;
    }
    const std::int64_t perMille = std::int64_t{errors} * 1000 / keystrokes;
    return ClampToInt(static_cast<double>(perMille));
}

// Keystrokes per minute; too short a time to measure gives 0.
int PerMinute(int count, double minutes) {
    return minutes > 0.001 ? ClampToInt(count / minutes) : 0;
}

} // namespace

int ExpectedSpeed(int lesson) {
    if (lesson > 32 || lesson < 0) {
        return 130;
    }
    if (lesson > 21) {
        return 100;
    }
    if (lesson > 9) {
        return 70;
    }
    return 50;
}

namespace {

int ErrorGrade(int f) {
    if (f <= 10) {
        return 1;
    }
    if (f <= 20) {
        return 2;
    }
    if (f <= 30) {
        return 3;
    }
    if (f <= 40) {
        return 4;
    }
    return 5;
}

int SpeedGrade(int o, int u) {
    if (o >= 1.5 * u) {
        return 1;
    }
    if (o >= u) {
        return 2;
    }
    if (o >= 0.75 * u) {
        return 3;
    }
    if (o >= u / 2) {
        return 4;
    }
    return 5;
}

template <typename... Args> std::string Format(const char* format, Args... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

std::string ErrorSentence(int a, int lesson) {
    switch (a) {
    case 1:
        return "Píšete s malým počtem chyb, což je skvělý základ k dosažení dokonalosti.";
    case 2:
        return "Neděláte sice příliš mnoho chyb, ale přesto by se vyplatilo zvýšit přesnost "
               "Vašeho psaní.";
    case 3:
        return "Jste nad hranicí rozumné chybovosti. Zkuste zvýšit přesnost Vašeho psaní.";
    case 4:
        return "Příliš mnoho chyb - zaměřte se hlavně na přesné psaní.";
    default:
        if (lesson > 9) {
            return "Váš počet chyb je zcela neúnosný. Pokud se *opravdu* chcete naučit psát, "
                   "musíte se zlepšit.";
        }
        if (lesson >= 1) {
            return "Každý začátek je těžký :-) Soustřeďte se na přesnost psaní.";
        }
        return "Děláte mnoho chyb. Místo vlastních souborů cvičte lekce psaní.";
    }
}

std::string SpeedSentence(int d, int a, int u, int lesson) {
    const std::string expected = std::to_string(u);
    switch (d) {
    case 1:
        return a <= 2 ? "Vaše rychlost psaní je špičková vzhledem k lekci. Jen tak dál!"
                      : "Honíte se za rychlostí a zapomínáte na kvalitu. Pište raději pomalu, "
                        "ale bez chyb!";
    case 2:
        return a <= 2 ? "Vaše rychlost psaní je vyhovující. Jste na dobré cestě k dokonalosti."
                      : "Dosahujete slušné rychlosti, ale raději pište pomaleji a bez chyb.";
    case 3:
        return a == 1 ? "Píšete mírně nižší rychlostí, než by odpovídalo probírané lekci. "
                        "Snažte se dosáhnout alespoň " +
                            expected + " úhozů za minutu."
                      : "Píšete navíc i trochu nižší rychlostí, než by odpovídalo probírané "
                        "lekci. Čeká Vás ještě hodně práce.";
    default: {
        const std::string ownTextNote =
            lesson < 0 ? "Cvičení vlastních lekcí se hodí pouze pro zkušené písaře. " : "";
        if (a == 1) {
            return ownTextNote + "Píšete hodně pomalu. Měli byste dosáhnout alespoň " + expected +
                   " úhozů za minutu.";
        }
        const std::string encouragement =
            lesson > 9 ? "Návrat k předchozím lekcím by Vám pomohl."
                       : "Nezoufejte však, každodenním cvičením se určitě zlepšíte.";
        return ownTextNote + "Nemohu Vás pochválit. Vaše psaní je navíc i pomalé. " + encouragement;
    }
    }
}

} // namespace

Evaluation Evaluate(const EvaluationInput& input) {
    Evaluation e;
    const int lesson = input.currentLesson;

    // The sentences are put together in UTF-8 and converted to the code page once, at the end;
    // the file name comes in the code page already.
    if (lesson >= 1) {
        e.caption = "Konec lekce " + std::to_string(lesson);
        e.nextCaption = "&Přejít k další lekci";
        e.repeatCaption = "&Opakovat lekci";
    } else {
        e.caption = "Konec souboru ";
        e.nextCaption = "&Otevřít soubor";
        e.repeatCaption = "O&pakovat soubor";
    }
    if (lesson == kLastLesson) {
        // Alt+O belongs to opening a file, so repeating takes the next letter.
        e.nextCaption = "&Otevřít soubor";
        e.repeatCaption = "O&pakovat lekci";
    }

    const int f = ErrorFrequencyPerMille(input.lessonErrors, input.lessonKeystrokes);
    const double minutes = input.lessonMs / 60000.0;
    const int seconds = input.lessonMs / 1000;

    e.keystrokes = std::to_string(input.lessonKeystrokes);
    e.frequency = Format("%d,%d", f / 10, f % 10);
    e.errors = std::to_string(input.lessonErrors);
    e.time = Format("%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
    e.apparentSpeedValue = PerMinute(input.lessonKeystrokes, minutes);
    e.apparentSpeed = std::to_string(e.apparentSpeedValue);

    e.frequencyPerMille = f;
    e.absoluteSpeed = PerMinute(input.lessonCorrect, minutes);
    e.expectedSpeed = ExpectedSpeed(lesson);
    e.errorGrade = ErrorGrade(f);
    e.speedGrade = SpeedGrade(e.absoluteSpeed, e.expectedSpeed);
    const int a = e.errorGrade;
    const int d = e.speedGrade;

    e.partial = input.totalChars * 0.95 >= input.lessonKeystrokes;
    if (e.partial) {
        e.lines.push_back({Format("Napsali jste asi jen část lekce, pouze %d úhozů z %d v lekci. "
                                  "Vaše hodnocení bude zkreslené!",
                                  input.lessonKeystrokes, input.totalChars)});
    }
    e.lines.push_back({ErrorSentence(a, lesson)});
    e.frequencyHighlighted = a >= 3;

    e.lines.push_back({SpeedSentence(d, a, e.expectedSpeed, lesson)});
    e.absSpeedHighlighted = d >= 3;
    e.absSpeed = std::to_string(e.absoluteSpeed);

    std::string recommendation;
    if (a <= 2 && d <= 2) {
        if (lesson == kLastLesson) {
            e.lines.push_back({"Skončili jste poslední lekci. Můžete se však dál cvičit na "
                               "vlastních souborech."});
        }
        recommendation = "Můžete s klidem přejít k následujícímu cvičení.";
        e.passed = !e.partial;
    } else if (a <= 2 && d <= 3) {
        recommendation =
            "Mohli byste sice přejít k další lekci, ale doporučuji Vám zopakovat si tohle cvičení.";
    } else if (a <= 3 && d <= 4) {
        recommendation = "Přechod k další lekci by byl asi předčasný. Uděláte lépe, když si "
                         "zopakujte tohle cvičení.";
    } else {
        e.nextEnabled = false;
        recommendation = "Určitě si zopakujte poslední cvičení.";
    }
    e.lines.push_back({recommendation, true});

    for (std::string* text : {&e.caption, &e.nextCaption, &e.repeatCaption}) {
        *text = Cp1250::FromUtf8(*text);
    }
    if (lesson < 1) {
        e.caption += input.displayFileName;
    }
    for (EvaluationLine& line : e.lines) {
        line.text = Cp1250::FromUtf8(line.text);
    }
    return e;
}
