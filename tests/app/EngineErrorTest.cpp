// Engine errors met by an operation: thrown from its entry or from an event
// handler of one of its modal windows, they reach the user as the engine's
// message box once, and the operation ends cleanly (progress hidden, the
// step's own tables closed as the error unwinds it, modal windows closed, the
// step failed).

#include "app/core/OperationSession.h"
#include "app/ui/TarnekApplication.h"
#include "fixture/HostTreeBuilder.h"
#include "hostdb/HostTableBackend.h"
#include "support/FakeSession.h"
#include "support/TestSupport.h"

#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kNotOpen = u"Tabulka není otevřena."_s;

class EngineErrorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_year.table(u"SZCINN"_s).row({{"Zkrat", "C1"}, {"Nazev", "Výroba"}});
    }

    QString tablePath() const { return m_year.dir() + u"SZCINN"_s; }

    // What an operation does first: opens a table of its own and shows its
    // progress.
    void startWork(TBFTable &table)
    {
        ASSERT_EQ(table.Open(tablePath()), 0);
        EXPECT_TRUE(TestSupport::isFileOpenHere(tablePath() + u".DAT"_s));
        m_fake.progress.showWorking(true, u"Práce\rčekejte prosím..."_s);
        m_fake.progress.startProgress(10);
    }

    void expectEndedCleanly()
    {
        EXPECT_FALSE(m_fake.progress.progressVisible);
        EXPECT_FALSE(m_fake.progress.working);
        EXPECT_EQ(TestSupport::openTableFiles(m_dir.path()), QStringList());
    }

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree{m_dir.path()};
    YearBuilder &m_year = m_tree.agenda(u"001"_s).year(u"2018"_s);
    FakeSession m_fake;
};

TEST_F(EngineErrorTest, EntryWhoseTableThrowsShowsTheEnginesMessageAndFails)
{
    const int result = m_fake.session.runGuarded([&] {
        TBFTable table;
        startWork(table);
        TBFTable notOpened;
        notOpened.GoTop(); // never opened: the engine throws
        return 0;
    });
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Error, kNotOpen}}));
    expectEndedCleanly();
}

// A slot of a modal operation window throws; the application's event
// delivery catches it, closes the window and fails the step, and a further
// engine error the step then meets shows no second box.
TEST_F(EngineErrorTest, ErrorInAModalWindowsSlotEndsTheOperation)
{
    const QString fullDisk = u"Disk je plný."_s;
    bool windowStillShown = true;
    int windowResult = -2;
    bool interrupted = false;
    const int result = m_fake.session.runGuarded([&] {
        TBFTable table;
        startWork(table);
        QDialog window;
        window.setModal(true);
        auto *button = new QPushButton(u"Další"_s, &window);
        QObject::connect(button, &QPushButton::clicked, &window, [&] { throw HostEngineError(fullDisk); });
        window.show();
        EXPECT_EQ(QApplication::activeModalWidget(), &window);
        const bool handled = TarnekApplication::deliverGuarded(&m_fake.session, [&] {
            QTest::mouseClick(button, Qt::LeftButton);
            return true;
        });
        EXPECT_FALSE(handled);
        windowStillShown = window.isVisible();
        windowResult = window.result();
        interrupted = m_fake.session.pollInterrupt();
        TBFTable notOpened;
        notOpened.GoTop(); // follows from the first error: throws, no second box
        return 0;
    });
    EXPECT_EQ(result, -1);
    EXPECT_FALSE(windowStillShown);
    EXPECT_EQ(windowResult, QDialog::Rejected);
    EXPECT_TRUE(interrupted);
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Error, fullDisk}}));
    expectEndedCleanly();
}

// Outside an operation (a wizard slot) the message is shown and nothing is
// left failed for the next operation.
TEST_F(EngineErrorTest, ErrorOutsideAnOperationIsShownAndForgotten)
{
    const bool handled =
        TarnekApplication::deliverGuarded(&m_fake.session, []() -> bool { throw HostEngineError(u"Disk je plný."_s); });
    EXPECT_FALSE(handled);
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Error, u"Disk je plný."_s}}));
    EXPECT_FALSE(m_fake.session.engineFailed());
    EXPECT_EQ(m_fake.session.runGuarded([] { return 0; }), 0);

    const bool withoutSession =
        TarnekApplication::deliverGuarded(nullptr, []() -> bool { throw HostEngineError(u"Soubor zmizel."_s); });
    EXPECT_FALSE(withoutSession);
    EXPECT_TRUE(
        scriptedUi().shown({{MessageKind::Error, u"Disk je plný."_s}, {MessageKind::Error, u"Soubor zmizel."_s}}));
}

TEST_F(EngineErrorTest, EventsWithoutErrorsAreDeliveredAsUsual)
{
    EXPECT_TRUE(TarnekApplication::deliverGuarded(&m_fake.session, [] { return true; }));
    EXPECT_EQ(m_fake.session.runGuarded([] { return 3; }), 3);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

} // namespace
