#include "hostdb/AccessRights.h"

#include "common/FileNames.h"
#include "fixture/HostTreeBuilder.h"
#include "hostdb/HostCatalogue.h"
#include "support/OtherUser.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// A data root with the host's user tables in one format or the other.
class AccessRightsTest : public testing::Test
{
protected:
    AccessRightsTest() : m_tree(m_dir.path() + u"/DATA"_s) {}

    QString dataRoot() const { return m_tree.dataRoot(); }

    // Old format: PRISTUP with the scrambled password and most columns,
    // PRISTUP2 with the rest, tied by the same "Password".
    void oldUser(int id, const QString &password, const QString &verifikace, const QString &cash,
                 const QString &internalSE = u"A"_s)
    {
        const QString stored = scramblePassword(password);
        m_tree.table(u"PRISTUP"_s)
            .row({{"ID", id},
                  {"Jmeno", u"Uživatel %1"_s.arg(id)},
                  {"Password", stored},
                  {"Verifikace", verifikace},
                  {"SeznamPokl", cash},
                  {"JUSzPkDok", cash},
                  {"SeznamBank", "R"}});
        m_tree.table(u"PRISTUP2"_s).row({{"ID", id}, {"Password", stored}, {"JUInterniD", internalSE}});
    }

    void newUser(int id, const QString &password, const QString &login, int allowed)
    {
        m_tree.table(u"PRISUZIV"_s)
            .row({{"Jmeno", u"Uživatel %1"_s.arg(id)},
                  {"Password", password},
                  {"UzivOS", login},
                  {"PrihlZp", allowed},
                  {"ID_Pristup", id}});
    }

    void newItem(int id, const QString &item, const QString &level)
    {
        m_tree.table(u"PRISPOL"_s).row({{"FL_Pristup", id}, {"Polozka", item}, {"Hodnota", level}});
    }

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
};

TEST_F(AccessRightsTest, ScramblingIsItsOwnInverseAndDependsOnThePosition)
{
    const QString scrambled = scramblePassword(u"aaa"_s);
    EXPECT_NE(scrambled.at(0), scrambled.at(1));
    EXPECT_EQ(scramblePassword(scrambled), u"aaa"_s);
    EXPECT_EQ(scramblePassword(u"žluť"_s).size(), 4);
}

TEST_F(AccessRightsTest, OldFormatFindsTheUserByScrambledPassword)
{
    oldUser(1, u"jana"_s, u"N"_s, u"R"_s);
    oldUser(2, u"petr"_s, u"A"_s, u"A"_s, u"R"_s);
    TLedraAccessRights reader(dataRoot());
    EXPECT_EQ(reader.format(), TLedraAccessRights::Format::Old);
    ASSERT_TRUE(reader.checkUser(u"petr"_s)) << reader.errorText().toStdString();
    const UserRights rights = reader.rights();
    EXPECT_EQ(rights.rightVerifikace, u"A"_s);
    EXPECT_EQ(rights.rightCashDE, u"A"_s);
    EXPECT_EQ(rights.rightBankDE, u"R"_s);
    EXPECT_EQ(rights.rightInternalSE, u"R"_s); // from PRISTUP2
    EXPECT_EQ(rights.rightStock, u"N"_s);      // empty column: no right
}

TEST_F(AccessRightsTest, OldFormatUnknownPassword)
{
    oldUser(1, u"jana"_s, u"A"_s, u"A"_s);
    TLedraAccessRights reader(dataRoot());
    EXPECT_FALSE(reader.checkUser(u"nikdo"_s));
    EXPECT_EQ(reader.errorText(), u"Aktuální uživatel nebyl nalezen v databázi přístupových práv Ledra."_s);
    EXPECT_EQ(reader.rights().rightVerifikace, u"N"_s);
}

TEST_F(AccessRightsTest, OldFormatUserWithoutSecondRecord)
{
    m_tree.table(u"PRISTUP"_s).row({{"ID", 7}, {"Password", scramblePassword(u"x"_s)}, {"Verifikace", "A"}});
    m_tree.table(u"PRISTUP2"_s);
    TLedraAccessRights reader(dataRoot());
    EXPECT_FALSE(reader.checkUser(u"x"_s));
    EXPECT_EQ(reader.errorText(), u"Interní chyba - uživatel ID 7 nebyl nalezen v databázi PRISTUP2."_s);
}

TEST_F(AccessRightsTest, EmptyUserTableAllowsEverything)
{
    m_tree.table(u"PRISTUP"_s);
    m_tree.table(u"PRISTUP2"_s);
    TLedraAccessRights reader(dataRoot());
    ASSERT_TRUE(reader.checkUser(u"cokoli"_s));
    EXPECT_EQ(reader.rights().rightVerifikace, u"A"_s);
    EXPECT_EQ(reader.rights().rightReceivedInquiries, u"A"_s);
}

TEST_F(AccessRightsTest, MissingUserTableIsReportedWithItsPath)
{
    TLedraAccessRights reader(dataRoot());
    EXPECT_FALSE(reader.checkUser(u"x"_s));
    EXPECT_EQ(reader.errorText(), u"Nastala chyba při otevírání databáze "_s + dataRoot() + u"PRISTUP.DAT"_s);
}

// A user table without the index the search needs: the message names the
// table's path as it was opened, whatever case the file has on disk.
struct MissingIndexCase
{
    const char *name;
    QString password;
    QString keptIndex; // the one of "Password" and "UzivOS" the table still has
};

class MissingIndexTest : public AccessRightsTest, public testing::WithParamInterface<MissingIndexCase>
{
};

TEST_P(MissingIndexTest, NamesTheTablePath)
{
    HostTableDef users = *HostCatalogue::find(u"PRISUZIV");
    users.indexes = QStringList{u"Jmeno"_s, GetParam().keptIndex};
    m_tree.table(users).row({{"Password", "heslo"}, {"UzivOS", "jnovak"}, {"PrihlZp", 1}, {"ID_Pristup", 1}});
    ASSERT_TRUE(QFile::rename(dataRoot() + u"PRISUZIV.DAT"_s, dataRoot() + u"PrisUziv.dat"_s));
    TLedraAccessRights reader(dataRoot());
    ASSERT_EQ(reader.format(), TLedraAccessRights::Format::New);
    EXPECT_FALSE(reader.checkUser(GetParam().password));
    EXPECT_EQ(reader.errorText(), u"Nastala chyba při nastavení indexu databáze "_s + dataRoot() + u"PRISUZIV.DAT"_s);
}

INSTANTIATE_TEST_SUITE_P(, MissingIndexTest,
                         testing::Values(MissingIndexCase{"ByPassword", u"heslo"_s, u"UzivOS"_s},
                                         MissingIndexCase{"ByLoginName", QString(), u"Password"_s}),
                         TestSupport::rowName);

TEST_F(AccessRightsTest, NewFormatReadsItemLevelsAndDefaultsToFull)
{
    newUser(3, u"heslo"_s, u"jnovak"_s, 1);
    newItem(3, u"Verifikace"_s, u"A"_s);
    newItem(3, u"SeznamPokladnichDokl"_s, u"R"_s);
    newItem(3, u"JUSeznamBankovnichDo"_s, u"N"_s);
    newItem(4, u"SzSkladDokladu"_s, u"N"_s); // another user's item
    TLedraAccessRights reader(dataRoot());
    EXPECT_EQ(reader.format(), TLedraAccessRights::Format::New);
    ASSERT_TRUE(reader.checkUser(u"heslo"_s)) << reader.errorText().toStdString();
    const UserRights rights = reader.rights();
    EXPECT_EQ(rights.rightCashDE, u"R"_s);
    EXPECT_EQ(rights.rightBankSE, u"N"_s);
    EXPECT_EQ(rights.rightStock, u"A"_s);
}

TEST_F(AccessRightsTest, NewFormatWithoutItemTableGivesFullRights)
{
    newUser(3, u"heslo"_s, u"jnovak"_s, 1);
    TLedraAccessRights reader(dataRoot());
    ASSERT_TRUE(reader.checkUser(u"heslo"_s));
    EXPECT_EQ(reader.rights().rightVerifikace, u"A"_s);
}

struct LoginCase
{
    const char *name;
    QString login;
    int allowed;
    bool identified;
};

class NewFormatLogin : public AccessRightsTest, public testing::WithParamInterface<LoginCase>
{
protected:
    void SetUp() override { m_saved = qgetenv("USERNAME"); }
    void TearDown() override { qputenv("USERNAME", m_saved); }
    QByteArray m_saved;
};

TEST_P(NewFormatLogin, EmptyPasswordIdentifiesByWorkstationName)
{
    newUser(3, u"heslo"_s, GetParam().login, GetParam().allowed);
    newItem(3, u"Verifikace"_s, u"R"_s);
    qputenv("USERNAME", "jnovak");
    TLedraAccessRights reader(dataRoot());
    EXPECT_EQ(reader.checkUser(QString()), GetParam().identified);
    if (GetParam().identified) {
        EXPECT_EQ(reader.rights().rightVerifikace, u"R"_s);
    } else {
        EXPECT_EQ(reader.errorText(), u"Aktuální uživatel nebyl nalezen v databázi přístupových práv Ledra."_s);
    }
}

INSTANTIATE_TEST_SUITE_P(, NewFormatLogin,
                         testing::Values(LoginCase{"LoginAllowed", u"jnovak"_s, 1, true},
                                         LoginCase{"LoginCaseIgnored", u"JNOVAK"_s, 1, true},
                                         LoginCase{"LoginNotAllowed", u"jnovak"_s, 0, false},
                                         LoginCase{"OtherLogin", u"pdvorak"_s, 1, false}),
                         TestSupport::rowName);

// User tables the user may only read: the rights are read all the same.
TEST_F(AccessRightsTest, ReadOnlyUserTablesAreRead)
{
    newUser(3, u"heslo"_s, u"jnovak"_s, 1);
    newItem(3, u"Verifikace"_s, u"R"_s);
    OtherUser::openPathTo(dataRoot());
    for (const QString &table : {u"PrisUziv.dat"_s, u"PRISPOL.DAT"_s}) {
        ASSERT_TRUE(QFile::setPermissions(FileNames::resolve(dataRoot() + table),
                                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    ASSERT_TRUE(QFile::setPermissions(dataRoot(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    const QString root = dataRoot();
    const QString seen = OtherUser::run([root]() -> QString {
        TLedraAccessRights reader(root);
        if (!reader.checkUser(u"heslo"_s))
            return reader.errorText();
        return reader.rights().rightVerifikace + reader.rights().rightCashDE;
    });
    QFile::setPermissions(dataRoot(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(seen, u"RA"_s);
}

// Two users whose passwords differ only in letter case: each gets their own
// rights, and a password in a third spelling identifies nobody. Both formats
// agree.
struct PasswordCase
{
    const char *name;
    TLedraAccessRights::Format format;
    QString password;
    QString verifikace; // empty: not identified
};

class PasswordCaseTest : public AccessRightsTest, public testing::WithParamInterface<PasswordCase>
{
};

TEST_P(PasswordCaseTest, ThePasswordIsComparedExactly)
{
    if (GetParam().format == TLedraAccessRights::Format::Old) {
        oldUser(1, u"Heslo"_s, u"N"_s, u"A"_s);
        oldUser(2, u"heslo"_s, u"A"_s, u"A"_s);
    } else {
        newUser(1, u"Heslo"_s, u"jana"_s, 1);
        newUser(2, u"heslo"_s, u"petr"_s, 1);
        newItem(1, u"Verifikace"_s, u"N"_s);
        newItem(2, u"Verifikace"_s, u"A"_s);
    }
    TLedraAccessRights reader(dataRoot());
    ASSERT_EQ(reader.format(), GetParam().format);
    const bool identified = reader.checkUser(GetParam().password);
    if (GetParam().verifikace.isEmpty()) {
        EXPECT_FALSE(identified);
        EXPECT_EQ(reader.errorText(), u"Aktuální uživatel nebyl nalezen v databázi přístupových práv Ledra."_s);
        EXPECT_EQ(reader.rights().rightVerifikace, u"N"_s);
    } else {
        ASSERT_TRUE(identified) << reader.errorText().toStdString();
        EXPECT_EQ(reader.rights().rightVerifikace, GetParam().verifikace);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , PasswordCaseTest,
    testing::Values(PasswordCase{"OldFirstSpelling", TLedraAccessRights::Format::Old, u"Heslo"_s, u"N"_s},
                    PasswordCase{"OldSecondSpelling", TLedraAccessRights::Format::Old, u"heslo"_s, u"A"_s},
                    PasswordCase{"OldThirdSpelling", TLedraAccessRights::Format::Old, u"HESLO"_s, QString()},
                    PasswordCase{"NewFirstSpelling", TLedraAccessRights::Format::New, u"Heslo"_s, u"N"_s},
                    PasswordCase{"NewSecondSpelling", TLedraAccessRights::Format::New, u"heslo"_s, u"A"_s},
                    PasswordCase{"NewThirdSpelling", TLedraAccessRights::Format::New, u"HESLO"_s, QString()},
                    PasswordCase{"NewTrailingBlanksIgnored", TLedraAccessRights::Format::New, u"heslo  "_s, u"A"_s}),
    TestSupport::rowName);

// The rights test of the operations.
struct RightsCase
{
    const char *name;
    int code;
    bool doubleEntry;
    std::function<void(UserRights &)> setUp;
    QString refusedModule; // empty: allowed
};

class OperationRights : public testing::TestWithParam<RightsCase>
{
};

TEST_P(OperationRights, AllowOrNameTheMissingModule)
{
    const RightsCase &c = GetParam();
    UserRights rights;
    c.setUp(rights);
    const int result = testRights(c.code, rights, c.doubleEntry);
    if (c.refusedModule.isEmpty()) {
        EXPECT_EQ(result, 0);
        EXPECT_TRUE(scriptedUi().messages().isEmpty());
        return;
    }
    EXPECT_EQ(result, -1);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Warning);
    EXPECT_EQ(scriptedUi().messages().at(0).text,
              u"Nelze pokračovat, protože nemáte dostatečná oprávnění:\r\r- tato funkce vyžaduje přístup do modulu "_s +
                  c.refusedModule);
}

INSTANTIATE_TEST_SUITE_P(
    , OperationRights,
    testing::Values(
        RightsCase{"VerificationNeedsFull", 2, true, [](UserRights &r) { r.rightVerifikace = u"R"_s; },
                   u"Verifikace dat"_s},
        RightsCase{"CashReadIsEnough", 3, true, [](UserRights &r) { r.rightCashDE = u"R"_s; }, QString()},
        RightsCase{"SingleEntryTestsCashSE", 3, false, [](UserRights &r) { r.rightCashSE = u"N"_s; },
                   u"Seznam pokladních dokladů"_s},
        RightsCase{"DoubleEntryIgnoresCashSE", 3, true, [](UserRights &r) { r.rightCashSE = u"N"_s; }, QString()},
        RightsCase{"StockCodes", 13, true, [](UserRights &r) { r.rightStock = u"N"_s; }, u"Skladové doklady"_s},
        RightsCase{"ReceivedInquiries", 22, false, [](UserRights &r) { r.rightReceivedInquiries = u"N"_s; },
                   u"Poptávky přijaté"_s},
        RightsCase{"RenumberCashNeedsFullCash", 101, true, [](UserRights &r) { r.rightCashDE = u"R"_s; },
                   u"Seznam pokladních dokladů"_s},
        RightsCase{"RenumberNeedsVerificationFirst", 101, true,
                   [](UserRights &r) {
                       r.rightVerifikace = u"N"_s;
                       r.rightCashDE = u"N"_s;
                   },
                   u"Verifikace dat"_s},
        RightsCase{"RenumberInternalSingleEntry", 102, false, [](UserRights &r) { r.rightInternalSE = u"R"_s; },
                   u"Seznam interních dokladů"_s},
        RightsCase{"BalancesWithoutCash", 201, true,
                   [](UserRights &r) {
                       r.rightCashDE = u"N"_s;
                       r.rightBankDE = u"A"_s;
                   },
                   u"Seznam pokladních dokladů"_s},
        RightsCase{"BalancesWithoutBank", 201, false, [](UserRights &r) { r.rightBankSE = u"N"_s; },
                   u"Seznam bankovních dokladů"_s},
        RightsCase{"OtherCodesAreFree", 999, true,
                   [](UserRights &r) {
                       r = UserRights();
                       r.rightVerifikace = u"N"_s;
                   },
                   QString()}),
    TestSupport::rowName);

} // namespace
