#include "common/Clock.h"

namespace {
class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

std::unique_ptr<Clock> &installed()
{
    static std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    return clock;
}
} // namespace

const Clock &Clock::current()
{
    return *installed();
}

void Clock::setCurrent(std::unique_ptr<Clock> clock)
{
    installed() = clock ? std::move(clock) : std::make_unique<SystemClock>();
}
