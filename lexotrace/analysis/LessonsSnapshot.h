#pragma once

#include "model/OrthovaModel.h"
#include "platform/store/ManagedObject.h"
#include "platform/store/StoreFile.h"

#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <memory>
#include <optional>

namespace lexotrace
{

// What the analysis needs of one row of related words, copied out of the store on the main thread
// so that an analysis on another thread never touches a store object.
struct LessonRowValues {
    std::array<std::optional<QString>, model::kWordSlots> words;
    std::array<QString, model::kWordSlots> bits; // absent bits are empty
    std::optional<QString> levelNumber;
    std::optional<QString> unitNumber;
    std::optional<QString> generalRule;
    std::optional<QString> generalRuleCode;

    static LessonRowValues fromRow(const platform::ManagedObject& row);
    friend bool operator==(const LessonRowValues&, const LessonRowValues&) = default;
};

// An immutable copy of every lesson row, with each word column indexed once so that a lookup of a
// plain word does not scan the rows. Safe to read from any thread.
class LessonsSnapshot
{
public:
    explicit LessonsSnapshot(QList<LessonRowValues> rows);
    static std::shared_ptr<const LessonsSnapshot>
    fromRows(const QList<platform::ManagedObject*>& rows);
    // The same rows as a context opened on these contents would give, read straight from them on
    // any thread: the course is ready when the store file is read.
    static std::shared_ptr<const LessonsSnapshot> fromStore(const platform::StoreContents& store);
    // The rows' values, read on the context's thread; the index can then be built on any.
    static QList<LessonRowValues> valuesOf(const QList<platform::ManagedObject*>& rows);

    const QList<LessonRowValues>& rows() const { return m_rows; }
    bool isEmpty() const { return m_rows.isEmpty(); }

    // Indexes of the rows whose word in the column (1 to 5) matches the search word as `like`
    // does (whole value, case-sensitive, `*` and `?` wildcards), in snapshot order.
    QList<qsizetype> lookup(int column, const QString& searchWord) const;
    // The same by filtering every row; the reference the index must agree with.
    QList<qsizetype> lookupByScan(int column, const QString& searchWord) const;

private:
    QList<LessonRowValues> m_rows;
    std::array<QHash<QString, QList<qsizetype>>, model::kWordSlots> m_index;
};

} // namespace lexotrace
