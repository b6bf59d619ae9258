// The welcome dialog and the About box, driven offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "about_box.h"
#include "welcome_dialog.h"

namespace tarvik {
namespace {

template <typename T>
T* child_named(const QWidget& parent, const char* accessible_name) {
    for (T* child : parent.findChildren<T*>()) {
        if (child->accessibleName() == QLatin1String(accessible_name))
            return child;
    }
    ADD_FAILURE() << "no control named " << accessible_name;
    return nullptr;
}

TEST(WelcomeDialog, EachChoiceWithOk) {
    const char* const labels[] = {"Start a new plot", "Continue to main menu", "Exit"};
    for (int i = 0; i < 3; ++i) {
        CWelcome dialog;
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Welcome to Tarvik");
        EXPECT_TRUE(child_named<QRadioButton>(dialog, labels[0])->isChecked());
        // A radio button takes clicks on its circle and label only, so click near the left edge.
        QRadioButton* choice = child_named<QRadioButton>(dialog, labels[i]);
        QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(4, choice->height() / 2));
        if (i == 2)
            QTest::keyClick(&dialog, Qt::Key_Return);  // Enter presses OK
        else
            QTest::mouseClick(child_named<QPushButton>(dialog, "OK"), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible()) << labels[i];
        EXPECT_EQ(dialog.choice(), i) << labels[i];
    }
}

TEST(WelcomeDialog, EscapeContinuesToMainMenu) {
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        QRadioButton* exit = child_named<QRadioButton>(*modal, "Exit");
        QTest::mouseClick(exit, Qt::LeftButton, {}, QPoint(4, exit->height() / 2));
        EXPECT_TRUE(exit->isChecked());
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_EQ(CWelcome::ask(), CWelcome::kContinueToMainMenu);
}

TEST(AboutBox, ShowsVersionBuildDateAndIcon) {
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "About Tarvik");
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("Tarvik Version 0.68.0.0"));
    EXPECT_EQ(texts.filter(QRegularExpression("^Build date: \\w{3} \\w{3} ")).size(), 1);
    EXPECT_FALSE(dialog.windowIcon().isNull());
}

}  // namespace
}  // namespace tarvik
