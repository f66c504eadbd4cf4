#include "guitest.h"
#include "scriptedprompt.h"
#include "testfiles.h"

#include "app/dialogtextviewer.h"
#include "app/helpdocument.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <memory>

namespace {

// The number of pages of a PDF file that Qt wrote.
int pdfPageCount(const QByteArray& pdf)
{
    const int at = pdf.indexOf("/Type /Pages");
    const int count = pdf.indexOf("/Count ", at);
    if (at < 0 || count < 0)
        return 0;
    return pdf.mid(count + 7, 8).split('\n').first().trimmed().toInt();
}

bool isPdf(const QByteArray& bytes)
{
    return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
}

} // namespace

class TestHelpDocument : public QObject
{
    Q_OBJECT

private slots:
    void helpTextRendersToPdf();
    void missingHelpTextIsReported();
    void programFolderShipsHelpAndLicence();

private:
    CGuiTestEnvironment m_environment;
};

// A long Russian text becomes several A4 pages with the fonts embedded.
void TestHelpDocument::helpTextRendersToPdf()
{
    QTemporaryDir folder;
    QByteArray text = "# Справка\n\nПересчет точек между системами координат.\n\n";
    for (int k = 0; k < 200; ++k)
        text += "Абзац " + QByteArray::number(k) + ": строка текста справки.\n\n";
    QVERIFY(writeFile(folder.filePath("help.md"), text));
    QString error;
    QVERIFY2(renderHelpPdf(folder.filePath("help.md"), folder.filePath("help.pdf"), &error), qPrintable(error));

    const QByteArray pdf = readFile(folder.filePath("help.pdf"));
    QVERIFY(isPdf(pdf));
    QVERIFY2(pdfPageCount(pdf) > 2, pdf.left(400).constData());
    QVERIFY(pdf.contains("/FontFile"));
}

void TestHelpDocument::missingHelpTextIsReported()
{
    QTemporaryDir folder;
    QString error;
    QVERIFY(!renderHelpPdf(folder.filePath("missing.md"), folder.filePath("help.pdf"), &error));
    QCOMPARE(error, "Не удалось прочитать файл " + folder.filePath("missing.md"));
    QVERIFY(!QFileInfo::exists(folder.filePath("help.pdf")));
}

// The build puts the help, found under the name the Help menu looks for, and the licence that the
// About box shows beside the program.
void TestHelpDocument::programFolderShipsHelpAndLicence()
{
    const QDir program(QStringLiteral(PROGRAM_DIR));
    const QStringList helps = program.entryList({QStringLiteral("quarvel_??.pdf")}, QDir::Files);
    QCOMPARE(helps, QStringList{QString::fromLatin1(helpDocumentName)});
    const QByteArray help = readFile(program.filePath(helps.first()));
    QVERIFY(isPdf(help));
    QVERIFY(pdfPageCount(help) >= 1);

    CScriptedPrompt prompt;
    DialogTextViewer viewer;
    QVERIFY(viewer.loadFile(program.filePath(QStringLiteral("license.html"))));
    const QString shown = viewer.findChild<QTextEdit*>(QStringLiteral("editText"))->toPlainText();
    QVERIFY(shown.startsWith(QStringLiteral("Лицензионное соглашение")));
    QVERIFY(shown.contains(QStringLiteral("VELMORAN Quarvelometer")));
    QVERIFY(prompt.messages().isEmpty());
}

QTEST_MAIN(TestHelpDocument)
#include "test_helpdocument.moc"
