// The main of every test executable: a QApplication on the offscreen
// platform, Czech formats, and the scripted UI seam reset around each test.

#include "common/LocaleFormats.h"
#include "support/ScriptedUi.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {
ScriptedUi g_ui;

class SeamListener : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo &) override
    {
        g_ui.reset();
        LocaleFormats::setCurrent(LocaleFormats::czech());
    }
    void OnTestEnd(const testing::TestInfo &) override { g_ui.verifyAllUsed(); }
};
} // namespace

ScriptedUi &scriptedUi()
{
    return g_ui;
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnek"));
    testing::InitGoogleTest(&argc, argv);
    UiSeam::setCurrent(&g_ui);
    testing::UnitTest::GetInstance()->listeners().Append(new SeamListener);
    const int result = RUN_ALL_TESTS();
    UiSeam::setCurrent(nullptr);
    return result;
}
