// main() for widget tests. Settings live in a temporary folder of this process, so tests that
// run at the same time never see each other's recent-file lists.
#include "widget_test_main.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>

namespace tarvik::testing {
namespace {
PromptRecorder* g_prompts = nullptr;
}

PromptRecorder& widget_test_prompts() {
    return *g_prompts;
}

}  // namespace tarvik::testing

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarvik"));

    QTemporaryDir settings_folder;
    if (!settings_folder.isValid())
        return 1;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_folder.path());
    QSettings().clear();

    tarvik::testing::PromptRecorder prompts;
    tarvik::testing::g_prompts = &prompts;
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    tarvik::testing::g_prompts = nullptr;
    return status;
}
