// The Qt side of the UI seam speaks Czech: its message boxes' buttons, and
// Qt's own dialogs once its Czech translations are loaded.

#include "common/widgets/QtUiSeam.h"

#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
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
        QuestionCase{
            "OkCancel", MessageButtons::OkCancel, {u"OK"_s, u"Storno"_s}, QMessageBox::Cancel, MessageAnswer::Cancel}),
    TestSupport::rowName);

TEST_F(CzechQtTest, QtsOwnFileDialogIsCzech)
{
    QFileDialog dialog(nullptr, u"Otevřít"_s);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    const QStringList texts = buttonTexts(dialog);
    EXPECT_TRUE(texts.contains(u"Zrušit"_s)) << texts.join(u", "_s).toStdString();
    EXPECT_FALSE(texts.contains(u"Cancel"_s));
}

} // namespace
