#include "helpdocument.h"

#include "textfiles.h"

#include "database/failure.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

const char* const helpDocumentName = "quarvel_ru.pdf";

namespace {

const qreal marginMillimetres = 20.0;
const int fontPoints = 10;

} // namespace

bool renderHelpPdf(const QString& markdownPath, const QString& pdfPath, QString* error)
{
    QString text;
    if (!readTextFile(markdownPath, text))
        return failWith(error, QStringLiteral("Не удалось прочитать файл ") + markdownPath);
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), fontPoints));
    document.setMarkdown(text);

    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly))
        return failWith(error, QStringLiteral("Не удалось записать файл ") + pdfPath);
    {
        QPdfWriter writer(&file);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(marginMillimetres, marginMillimetres, marginMillimetres, marginMillimetres),
                              QPageLayout::Millimeter);
        document.print(&writer);
    }
    if (!file.commit())
        return failWith(error, QStringLiteral("Не удалось записать файл ") + pdfPath);
    return true;
}
