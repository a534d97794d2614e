#pragma once

#include <QDate>
#include <QDateTime>

#include <memory>

// Today and now for protocol headers, period filters and print timestamps.
// Tests install a fixed clock.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }

    static const Clock &current();
    // Installs a clock for the process (nullptr restores the system clock).
    static void setCurrent(std::unique_ptr<Clock> clock);
};

class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime now) : m_now(std::move(now)) {}
    QDateTime now() const override { return m_now; }
    void setNow(const QDateTime &now) { m_now = now; }

private:
    QDateTime m_now;
};
