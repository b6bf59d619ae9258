// The save-file chooser: which names get the chosen filter's extension, and the real dialog
// answered offscreen.
#include "file_choice.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include "prompt_recorder.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

const FileFilter kPng{"PNG-Portable Network Graphics", "*.png"};
const FileFilter kXml{"XML files", "*.xml"};
const FileFilter kAll{"All files", "*"};

TEST(FileChoice, NameWithoutAnExtensionGetsTheFilters) {
    struct Case {
        const char* typed;
        FileFilter filter;
        const char* saved;
    };
    const Case cases[] = {
        {"/runs/plot", kPng, "/runs/plot.png"},
        {"plot", kXml, "plot.xml"},
        {"/runs/plot.png", kPng, "/runs/plot.png"},
        {"/runs/plot.PNG", kPng, "/runs/plot.PNG"},
        {"/runs/plot.bmp", kPng, "/runs/plot.bmp"},          // kept as typed
        {"/runs/day.2/plot", kPng, "/runs/day.2/plot.png"},  // a folder's dot is no extension
        {"/runs/.plot", kPng, "/runs/.plot"},
        {"/runs/plot", kAll, "/runs/plot"},
        {"/runs/plot", {"Data files", "*.csv *.tsv"}, "/runs/plot.csv"},
        {"", kPng, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(with_filter_extension(c.typed, c.filter), c.saved) << c.typed;
}

// Answers each showing of the save dialog in turn: a name typed under a filter, or Cancel
// (an empty name).
class SaveDialogScript {
  public:
    explicit SaveDialogScript(std::vector<std::pair<std::string, QString>> answers)
        : answers_(std::move(answers)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start(10);
    }
    bool done() const { return next_ == answers_.size(); }

  private:
    void answer() {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || done())
            return;
        const auto& [name, filter] = answers_[next_++];
        if (name.empty()) {
            dialog->reject();
            return;
        }
        dialog->selectNameFilter(filter);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(name));
        static_cast<QDialog*>(dialog)->accept();  // as the Save button does
    }

    std::vector<std::pair<std::string, QString>> answers_;
    std::size_t next_ = 0;
    QTimer timer_;
};

TEST(FileChoice, SaveDialogYieldsTheNameWithTheChosenFiltersExtension) {
    testing::TempDir dir;
    testing::PromptRecorder prompts;
    const std::vector<FileFilter> filters{kPng, {"BMP-Windows Bitmap", "*.bmp"}};
    const QString bmp = "BMP-Windows Bitmap (*.bmp)";
    {
        SaveDialogScript script({{dir.file("plot"), bmp}});
        const std::optional<SaveChoice> choice = choose_file_to_save(nullptr, "Save As", filters);
        ASSERT_TRUE(choice.has_value());
        EXPECT_EQ(choice->path.toStdString(), dir.file("plot.bmp"));
        EXPECT_EQ(choice->filter, 1);
        EXPECT_TRUE(prompts.prompts().empty());
    }

    // plot.bmp exists: the dialog asked nothing about "plot", so the replace question comes
    // here. No shows the dialog again; Yes saves.
    dir.write("plot.bmp", "old");
    SaveDialogScript script({{dir.file("plot"), bmp}, {dir.file("plot"), bmp}, {"", ""}});
    prompts.answer_next(prompt::Button::No);
    prompts.answer_next(prompt::Button::Yes);
    const std::optional<SaveChoice> replaced = choose_file_to_save(nullptr, "Save As", filters);
    ASSERT_TRUE(replaced.has_value());
    EXPECT_EQ(replaced->path.toStdString(), dir.file("plot.bmp"));
    ASSERT_EQ(prompts.prompts().size(), 2u);
    EXPECT_EQ(prompts.texts()[0], "plot.bmp already exists.\nDo you want to replace it?");
    EXPECT_EQ(prompts.prompts()[0].buttons, prompt::Buttons::YesNo);
    EXPECT_FALSE(script.done());

    EXPECT_FALSE(choose_file_to_save(nullptr, "Save As", filters).has_value());  // cancelled
    EXPECT_TRUE(script.done());
}

}  // namespace
}  // namespace tarvik
