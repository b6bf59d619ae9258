// The plot view under the pointer and on paper: data tips, dragging, the wheel, marking a
// line, a printed page, vector pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <chrono>
#include <cmath>
#include <thread>

#include "axis_map.h"
#include "mark_dlg.h"
#include "memory_plot.h"
#include "plot_renderer.h"
#include "print_geometry.h"
#include "prompt_recorder.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"
#include "temp_dir.h"
#include "vector_picture.h"

namespace tarvik {
namespace {

class ViewPointerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartupRequest& request = StartupRequest::instance();
        request.plot_request_pending = true;
        request.plot_request = PlotRequest{
            dir_.write("d.txt", "0 0\n2 0.5\n4 1\n6 0.25\n8 -0.5\n10 0\n"), 0, 1, 0, 10, -1, 1};
        view_.attach(doc_);
        view_.resize(400, 300);
        view_.show();
        ASSERT_TRUE(doc_.OnNewDocument());
        request.plot_request_pending = false;
        view_.rendered_image();  // lays the plot out as the window shows it
    }
    QPoint pixel_of(double x, double y) {
        const auto [px, py] = PlotMap(view_.state(), view_.state().m_PlotArea).to_pixel(x, y);
        return QPoint(px, py);
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, at, view_.viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(view_.viewport(), &e);
    }
    void wheel(QPoint at, int turn, Qt::KeyboardModifiers modifiers) {
        QWheelEvent e(at, view_.viewport()->mapToGlobal(at), QPoint(), QPoint(0, turn),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view_.viewport(), &e);
    }

    testing::TempDir dir_;
    testing::PromptRecorder prompts_;
    CTarvikDoc doc_;
    CTarvikView view_;
};

TEST_F(ViewPointerTest, DataTipNamesThePointUnderThePointer) {
    const QPoint on = pixel_of(4, 1);
    EXPECT_EQ(view_.data_tip_at(on + QPoint(3, 0)), "x= 4.00000e+00 y= 1.00000e+00 ");
    EXPECT_EQ(view_.data_tip_at(on + QPoint(3, 1)), "");
    EXPECT_EQ(view_.data_tip_at(QPoint(-1, on.y())), "");  // outside the window
    EXPECT_EQ(view_.hit_at(on)->index, 2u);
    EXPECT_EQ(data_tip_text(-1234.5, 6.02e23), "x=-1.23450e+03 y= 6.02000e+23 ");
}

// The tip waits for the pointer to rest on a point: a move over the point starts the wait anew.
TEST_F(ViewPointerTest, EveryMoveOverAPointRestartsTheTipsDelay) {
    const QPoint on = pixel_of(4, 1);
    mouse(QEvent::MouseMove, on, Qt::NoButton, Qt::NoButton);
    EXPECT_GT(view_.data_tip_due_in(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    mouse(QEvent::MouseMove, on + QPoint(1, 0), Qt::NoButton, Qt::NoButton);
    EXPECT_GT(view_.data_tip_due_in(), 150);
    mouse(QEvent::MouseMove, on + QPoint(20, 20), Qt::NoButton, Qt::NoButton);  // off the point
    EXPECT_EQ(view_.data_tip_due_in(), -1);

    // The context menu opened over a point: no tip comes up over the menu.
    mouse(QEvent::MouseMove, on, Qt::NoButton, Qt::NoButton);
    int due_while_open = 0;
    QTimer::singleShot(0, [&] {
        due_while_open = view_.data_tip_due_in();
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    });
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, on, view_.viewport()->mapToGlobal(on));
    QApplication::sendEvent(view_.viewport(), &right_click);
    EXPECT_EQ(due_while_open, -1);
}

TEST_F(ViewPointerTest, DragPansTheRangesUnlessTheScrollBarOwnsThem) {
    const PlotViewState before = view_.state();
    const double width = before.m_ClientRect.width();
    const double height = before.m_ClientRect.height();
    mouse(QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(140, 70), Qt::NoButton, Qt::LeftButton);
    // Right by 40 and up by 30: smaller x and y values come into view.
    plot_limits expected = before;
    expected.m_XMin -= 40 * (before.m_XMax - before.m_XMin) / width;
    expected.m_XMax -= 40 * (before.m_XMax - before.m_XMin) / width;
    expected.m_YMin -= 30 * (before.m_YMax - before.m_YMin) / height;
    expected.m_YMax -= 30 * (before.m_YMax - before.m_YMin) / height;
    EXPECT_DOUBLE_EQ(view_.state().m_XMin, expected.m_XMin);
    EXPECT_DOUBLE_EQ(view_.state().m_XMax, expected.m_XMax);
    EXPECT_DOUBLE_EQ(view_.state().m_YMin, expected.m_YMin);
    EXPECT_DOUBLE_EQ(view_.state().m_YMax, expected.m_YMax);
    EXPECT_EQ(view_.state().m_AutoX, before.m_AutoX);

    // The button came up outside: moves without it change nothing, and the drag state stays
    // until the next button-up in the view.
    mouse(QEvent::MouseMove, QPoint(10, 10), Qt::NoButton, Qt::NoButton);
    EXPECT_DOUBLE_EQ(view_.state().m_XMin, expected.m_XMin);
    EXPECT_TRUE(view_.button_down());
    mouse(QEvent::MouseButtonRelease, QPoint(10, 10), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(view_.button_down());

    view_.toggle_x_scrollbar();
    ASSERT_TRUE(view_.state().m_XScrollbarMode);
    const PlotViewState scrolling = view_.state();
    mouse(QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(140, 70), Qt::NoButton, Qt::LeftButton);
    wheel(QPoint(100, 100), 120, Qt::NoModifier);
    EXPECT_EQ(view_.state().m_XMin, scrolling.m_XMin);
    EXPECT_EQ(view_.state().m_YMin, scrolling.m_YMin);
    EXPECT_EQ(view_.state().m_YMax, scrolling.m_YMax);
}

TEST_F(ViewPointerTest, FollowedDataStayInViewUntilAnAxisIsDraggedByHand) {
    mouse(QEvent::MouseButtonDblClick, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(view_.state().m_AutoX && view_.state().m_AutoY);
    view_.toggle_follow_data();
    ASSERT_TRUE(view_.state().m_FollowData);
    dir_.append("d.txt", "20 5\n");
    view_.update_now();
    EXPECT_GT(view_.state().m_XMax, 20);
    EXPECT_GT(view_.state().m_YMax, 5);

    // Dragged sideways: x stays where the hand put it, y goes on following.
    mouse(QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(140, 100), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, QPoint(140, 100), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(view_.state().m_AutoX);
    EXPECT_TRUE(view_.state().m_AutoY);
    const double x_max = view_.state().m_XMax;
    dir_.append("d.txt", "30 9\n");
    view_.update_now();
    EXPECT_EQ(view_.state().m_XMax, x_max);
    EXPECT_GT(view_.state().m_YMax, 9);

    // Turned off, nothing follows.
    view_.toggle_follow_data();
    const double y_max = view_.state().m_YMax;
    dir_.append("d.txt", "40 99\n");
    view_.update_now();
    EXPECT_EQ(view_.state().m_YMax, y_max);
}

TEST_F(ViewPointerTest, WheelZoomsTheChosenAxesAndDoubleClickRestoresTheData) {
    view_.state().m_AutoX = view_.state().m_AutoY = true;
    const PlotViewState before = view_.state();
    wheel(QPoint(200, 150), 120, Qt::ControlModifier);
    EXPECT_LT(view_.state().m_XMax - view_.state().m_XMin, before.m_XMax - before.m_XMin);
    EXPECT_EQ(view_.state().m_YMin, before.m_YMin);
    EXPECT_FALSE(view_.state().m_AutoX);
    EXPECT_TRUE(view_.state().m_AutoY);
    wheel(QPoint(200, 150), -120, Qt::ShiftModifier);
    EXPECT_GT(view_.state().m_YMax - view_.state().m_YMin, before.m_YMax - before.m_YMin);
    EXPECT_FALSE(view_.state().m_AutoY);

    mouse(QEvent::MouseButtonDblClick, QPoint(200, 150), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(view_.state().m_AutoX && view_.state().m_AutoY);
    EXPECT_DOUBLE_EQ(view_.state().m_XMin, -1.0);
    EXPECT_DOUBLE_EQ(view_.state().m_YMax, 1.15);
}

TEST_F(ViewPointerTest, MarkLineHighlightsWhileMarkedAndDismissRestores) {
    const Colour chosen = view_.state().m_Curves.m_Colours[0][0];
    Colour while_marked = 0;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == "Mark")
                b->click();
        while_marked = view_.state().m_Curves.m_Colours[0][0];
        dialog->reject();  // Dismiss
    });
    view_.mark_line();
    EXPECT_EQ(while_marked, CMarkDlg::kHighlightColour);
    EXPECT_EQ(view_.state().m_Curves.m_Colours[0][0], chosen);
}

// The page draw on a printer of known width: 800 window pixels on 4800 page pixels.
TEST(PrintedPage, ScalesTicksAndMarkersButNotCurvePens) {
    testing::MemoryPlot plot;
    plot.add_curve({{0, 0.5}, {10, 0.5}});  // a flat line, width 1
    plot.add_curve({{5, 0.25}});            // one marker, point size 2
    PlotViewState state;
    state.m_XMin = 0;
    state.m_XMax = 10;
    state.m_YMin = 0;
    state.m_YMax = 1;
    state.m_Grid = false;
    state.m_Legend = false;
    state.m_Curves.append_curve(rgb(255, 0, 0), SOLID, 1, 0);
    state.m_Curves.append_curve(rgb(0, 0, 255), SOLID, 0, 2);
    const auto g = print_geometry(PixelRect{0, 0, 800, 600}, 4800);
    ASSERT_TRUE(g);
    QImage page(g->rect.width(), g->rect.height(), QImage::Format_RGB32);
    QPainter painter(&page);
    draw_plot(painter, g->rect, state, plot, DrawParameters{true, g->scale, {}});
    painter.end();
    const PixelRect p = plot_layout_on(state, g->rect, &page).plot_area;
    const PlotMap map(state, p);
    auto black = [&](int x, int y) { return page.pixelColor(x, y) == QColor(Qt::black); };
    const int tick = map.x.to_pixel(2.5);  // the second x tick
    EXPECT_TRUE(black(tick, p.bottom - 28));
    EXPECT_FALSE(black(tick, p.bottom - 32));  // 30 long, not 5
    const auto [cx, cy] = map.to_pixel(5, 0.25);
    int ring = cx;
    while (ring > cx - 40 && page.pixelColor(ring, cy) != QColor(0, 0, 255))
        --ring;
    EXPECT_NEAR(cx - ring, 12, 1);  // the marker's radius
    const int row = map.y.to_pixel(0.5);
    int thickness = 0;
    for (int y = row - 10; y <= row + 10; ++y)
        thickness += page.pixelColor(p.left + 500, y) == QColor(255, 0, 0);
    EXPECT_EQ(thickness, 1);
}

TEST_F(ViewPointerTest, PrintsOnePageToAPdfFile) {
    const std::string file = dir_.file("page.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file));
    const PlotViewState before = view_.state();
    ASSERT_TRUE(view_.print_page(printer));
    EXPECT_DOUBLE_EQ(view_.print_scale(), printer.width() / 400.0);
    EXPECT_EQ(view_.print_rect().right, printer.width());
    EXPECT_EQ(view_.state().m_PlotArea, before.m_PlotArea);  // the screen's, untouched
    const QByteArray pdf = QByteArray::fromStdString(testing::read_file_bytes(file));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page(?![s\\w])")), 1);
    EXPECT_GT(pdf.size(), 2000);  // the drawing, not an empty page
}

// In x-scrollbar mode over 40 windows of data a saved picture and a printed page hold what
// the window shows, not the whole scrollable width.
TEST_F(ViewPointerTest, XScrollbarModeSavesAndPrintsTheWindow) {
    view_.state().m_XMin = 0;
    view_.state().m_XMax = 0.25;
    view_.toggle_x_scrollbar();
    ASSERT_TRUE(view_.state().m_XScrollbarMode);
    ASSERT_GT(view_.state().m_ClientRect.width(), 40 * 400);
    QScrollBar* bar = view_.horizontalScrollBar();
    const std::string first = dir_.file("first.png");
    const std::string last = dir_.file("last.png");
    bar->setValue(0);
    ASSERT_TRUE(view_.save_picture(first, 1));
    bar->setValue(bar->maximum());
    ASSERT_TRUE(view_.save_picture(last, 1));
    const QImage at_start(QString::fromStdString(first));
    const QImage at_end(QString::fromStdString(last));
    EXPECT_EQ(at_start.size(), QSize(view_.viewport()->width() + 1, 301));
    EXPECT_EQ(at_end.size(), at_start.size());
    EXPECT_NE(at_end, at_start);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir_.file("page.pdf")));
    ASSERT_TRUE(view_.print_page(printer));
    EXPECT_DOUBLE_EQ(view_.print_scale(),
                     static_cast<double>(printer.width()) / view_.viewport()->width());
    EXPECT_TRUE(prompts_.prompts().empty());
}

TEST_F(ViewPointerTest, APrintThatCannotStartSaysWhy) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::string file = dir_.file("no/such/folder/page.pdf");
    printer.setOutputFileName(QString::fromStdString(file));
    EXPECT_FALSE(view_.print_page(printer));
    ASSERT_EQ(prompts_.prompts().size(), 1u);
    EXPECT_EQ(prompts_.prompts()[0].icon, prompt::Icon::Error);
    EXPECT_EQ(prompts_.prompts()[0].text,
              "Unable to print: the file " + file + " could not be written");
}

TEST_F(ViewPointerTest, VectorPicturesAreWrittenWhole) {
    EXPECT_TRUE(save_vector_picture(view_.state(), doc_, dir_.file("p.svg"), VectorFormat::Svg));
    EXPECT_TRUE(save_vector_picture(view_.state(), doc_, dir_.file("p.pdf"), VectorFormat::Pdf));
    const std::string svg = testing::read_file_bytes(dir_.file("p.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
    EXPECT_EQ(testing::read_file_bytes(dir_.file("p.pdf")).rfind("%PDF-", 0), 0u);
    EXPECT_FALSE(
        save_vector_picture(view_.state(), doc_, dir_.file("no/p.svg"), VectorFormat::Svg));
    ASSERT_EQ(prompts_.prompts().size(), 1u);
    EXPECT_EQ(prompts_.prompts()[0].text, "Unable to write file");
}

}  // namespace
}  // namespace tarvik
