#include "CopySheetDocument.h"

#include "AlignedWord.h"
#include "CopyScore.h"
#include "CopyVerdict.h"
#include "QtText.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace {

// The teacher's red, and highlights that stay readable in black and white: every mark also
// has a shape (a struck-out word, an underline, a note above).
const char* const kRed = "#c00000";
const char* const kWrongBackground = "#ffe0e0";
const char* const kExtraBackground = "#ffe58a";

QString Escaped(const std::string& cp1250) {
    return QtText::FromCp1250(cp1250).toHtmlEscaped();
}

QString Note(const QString& text) {
    return QStringLiteral("<sup style=\"color:%1;\">%2</sup>").arg(kRed, text);
}

QString WrongWord(const AlignedWord& word) {
    QString typed;
    for (std::size_t i = 0; i < word.typed.size(); ++i) {
        const QString letter = Escaped(word.typed.substr(i, 1));
        const bool wrong = i < word.wrongLetters.size() && word.wrongLetters[i];
        typed += wrong ? QStringLiteral("<span style=\"color:%1; text-decoration:underline; "
                                        "font-weight:bold;\">%2</span>")
                             .arg(kRed, letter)
                       : letter;
    }
    return QStringLiteral("<span style=\"background-color:%1;\">%2</span>")
               .arg(kWrongBackground, typed) +
           Note(Escaped(word.copy));
}

QString Figure(const QString& name, const QString& value) {
    return QStringLiteral("<tr><td>%1</td><td align=\"right\"><b>%2</b></td></tr>")
        .arg(name, value);
}

} // namespace

QString CopySheetDocument::MarkedText(const std::vector<AlignedWord>& words) {
    QStringList marked;
    for (const AlignedWord& word : words) {
        switch (word.mark) {
        case WordMark::Right:
            marked << Escaped(word.typed);
            break;
        case WordMark::Wrong:
            marked << WrongWord(word);
            break;
        case WordMark::Unfinished:
            marked << QStringLiteral("<span style=\"color:#707070;\">%1</span>")
                              .arg(Escaped(word.typed)) +
                          Note(QString::fromUtf8("nedopsáno"));
            break;
        case WordMark::Missing:
            marked << QStringLiteral("<span style=\"color:%1; text-decoration:line-through;\">"
                                     "%2</span>")
                          .arg(kRed, Escaped(word.copy));
            break;
        case WordMark::Extra:
            marked << QStringLiteral("<span style=\"background-color:%1;\">%2</span>")
                              .arg(kExtraBackground, word.typed.empty()
                                                         ? QString::fromUtf8("\u2423")
                                                         : Escaped(word.typed)) +
                          Note(word.typed.empty() ? QString::fromUtf8("mezera navíc")
                                                  : QString::fromUtf8("navíc"));
            break;
        case WordMark::Enter:
            marked << QStringLiteral("<span style=\"background-color:%1;\">\u21B5</span>")
                              .arg(kExtraBackground) +
                          Note(QStringLiteral("Enter"));
            break;
        }
    }
    return marked.join(QLatin1Char(' '));
}

QString CopySheetDocument::Html(const CopyOutcome& outcome, const QString& pupil,
                                const QDate& date) {
    const CopyTestResult& r = outcome.result;
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    const auto number = [](int value) { return QString::number(value); };
    QString html = QStringLiteral("<html><body>");
    html += QString::fromUtf8("<h2>Opis na čas – výsledek</h2>");
    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">");
    html +=
        QString::fromUtf8("<tr><td>Jméno:</td><td><b>%1</b></td></tr>").arg(pupil.toHtmlEscaped());
    html += QString::fromUtf8("<tr><td>Datum:</td><td>%1</td></tr>")
                .arg(czech.toString(date, QStringLiteral("d. M. yyyy")));
    html += QString::fromUtf8("<tr><td>Text:</td><td>%1</td></tr>").arg(Escaped(r.title));
    html += QString::fromUtf8("<tr><td>Doba:</td><td>%1</td></tr>")
                .arg(QtText::FromCp1250(CopyVerdict::Minutes(r.minutes)));
    html += QString::fromUtf8("<tr><td>Pravidla:</td><td>%1</td></tr>")
                .arg(QtText::FromCp1250(CopyVerdict::Rules(r.rules)));
    html += QStringLiteral("</table>");

    html += QString::fromUtf8("<h3>Výsledek</h3>");
    html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">");
    html += Figure(QString::fromUtf8("Hrubé úhozy"), number(r.gross));
    html += Figure(QString::fromUtf8("Chyby"), number(r.errors));
    html += Figure(
        QString::fromUtf8("Odečet za chyby"),
        QString::fromUtf8("%1 × %2 = %3").arg(r.errors).arg(r.penalty).arg(r.errors * r.penalty));
    html += Figure(QString::fromUtf8("Čisté úhozy"), number(r.net));
    html += Figure(QString::fromUtf8("Čisté úhozy za minutu"), number(r.netPerMinute));
    html += Figure(QString::fromUtf8("Chybovost"),
                   QString::fromStdString(CopyScore::Percent(r.errorRateHundredths)) +
                       QString::fromUtf8(" %"));
    html += Figure(QString::fromUtf8("Hodnocení"), QtText::FromCp1250(CopyVerdict::Grade(r)));
    html += QStringLiteral("</table>");
    const std::string reason = CopyVerdict::Reason(r);
    if (!reason.empty()) {
        html += QStringLiteral("<p>%1</p>").arg(Escaped(reason));
    }

    html += QString::fromUtf8("<h3>Opsaný text</h3>");
    html += QString::fromUtf8("<p style=\"font-size:small;\">Chybné slovo je podbarvené, chybná "
                              "písmena jsou podtržená a za slovem je drobně, jak mělo znít; "
                              "vynechaná slova jsou přeškrtnutá, slova a mezery navíc a klávesa "
                              "Enter jsou podbarvené žlutě.</p>");
    html += QStringLiteral("<p style=\"line-height:150%;\">%1</p>").arg(MarkedText(outcome.words));
    html += QStringLiteral("</body></html>");
    return html;
}

bool CopySheetDocument::WritePdf(const QString& html, const QString& title, const QString& path) {
    // The pupil has agreed to replace the file; a file that cannot be written is then missing,
    // not the old one mistaken for the new.
    QFile::remove(path);
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Klaptos"));
        QTextDocument document;
        document.setHtml(html);
        document.print(&writer);
    }
    return QFile(path).size() > 0;
}
