#pragma once

#include "records/wkt/wkttype.h"

#include <QList>
#include <QStringList>

#include <memory>

// A node of a parsed WKT text.
class CWktItem
{
public:
    // Throws std::runtime_error for the code None.
    explicit CWktItem(const CWktType& type);
    virtual ~CWktItem();

    CWktItem(const CWktItem&) = delete;
    CWktItem& operator=(const CWktItem&) = delete;

    // Takes the node's values and links from its children; false (node
    // cleared, failure() telling why) when the node is not valid afterwards.
    virtual bool parse(const QStringList& values);
    // Why the last parse failed; empty after one that succeeded.
    const QString& failure() const { return m_failure; }
    // Clears the node's own fields; children, keyword, content and values stay.
    virtual void clear() = 0;
    virtual bool isValid() const = 0;

    // A new cleared node of the class of the code; empty for an unknown code.
    static std::shared_ptr<CWktItem> create(const CWktType& type);

    const CWktType& type() const { return m_type; }
    // The keyword with the first value, as KEYWORD["value"].
    QString label() const;

    QList<std::shared_ptr<CWktItem>> children;
    // Children of known keywords that failed, cleared, in text order; none of them is in children.
    QList<std::shared_ptr<CWktItem>> failedChildren;
    QString keyword;
    QString content;
    QStringList values;

protected:
    virtual int valueCount() const = 0;
    // Called with exactly valueCount() trimmed values.
    virtual void readValues(const QStringList& values) = 0;
    virtual void readLinks() {}
    // Why the node is not valid, for a node whose isValid() is false.
    virtual QString invalidReason() const;

    // The last child of the class T, if any.
    template <class T>
    std::shared_ptr<T> lastChild() const
    {
        std::shared_ptr<T> found;
        for (const auto& child : children) {
            if (auto typed = std::dynamic_pointer_cast<T>(child))
                found = typed;
        }
        return found;
    }

    template <class T>
    QList<std::shared_ptr<T>> childrenOf() const
    {
        QList<std::shared_ptr<T>> found;
        for (const auto& child : children) {
            if (auto typed = std::dynamic_pointer_cast<T>(child))
                found.append(typed);
        }
        return found;
    }

private:
    CWktType m_type;
    QString m_failure;
};

using CWktItemPtr = std::shared_ptr<CWktItem>;
