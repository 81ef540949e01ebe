#include "platform/store/SortDescriptor.h"

#include "platform/store/ManagedObject.h"

#include <QDateTime>

#include <algorithm>
#include <optional>
#include <vector>

namespace platform
{

int compareWithNumericSearch(QStringView a, QStringView b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            // Compare the runs by value: skip leading zeros, then longer is larger.
            qsizetype si = i, sj = j;
            while (si < ei - 1 && a[si] == u'0')
                ++si;
            while (sj < ej - 1 && b[sj] == u'0')
                ++sj;
            if (ei - si != ej - sj)
                return ei - si < ej - sj ? -1 : 1;
            for (; si < ei; ++si, ++sj)
                if (a[si] != b[sj])
                    return a[si] < b[sj] ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j] ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

namespace
{

// A sort key read once: its text is made once per object, not in every comparison.
struct SortKey {
    bool present = false;
    std::optional<QDateTime> date;
    QString text;

    explicit SortKey(const QVariant& value) : present(value.isValid())
    {
        if (!present)
            return;
        if (value.typeId() == QMetaType::QDateTime)
            date = value.toDateTime();
        else
            text = value.toString();
    }
    // A date compared with text compares as its text.
    QString asText() const { return date ? QVariant(*date).toString() : text; }
};

int compareKeys(const SortKey& a, const SortKey& b, Comparison comparison)
{
    if (!a.present || !b.present)
        return int(a.present) - int(b.present);
    if (a.date && b.date)
        return *a.date < *b.date ? -1 : (*b.date < *a.date ? 1 : 0);
    if (a.date || b.date)
        return compareKeys(SortKey(QVariant(a.asText())), SortKey(QVariant(b.asText())),
                           comparison);
    switch (comparison) {
    case Comparison::Plain:
        return a.text.compare(b.text, Qt::CaseSensitive);
    case Comparison::Numeric:
        return compareWithNumericSearch(a.text, b.text);
    case Comparison::CaseInsensitive:
        return a.text.compare(b.text, Qt::CaseInsensitive);
    }
    return 0;
}

} // namespace

void sortObjects(QList<ManagedObject*>& objects, const QList<SortDescriptor>& descriptors)
{
    if (descriptors.isEmpty() || objects.size() < 2)
        return;
    // Read every key once; comparisons then work on the copies.
    const qsizetype n = objects.size();
    std::vector<std::vector<SortKey>> keys(descriptors.size());
    for (qsizetype d = 0; d < descriptors.size(); ++d) {
        keys[d].reserve(n);
        for (qsizetype i = 0; i < n; ++i)
            keys[d].emplace_back(objects[i]->valueForKeyPath(descriptors[d].key));
    }
    std::vector<qsizetype> order(n);
    for (qsizetype i = 0; i < n; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](qsizetype l, qsizetype r) {
        for (qsizetype d = 0; d < descriptors.size(); ++d) {
            const int c = compareKeys(keys[d][l], keys[d][r], descriptors[d].comparison);
            if (c != 0)
                return descriptors[d].ascending ? c < 0 : c > 0;
        }
        return false;
    });
    QList<ManagedObject*> sorted;
    sorted.reserve(n);
    for (qsizetype i : order)
        sorted.append(objects[i]);
    objects = std::move(sorted);
}

} // namespace platform
