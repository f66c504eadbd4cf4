#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <QHash>

#include <functional>
#include <memory>

class CAbstractDetails;
class CUnitDetails;
class QTreeWidgetItem;

// A text of a record that the recalculation reads as a number: the path of its element below
// the record's element (empty for that element itself), the text, and the unit whose reader
// reads it (none: one plain finite number). A required text must not be empty.
struct CNumberText {
    QString path;
    QString text;
    std::shared_ptr<CUnitDetails> unit;
    bool required = false;
};

// Binds child element names of a record's XML form to its fields. Names are
// compared case-sensitively; when a name occurs more than once the last wins. What a
// reading does not take of what the element gives is noted to the active CXmlReadCheck.
class CXmlFields
{
public:
    using Reader = std::function<void(const QDomElement&)>;

    // The element's text, unchanged.
    CXmlFields& text(const QString& tag, QString& field);
    // The text as a decimal integer (0 when unreadable), passed through check.
    CXmlFields& number(const QString& tag, int& field,
                       const std::function<int(int)>& check = nullptr);
    // True when the integer is not 0.
    CXmlFields& flag(const QString& tag, bool& field);
    CXmlFields& element(const QString& tag, const Reader& read);
    // A new record read from the element; stored only when it reads valid.
    template <class Record>
    CXmlFields& link(const QString& tag, std::shared_ptr<Record>& field)
    {
        return element(tag, [&field](const QDomElement& element) {
            auto record = std::make_shared<Record>();
            if (readRecord(*record, element))
                field = record;
        });
    }
    // Reads a linked record from the element: true when it reads valid.
    static bool readRecord(CAbstractDetails& record, const QDomElement& element);

    // Reads the node's child elements in document order.
    void read(const QDomNode& node) const;

private:
    QHash<QString, Reader> m_readers;
};

// Base of every definition record. The kind name is fixed by the class and
// names the record's XML root element.
class CAbstractDetails
{
public:
    virtual ~CAbstractDetails();

    const QString& kindName() const { return m_kindName; }
    // The record kind in Russian: the title of the table that stores such records (the one
    // named as the kind by default).
    virtual QString kindTitle() const;

    virtual QString getName() const;
    virtual QDomElement toXml(QDomDocument& document, const QString& tag) const = 0;
    // Clears the record, reads it from the node's child elements and returns
    // whether the record is valid.
    virtual bool fromXml(const QDomNode& node) = 0;
    // Reads the record as fromXml does and checks that it took what the node gives
    // (CXmlReadCheck): true when it reads valid and whole, else false with the reason.
    bool readXml(const QDomNode& node, QString& reason);
    // The texts of the record itself that the recalculation reads as numbers; none by default.
    virtual QVector<CNumberText> numberTexts() const;
    // Why the record read from the node is not valid, given the first fault that the reading
    // noted (empty for none): that fault, else a missing name (Name), else an incomplete
    // definition.
    virtual QString invalidReason(const QDomNode& node, const QString& fault) const;
    // Adds the description lines "%1: %2" under the parent item.
    virtual void fillInfoTree(QTreeWidgetItem* parent) const;
    // The description lines as text, each ending in a line feed.
    virtual QString infoText() const;

protected:
    explicit CAbstractDetails(const QString& kindName);
    CAbstractDetails(const CAbstractDetails& other) = default;
    // The kind name is the class's own and is never assigned.
    CAbstractDetails& operator=(const CAbstractDetails&) { return *this; }

    static QTreeWidgetItem* addInfoItem(QTreeWidgetItem* parent, const QString& text);
    static QTreeWidgetItem* addInfoLine(QTreeWidgetItem* parent, const QString& label,
                                        const QString& value);
    static QTreeWidgetItem* addInfoLine(QTreeWidgetItem* parent, const QString& label, int value);
    static QString infoLine(const QString& label, const QString& value);
    static QString infoLine(const QString& label, int value);

    // "Название" always; "Описание" and "Краткое название" when not empty.
    static void addNameItems(QTreeWidgetItem* parent, const QString& name,
                             const QString& description, const QString& shortName = QString());
    static QString nameInfoText(const QString& name, const QString& description,
                                const QString& shortName = QString());

    // The "Экспорт" group: EPSG code unless 0, MapInfo code unless NoValue.
    static void addExportItems(QTreeWidgetItem* parent, int epsgCode, int mapinfoCode);
    static QString exportInfoText(int epsgCode, int mapinfoCode);

private:
    QString m_kindName;
};

// Values to bind into SQL statements: NULL for an empty text, or for the
// number that stands for none.
QVariant sqlTextOrNull(const QString& text);
QVariant sqlNumberOrNull(int value, int nullValue);
