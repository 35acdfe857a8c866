#include "TextFileDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFile>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

// How long a loaded machine may take to list a folder in the background.
constexpr int kListingLimitMs = 60000;

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

class TextFileDialogQtTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;

    // Opens the dialog as the program does, types `name` and presses Open; returns the file
    // it chose, or an empty string when it stayed open.
    QString Choose(const QString& name, const QString& filter) {
        TextFileDialog dialog(nullptr, QStringLiteral("Otevrit textovy soubor"));
        dialog.setNameFilters({QStringLiteral("Text (*.txt)"), U("Všechny soubory (*)")});
        dialog.selectNameFilter(filter);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setDirectory(dir.path());
        dialog.show();
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (edit == nullptr) {
            return QStringLiteral("no name field");
        }
        edit->setText(name);
        // A name that is not found brings Qt's modal notice; it is closed as the pupil would.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                    box->close();
                }
            }
        });
        closer.start(10);
        dialog.accept();
        if (dialog.isVisible()) {
            return {};
        }
        return dialog.selectedFiles().value(0);
    }

private slots:
    void initTestCase() {
        for (const char* name : {"cviceni", "lekce.txt"}) {
            QFile file(dir.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("text\r\n");
        }
    }

    void aTypedNameGetsTxtOnlyWhenNoFileOfThatNameExists() {
        for (const QString& filter : {QStringLiteral("Text (*.txt)"), U("Všechny soubory (*)")}) {
            QCOMPARE(Choose(QStringLiteral("cviceni"), filter), dir.filePath("cviceni"));
            QCOMPARE(Choose(QStringLiteral("lekce"), filter), dir.filePath("lekce.txt"));
            QCOMPARE(Choose(QStringLiteral("lekce.txt"), filter), dir.filePath("lekce.txt"));
            // Neither "chybi" nor "chybi.txt": the dialog stays open with its notice.
            QCOMPARE(Choose(QStringLiteral("chybi"), filter), QString());
        }
    }

    void theCompletionListClosesWithTheDialog() {
        TextFileDialog dialog(nullptr, QStringLiteral("Otevrit textovy soubor"));
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        // The folder is listed in the background; the completion list offers what it found.
        auto* files = dialog.findChild<QFileSystemModel*>();
        QVERIFY(files != nullptr);
        QSignalSpy listed(files, &QFileSystemModel::directoryLoaded);
        dialog.setDirectory(dir.path());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(listed.cbegin(), listed.cend(),
                                             [&](const QList<QVariant>& loaded) {
                                                 return loaded.at(0).toString() == dir.path();
                                             }),
                                 kListingLimitMs);
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit != nullptr);
        QVERIFY(edit->completer() != nullptr);
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("cv"));
        QAbstractItemView* popup = edit->completer()->popup();
        QTRY_VERIFY_WITH_TIMEOUT(popup->isVisible(), kListingLimitMs);
        dialog.reject();
        QVERIFY(!dialog.isVisible());
        QVERIFY(!popup->isVisible());
    }
};

QTEST_MAIN(TextFileDialogQtTest)
#include "TextFileDialogQtTest.moc"
