// The Qt side of the UI seam speaks Czech: its message boxes' buttons, and
// Qt's own dialogs once its Czech translations are loaded.

#include "common/widgets/QtUiSeam.h"

#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace {

// The texts of a dialog's buttons, left to right, without mnemonics.
QStringList buttonTexts(QWidget &dialog)
{
    QStringList texts;
    const QDialogButtonBox *box = dialog.findChild<QDialogButtonBox *>();
    if (!box)
        return texts;
    for (QAbstractButton *button : box->buttons())
        texts.append(button->text().remove(u'&'));
    return texts;
}

class CzechQtTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(installQtCzechTranslations(m_translator)); }
    void TearDown() override { QCoreApplication::removeTranslator(&m_translator); }
    QTranslator m_translator;
};

struct QuestionCase
{
    const char *name;
    MessageButtons buttons;
    QStringList texts;
    QMessageBox::StandardButton pressed;
    MessageAnswer answer;
};

class QuestionBoxTest : public CzechQtTest, public testing::WithParamInterface<QuestionCase>
{
};

TEST_P(QuestionBoxTest, ButtonsAreCzech)
{
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = buttonTexts(*box);
        seen.sort();
        box->button(GetParam().pressed)->click();
    });
    QtUiSeam seam;
    EXPECT_EQ(seam.message(MessageKind::Confirmation, u"Pokračovat?"_s, GetParam().buttons, u"Potvrzení"_s),
              GetParam().answer);
    QStringList expected = GetParam().texts;
    expected.sort();
    EXPECT_EQ(seen, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, QuestionBoxTest,
    testing::Values(
        QuestionCase{"YesNoCancel",
                     MessageButtons::YesNoCancel,
                     {u"Ano"_s, u"Ne"_s, u"Storno"_s},
                     QMessageBox::No,
                     MessageAnswer::No},
        QuestionCase{"YesNo", MessageButtons::YesNo, {u"Ano"_s, u"Ne"_s}, QMessageBox::Yes, MessageAnswer::Yes},
        QuestionCase{"YesNoDefaultNo",
                     MessageButtons::YesNoDefaultNo,
                     {u"Ano"_s, u"Ne"_s},
                     QMessageBox::Yes,
                     MessageAnswer::Yes},
        QuestionCase{
            "OkCancel", MessageButtons::OkCancel, {u"OK"_s, u"Storno"_s}, QMessageBox::Cancel, MessageAnswer::Cancel}),
    TestSupport::rowName);

// A question before an irreversible step: Enter answers "Ne".
TEST_F(CzechQtTest, EnterAnswersNoBeforeAnIrreversibleStep)
{
    QString defaultText;
    QTimer::singleShot(0, [&defaultText] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (box->defaultButton())
            defaultText = box->defaultButton()->text().remove(u'&');
        QTest::keyClick(box, Qt::Key_Return);
    });
    QtUiSeam seam;
    EXPECT_EQ(seam.message(MessageKind::Warning, u"Odstranit?"_s, MessageButtons::YesNoDefaultNo), MessageAnswer::No);
    EXPECT_EQ(defaultText, u"Ne"_s);
}

// Answers the next file dialog with `path`; `seen` gets the folder it opened in.
void answerFileDialog(const QString &path, QString &seen)
{
    QTimer::singleShot(0, [path, &seen] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = QFileInfo(dialog->directory().absolutePath()).canonicalFilePath();
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept(); // public through QDialog
    });
}

// Each file dialog opens where it was last left (or where the program asks),
// never in the folder another dialog visited.
TEST(QtUiSeamFiles, EachFileDialogRemembersItsOwnFolder)
{
    QTemporaryDir templates;
    QTemporaryDir protocols;
    const QString chosenTemplate = templates.filePath(u"_PROTOKOL.PTS"_s);
    ASSERT_TRUE(QFile(chosenTemplate).open(QIODevice::WriteOnly));
    QtUiSeam seam;
    FileDialogRequest pick;
    pick.title = u"Výběr předlohy"_s;
    pick.initialDir = templates.path();
    FileDialogRequest save;
    save.title = u"Uložit do souboru"_s;
    const auto canonical = [](const QString &path) { return QFileInfo(path).canonicalFilePath(); };

    QString seen;
    answerFileDialog(chosenTemplate, seen);
    EXPECT_EQ(canonical(seam.openFileName(pick)), canonical(chosenTemplate));
    EXPECT_EQ(seen, canonical(templates.path()));

    answerFileDialog(protocols.filePath(u"protokol.txt"_s), seen);
    EXPECT_FALSE(seam.saveFileName(save).isEmpty());
    EXPECT_EQ(seen, canonical(QDir::currentPath())) << "not the template folder";

    answerFileDialog(protocols.filePath(u"druhy.txt"_s), seen);
    seam.saveFileName(save);
    EXPECT_EQ(seen, canonical(protocols.path()));
}

// The words Qt's Czech translation lacks come from the program; Qt's own
// translation still comes first.
TEST_F(CzechQtTest, WordsQtLeavesInEnglishAreCzech)
{
    QTemporaryDir dir;
    EXPECT_EQ(QFileIconProvider().type(QFileInfo(dir.path())), u"Složka"_s);
    EXPECT_EQ(QCoreApplication::translate("QPrintSettingsOutput", "Double Sided Printing"), u"Oboustranný tisk"_s);
    EXPECT_EQ(QCoreApplication::translate("QPrintSettingsOutput", "Long side binding"), u"Vazba na delší straně"_s);
    EXPECT_EQ(QCoreApplication::translate("QCupsJobWidget", "Advanced"), u"Rozšířené"_s);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), u"Hledat v:"_s);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Not a word of Qt"), u"Not a word of Qt"_s);
}

// A system that names no language is taken as Czech; a named one stays.
TEST(QtUiSeamLocale, ASystemWithoutALanguageIsTakenAsCzech)
{
    struct Row
    {
        const char *lcAll;
        const char *lang;
        bool czech;
        QByteArray lcAllAfter;
    };
    const Row rows[] = {
        {"", "", true, "cs_CZ.UTF-8"},
        {"", "C.UTF-8", true, "cs_CZ.UTF-8"},
        {"POSIX", "de_DE.UTF-8", true, "cs_CZ.UTF-8"},
        {"", "de_DE.UTF-8", false, ""},
        {"sk_SK.UTF-8", "", false, "sk_SK.UTF-8"},
    };
    const QByteArray savedAll = qgetenv("LC_ALL");
    const QByteArray savedMessages = qgetenv("LC_MESSAGES");
    const QByteArray savedLang = qgetenv("LANG");
    qunsetenv("LC_MESSAGES");
    for (const Row &row : rows) {
        qputenv("LC_ALL", row.lcAll);
        qputenv("LANG", row.lang);
        EXPECT_EQ(preferCzechLocale(), row.czech) << row.lcAll << " / " << row.lang;
        EXPECT_EQ(qgetenv("LC_ALL"), row.lcAllAfter) << row.lcAll << " / " << row.lang;
    }
    const auto restore = [](const char *name, const QByteArray &value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    restore("LC_ALL", savedAll);
    restore("LC_MESSAGES", savedMessages);
    restore("LANG", savedLang);
}

TEST_F(CzechQtTest, QtsOwnFileDialogIsCzech)
{
    QFileDialog dialog(nullptr, u"Otevřít"_s);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    const QStringList texts = buttonTexts(dialog);
    EXPECT_TRUE(texts.contains(u"Zrušit"_s)) << texts.join(u", "_s).toStdString();
    EXPECT_FALSE(texts.contains(u"Cancel"_s));
}

} // namespace
