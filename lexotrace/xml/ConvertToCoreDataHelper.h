#pragma once

#include "platform/store/ObjectContext.h"
#include "platform/ui/Alerts.h"

#include <QLoggingCategory>

#include <functional>

Q_DECLARE_LOGGING_CATEGORY(lcLessonsXml)

namespace lexotrace
{

// Reads a lessons XML file into the lessons context and writes the whole lessons store out as one.
// The file is one element per line, values verbatim (nothing escaped, absent values "(null)"),
// UTF-16 with a byte-order mark, and no line feed after the last line.
class ConvertToCoreDataHelper
{
public:
    using ContextSource = std::function<platform::ObjectContext*()>;

    explicit ConvertToCoreDataHelper(platform::AlertPresenter& alerts);

    // Where the lessons context comes from (the lessons store manager).
    void setContextSource(ContextSource source) { m_context = std::move(source); }

    // Inserts the file's levels, unsaved; existing objects are left alone. True when the file had
    // at least one level.
    bool createLessonCoreDataFromXMLfile(const QString& path);
    // Writes every level of the store to the file, replacing it atomically.
    bool parseLessonsCoreDataToReadableXMLFilePath(const QString& path);

    // The text of the last write.
    const QString& xmlString() const { return m_xmlString; }
    const QString& levelString() const { return m_levelString; }
    const QString& unitString() const { return m_unitString; }

    static QList<platform::SortDescriptor> levelsSortDescriptor();
    static QList<platform::SortDescriptor> unitsSortDescriptor();

private:
    platform::AlertPresenter& m_alerts;
    ContextSource m_context;
    QString m_xmlString;
    QString m_levelString;
    QString m_unitString;
};

} // namespace lexotrace
