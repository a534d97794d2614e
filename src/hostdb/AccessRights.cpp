#include "hostdb/AccessRights.h"

#include "common/CodePage.h"
#include "common/FileNames.h"
#include "common/UiSeam.h"

using namespace Qt::StringLiterals;

namespace {

// One right: where each format keeps it and which run-context field it fills.
struct RightItem
{
    QString UserRights::*field;
    const char16_t *oldColumn;
    bool oldInSecondTable; // PRISTUP2
    const char16_t *newItem;
};

const std::array<RightItem, 20> kItems = {{
    {&UserRights::rightVerifikace, u"Verifikace", false, u"Verifikace"},
    {&UserRights::rightCashDE, u"SeznamPokl", false, u"SeznamPokladnichDokl"},
    {&UserRights::rightCashSE, u"JUSzPkDok", false, u"JUSzPkDok"},
    {&UserRights::rightBankDE, u"SeznamBank", false, u"SeznamBankovnichDokl"},
    {&UserRights::rightBankSE, u"JUSeznamBa", false, u"JUSeznamBankovnichDo"},
    {&UserRights::rightPayablesDE, u"SeznamZava", false, u"SeznamZavazku"},
    {&UserRights::rightPayablesSE, u"JUSeznamZa", false, u"JUSeznamZavazku"},
    {&UserRights::rightReceivablesDE, u"SeznamPohl", false, u"SeznamPohledavek"},
    {&UserRights::rightReceivablesSE, u"JUSzPohled", false, u"JUSzPohled"},
    {&UserRights::rightInternalDE, u"InterniDok", false, u"InterniDoklady"},
    {&UserRights::rightInternalSE, u"JUInterniD", true, u"JUInterniDoklady"},
    {&UserRights::rightIssuedInvoices, u"VystaveneF", false, u"VystaveneFaktury"},
    {&UserRights::rightReceivedInvoices, u"PrijateFak", false, u"PrijateFaktury"},
    {&UserRights::rightStock, u"SzSkladDok", false, u"SzSkladDokladu"},
    {&UserRights::rightReceivedOrders, u"SeznamPrij", false, u"SeznamPrijatychObjed"},
    {&UserRights::rightIssuedOrders, u"SeznamVyst", false, u"SeznamVystavenychObj"},
    {&UserRights::rightIssuedOffers, u"SeznamNabi", false, u"SeznamNabidek"},
    {&UserRights::rightReceivedOffers, u"SeznamPNab", true, u"SeznamPNab"},
    {&UserRights::rightIssuedInquiries, u"SeznamVPop", true, u"SeznamVPop"},
    {&UserRights::rightReceivedInquiries, u"SeznamPPop", true, u"SeznamPPop"},
}};

int levelOf(const QString &text)
{
    const QString t = text.trimmed();
    if (t == u"A")
        return TLedraAccessRights::Full;
    if (t == u"R")
        return TLedraAccessRights::Read;
    return TLedraAccessRights::None;
}

QString textOf(int level)
{
    return level == TLedraAccessRights::Full ? u"A"_s : level == TLedraAccessRights::Read ? u"R"_s : u"N"_s;
}

QString trimmedRight(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

const QString kUserNotFound = u"Aktuální uživatel nebyl nalezen v databázi přístupových práv Ledra."_s;

} // namespace

QString scramblePassword(const QString &password)
{
    const CodePage &codePage = CodePage::windows1250();
    QByteArray bytes = codePage.encode(password);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(static_cast<unsigned char>(bytes.at(i)) ^ ((i + kPasswordScrambleOffset) & 0xFF));
    return codePage.decode(bytes);
}

TLedraAccessRights::TLedraAccessRights(const QString &dataRoot)
    : m_dataRoot(FileNames::withTrailingDelimiter(dataRoot)),
      m_format(FileNames::isFile(m_dataRoot + u"PrisUziv.dat"_s) ? Format::New : Format::Old)
{
    m_levels.fill(Full);
}

QString TLedraAccessRights::usersTable() const
{
    return m_format == Format::Old ? u"PRISTUP"_s : u"PRISUZIV"_s;
}

QString TLedraAccessRights::tablePath(const QString &name) const
{
    return m_dataRoot + name;
}

QString TLedraAccessRights::workstationUserName()
{
    for (const char *variable : {"USERNAME", "USER", "LOGNAME"}) {
        QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return name;
    }
    return QString();
}

bool TLedraAccessRights::selectIndex(TBFTable &table, const QString &name, const QString &expression)
{
    if (table.SetIndex(expression) == HostResult::Ok)
        return true;
    // The path as the table was opened, like the open error names it.
    m_errorText = u"Nastala chyba při nastavení indexu databáze %1.DAT"_s.arg(tablePath(name));
    return false;
}

bool TLedraAccessRights::openTables()
{
    const bool old = m_format == Format::Old;
    const QString users = tablePath(usersTable());
    const QString more = tablePath(old ? u"PRISTUP2"_s : u"PRISPOL"_s);
    m_hasItemTable = !old && FileNames::isFile(more + u".DAT"_s);
    const auto openFailed = [this](const QString &path) {
        m_errorText = u"Nastala chyba při otevírání databáze "_s + path + u".DAT"_s;
        return false;
    };
    const auto indexFailed = [this](const QString &path) {
        m_errorText = u"Nastala chyba při nastavení indexu databáze "_s + path + u".DAT"_s;
        return false;
    };
    if (m_users.Open(users) != HostResult::Ok)
        return openFailed(users);
    if (m_users.SetIndex(u"Jmeno"_s) != HostResult::Ok)
        return indexFailed(users);
    if (old || m_hasItemTable) {
        if (m_more.Open(more) != HostResult::Ok)
            return openFailed(more);
        if (!old && m_more.SetIndex(u"FL_Pristup+Polozka"_s) != HostResult::Ok)
            return indexFailed(more);
    }
    return true;
}

void TLedraAccessRights::closeTables()
{
    m_users.Close();
    m_more.Close();
}

bool TLedraAccessRights::checkUser(const QString &password)
{
    m_errorText.clear();
    m_levels.fill(Full);
    bool identified = false;
    try {
        if (openTables()) {
            if (m_users.RecordCount() <= 0) {
                identified = true; // no users: no restrictions
            } else {
                m_levels.fill(None);
                const bool byPassword = m_format == Format::Old || !password.isEmpty();
                identified = byPassword ? findByPassword(password) : findByLoginName();
                if (identified)
                    readLevels();
            }
        }
    } catch (const HostEngineError &error) {
        // A user table without a column we read: report it rather than crash.
        m_errorText = error.text();
        identified = false;
    }
    closeTables();
    if (!identified)
        m_levels.fill(None);
    return identified;
}

bool TLedraAccessRights::findByPassword(const QString &password)
{
    if (!selectIndex(m_users, usersTable(), u"Password"_s))
        return false;
    if (m_format == Format::New) {
        // The index compares without regard to case, a password must not: walk
        // the records with an equal key for the one whose password is exactly
        // the same (trailing blanks ignored, as the old format compares).
        const QString wanted = trimmedRight(password);
        if (m_users.Seek(password) == HostResult::Found) {
            const QString key = HostNames::keyText(password);
            for (; !m_users.Eof(); m_users.Skip()) {
                const QString stored = m_users.Value(u"Password"_s).toString();
                if (HostNames::keyText(stored) != key)
                    break;
                if (trimmedRight(stored) == wanted)
                    return true;
            }
        }
        m_errorText = kUserNotFound;
        return false;
    }
    const QString scrambled = trimmedRight(scramblePassword(password));
    bool found = false;
    for (m_users.GoTop(); !m_users.Eof(); m_users.Skip()) {
        if (trimmedRight(m_users.Value(u"Password"_s).toString()) == scrambled) {
            found = true;
            break;
        }
    }
    if (!found) {
        m_errorText = kUserNotFound;
        return false;
    }
    const QString stored = m_users.Value(u"Password"_s).toString();
    for (m_more.GoTop(); !m_more.Eof(); m_more.Skip()) {
        if (m_more.Value(u"Password"_s).toString() == stored)
            return true;
    }
    m_errorText = u"Interní chyba - uživatel ID %1 nebyl nalezen v databázi PRISTUP2."_s.arg(
        m_users.Value(u"ID"_s).toString().trimmed());
    return false;
}

bool TLedraAccessRights::findByLoginName()
{
    if (!selectIndex(m_users, usersTable(), u"UzivOS"_s))
        return false;
    if (m_users.Seek(workstationUserName()) == HostResult::Found && m_users.Value(u"PrihlZp"_s).toInt() != 0)
        return true;
    m_errorText = kUserNotFound;
    return false;
}

void TLedraAccessRights::readLevels()
{
    for (size_t i = 0; i < kItems.size(); ++i) {
        const RightItem &item = kItems[i];
        if (m_format == Format::Old) {
            TBFTable &table = item.oldInSecondTable ? m_more : m_users;
            m_levels[i] = levelOf(table.Value(QString::fromUtf16(item.oldColumn)).toString());
        } else if (!m_hasItemTable) {
            // Users without any item table: no item has a restriction
            // recorded, which the host reads as full access.
            m_levels[i] = Full;
        } else {
            const QVariantList keys{m_users.Value(u"ID_Pristup"_s), QString::fromUtf16(item.newItem)};
            m_levels[i] =
                m_more.SeekKeys(keys) == HostResult::Found ? levelOf(m_more.Value(u"Hodnota"_s).toString()) : Full;
        }
    }
}

UserRights TLedraAccessRights::rights() const
{
    UserRights rights;
    for (size_t i = 0; i < kItems.size(); ++i)
        rights.*(kItems[i].field) = textOf(m_levels[i]);
    return rights;
}

namespace {

struct Requirement
{
    QString UserRights::*de;
    QString UserRights::*se; // nullptr: the same item in both bookkeepings
    bool fullOnly;
    const char16_t *module;
};

bool meets(const Requirement &r, const UserRights &rights, bool doubleEntry)
{
    const QString &level = rights.*((doubleEntry || !r.se) ? r.de : r.se);
    return level == u"A" || (!r.fullOnly && level == u"R");
}

} // namespace

int testRights(int code, const UserRights &rights, bool doubleEntry)
{
    using R = UserRights;
    const Requirement verifikace{&R::rightVerifikace, nullptr, true, u"Verifikace dat"};
    const auto anyLevel = [](QString R::*de, QString R::*se, const char16_t *module) {
        return Requirement{de, se, false, module};
    };
    const Requirement cash = anyLevel(&R::rightCashDE, &R::rightCashSE, u"Seznam pokladních dokladů");
    const Requirement bank = anyLevel(&R::rightBankDE, &R::rightBankSE, u"Seznam bankovních dokladů");

    std::vector<Requirement> required;
    switch (code) {
    case 2:
        required = {verifikace};
        break;
    case 3:
        required = {cash};
        break;
    case 4:
        required = {bank};
        break;
    case 5:
        required = {anyLevel(&R::rightPayablesDE, &R::rightPayablesSE, u"Seznam závazků")};
        break;
    case 6:
        required = {anyLevel(&R::rightReceivablesDE, &R::rightReceivablesSE, u"Seznam pohledávek")};
        break;
    case 7:
        required = {anyLevel(&R::rightInternalDE, &R::rightInternalSE, u"Interní doklady")};
        break;
    case 8:
        required = {anyLevel(&R::rightIssuedInvoices, nullptr, u"Vystavené faktury")};
        break;
    case 9:
        required = {anyLevel(&R::rightReceivedInvoices, nullptr, u"Přijaté faktury")};
        break;
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 16:
        required = {anyLevel(&R::rightStock, nullptr, u"Skladové doklady")};
        break;
    case 17:
        required = {anyLevel(&R::rightReceivedOrders, nullptr, u"Přijaté objednávky")};
        break;
    case 18:
        required = {anyLevel(&R::rightIssuedOrders, nullptr, u"Vystavené objednávky")};
        break;
    case 19:
        required = {anyLevel(&R::rightIssuedOffers, nullptr, u"Nabídky vystavené")};
        break;
    case 20:
        required = {anyLevel(&R::rightReceivedOffers, nullptr, u"Nabídky přijaté")};
        break;
    case 21:
        required = {anyLevel(&R::rightIssuedInquiries, nullptr, u"Poptávky vystavené")};
        break;
    case 22:
        required = {anyLevel(&R::rightReceivedInquiries, nullptr, u"Poptávky přijaté")};
        break;
    case 101:
        required = {verifikace, {&R::rightCashDE, &R::rightCashSE, true, u"Seznam pokladních dokladů"}};
        break;
    case 102:
        required = {verifikace, {&R::rightInternalDE, &R::rightInternalSE, true, u"Seznam interních dokladů"}};
        break;
    case 201:
        required = {cash, bank};
        break;
    default:
        break;
    }
    for (const Requirement &r : required) {
        if (!meets(r, rights, doubleEntry)) {
            ui().warning(
                u"Nelze pokračovat, protože nemáte dostatečná oprávnění:\r\r- tato funkce vyžaduje přístup do modulu "_s +
                QString::fromUtf16(r.module));
            return -1;
        }
    }
    return 0;
}
