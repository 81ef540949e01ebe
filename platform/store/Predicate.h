#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

namespace platform
{

class ManagedObject;

// A fetch filter: comparisons of a key path with a value, combined with and/or.
// `like` matches the whole value, case- and diacritic-sensitively; in the pattern `*` stands for
// any run of characters and `?` for exactly one.
class Predicate
{
public:
    Predicate() = default; // matches everything
    static Predicate equals(const QString& keyPath, const QVariant& value);
    static Predicate like(const QString& keyPath, const QString& pattern);
    static Predicate anyOf(const QList<Predicate>& terms);
    static Predicate allOf(const QList<Predicate>& terms);

    bool isEmpty() const { return m_kind == Kind::All; }
    bool evaluate(const ManagedObject& object) const;

    static bool matchesLike(QStringView value, QStringView pattern);
    static bool hasWildcards(QStringView pattern);

private:
    enum class Kind { All, Equals, Like, AnyOf, AllOf };
    Kind m_kind = Kind::All;
    QString m_keyPath;
    QVariant m_value;
    std::shared_ptr<const QList<Predicate>> m_terms;
};

} // namespace platform
