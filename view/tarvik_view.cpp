#include "tarvik_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimerEvent>
#include <algorithm>

#include "captured_image_file.h"
#include "document_view.h"
#include "file_choice.h"
#include "plot_image.h"
#include "plot_renderer.h"
#include "prompt.h"
#include "tarvik_doc.h"
#include "timer_tick.h"
#include "vector_picture.h"
#include "view_commands.h"
#include "view_events.h"
#include "view_ranges.h"

namespace tarvik {

// What the document asks of its view, answered by the widget.
class CTarvikView::Bridge : public DocumentView {
  public:
    explicit Bridge(CTarvikView& view) : view_(view) {}
    PlotViewState& state() override { return view_.state_; }
    void set_timer(std::int32_t interval_ms) override { view_.set_timer(interval_ms); }
    void data_updated() override { view_.data_updated(); }
    void update() override { view_.redraw(); }

  private:
    CTarvikView& view_;
};

CTarvikView::CTarvikView(QWidget* parent)
    : QAbstractScrollArea(parent), bridge_(std::make_unique<Bridge>(*this)) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    // Every pixel is painted from the picture; nothing needs erasing first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    take_client_rect();
}

CTarvikView::~CTarvikView() {
    if (state_.m_TimerId != 0)
        killTimer(static_cast<int>(state_.m_TimerId));
}

void CTarvikView::attach(CTarvikDoc& doc) {
    doc_ = &doc;
    doc.attach_view(bridge_.get());
}

DocumentView& CTarvikView::document_view() {
    return *bridge_;
}

void CTarvikView::set_timer(std::int32_t interval_ms) {
    if (state_.m_TimerId != 0)
        killTimer(static_cast<int>(state_.m_TimerId));
    state_.m_TimerId = 0;
    if (interval_ms > 0)
        state_.m_TimerId = static_cast<std::uint32_t>(startTimer(interval_ms));
}

void CTarvikView::timerEvent(QTimerEvent* e) {
    if (!doc_) {
        QAbstractScrollArea::timerEvent(e);
        return;
    }
    const TimerTickResult tick =
        timer_tick(*doc_, state_, static_cast<std::uint32_t>(e->timerId()));
    if (!tick.ours) {
        QAbstractScrollArea::timerEvent(e);
        return;
    }
    if (!tick.updated) {
        if (tick.notices_changed)
            emit plot_changed();  // the status bar says why the data wait
        return;                   // nothing read: no redraw, no save
    }
    const bool has_data = !doc_->all_curves_empty();
    if (state_.m_AutoXScroll && has_data) {
        auto_x_scroll(state_, *doc_);
    } else if (state_.m_XScrollbarMode && has_data) {
        if (extend_x_scrollbar(state_, *doc_))
            update_scroll_sizes();
    }
    data_updated();
}

void CTarvikView::data_updated() {
    if (!doc_)
        return;
    const std::time_t now = std::time(nullptr);
    last_update_ = now;
    follow_data(state_, *doc_);
    doc_->StampWindowTitle(now);
    emit title_changed(QString::fromStdString(doc_->window_title()));
    redraw();
    if (periodic_save_due(state_, now)) {
        save_picture(state_.m_SaveFileName, state_.m_SaveType);
        state_.m_LastSaveTime = now;
    }
    emit plot_changed();
}

void CTarvikView::redraw() {
    dirty_ = true;
    viewport()->update();
}

// The client rectangle is the viewport; in x-scrollbar mode only its top and bottom are
// taken, so the scrollable width survives a resize.
void CTarvikView::take_client_rect() {
    const QRect client = viewport()->rect();
    if (state_.m_XScrollbarMode) {
        state_.m_ClientRect.top = client.top();
        state_.m_ClientRect.bottom = client.bottom() + 1;
    } else {
        state_.m_ClientRect =
            PixelRect{client.left(), client.top(), client.right() + 1, client.bottom() + 1};
    }
}

void CTarvikView::update_scroll_sizes() {
    const int logical = state_.m_ClientRect.width();
    const int page = viewport()->width();
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, std::max(0, logical - page));
    bar->setPageStep(std::max(1, page));
    bar->setSingleStep(std::max(1, page / 10));
}

void CTarvikView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    take_client_rect();
    update_scroll_sizes();
    redraw();
}

void CTarvikView::scrollContentsBy(int, int) {
    redraw();
}

void CTarvikView::render_buffer() {
    const QSize size = viewport()->size();
    if (buffer_.size() != size)
        buffer_ = QImage(size, QImage::Format_RGB32);
    if (buffer_.isNull())
        return;
    buffer_.fill(Qt::white);
    if (doc_) {
        QPainter painter(&buffer_);
        // The picture spans the whole scrollable width; only the part in view is drawn.
        painter.translate(-horizontalScrollBar()->value(), 0);
        draw_plot(painter, state_.m_ClientRect, state_, *doc_);
    }
    dirty_ = false;
}

QImage CTarvikView::rendered_image() {
    if (dirty_ || buffer_.size() != viewport()->size())
        render_buffer();
    return buffer_;
}

void CTarvikView::paintEvent(QPaintEvent*) {
    if (dirty_ || buffer_.size() != viewport()->size())
        render_buffer();
    QPainter painter(viewport());
    painter.drawImage(0, 0, buffer_);
}

bool CTarvikView::event(QEvent* e) {
    if (handle_message(e))
        return true;
    return QAbstractScrollArea::event(e);
}

// The private messages: the view takes its copy of the record and redraws.
bool CTarvikView::handle_message(QEvent* e) {
    switch (static_cast<int>(e->type())) {
        case DataUpdatedEvent::kType:
            data_updated();
            return true;
        case LinePropertyEvent::kType:
            apply_line_property(state_, static_cast<LinePropertyEvent*>(e)->record());
            redraw();
            return true;
        case WindowPropertyEvent::kType:
            if (doc_)
                apply_window_property(state_, *doc_,
                                      static_cast<WindowPropertyEvent*>(e)->record());
            redraw();
            return true;
        case MarkLineEvent::kType:
            apply_mark_line(state_, static_cast<MarkLineEvent*>(e)->record());
            redraw();
            return true;
        default:
            return false;
    }
}

void CTarvikView::freeze() {
    if (doc_)
        tarvik::freeze(state_, *doc_);
    emit plot_changed();
}

void CTarvikView::unfreeze() {
    if (doc_)
        tarvik::unfreeze(state_, *doc_);
    emit plot_changed();
}

void CTarvikView::toggle_x_scrollbar() {
    if (!doc_)
        return;
    if (state_.m_XScrollbarMode) {
        const QRect client = viewport()->rect();
        leave_x_scrollbar_mode(
            state_, horizontalScrollBar()->value(),
            PixelRect{client.left(), client.top(), client.right() + 1, client.bottom() + 1});
        update_scroll_sizes();
        redraw();
        return;
    }
    const XScrollbarChange change = enter_x_scrollbar_mode(state_, *doc_);
    if (change.outcome != XScrollbarChange::Outcome::Entered) {
        const bool no_data = change.outcome == XScrollbarChange::Outcome::NoData;
        prompt::show(no_data ? kNoDataForScrollbarText : kEmptyPageForScrollbarText,
                     kNoDataForScrollbarCaption, prompt::Icon::Information, prompt::Buttons::Ok);
        return;
    }
    if (change.changed) {
        update_scroll_sizes();
        horizontalScrollBar()->setValue(change.scroll_position);
        redraw();
    }
}

void CTarvikView::toggle_auto_x_scroll() {
    if (state_.m_XScrollbarMode)
        return;
    state_.m_AutoXScroll = !state_.m_AutoXScroll;
}

void CTarvikView::update_now() {
    if (!doc_)
        return;
    doc_->refresh_all();
    data_updated();
}

void CTarvikView::toggle_follow_data() {
    state_.m_FollowData = !state_.m_FollowData;
    if (doc_ && follow_data(state_, *doc_))
        redraw();
}

void CTarvikView::toggle_data_tips() {
    state_.m_DataTips = !state_.m_DataTips;
}

void CTarvikView::toggle_grid() {
    state_.m_Grid = !state_.m_Grid;
    redraw();
}

void CTarvikView::toggle_legend() {
    state_.m_Legend = !state_.m_Legend;
    redraw();
}

void CTarvikView::invert_y() {
    tarvik::invert_y(state_);
    redraw();
}

PixelRect CTarvikView::shown_rect() const {
    const int scroll = horizontalScrollBar()->value();
    const int left = state_.m_ClientRect.left + scroll;
    return PixelRect{left, state_.m_ClientRect.top, left + viewport()->width(),
                     state_.m_ClientRect.bottom};
}

bool CTarvikView::save_picture(const std::string& file, int format) {
    if (!doc_)
        return false;
    return SaveImage(state_, *doc_, shown_rect(), file, format);
}

void CTarvikView::save_as() {
    enum { Png, Bmp, Pdf, Svg };
    const std::vector<FileFilter> filters{
        {QStringLiteral("PNG-Portable Network Graphics"), QStringLiteral("*.png")},
        {QStringLiteral("BMP-Windows Bitmap"), QStringLiteral("*.bmp")},
        {QStringLiteral("PDF-Portable Document Format"), QStringLiteral("*.pdf")},
        {QStringLiteral("SVG-Scalable Vector Graphics"), QStringLiteral("*.svg")}};
    const std::optional<SaveChoice> choice = choose_file_to_save(this, tr("Save As"), filters);
    if (!choice)
        return;
    const std::string file = choice->path.toStdString();
    if (doc_ && (choice->filter == Pdf || choice->filter == Svg)) {
        save_vector_picture(state_, *doc_, shown_rect(), file,
                            choice->filter == Pdf ? VectorFormat::Pdf : VectorFormat::Svg);
        return;
    }
    save_picture(file, choice->filter == Png ? kImageFormatPng : kImageFormatBmp);
}

std::unique_ptr<QMenu> CTarvikView::make_context_menu() {
    auto menu = std::make_unique<QMenu>(this);
    const bool frozen = state_.m_Frozen;
    menu->addAction(tr("&Freeze"), this, &CTarvikView::freeze)->setEnabled(!frozen);
    menu->addAction(tr("&Unfreeze"), this, &CTarvikView::unfreeze)->setEnabled(frozen);
    QAction* scrollbar =
        menu->addAction(tr("X-scroll&bar"), this, &CTarvikView::toggle_x_scrollbar);
    scrollbar->setCheckable(true);
    scrollbar->setChecked(state_.m_XScrollbarMode);
    QAction* auto_scroll =
        menu->addAction(tr("Auto &X scroll"), this, &CTarvikView::toggle_auto_x_scroll);
    auto_scroll->setCheckable(true);
    auto_scroll->setChecked(state_.m_AutoXScroll);
    auto_scroll->setEnabled(!state_.m_XScrollbarMode);
    menu->addAction(tr("Up&date"), this, &CTarvikView::update_now)->setEnabled(frozen);
    menu->addSeparator();
    menu->addAction(tr("Line properties..."), this, &CTarvikView::edit_line_properties);
    menu->addAction(tr("Window properies..."), this, &CTarvikView::edit_window_properties);
    menu->addAction(tr("Mark line..."), this, &CTarvikView::mark_line);
    menu->addSeparator();
    QAction* tips = menu->addAction(tr("&Data tips"), this, &CTarvikView::toggle_data_tips);
    tips->setCheckable(true);
    tips->setChecked(state_.m_DataTips);
    menu->addAction(tr("invert-Y"), this, &CTarvikView::invert_y);
    return menu;
}

void CTarvikView::contextMenuEvent(QContextMenuEvent* e) {
    hide_data_tip();  // a tip waiting for the pointer to rest would cover the menu
    const std::unique_ptr<QMenu> menu = make_context_menu();
    menu->exec(e->globalPos());
}

}  // namespace tarvik
