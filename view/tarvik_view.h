// The plot view widget: shows one document's plot, runs its update timer, answers its
// commands and the private messages. It turns events into calls of the plain view logic
// (timer tick, ranges, drawing, commands) and holds the display state; paintEvent only copies
// a picture drawn when data or settings change.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>
#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "hit_test.h"
#include "plot_view_state.h"

class QMenu;
class QPrinter;
class QTimer;

namespace tarvik {

class CTarvikDoc;
class DocumentView;

class CTarvikView : public QAbstractScrollArea {
    Q_OBJECT

  public:
    explicit CTarvikView(QWidget* parent = nullptr);
    ~CTarvikView() override;

    // The document shown; the document reaches this view through document_view().
    void attach(CTarvikDoc& doc);
    CTarvikDoc* document() const { return doc_; }
    DocumentView& document_view();

    PlotViewState& state() { return state_; }
    const PlotViewState& state() const { return state_; }
    // When new data last arrived (0: never).
    std::time_t last_update() const { return last_update_; }

    // Commands; the menus, the context menu and the tests call these.
    void freeze();
    void unfreeze();
    void toggle_x_scrollbar();
    void toggle_auto_x_scroll();
    void update_now();  // re-read every curve, then the data-updated step
    void toggle_data_tips();
    // "Follow data": while on, every data update fits the automatic ranges again; turning it
    // on fits them at once.
    void toggle_follow_data();
    void toggle_grid();
    void toggle_legend();
    void invert_y();
    // Commands that add and remove curves (tarvik_view_curves.cpp).
    void add_file();
    void remove_file();
    void set_history_size();

    // The picture of what the window shows (at its scroll position in x-scrollbar mode) written
    // as PNG (1) or BMP (2); false when nothing was written (the reason was shown).
    bool save_picture(const std::string& file, int format);
    // The part of the plot's drawing rectangle the window shows.
    PixelRect shown_rect() const;
    // Asks for a file and writes the picture there.
    void save_as();

    // Commands that open a dialog (tarvik_view_dialogs.cpp).
    void edit_line_properties();
    void edit_window_properties();
    void mark_line();
    void set_timer_settings();
    void edit_x_range();
    void edit_y_range();
    void edit_ticks();
    void edit_precision();
    void show_curve_list();
    void edit_plot_title();
    void edit_labels();
    void edit_curve_title();
    void choose_font();
    void edit_file_update();
    // Style, width and point size of a curve's newest generation only (no menu entries).
    void edit_newest_style();
    void edit_newest_width();
    void edit_newest_point_size();
    void periodic_saving_settings();
    void start_periodic_saving();
    void stop_periodic_saving();
    void print();
    // The printer set-up is the program's, not one plot's.
    static void print_setup(QWidget* parent);

    // The step run whenever new data has arrived: renew the title's time, redraw, save the
    // picture when periodic saving is due.
    void data_updated();
    // Draw again from the state and the data.
    void redraw();

    // The plot exactly as the window shows it.
    QImage rendered_image();

    // Pointer interaction (tarvik_view_pointer.cpp). The data point under a position of the
    // window (scrolling taken into account); the plot area is laid out again as drawn.
    std::optional<PointHit> hit_at(QPoint position);
    // The data tip for a position: the hit point's values, empty when there is none or the
    // position lies outside the window.
    QString data_tip_at(QPoint position);
    bool button_down() const { return m_ButtonDown; }
    // Milliseconds until the data tip waiting for the pointer to rest shows; -1: none waits.
    int data_tip_due_in() const;

    // Prints one page on `printer` (the print dialog has been answered); the page holds the
    // plot scaled to the page width (in x-scrollbar mode see printed_part.h). False, with the
    // reason shown, when the print could not start.
    bool print_page(QPrinter& printer);
    double print_scale() const { return m_PrintScale; }
    const PixelRect& print_rect() const { return m_PrintRect; }
    // The printer every print and page set-up of the program uses.
    static QPrinter& program_printer();

    // The context menu with its states set from the plot; the caller shows it.
    std::unique_ptr<QMenu> make_context_menu();

  signals:
    void title_changed(const QString& title);
    // New data, or a setting the status bar shows.
    void plot_changed();

  protected:
    bool event(QEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

  private:
    class Bridge;

    // The curve a command works on: chosen in a dialog when there are several; -1 when the
    // choice was cancelled or the plot has no curve.
    int select_curve();

    void set_timer(std::int32_t interval_ms);
    // Shows the new title and redraws after the set of curves changed.
    void curves_changed();
    void take_client_rect();
    void update_scroll_sizes();
    void render_buffer();
    bool handle_message(QEvent* e);

    PlotViewState state_;
    CTarvikDoc* doc_ = nullptr;
    std::unique_ptr<Bridge> bridge_;
    QImage buffer_;
    bool dirty_ = true;
    std::time_t last_update_ = 0;

    // Pointer interaction and printing.
    void hover(QPoint position);
    void show_data_tip();
    void hide_data_tip();
    bool m_ButtonDown = false;
    QPoint m_LastPoint;
    QTimer* tip_timer_ = nullptr;  // the tip's initial and reshow delay; made at first show
    bool tip_shown_ = false;
    double m_PrintScale = 1.0;
    PixelRect m_PrintRect;
};

}  // namespace tarvik
