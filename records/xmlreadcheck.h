#pragma once

#include <QDomElement>
#include <QHash>
#include <QString>

#include <string>

class CAbstractDetails;

// While it lives, notes what the readings of records below its root element do not take of
// what the file gives: a linked record that does not read, a whole number or a number that its
// reader does not read, a number that must be given and is empty, a parameter given twice, an identifier given
// twice in a list.
// Elements that no reading knows, and elements without content (which stand for none), are not
// its concern. Readings outside a check note nothing.
class CXmlReadCheck
{
public:
    explicit CXmlReadCheck(const QDomElement& root);
    ~CXmlReadCheck();
    CXmlReadCheck(const CXmlReadCheck&) = delete;
    CXmlReadCheck& operator=(const CXmlReadCheck&) = delete;

    // The first fault noted, naming the element's path below the root and its text; empty for none.
    const QString& fault() const { return m_fault; }

    // The element's text was to be read as a whole number.
    static void noteWholeNumber(const QDomElement& element, bool read);
    // The record read from the element, when the element has content: its number texts, and
    // whether it read valid.
    static void noteRecord(const CAbstractDetails& record, const QDomElement& element, bool valid);
    // The element has content that its reading dropped, for the reason given.
    static void noteDropped(const QDomElement& element, const QString& reason);
    // The record's element gives the parameter at the path below it more than once.
    static void noteRepeated(const QDomElement& element, const QString& path);
    // The list's element gives two records of those names under one identifier.
    static void noteRepeatedIdentifier(const QDomElement& list, const QString& identifier,
                                       const QString& firstName, const QString& secondName);
    // The path of a parameter's value below its record's element, named by its code and the
    // name that the file's definition gives, else the code table's name:
    // ParamValues/Param[code=4, «A22»], or ParamValues/Param[code=4] without either.
    static QString paramPath(int code, const QString& definedName, const std::string& tableName);

private:
    // True when the element gives a text or child elements.
    static bool hasContent(const QDomElement& element);
    void note(const QString& path, const QString& reason);
    // The path of the element below the root, its tags joined by "/"; empty for the root.
    QString pathOf(const QDomElement& element) const;

    QDomElement m_root;
    QString m_fault;
    CXmlReadCheck* m_outer;
};

// Tells the reading check of a list's element which identifier it gives twice. Identifiers are
// compared trimmed, as the database gives them back.
class CRepeatedIdentifiers
{
public:
    explicit CRepeatedIdentifiers(const QDomElement& list) : m_list(list) {}
    void add(const QString& identifier, const QString& name);

private:
    QDomElement m_list;
    QHash<QString, QString> m_names;
};
