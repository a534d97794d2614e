#pragma once

#include "hostdb/HostTable.h"

#include <QString>

#include <array>

// The user's rights to the modules Tarnek touches, as levels "A" (full), "R"
// (read only) or "N" (none). Part of the run context, refilled each time the
// user leaves the welcome page.
struct UserRights
{
    QString rightVerifikace = QStringLiteral("A");
    QString rightCashDE = QStringLiteral("A");
    QString rightCashSE = QStringLiteral("A");
    QString rightBankDE = QStringLiteral("A");
    QString rightBankSE = QStringLiteral("A");
    QString rightPayablesDE = QStringLiteral("A");
    QString rightPayablesSE = QStringLiteral("A");
    QString rightReceivablesDE = QStringLiteral("A");
    QString rightReceivablesSE = QStringLiteral("A");
    QString rightInternalDE = QStringLiteral("A");
    QString rightInternalSE = QStringLiteral("A");
    QString rightIssuedInvoices = QStringLiteral("A");
    QString rightReceivedInvoices = QStringLiteral("A");
    QString rightStock = QStringLiteral("A");
    QString rightReceivedOrders = QStringLiteral("A");
    QString rightIssuedOrders = QStringLiteral("A");
    QString rightIssuedOffers = QStringLiteral("A");
    QString rightReceivedOffers = QStringLiteral("A");
    QString rightIssuedInquiries = QStringLiteral("A");
    QString rightReceivedInquiries = QStringLiteral("A");
};

// The old user table keeps passwords scrambled: each character's code (in the
// host's code page) XOR its 0-based position plus this offset.
inline constexpr int kPasswordScrambleOffset = 0x1D;
QString scramblePassword(const QString &password);

// Reads the logged-in user's rights from the host's user tables in the data
// root: the new format (PRISUZIV + PRISPOL) when PrisUziv.dat exists, else the
// old one (PRISTUP + PRISTUP2). Opens its tables only inside checkUser.
class TLedraAccessRights
{
public:
    enum class Format { Old, New };
    enum Level { None = 0, Read = 1, Full = 2 };

    explicit TLedraAccessRights(const QString &dataRoot);

    Format format() const { return m_format; }

    // Identifies the user (by password, or in the new format with an empty
    // password by the workstation login name) and reads the levels. False with
    // errorText() set when the user cannot be identified or a table fails.
    bool checkUser(const QString &password);
    QString errorText() const { return m_errorText; }
    // The levels as "A", "R" or "N".
    UserRights rights() const;

    // The workstation login name: USERNAME, else the login name (USER, LOGNAME).
    static QString workstationUserName();

private:
    struct Item;
    bool openTables();
    void closeTables();
    bool findByPassword(const QString &password);
    bool findByLoginName();
    void readLevels();
    bool selectIndex(TBFTable &table, const QString &name, const QString &expression);
    QString usersTable() const; // PRISTUP or PRISUZIV
    QString tablePath(const QString &name) const;

    QString m_dataRoot;
    Format m_format;
    bool m_hasItemTable = false; // new format: PRISPOL.DAT exists
    TBFTable m_users;            // PRISTUP or PRISUZIV
    TBFTable m_more;             // PRISTUP2 or PRISPOL
    std::array<int, 20> m_levels{};
    QString m_errorText;
};

// The rights test of an operation (codes 2-22, 101, 102, 201): 0 when allowed,
// -1 after the warning naming the first module whose right is missing. Any
// other code is allowed. `doubleEntry` picks the DE or SE items.
int testRights(int code, const UserRights &rights, bool doubleEntry);
