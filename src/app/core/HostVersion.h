#pragma once

#include <QString>

struct RunContext;

// The oldest host version the add-on supports.
constexpr int SupportedHostVersion = 13;

// The numeric part of the host's version text: up to the first blank, every
// digit, "." and "," kept, everything else skipped ("13.100 R2" gives
// "13.100", "V12a,5" gives "12,5").
QString hostVersionDigits(const QString &hostVersion);

// That part as a number in the user's locale; 0 when it does not convert.
double hostVersionNumber(const QString &hostVersion);

// Refuses a host older than the supported one (reported, -1). Otherwise (a
// supported host, or a version that reads as 0) sets `configIniPath` and
// `currencySymbol` and returns 0.
int checkHostVersion(RunContext &context);

// Writes `hostVersion` as it came to main.ini, [VERSION] "LASTLEDRAVER".
void recordHostVersion(const RunContext &context);

// The host version recorded by the last run that ended through the wizard;
// empty when none did.
QString lastRecordedHostVersion(const RunContext &context);
