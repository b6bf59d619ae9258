// The plot window on a scaled screen. Run once per device pixel ratio (QT_SCALE_FACTOR 1, 1.5
// and 2): the picture is drawn in device pixels, the pointer finds the point it is on as at
// ratio 1, and saved pictures are the ones ratio 1 writes (its run leaves them in
// TARVIK_SCALED_REFERENCE for the others to compare with).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>
#include <cmath>
#include <cstdlib>
#include <string>

#include "axis_map.h"
#include "child_process.h"
#include "plot_image.h"
#include "plot_renderer.h"
#include "prompt_recorder.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

// A gentle slope, so that a one-pixel line has one pixel per column, then a steep rise.
constexpr const char* kData = "0 0\n1 0.4\n2 0.8\n3 1.2\n4 1.6\n5 2\n6 2.4\n7 3.5\n8 3.6\n";

class ScaledScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* folder = std::getenv("TARVIK_SCALED_REFERENCE");
        ASSERT_NE(folder, nullptr);
        reference_folder_ = folder;
        // One name for every run, as a curve's title may show it; the runs at other ratios may
        // read it while this one replaces it with the same text.
        data_ = reference_folder_ + "/scaled.txt";
        QSaveFile data(QString::fromStdString(data_));
        ASSERT_TRUE(data.open(QIODevice::WriteOnly));
        data.write(kData);
        ASSERT_TRUE(data.commit());
        StartupRequest& request = StartupRequest::instance();
        request.plot_request_pending = true;
        request.plot_request = PlotRequest{data_, 0, 1, 0, 8, -1, 4};
        view_.attach(doc_);
        view_.resize(400, 300);
        view_.show();
        ASSERT_TRUE(doc_.OnNewDocument());
        request.plot_request_pending = false;
        ratio_ = view_.viewport()->devicePixelRatioF();
        const char* factor = std::getenv("QT_SCALE_FACTOR");
        ASSERT_NE(factor, nullptr) << "run with QT_SCALE_FACTOR set";
        ASSERT_DOUBLE_EQ(ratio_, std::atof(factor));
    }
    // Where point (x, y) lies in the window as a picture at ratio 1 lays it out.
    QPoint logical_pixel_of(double x, double y) {
        const QImage plain(1, 1, QImage::Format_RGB32);
        const PixelRect area =
            plot_layout_on(view_.state(), view_.state().m_ClientRect, &plain).plot_area;
        const auto [px, py] = PlotMap(view_.state(), area).to_pixel(x, y);
        return QPoint(px, py);
    }
    QByteArray contents(const std::string& file) {
        QFile f(QString::fromStdString(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    testing::TempDir dir_;
    testing::PromptRecorder prompts_;
    CTarvikDoc doc_;
    CTarvikView view_;
    std::string reference_folder_;
    std::string data_;
    double ratio_ = 1.0;
};

// The window's picture has a device pixel for each of the screen's, and a one-pixel curve is one
// device pixel wide: a picture drawn at ratio 1 and enlarged would show it as 2 x 2 blocks.
TEST_F(ScaledScreenTest, PictureIsDrawnInDevicePixels) {
    const QImage picture = view_.rendered_image();
    EXPECT_EQ(picture.devicePixelRatio(), ratio_);
    EXPECT_EQ(picture.width(), static_cast<int>(std::ceil(view_.viewport()->width() * ratio_)));
    EXPECT_EQ(picture.height(), static_cast<int>(std::ceil(view_.viewport()->height() * ratio_)));

    const Colour colour = view_.state().m_Curves.m_Colours[0][0];
    const QRgb curve = qRgb(red_of(colour), green_of(colour), blue_of(colour));
    const PixelRect p = view_.state().m_PlotArea;
    int curve_pixels = 0;
    int blocks = 0;
    for (int y = p.top + 1; y < p.bottom; ++y) {
        for (int x = p.left + 1; x < p.right; ++x) {
            if (picture.pixel(x, y) != curve)
                continue;
            ++curve_pixels;
            if (picture.pixel(x + 1, y) == curve && picture.pixel(x, y + 1) == curve &&
                picture.pixel(x + 1, y + 1) == curve)
                ++blocks;
        }
    }
    EXPECT_GT(curve_pixels, p.width()) << "the curve crosses the plot area";
    EXPECT_EQ(blocks, 0);
}

// The pointer where a point lies at ratio 1 finds that point at any ratio, also scrolled in
// x-scrollbar mode; the hit radius stays three window pixels.
TEST_F(ScaledScreenTest, PointerOnAPointFindsItAtAnyRatio) {
    const double xs[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    const double ys[] = {0, 0.4, 0.8, 1.2, 1.6, 2, 2.4, 3.5, 3.6};
    auto expect_hits = [&](std::size_t first, std::size_t last, int scroll) {
        view_.rendered_image();
        for (std::size_t i = first; i <= last; ++i) {
            const QPoint on = logical_pixel_of(xs[i], ys[i]) - QPoint(scroll, 0);
            const std::optional<PointHit> hit = view_.hit_at(on);
            ASSERT_TRUE(hit) << "point " << i << " scrolled by " << scroll;
            EXPECT_EQ(hit->index, i);
            EXPECT_TRUE(view_.hit_at(on + QPoint(2, 0))) << "point " << i;
            EXPECT_FALSE(view_.hit_at(on + QPoint(0, 6))) << "point " << i;
        }
    };
    expect_hits(0, 8, 0);

    // Two x units a window: four windows of scrollable width, the third one in view.
    view_.state().m_XMax = 2;
    view_.toggle_x_scrollbar();
    ASSERT_TRUE(view_.state().m_XScrollbarMode);
    const int scroll = view_.state().m_ClientRect.width() / 2;
    view_.horizontalScrollBar()->setValue(scroll);
    ASSERT_EQ(view_.horizontalScrollBar()->value(), scroll);
    expect_hits(5, 6, scroll);
}

// Save As, periodic saving and --png write the window's logical size, pixel for pixel what
// ratio 1 writes.
TEST_F(ScaledScreenTest, SavedPicturesAreTheSameAtAnyRatio) {
    const std::string png = dir_.file("window.png");
    const std::string bmp = dir_.file("window.bmp");
    ASSERT_TRUE(view_.save_picture(png, 1));
    ASSERT_TRUE(view_.save_picture(bmp, 2));
    // One pixel wider and higher than the window, as saved pictures have always been.
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), view_.viewport()->size() + QSize(1, 1));
    const std::string batch = dir_.file("batch.png");
    testing::ChildProcess tarvik(TARVIK_PATH, {"--png", batch, "--size", "320x200", "-p", data_,
                                               "0", "1", "0", "8", "-1", "4"});
    const std::optional<int> status = tarvik.wait(std::chrono::seconds(30));
    ASSERT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << tarvik.read_stderr();

    for (const std::string& file : {png, bmp, batch}) {
        const std::string name = file.substr(file.find_last_of('/') + 1);
        const std::string reference = reference_folder_ + "/" + name;
        if (ratio_ == 1.0) {
            QFile::remove(QString::fromStdString(reference));
            ASSERT_TRUE(
                QFile::copy(QString::fromStdString(file), QString::fromStdString(reference)));
            continue;
        }
        const QByteArray expected = contents(reference);
        ASSERT_FALSE(expected.isEmpty()) << "no picture from the run at ratio 1: " << reference;
        EXPECT_TRUE(contents(file) == expected) << name << " differs from " << reference;
    }
}

// Moved to a screen of another ratio, the window is drawn again at that screen's resolution.
// Needs a second screen of another ratio: the run with the offscreen platform's two-screen
// configuration has one.
TEST_F(ScaledScreenTest, MovedToAScreenOfAnotherRatioItIsDrawnAgain) {
    QScreen* other = nullptr;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->devicePixelRatio() != ratio_)
            other = screen;
    }
    if (!other)
        GTEST_SKIP() << "no screen of another device pixel ratio";
    ASSERT_EQ(view_.rendered_image().devicePixelRatio(), ratio_);
    view_.windowHandle()->setScreen(other);
    QCoreApplication::processEvents();
    const double moved = other->devicePixelRatio();
    ASSERT_EQ(view_.viewport()->devicePixelRatioF(), moved);
    const QImage picture = view_.rendered_image();
    EXPECT_EQ(picture.devicePixelRatio(), moved);
    EXPECT_EQ(picture.width(), static_cast<int>(std::ceil(view_.viewport()->width() * moved)));
}

}  // namespace
}  // namespace tarvik
