// The plot view's pointer: data tips while hovering over a point, dragging the plot with the
// left button, wheel zoom about the pointer, and the mark-line command.
#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <vector>

#include "mark_dlg.h"
#include "plot_renderer.h"
#include "pointer_motion.h"
#include "select_dlg.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"
#include "view_ranges.h"

namespace tarvik {

namespace {

// The tip shows once the pointer has rested 200 ms on a point (every move restarts the wait, as
// for a tooltip), and stays (up to the longest time a tip may show) until the pointer leaves
// the point.
constexpr int kDataTipDelayMs = 200;
constexpr int kDataTipShowMs = 32767;

}  // namespace

std::optional<PointHit> CTarvikView::hit_at(QPoint position) {
    if (!doc_)
        return std::nullopt;
    // Measured on an image, as the screen's picture is drawn.
    const QImage probe(1, 1, QImage::Format_RGB32);
    state_.m_PlotArea = plot_layout_on(state_, state_.m_ClientRect, &probe).plot_area;
    return hit_test(state_, *doc_, state_.m_PlotArea, position.x() + horizontalScrollBar()->value(),
                    position.y());
}

QString CTarvikView::data_tip_at(QPoint position) {
    if (!viewport()->rect().contains(position))
        return {};
    const std::optional<PointHit> hit = hit_at(position);
    return hit ? QString::fromStdString(data_tip_text(hit->x, hit->y)) : QString();
}

void CTarvikView::showEvent(QShowEvent* e) {
    QAbstractScrollArea::showEvent(e);
    if (tip_timer_)
        return;
    viewport()->setMouseTracking(true);  // hovering reaches mouseMoveEvent
    tip_timer_ = new QTimer(this);
    tip_timer_->setSingleShot(true);
    tip_timer_->setInterval(kDataTipDelayMs);
    connect(tip_timer_, &QTimer::timeout, this, &CTarvikView::show_data_tip);
}

bool CTarvikView::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::Leave)
        hide_data_tip();
    return QAbstractScrollArea::viewportEvent(e);
}

// A drag in progress (the button went down here and has not come up) evaluates no tips.
void CTarvikView::hover(QPoint position) {
    if (!tip_timer_)
        return;
    if (!state_.m_DataTips || !hit_at(position)) {
        hide_data_tip();
        return;
    }
    if (tip_shown_)
        show_data_tip();  // from one point straight to the next: the text follows
    else
        tip_timer_->start();
}

int CTarvikView::data_tip_due_in() const {
    return tip_timer_ && tip_timer_->isActive() ? tip_timer_->remainingTime() : -1;
}

void CTarvikView::show_data_tip() {
    const QPoint global = QCursor::pos();
    const QString text = data_tip_at(viewport()->mapFromGlobal(global));
    if (text.isEmpty() || !state_.m_DataTips || (m_ButtonDown && state_.m_PanAllowed)) {
        hide_data_tip();
        return;
    }
    QToolTip::showText(global, text, viewport(), QRect(), kDataTipShowMs);
    tip_shown_ = true;
}

void CTarvikView::hide_data_tip() {
    if (tip_timer_)
        tip_timer_->stop();
    if (tip_shown_)
        QToolTip::hideText();
    tip_shown_ = false;
}

void CTarvikView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        m_ButtonDown = true;
        m_LastPoint = e->position().toPoint();
        hide_data_tip();
    }
    QAbstractScrollArea::mousePressEvent(e);
}

void CTarvikView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        m_ButtonDown = false;
    QAbstractScrollArea::mouseReleaseEvent(e);
}

// The plot follows the pointer while the left button is held; x-scrollbar mode forbids it.
void CTarvikView::mouseMoveEvent(QMouseEvent* e) {
    const QPoint position = e->position().toPoint();
    if (m_ButtonDown && state_.m_PanAllowed) {
        if (e->buttons() & Qt::LeftButton) {
            const int dx = position.x() - m_LastPoint.x();
            const int dy = position.y() - m_LastPoint.y();
            pan_ranges(state_, state_.m_ClientRect, dx, dy);
            // A range moved by hand is no longer automatic, as after the wheel: following
            // the data stops on that axis.
            if (dx != 0)
                state_.m_AutoX = false;
            if (dy != 0)
                state_.m_AutoY = false;
            m_LastPoint = position;
            redraw();
            emit plot_changed();
        }
    } else {
        hover(position);
    }
    QAbstractScrollArea::mouseMoveEvent(e);
}

// Back to the ranges of the data.
void CTarvikView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !doc_) {
        QAbstractScrollArea::mouseDoubleClickEvent(e);
        return;
    }
    restore_data_ranges(state_, *doc_);
    redraw();
    emit plot_changed();
}

// Zoom about the pointer: Ctrl x only, Shift y only. In x-scrollbar mode the wheel scrolls.
void CTarvikView::wheelEvent(QWheelEvent* e) {
    if (state_.m_XScrollbarMode) {
        QCoreApplication::sendEvent(horizontalScrollBar(), e);
        return;
    }
    const QPoint delta = e->angleDelta();
    const int turn = delta.y() != 0 ? delta.y() : delta.x();
    if (turn == 0 || !doc_) {
        e->ignore();
        return;
    }
    ZoomAxes axes;
    if (e->modifiers() & Qt::ControlModifier)
        axes = ZoomAxes{true, false};
    else if (e->modifiers() & Qt::ShiftModifier)
        axes = ZoomAxes{false, true};
    const QPoint position = e->position().toPoint();
    const QImage probe(1, 1, QImage::Format_RGB32);
    const PixelRect area = plot_layout_on(state_, state_.m_ClientRect, &probe).plot_area;
    const ZoomAxes changed =
        zoom_ranges(state_, area, position.x() + horizontalScrollBar()->value(), position.y(),
                    wheel_zoom_factor(turn), axes);
    if (changed.x)
        state_.m_AutoX = false;
    if (changed.y)
        state_.m_AutoY = false;
    e->accept();
    if (changed.x || changed.y) {
        hide_data_tip();
        redraw();
        emit plot_changed();
    }
}

void CTarvikView::mark_line() {
    const int curve = select_curve();
    if (curve < 0 || curve >= state_.m_Curves.curve_count())
        return;
    CMarkDlg dialog(this, curve, state_.m_Curves.m_Colours[static_cast<std::size_t>(curve)][0],
                    this);
    dialog.exec();
}

}  // namespace tarvik
