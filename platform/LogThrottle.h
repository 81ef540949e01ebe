#pragma once

#include <QString>

#include <chrono>

namespace platform
{

// Keeps a flood of like log lines (a sender spraying bad signals) from filling the log: the first
// lines of each window are written, the rest are counted, and the next line written says how many
// were left out.
class LogThrottle
{
public:
    using Clock = std::chrono::steady_clock;

    explicit LogThrottle(int linesPerWindow = 10, Clock::duration window = std::chrono::minutes(1));

    // Whether to write the next line; when it is, `note` is what to add to it (empty, or what was
    // left out before it, or that lines after it will be).
    bool admit(QString* note);

private:
    int m_linesPerWindow;
    Clock::duration m_window;
    Clock::time_point m_windowStart{};
    int m_inWindow = 0;
    int m_leftOut = 0;
};

} // namespace platform
