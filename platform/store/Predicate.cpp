#include "platform/store/Predicate.h"

#include "platform/store/ManagedObject.h"

namespace platform
{

Predicate Predicate::equals(const QString& keyPath, const QVariant& value)
{
    Predicate p;
    p.m_kind = Kind::Equals;
    p.m_keyPath = keyPath;
    p.m_value = value;
    return p;
}

Predicate Predicate::like(const QString& keyPath, const QString& pattern)
{
    Predicate p;
    p.m_kind = Kind::Like;
    p.m_keyPath = keyPath;
    p.m_value = pattern;
    return p;
}

Predicate Predicate::anyOf(const QList<Predicate>& terms)
{
    Predicate p;
    p.m_kind = Kind::AnyOf;
    p.m_terms = std::make_shared<const QList<Predicate>>(terms);
    return p;
}

Predicate Predicate::allOf(const QList<Predicate>& terms)
{
    Predicate p;
    p.m_kind = Kind::AllOf;
    p.m_terms = std::make_shared<const QList<Predicate>>(terms);
    return p;
}

bool Predicate::evaluate(const ManagedObject& object) const
{
    switch (m_kind) {
    case Kind::All:
        return true;
    case Kind::Equals: {
        const QVariant v = object.valueForKeyPath(m_keyPath);
        if (!v.isValid() || !m_value.isValid())
            return v.isValid() == m_value.isValid();
        if (v.typeId() == QMetaType::QString || m_value.typeId() == QMetaType::QString)
            return v.toString() == m_value.toString();
        return v == m_value;
    }
    case Kind::Like: {
        const QVariant v = object.valueForKeyPath(m_keyPath);
        return v.isValid() && matchesLike(v.toString(), m_value.toString());
    }
    case Kind::AnyOf:
        for (const auto& t : *m_terms)
            if (t.evaluate(object))
                return true;
        return false;
    case Kind::AllOf:
        for (const auto& t : *m_terms)
            if (!t.evaluate(object))
                return false;
        return true;
    }
    return false;
}

bool Predicate::hasWildcards(QStringView pattern)
{
    return pattern.contains(u'*') || pattern.contains(u'?');
}

bool Predicate::matchesLike(QStringView value, QStringView pattern)
{
    // Greedy matching with one backtrack point for the last `*`: linear in practice.
    qsizetype v = 0, p = 0, starP = -1, starV = 0;
    while (v < value.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == value[v])) {
            ++v;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starV = v;
        } else if (starP >= 0) {
            p = starP + 1;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace platform
