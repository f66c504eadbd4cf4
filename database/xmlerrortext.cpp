#include "xmlerrortext.h"

#include <QRegularExpression>

namespace {

struct CXmlErrorText {
    // The parser's message; %1.. stand for the values that it carries.
    const char* english;
    const char* russian;
};

const CXmlErrorText xmlErrorTexts[] = {
    {"no error occurred", "ошибок нет"},
    {"error triggered by consumer", "чтение прервано обработчиком"},
    {"unexpected end of file", "файл обрывается раньше конца документа"},
    {"more than one document type definition", "больше одного определения типа документа"},
    {"error occurred while parsing element", "ошибка в элементе"},
    {"tag mismatch", "закрывающий тег не совпадает с открывающим"},
    {"error occurred while parsing content", "ошибка в содержимом элемента"},
    {"unexpected character", "недопустимый символ"},
    {"invalid name for processing instruction", "недопустимое имя инструкции обработки"},
    {"version expected while reading the XML declaration", "в объявлении XML нет версии"},
    {"wrong value for standalone declaration", "недопустимое значение standalone в объявлении XML"},
    {"encoding declaration or standalone declaration expected while reading the XML declaration",
     "в объявлении XML ожидается encoding или standalone"},
    {"standalone declaration expected while reading the XML declaration", "в объявлении XML ожидается standalone"},
    {"error occurred while parsing document type definition", "ошибка в определении типа документа"},
    {"letter is expected", "ожидается буква"},
    {"error occurred while parsing comment", "ошибка в комментарии"},
    {"error occurred while parsing reference", "ошибка в ссылке на символ или сущность"},
    {"internal general entity reference not allowed in DTD",
     "ссылка на внутреннюю общую сущность недопустима в определении типа документа"},
    {"external parsed general entity reference not allowed in attribute value",
     "ссылка на внешнюю сущность недопустима в значении атрибута"},
    {"external parsed general entity reference not allowed in DTD",
     "ссылка на внешнюю сущность недопустима в определении типа документа"},
    {"unparsed entity reference in wrong context", "ссылка на неразбираемую сущность в недопустимом месте"},
    {"recursive entities", "сущность ссылается сама на себя"},
    {"error in the text declaration of an external entity", "ошибка в текстовом объявлении внешней сущности"},
    {"DTD parsing exceeded recursion limit of %1.",
     "вложенность определения типа документа превышает предел %1"},
    {"The XML entity \"%1\" expands to a string that is too large to process (%2 characters > %3).",
     "сущность XML «%1» раскрывается в слишком длинный текст (%2 символов при пределе %3)"},
};

const QRegularExpression placeholder(QStringLiteral("%(\\d)"));

// The message's pattern: the text exact, each %N one value.
QRegularExpression messagePattern(const char* english)
{
    const QString message = QString::fromLatin1(english);
    QString pattern;
    int from = 0;
    for (auto marks = placeholder.globalMatch(message); marks.hasNext();) {
        const QRegularExpressionMatch mark = marks.next();
        pattern += QRegularExpression::escape(message.mid(from, mark.capturedStart() - from)) + QStringLiteral("(.*)");
        from = mark.capturedEnd();
    }
    pattern += QRegularExpression::escape(message.mid(from));
    return QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$'));
}

// The Russian text with each %N replaced by the message's N-th value, in one pass.
QString filled(const QString& russian, const QRegularExpressionMatch& values)
{
    QString text;
    int from = 0;
    for (auto marks = placeholder.globalMatch(russian); marks.hasNext();) {
        const QRegularExpressionMatch mark = marks.next();
        text += russian.mid(from, mark.capturedStart() - from) + values.captured(mark.captured(1).toInt());
        from = mark.capturedEnd();
    }
    return text + russian.mid(from);
}

} // namespace

QString xmlErrorText(const QString& message)
{
    for (const CXmlErrorText& entry : xmlErrorTexts) {
        const QRegularExpressionMatch match = messagePattern(entry.english).match(message);
        if (match.hasMatch())
            return filled(QString::fromUtf8(entry.russian), match);
    }
    return message;
}
