#pragma once

#include <QStringList>

#include <cstring>

namespace testsupport
{

// Collects the log lines of one category while it lives (one at a time).
class LogCapture
{
public:
    explicit LogCapture(const char* category) : m_category(category)
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&handle);
    }
    ~LogCapture()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    int count(const QString& fragment) const { return int(lines.filter(fragment).size()); }

    QStringList lines;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        LogCapture* self = s_current;
        if (!self)
            return;
        if (context.category && std::strcmp(context.category, self->m_category) == 0)
            self->lines.append(message);
        if (self->m_previous)
            self->m_previous(type, context, message);
    }

    static inline LogCapture* s_current = nullptr;
    const char* m_category;
    QtMessageHandler m_previous = nullptr;
};

} // namespace testsupport
